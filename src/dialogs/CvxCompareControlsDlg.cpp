#include "CvxCompareControlsDlg.h"

#include <QFontMetrics>

CvxCompareControlsDlg::CvxCompareControlsDlg(CvxCompareModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QString::number(kTemplateID));
    setFixedHeight(sizeHint().height());
}

QSize CvxCompareControlsDlg::sizeHint() const
{
    // Dialog units: a vertical unit is an eighth of the dialog font's height.
    const int height = (kHeightDialogUnits * QFontMetrics(font()).height() + 4) / 8;
    return {QWidget::sizeHint().width(), height};
}

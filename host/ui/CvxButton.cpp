#include "CvxButton.h"

#include <QCoreApplication>

CvxButton::CvxButton(int id, const QString& text, QWidget* parent) : QPushButton(text, parent), m_id(id)
{
    setObjectName(QString::number(id));
    connect(this, &QPushButton::clicked, this, [this] {
        if (QWidget* target = parentWidget()) {
            QCoreApplication::postEvent(target, new CvxButtonClickEvent(m_id));
        }
    });
}

void CvxButton::ShowToolTip(const QString& text, int, int, int)
{
    setToolTip(text);
}

#include "CvxColorWellButton.h"

#include "CvxPainterSelect.h"

#include <QColorDialog>
#include <QPainter>
#include <QPointer>

#include <algorithm>

CvxColorWellButton::CvxColorWellButton(int id, QWidget* parent) : QPushButton(parent), m_id(id)
{
    setObjectName(QString::number(id));
    connect(this, &QPushButton::clicked, this, &CvxColorWellButton::ChooseColor);
}

void CvxColorWellButton::SetColor(const QColor& color)
{
    m_color = color;
    m_noColor = false;
    update();
}

void CvxColorWellButton::SetColorRef(int colorRef)
{
    SetColor(CvxColor(colorRef));
}

int CvxColorWellButton::GetColorRef() const
{
    return CvxColorRef(m_color);
}

void CvxColorWellButton::SetNoColorState(bool noColor)
{
    m_noColor = noColor;
    update();
}

QSize CvxColorWellButton::sizeHint() const
{
    const int h = QPushButton::sizeHint().height();
    return {h * 2, h};
}

void CvxColorWellButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const int margin = std::max(4, height() / 5);
    const QRect swatch = rect().adjusted(margin, margin, -margin - 1, -margin - 1);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::WindowText));
    if (m_noColor) {
        painter.setBrush(palette().color(group, QPalette::Base));
        painter.drawRect(swatch);
        painter.drawLine(swatch.topLeft(), swatch.bottomRight());
        painter.drawLine(swatch.bottomLeft(), swatch.topRight());
        return;
    }
    // Greyed, not hidden: the well still says there is a colour, but not that it can be chosen.
    painter.setBrush(isEnabled() ? m_color : palette().color(QPalette::Disabled, QPalette::Button));
    painter.drawRect(swatch);
}

void CvxColorWellButton::ChooseColor()
{
    // On the heap and guarded: a well taken down while the dialog runs takes the dialog along.
    const QPointer<QColorDialog> dialog = new QColorDialog(m_color, this);
    dialog->setObjectName("ColorDialog");
    // Qt's own dialog, so that tests and remote clients find it among the windows.
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    const int result = dialog->exec();
    if (dialog == nullptr) {
        return;
    }
    const QColor chosen = dialog->selectedColor();
    delete dialog;
    if (result != QDialog::Accepted) {
        return;
    }
    SetColor(chosen);
    emit colorChanged(m_id, m_color);
}

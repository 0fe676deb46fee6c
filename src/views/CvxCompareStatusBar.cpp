#include "CvxCompareStatusBar.h"

#include "CvxCompareStatusViewport.h"

#include <QSizeGrip>

CvxCompareStatusBar::CvxCompareStatusBar(QWidget* parent)
    : CvxViewportWidget(std::make_unique<CvxCompareStatusViewport>(), nullptr, parent)
{
    setObjectName(QString::number(kObjectID));
    setFocusPolicy(Qt::NoFocus);
    m_grip = new QSizeGrip(this);
    GetStatus().SetGripWidth(m_grip->sizeHint().width());
    GetStatus().SetFont(font());
    setFixedHeight(sizeHint().height());
}

CvxCompareStatusViewport& CvxCompareStatusBar::GetStatus()
{
    return static_cast<CvxCompareStatusViewport&>(GetViewport());
}

void CvxCompareStatusBar::SetCounters(const std::array<int, 4>& counters)
{
    GetStatus().SetCounters(counters);
}

QSize CvxCompareStatusBar::sizeHint() const
{
    const auto& status = static_cast<const CvxCompareStatusViewport&>(GetViewport());
    return {QWidget::sizeHint().width(), status.GetHeight()};
}

void CvxCompareStatusBar::resizeEvent(QResizeEvent* event)
{
    CvxViewportWidget::resizeEvent(event);
    const QSize grip = m_grip->sizeHint();
    m_grip->setGeometry(width() - grip.width(), height() - grip.height(), grip.width(), grip.height());
}

#include "CvxViewportWidget.h"

#include "CvxCancelMgr.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

CvxViewportWidget::CvxViewportWidget(std::unique_ptr<CvxViewport> viewport, std::unique_ptr<CvxController> controller,
                                     QWidget* parent)
    : QWidget(parent), m_viewport(std::move(viewport)), m_controller(std::move(controller))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_viewport->SetInvalidateHook([this](const QRect& area) {
        m_stale |= area;
        update(area);
    });
}

CvxViewportWidget::~CvxViewportWidget()
{
    m_viewport->SetInvalidateHook({});
}

void CvxViewportWidget::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_buffer.size() != pixels) {
        m_buffer = QImage(pixels, QImage::Format_RGB32);
        m_buffer.setDevicePixelRatio(ratio);
        m_stale = rect();
    }
    // What Qt asks to be shown again without a change in the viewport (an uncovered window) comes
    // from the buffer; only invalidated parts are painted by the viewport.
    // Nothing is painted while long work pumps events: its data may be half made.
    if (!m_stale.isEmpty() && !CvxCancelMgr::GetInstance().IsPumping()) {
        // Taken first: what the viewport invalidates while it paints is painted next time.
        const QRect stale = m_stale;
        m_stale = QRect();
        QPainter painter(&m_buffer);
        painter.setClipRect(stale);
        m_viewport->Paint(painter, stale);
        ++m_paints;
    }
    QPainter screen(this);
    screen.drawImage(event->rect(), m_buffer, QRectF(event->rect().topLeft() * ratio, event->rect().size() * ratio));
}

void CvxViewportWidget::resizeEvent(QResizeEvent*)
{
    m_viewport->SetSize(size());
    m_stale = rect();
}

void CvxViewportWidget::mousePressEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->MousePress(*event)) {
        QWidget::mousePressEvent(event);
    }
}

void CvxViewportWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->MouseMove(*event)) {
        QWidget::mouseMoveEvent(event);
    }
}

void CvxViewportWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->MouseRelease(*event)) {
        QWidget::mouseReleaseEvent(event);
    }
}

void CvxViewportWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->MouseDoubleClick(*event)) {
        QWidget::mouseDoubleClickEvent(event);
    }
}

void CvxViewportWidget::wheelEvent(QWheelEvent* event)
{
    if (!m_controller || !m_controller->Wheel(*event)) {
        QWidget::wheelEvent(event);
    }
}

void CvxViewportWidget::keyPressEvent(QKeyEvent* event)
{
    if (!m_controller || !m_controller->KeyPress(*event)) {
        QWidget::keyPressEvent(event);
    }
}

void CvxViewportWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_controller || !m_controller->ContextMenu(*event)) {
        QWidget::contextMenuEvent(event);
    }
}

void CvxViewportWidget::focusInEvent(QFocusEvent* event)
{
    if (m_controller) {
        m_controller->FocusChanged(true);
    }
    QWidget::focusInEvent(event);
}

void CvxViewportWidget::focusOutEvent(QFocusEvent* event)
{
    if (m_controller) {
        m_controller->FocusChanged(false);
    }
    QWidget::focusOutEvent(event);
}

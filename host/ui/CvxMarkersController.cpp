#include "CvxMarkersController.h"

#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkersViewPort.h"
#include "CvxQtText.h"
#include "CvxTimeEngineeringFormatter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int kWheelNotch = 120;

} // namespace

CvxMarkersController::~CvxMarkersController() = default;

void CvxMarkersController::Attach(QWidget& bar, CvxMarkersViewPort& markers)
{
    m_bar = &bar;
    m_markers = &markers;
    m_bar->setMouseTracking(true); // the cursor tells over which flags a drag can start
    m_autoScroll = new QTimer(&bar);
    QObject::connect(m_autoScroll, &QTimer::timeout, m_autoScroll, [this] {
        ScrollWindow(m_scrollStep);
        DragTo(m_last);
    });
}

bool CvxMarkersController::MousePress(QMouseEvent& event)
{
    if (m_markers == nullptr || event.button() != Qt::LeftButton || IsDragging()) {
        return false;
    }
    const CvxMarker* marker = m_markers->MarkerAt(event.position().toPoint());
    if (marker == nullptr || !m_markers->GetMarkerMgr().IsDragable(marker->GetID())) {
        return false;
    }
    m_marker = marker->GetID();
    m_from = marker->GetPosition();
    m_last = event.position().toPoint();
    m_bar->setCursor(Qt::SizeVerCursor);
    return true;
}

bool CvxMarkersController::MouseMove(QMouseEvent& event)
{
    if (m_markers == nullptr) {
        return false;
    }
    const QPoint point = event.position().toPoint();
    if (!IsDragging()) {
        const CvxMarker* marker = m_markers->MarkerAt(point);
        if (marker != nullptr && m_markers->GetMarkerMgr().IsDragable(marker->GetID())) {
            m_bar->setCursor(Qt::SizeVerCursor);
        } else {
            m_bar->unsetCursor();
        }
        return false;
    }
    m_last = point;
    DragTo(point);
    UpdateAutoScroll(point.y());
    return true;
}

bool CvxMarkersController::MouseRelease(QMouseEvent& event)
{
    if (!IsDragging() || event.button() != Qt::LeftButton) {
        return false;
    }
    EndDrag(true);
    return true;
}

bool CvxMarkersController::Wheel(QWheelEvent& event)
{
    if (m_markers == nullptr || !m_markers->CanScroll()) {
        return false;
    }
    QWidget* window = m_markers->GetWindowHandle();
    QWheelEvent relayed(window->mapFromGlobal(event.globalPosition()), event.globalPosition(), event.pixelDelta(),
                        event.angleDelta(), event.buttons(), event.modifiers(), event.phase(), event.inverted());
    QCoreApplication::sendEvent(window, &relayed);
    return true;
}

bool CvxMarkersController::KeyPress(QKeyEvent& event)
{
    if (!IsDragging() || event.key() != Qt::Key_Escape) {
        return false;
    }
    EndDrag(false);
    return true;
}

void CvxMarkersController::FocusChanged(bool in)
{
    if (!in && IsDragging()) {
        EndDrag(false); // another window took over mid-drag: nothing was meant
    }
}

void CvxMarkersController::DragTo(const QPoint& point)
{
    if (!IsDragging()) {
        return;
    }
    // Beyond the ends of a bar that cannot scroll, the marker stays at the end.
    QPoint at = point;
    if (!m_markers->CanScroll()) {
        at.setY(std::clamp(point.y(), 0, std::max(0, m_bar->height() - 1)));
    }
    const std::optional<CvxPosition> position = m_markers->PositionAt(at);
    CvxMarkerMgr& manager = m_markers->GetMarkerMgr();
    const CvxMarker* marker = manager.GetMarker(*m_marker);
    if (!position || marker == nullptr) {
        return;
    }
    if (!(marker->GetPosition() == *position)) {
        manager.MoveMarkerPosition(*m_marker, *position);
    }
    QToolTip::showText(m_bar->mapToGlobal(point),
                       CvxQt(marker->GetNameWithAbbreviation()) + ": "
                           + CvxQt(CvxTimeEngineeringFormatter().Format(position->AsTime())),
                       m_bar);
}

void CvxMarkersController::EndDrag(bool keep)
{
    m_autoScroll->stop();
    m_scrollStep = 0;
    if (!keep) {
        m_markers->GetMarkerMgr().MoveMarkerPosition(*m_marker, m_from);
    }
    m_marker.reset();
    m_bar->unsetCursor();
    QToolTip::hideText();
}

void CvxMarkersController::UpdateAutoScroll(int y)
{
    const int outside = y < 0 ? -y : (y >= m_bar->height() ? y - m_bar->height() + 1 : 0);
    if (outside == 0 || !m_markers->CanScroll()) {
        m_autoScroll->stop();
        m_scrollStep = 0;
        return;
    }
    // Faster the further out, as a grid's own drag scrolls.
    const int interval = 250 - 25 * std::min(outside, 10);
    m_scrollStep = y < 0 ? 1 : -1; // a notch up shows earlier rows
    if (!m_autoScroll->isActive() || m_autoScroll->interval() != interval) {
        m_autoScroll->start(interval);
    }
}

void CvxMarkersController::ScrollWindow(int notches)
{
    QWidget* window = m_markers->GetWindowHandle();
    if (window == nullptr || notches == 0) {
        return;
    }
    const QPointF centre = QRectF(window->rect()).center();
    QWheelEvent wheel(centre, window->mapToGlobal(centre), QPoint(), QPoint(0, notches * kWheelNotch), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
}

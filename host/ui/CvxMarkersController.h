#pragma once
// The mouse on a marker bar: a user marker's flag is dragged along the bar, the marker moving
// through the marker manager as the pointer moves (the viewers observing the manager follow);
// Esc puts it back. Past the bar's ends a bar that may scroll scrolls its window a row at a
// time while the marker follows, and the wheel over such a bar scrolls that window.

#include "CvxController.h"

#include "CvxID.h"
#include "CvxPosition.h"

#include <QPoint>

#include <optional>

class CvxMarkersViewPort;
class QTimer;
class QWidget;

class CvxMarkersController : public CvxController {
public:
    CvxMarkersController() = default;
    ~CvxMarkersController() override;

    // The bar's widget and viewport, once the widget exists.
    void Attach(QWidget& bar, CvxMarkersViewPort& markers);
    bool IsDragging() const { return m_marker.has_value(); }

    bool MousePress(QMouseEvent& event) override;
    bool MouseMove(QMouseEvent& event) override;
    bool MouseRelease(QMouseEvent& event) override;
    bool Wheel(QWheelEvent& event) override;
    bool KeyPress(QKeyEvent& event) override;
    void FocusChanged(bool in) override;

private:
    void DragTo(const QPoint& point);
    // Keeps the marker where it is, or puts it back where the drag began.
    void EndDrag(bool keep);
    void UpdateAutoScroll(int y);
    void ScrollWindow(int notches);

    QWidget* m_bar = nullptr;
    CvxMarkersViewPort* m_markers = nullptr;
    QTimer* m_autoScroll = nullptr; // owned by the bar
    int m_scrollStep = 0;
    std::optional<CvxID> m_marker;
    CvxPosition m_from;
    QPoint m_last;
};

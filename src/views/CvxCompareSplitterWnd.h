#pragma once
// The splitter in the middle of the Compare window: it holds the six panes in two rows and
// three columns (CvxCompareSplitterLayout), lets the user drag the bars between them with the
// mouse or move one with the keyboard (arrows by 16 pixels, by 1 with Ctrl; Enter applies,
// Esc restores), and couples horizontal scrolling: the grid scrolls first, then every other
// pane of its column, so the header follows the grid.

#include "CvxCompareSplitterLayout.h"

#include <QWidget>

#include <array>
#include <vector>

class QRubberBand;

class CvxCompareSplitterWnd : public QWidget {
    Q_OBJECT
public:
    using Cell = CvxCompareSplitterLayout::Cell;
    using Bar = CvxCompareSplitterLayout::Bar;
    static constexpr int kObjectID = 0xE901;

    explicit CvxCompareSplitterWnd(QWidget* parent);
    ~CvxCompareSplitterWnd() override;

    // The panes of a cell, side by side in equal parts (the right data cell holds the right
    // marker bar and the overview).
    void SetPanes(Cell cell, std::vector<QWidget*> panes);
    const std::vector<QWidget*>& GetPanes(Cell cell) const { return m_panes[static_cast<std::size_t>(cell)]; }

    const CvxCompareSplitterLayout& GetLayout() const { return m_layout; }
    void SetRowHeight(int height) { m_layout.SetRowHeight(height); }
    void SetSideWidths(int left, int right) { m_layout.SetSideWidths(left, right); }
    void SetSidesShown(bool shown) { m_layout.SetSidesShown(shown); }
    // Moves every pane to where the layout puts it, and repaints the bars.
    void RecalcLayout();

    // Keyboard tracking of a bar (the host's Split command starts it on the row bar).
    void StartTracking(Bar bar);
    bool IsTracking() const { return m_tracking != CvxCompareSplitterLayout::kNoBar; }
    Bar GetTrackingBar() const { return m_tracking; }
    int GetTrackerPosition() const { return m_trackPos; }

    // Horizontal scrolling of the pane's column to pixel `x`: the grid first, then the other
    // panes of the column.
    void ScrollHorizontally(QWidget* pane, int x);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void BeginTracking(Bar bar, bool keyboard);
    void MoveTracker(int position);
    void EndTracking(bool apply);
    void UpdateCursor(const QPoint& at);

    CvxCompareSplitterLayout m_layout;
    std::array<std::vector<QWidget*>, CvxCompareSplitterLayout::kCellCount> m_panes;
    Bar m_tracking = CvxCompareSplitterLayout::kNoBar;
    bool m_keyboard = false;
    int m_trackPos = 0;
    int m_grabOffset = 0; // where in the bar the mouse took it
    QWidget* m_focusBefore = nullptr;
    QRubberBand* m_tracker = nullptr;
};

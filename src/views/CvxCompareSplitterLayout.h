#pragma once
// The Compare window's splitter as arithmetic: two rows (the header row and the data row) and
// three columns (left marker bar, header and grid, right marker bar with the overview), with
// bars between them that the user drags. The header row has a set height; the side columns
// have set widths and can be hidden, and then the centre column takes the whole width.
// Tests ask it where everything goes without a window.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <utility>

class CvxCompareSplitterLayout {
public:
    enum Cell { kHeaderLeft, kHeader, kHeaderRight, kDataLeft, kGrid, kDataRight, kCellCount };
    enum Bar { kNoBar = -1, kRowBar, kLeftBar, kRightBar, kBarCount };
    static constexpr int kBarSize = 4;

    void SetClientSize(const QSize& size) { m_client = size; }
    const QSize& GetClientSize() const { return m_client; }
    void SetRowHeight(int height) { m_rowHeight = height < 0 ? 0 : height; }
    int GetRowHeight() const { return m_rowHeight; }
    void SetSideWidths(int left, int right);
    int GetLeftWidth() const { return m_left; }
    int GetRightWidth() const { return m_right; }
    void SetSidesShown(bool shown) { m_sidesShown = shown; }
    bool AreSidesShown() const { return m_sidesShown; }

    // Where a cell goes (empty for a hidden side cell).
    QRect GetCell(Cell cell) const;
    // Where a bar is drawn (empty for the bars of hidden side columns).
    QRect GetBar(Bar bar) const;
    Bar HitTest(const QPoint& point) const;
    static bool IsVertical(Bar bar) { return bar != kRowBar; }

    // A bar's position along its axis (its top or left edge) and the range it may be dragged in.
    int GetBarPosition(Bar bar) const;
    std::pair<int, int> GetTrackLimits(Bar bar) const;
    // Puts the bar at `position` (kept within its limits): the row height or a side width
    // follows.
    void MoveBar(Bar bar, int position);

private:
    // The widths of the three columns as laid out (the centre takes what the sides leave).
    int LeftColumn() const;
    int RightColumn() const;
    int CentreColumn() const;

    QSize m_client;
    int m_rowHeight = 0;
    int m_left = 0;
    int m_right = 0;
    bool m_sidesShown = true;
};

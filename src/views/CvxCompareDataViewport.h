#pragma once
// The painting of the data grid: one row per sample (or sub-row) of the acquisition, centred on
// the model's centre position and painted outwards from it, one cell per column that meets the
// visible range, the centre lines and the marker lines. It turns the model's move messages and
// the scroll bars into moves of the centre and of the horizontal offset, and describes the rows
// it shows (texts and colours of every cell) for the UI dump.

#include "CvxScrollable.h"
#include "CvxViewport.h"

#include <QFont>

#include "CvxPosition.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CvxCompareColumn;
class CvxMvcDefMsg;
class CvxCompareModel;
class CvxTimeCorrelatedIter;
struct CvxCompareCellStyle;
class CvxCompareCellPainter;

class CvxCompareDataViewport : public CvxViewport, public CvxScrollable {
public:
    // The vertical scroll bar's range, mapped onto the time span of the data.
    static constexpr int kThumbRange = 100000;

    explicit CvxCompareDataViewport(CvxCompareModel& model);
    ~CvxCompareDataViewport() override;

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

    // The pixel of the columns shown at the left edge; kept between 0 and the columns' end.
    int GetOriginX() const { return m_originX; }
    void SetOriginX(int x);
    // Told when the user moves the horizontal offset (the splitter moves the header with it).
    void SetOriginHook(std::function<void(int)> hook) { m_originHook = std::move(hook); }
    int GetColumnsWidth() const;
    int GetRowHeight() const;
    int GetAverageCharWidth() const;
    // Whole rows that fit the pane (at least one).
    int GetPageRows() const;

    // A message of the model: moves, and what needs a repaint. Answers whether the scroll
    // bars must be read again.
    bool OnModelMessage(const CvxMvcDefMsg& message);

    // Where things are, as last painted: the position of the row at y, the column at x (null
    // outside the columns).
    bool RowAt(int y, CvxPosition& position) const;
    const CvxCompareColumn* ColumnAt(int x) const;
    // The first and last positions the pane shows now; false without rows to show.
    bool GetShownRange(CvxPosition& first, CvxPosition& last) const;
    // The top of the row a marker at `position` is drawn on (the first row at or after it), as
    // the pane would paint it now; -1 when that row lies outside the pane.
    int RowTopOf(const CvxPosition& position) const;
    // The shown markers whose row band holds y.
    std::vector<CvxID> MarkersAt(int y) const;

    // The outline around cells (from one row to another over the selected columns), drawn with
    // a dashed pen; an empty outline draws nothing.
    void SetOutline(const CvxPosition& first, const CvxPosition& last);
    void ClearOutline();
    bool HasOutline() const { return m_outlined; }
    const CvxPosition& GetOutlineFirst() const { return m_outlineFirst; }
    const CvxPosition& GetOutlineLast() const { return m_outlineLast; }

    Range GetScrollRange(Qt::Orientation orientation, int extent) const override;
    void ScrollTo(Qt::Orientation orientation, int value) override;
    bool ScrollAction(Qt::Orientation orientation, int action) override;
    void ScrollEnded(Qt::Orientation orientation) override;

private:
    struct Frame;
    // Walks the rows the pane shows from the centre outwards, calling `row` with the band's
    // top, the walk on the row and the frame; false when there is nothing to show.
    bool WalkRows(Frame& frame, const std::function<void(int top, CvxTimeCorrelatedIter& walk)>& row) const;
    // The top of the first row of `painted` at or after `at`, when `at` lies within them.
    static std::optional<int> RowTopIn(const std::vector<std::pair<CvxPosition, int>>& painted, const CvxPosition& at);
    QFont DataFont() const;
    void MoveOrigin(int x);
    // Moves are refused while long work runs.
    bool MayMove() const;

    void PaintOutline(QPainter& painter, const Frame& frame) const;

    CvxCompareModel& m_model;
    int m_originX = 0;
    int m_rowHeight = 1;
    std::vector<std::pair<CvxPosition, int>> m_painted; // each painted row's position and top
    std::vector<std::pair<CvxID, int>> m_markerRows;    // each drawn marker and its row's top
    bool m_outlined = false;
    CvxPosition m_outlineFirst;
    CvxPosition m_outlineLast;
    std::function<void(int)> m_originHook;
    bool m_thumbHold = false; // activity updates held while the thumb is dragged
};

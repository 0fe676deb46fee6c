#pragma once
// The painting of a marker bar: a narrow vertical pane beside a viewer's grid with a small
// flag per shown marker, in the marker's colours and labelled with its short name, pointing
// at its position. By default the bar's height (less a margin at each end) is a linear map of
// the data's span, or of the window's when restricted to it; a converter supplied by the owner
// maps positions onto its own rows instead. It may bracket the window (the part of the data
// the owner's grid shows). It knows where it drew each flag, for tool tips, for dragging and
// for the UI dump. Redrawing can be held back while the owner makes a batch of changes.

#include "CvxViewport.h"

#include "CvxInt128.h"
#include "CvxPosition.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class CvxMarker;
class CvxMarkerMgr;
class CvxMarkersConverter;
class QEvent;

class CvxMarkersViewPort : public CvxViewport {
public:
    // Sides of the bar that get an edge line (combine with |).
    enum Edge { kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8 };
    // Where the flags point.
    enum Arrow { kArrowLeft = 2, kArrowRight = 3 };

    // `pane` names the bar in the UI dump.
    CvxMarkersViewPort(QString pane, CvxMarkerMgr& markers);

    CvxMarkerMgr& GetMarkerMgr() const { return m_markers; }

    void SetArrowDirection(int arrow);
    void SetBorderEdge(int edges);
    // Pixels left free at the top and the bottom of a linear bar.
    void SetMarginSize(int pixels);
    void SetShowWindowRange(bool show);
    // A linear bar maps the window's span instead of the data's.
    void SetRestrictViewPortToWindowRange(bool restrict);
    // Not owned; null for the linear map.
    void SetConvertCB(const CvxMarkersConverter* converter) { m_converter = converter; }
    // A marker dragged past the bar's ends scrolls this window (one wheel step at a time),
    // and the wheel over the bar goes to it.
    void SetScrollEnable(bool enable) { m_scroll = enable; }
    void SetWindowHandle(QWidget* window) { m_window = window; }
    bool CanScroll() const { return m_scroll && m_window != nullptr; }
    QWidget* GetWindowHandle() const { return m_window; }
    // The row a dragged marker lands on, given the linear map's position (none: that position).
    void SetSnap(std::function<CvxPosition(const CvxPosition&)> snap) { m_snap = std::move(snap); }

    // The data's first and last positions and the window's within them.
    void SetWindowRange(CvxInt128 dataFirst, CvxInt128 dataLast, CvxInt128 windowFirst, CvxInt128 windowLast);
    bool HasWindowRange() const { return m_hasRange; }
    CvxInt128 GetWindowFirst() const { return m_windowFirst; }
    CvxInt128 GetWindowLast() const { return m_windowLast; }

    // While suppressed, Redraw only remembers that the bar must be drawn again; releasing
    // draws it once.
    void SetSuppressUpdates(bool suppress);
    bool IsSuppressingUpdates() const { return m_suppress; }
    void Redraw();

    // The pixel row of a position; none when the bar does not show it.
    std::optional<int> PixelOf(const CvxPosition& position) const;
    // The position a point of the bar stands for (snapped to a row); none without a range.
    std::optional<CvxPosition> PositionAt(const QPoint& point) const;

    // The shown markers and their rows, in the marker manager's order; later ones are drawn
    // over earlier ones.
    struct Placed {
        const CvxMarker* marker;
        int row;
    };
    std::vector<Placed> PlaceMarkers() const;
    // The flag of a marker drawn at `row`, as painted.
    QRect FlagRect(int row) const;
    // The topmost marker whose flag holds the point; null over none.
    const CvxMarker* MarkerAt(const QPoint& point) const;
    // The window's bracket as painted: top and bottom rows.
    std::optional<std::pair<int, int>> Bracket() const;

    // The names and positions of the markers whose flags hold `point`, one a line; empty over
    // no flag.
    QString ToolTipAt(const QPoint& point) const;
    // Shows the tool tip a tool-tip event asks for over `bar`; false for other events.
    bool RelayEvent(QWidget& bar, QEvent& event) const;

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

private:
    static constexpr int kMargin = 1;
    static constexpr int kMinBracket = 2;

    int FlagHeight() const;
    // The linear map's span: the data's or the window's.
    std::pair<CvxInt128, CvxInt128> Span() const;
    std::optional<int> LinearPixelOf(CvxInt128 at) const;
    void PaintEdges(QPainter& painter) const;

    QString m_pane;
    CvxMarkerMgr& m_markers;
    bool m_pointsRight = false;
    int m_edges = 0;
    int m_margin = 0;
    bool m_showRange = false;
    bool m_restrict = false;
    const CvxMarkersConverter* m_converter = nullptr;
    bool m_scroll = false;
    QPointer<QWidget> m_window;
    std::function<CvxPosition(const CvxPosition&)> m_snap;
    bool m_hasRange = false;
    CvxInt128 m_dataFirst = 0;
    CvxInt128 m_dataLast = 0;
    CvxInt128 m_windowFirst = 0;
    CvxInt128 m_windowLast = 0;
    bool m_suppress = false;
    bool m_pending = false;
};

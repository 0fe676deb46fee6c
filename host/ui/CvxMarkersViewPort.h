#pragma once
// The painting of a marker bar: a narrow vertical pane beside a viewer's grid with a small
// flag per marker, in the marker's colours and labelled with its short name, at the pixel row
// its owner gives for the marker's position. The owner may add a bracket over a range of rows
// (the part of the data the grid shows). It knows where it drew each flag, for tool tips and
// for the UI dump.

#include "CvxViewport.h"

#include "CvxPosition.h"

#include <QString>

#include <functional>
#include <vector>

class CvxMarker;
class CvxMarkerMgr;

class CvxMarkersViewPort : public CvxViewport {
public:
    // The pane row of a position's marker, -1 when the bar does not show that position.
    using RowOf = std::function<int(const CvxPosition&)>;

    // `pane` names the bar in the UI dump; `pointsRight` turns the flags' points towards a
    // grid on the right (the left bar) instead of the left.
    CvxMarkersViewPort(QString pane, const CvxMarkerMgr& markers, bool pointsRight);

    void SetRowOf(RowOf rowOf) { m_rowOf = std::move(rowOf); }

    // Two horizontal ticks at the rows `top` and `bottom` joined by a vertical line.
    void SetBracket(int top, int bottom);
    void ClearBracket();
    bool HasBracket() const { return m_bracketed; }
    int GetBracketTop() const { return m_bracketTop; }
    int GetBracketBottom() const { return m_bracketBottom; }

    // The shown markers and their rows, in the marker manager's order; later ones are drawn
    // over earlier ones.
    struct Placed {
        const CvxMarker* marker;
        int row;
    };
    std::vector<Placed> PlaceMarkers() const;
    // The flag of a marker drawn at `row`, as painted.
    QRect FlagRect(int row) const;

    // The names and positions of the markers whose flags hold `point`, one a line; empty over
    // no flag.
    QString ToolTipAt(const QPoint& point) const;

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

private:
    static constexpr int kMargin = 1;

    int FlagHeight() const;

    QString m_pane;
    const CvxMarkerMgr& m_markers;
    bool m_pointsRight;
    RowOf m_rowOf;
    bool m_bracketed = false;
    int m_bracketTop = 0;
    int m_bracketBottom = 0;
};

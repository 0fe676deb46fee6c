#pragma once
// The painting of the overview strip: a framed bar lined up with the grid's vertical scroll
// bar track, one short line in the difference colour per pixel row that holds a difference.
// It keeps its scale and ticks, rebuilt when the data, the results or its size change.

#include "CvxCompareOverviewScale.h"
#include "CvxViewport.h"

#include <optional>
#include <vector>

class CvxCompareModel;

class CvxCompareOverviewViewport : public CvxViewport {
public:
    explicit CvxCompareOverviewViewport(const CvxCompareModel& model) : m_model(model) {}

    // The height of a scroll bar's arrow button: the strip leaves one at each end, as the
    // grid's scroll bar track does.
    void SetScrollBarExtent(int extent);

    // Takes the data span and the results again.
    void Rebuild();

    const CvxCompareOverviewScale& GetScale() const { return m_scale; }
    const std::vector<int>& GetTicks() const { return m_ticks; }
    // The pane row of pixel row 0 of the strip.
    int GetStripTop() const { return m_extent + kEdge; }
    // The position a click at pane row y stands for; none without data.
    std::optional<CvxInt128> PositionAt(int y) const;

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

protected:
    void OnSize() override { Rebuild(); }

private:
    static constexpr int kEdge = 1; // the bar's frame line
    static constexpr int kMargin = 2; // between the pane's sides and the bar

    const CvxCompareModel& m_model;
    int m_extent = 0;
    CvxCompareOverviewScale m_scale;
    std::vector<int> m_ticks;
};

#include "CvxCompareMarkerRowConverter.h"

#include "CvxCompareModel.h"
#include "CvxCompareRowWalk.h"

#include <algorithm>

namespace {

int FloorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

void CvxCompareMarkerRowConverter::SetGeometry(int rowHeight, int clientHeight, int top)
{
    m_rowHeight = std::max(1, rowHeight);
    m_clientHeight = std::max(0, clientHeight);
    m_top = top;
}

void CvxCompareMarkerRowConverter::SetWindow(CvxInt128 first, CvxInt128 last)
{
    m_hasWindow = true;
    m_first = std::min(first, last);
    m_last = std::max(first, last);
}

bool CvxCompareMarkerRowConverter::PositionToPixel(const CvxPosition& position, int& y) const
{
    const CvxInt128 at = position.AsInt128();
    if (!m_hasWindow || at < m_first || at > m_last) {
        return false;
    }
    CvxCompareRowWalk walk(m_model);
    const std::optional<int> rows = walk.RowsTo(position, m_clientHeight / m_rowHeight + 1);
    if (!rows) {
        return false;
    }
    // The middle of the row: where the grid draws the marker's row.
    y = CentreTop() + m_rowHeight / 2 + *rows * m_rowHeight;
    return true;
}

CvxPosition CvxCompareMarkerRowConverter::PixelToPosition(const QPoint& point) const
{
    CvxCompareRowWalk walk(m_model);
    walk.Step(FloorDiv(point.y() - CentreTop(), m_rowHeight));
    return walk.IsValid() ? walk.GetPosition() : m_model.GetCenter();
}

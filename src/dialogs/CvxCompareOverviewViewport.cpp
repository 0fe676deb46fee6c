#include "CvxCompareOverviewViewport.h"

#include "CvxCompareModel.h"
#include "CvxPainterSelect.h"

#include <QApplication>
#include <QJsonArray>
#include <QPainter>
#include <QPalette>

#include <algorithm>

void CvxCompareOverviewViewport::SetScrollBarExtent(int extent)
{
    m_extent = std::max(extent, 0);
    Rebuild();
}

void CvxCompareOverviewViewport::Rebuild()
{
    const int height = GetSize().height() - 2 * m_extent - 2 * kEdge;
    if (m_model.IsDataValid()) {
        m_scale.Set(m_model.GetDataFirst().AsInt128(), m_model.GetDataLast().AsInt128(), height);
    } else {
        m_scale.Set(0, 0, 0);
    }
    m_ticks = m_scale.Ticks(m_model.GetResults());
    Invalidate();
}

std::optional<CvxInt128> CvxCompareOverviewViewport::PositionAt(int y) const
{
    if (m_scale.IsEmpty()) {
        return std::nullopt;
    }
    return m_scale.PositionOf(y - GetStripTop());
}

void CvxCompareOverviewViewport::Paint(QPainter& painter, const QRect& dirty)
{
    const QPalette palette = QApplication::palette();
    painter.fillRect(dirty, palette.color(QPalette::Window));
    if (m_scale.IsEmpty()) {
        return;
    }
    const QRect bar(kMargin, m_extent, std::max(0, GetSize().width() - 2 * kMargin),
                    m_scale.GetHeight() + 2 * kEdge);
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    painter.setPen(CvxColor(m_model.GetProperties().GetDiffBackgroundColor()));
    const int left = bar.left() + kEdge + 1;
    const int right = bar.right() - kEdge - 1;
    for (const int row : m_ticks) {
        const int y = GetStripTop() + row;
        painter.drawLine(left, y, right, y);
    }
}

QJsonObject CvxCompareOverviewViewport::Describe() const
{
    QJsonArray ticks;
    for (const int row : m_ticks) {
        ticks.append(row);
    }
    return QJsonObject{{"pane", "overview"}, {"ticks", ticks}, {"height", m_scale.GetHeight()}};
}

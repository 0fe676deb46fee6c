#include "CvxMarkersViewPort.h"

#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkersConverter.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxTimeEngineeringFormatter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QJsonArray>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QStringList>
#include <QToolTip>

#include <algorithm>

namespace {

// Spans beyond this are scaled down before the multiplication by a pixel count, which then
// stays far inside 128 bits.
constexpr CvxInt128 kLargeSpan = static_cast<CvxInt128>(1) << 100;

} // namespace

CvxMarkersViewPort::CvxMarkersViewPort(QString pane, CvxMarkerMgr& markers)
    : m_pane(std::move(pane))
    , m_markers(markers)
{
}

void CvxMarkersViewPort::SetArrowDirection(int arrow)
{
    m_pointsRight = arrow == kArrowRight;
    Redraw();
}

void CvxMarkersViewPort::SetBorderEdge(int edges)
{
    m_edges = edges;
    Redraw();
}

void CvxMarkersViewPort::SetMarginSize(int pixels)
{
    m_margin = std::max(0, pixels);
    Redraw();
}

void CvxMarkersViewPort::SetShowWindowRange(bool show)
{
    m_showRange = show;
    Redraw();
}

void CvxMarkersViewPort::SetRestrictViewPortToWindowRange(bool restrict)
{
    m_restrict = restrict;
    Redraw();
}

void CvxMarkersViewPort::SetWindowRange(CvxInt128 dataFirst, CvxInt128 dataLast, CvxInt128 windowFirst,
                                       CvxInt128 windowLast)
{
    if (m_hasRange && dataFirst == m_dataFirst && dataLast == m_dataLast && windowFirst == m_windowFirst
        && windowLast == m_windowLast) {
        return;
    }
    m_hasRange = true;
    m_dataFirst = std::min(dataFirst, dataLast);
    m_dataLast = std::max(dataFirst, dataLast);
    m_windowFirst = std::min(windowFirst, windowLast);
    m_windowLast = std::max(windowFirst, windowLast);
    Redraw();
}

void CvxMarkersViewPort::SetSuppressUpdates(bool suppress)
{
    m_suppress = suppress;
    if (!suppress && m_pending) {
        m_pending = false;
        Invalidate();
    }
}

void CvxMarkersViewPort::Redraw()
{
    if (m_suppress) {
        m_pending = true;
    } else {
        Invalidate();
    }
}

std::pair<CvxInt128, CvxInt128> CvxMarkersViewPort::Span() const
{
    return m_restrict ? std::pair{m_windowFirst, m_windowLast} : std::pair{m_dataFirst, m_dataLast};
}

std::optional<int> CvxMarkersViewPort::LinearPixelOf(CvxInt128 at) const
{
    const auto [first, last] = Span();
    const int length = GetSize().height() - 2 * m_margin;
    if (!m_hasRange || length <= 0 || at < first || at > last) {
        return std::nullopt;
    }
    CvxInt128 offset = at - first;
    CvxInt128 span = last - first;
    while (span > kLargeSpan) {
        offset >>= 1;
        span >>= 1;
    }
    return m_margin + static_cast<int>(span == 0 ? 0 : offset * (length - 1) / span);
}

std::optional<int> CvxMarkersViewPort::PixelOf(const CvxPosition& position) const
{
    if (m_converter != nullptr) {
        int y = 0;
        return m_converter->PositionToPixel(position, y) ? std::optional<int>(y) : std::nullopt;
    }
    return LinearPixelOf(position.AsInt128());
}

std::optional<CvxPosition> CvxMarkersViewPort::PositionAt(const QPoint& point) const
{
    if (m_converter != nullptr) {
        return m_converter->PixelToPosition(point);
    }
    const auto [first, last] = Span();
    const int length = GetSize().height() - 2 * m_margin;
    if (!m_hasRange || length <= 0) {
        return std::nullopt;
    }
    const int y = std::clamp(point.y() - m_margin, 0, length - 1);
    CvxInt128 span = last - first;
    int shift = 0;
    while (span > kLargeSpan) {
        span >>= 1;
        ++shift;
    }
    const CvxInt128 offset = length == 1 ? 0 : (span * y / (length - 1)) << shift;
    const CvxPosition position = CvxPosition::AtTime(CvxTime::FromFs(std::min(last, first + offset)));
    return m_snap ? m_snap(position) : position;
}

std::vector<CvxMarkersViewPort::Placed> CvxMarkersViewPort::PlaceMarkers() const
{
    std::vector<Placed> placed;
    for (const CvxMarker* marker : m_markers.GetMarkers(false)) {
        if (!marker->IsSetShow()) {
            continue;
        }
        const std::optional<int> row = PixelOf(marker->GetPosition());
        if (row && *row >= 0 && *row < GetSize().height()) {
            placed.push_back({marker, *row});
        }
    }
    return placed;
}

int CvxMarkersViewPort::FlagHeight() const
{
    return QFontMetrics(QApplication::font()).height() + 2;
}

QRect CvxMarkersViewPort::FlagRect(int row) const
{
    const int height = FlagHeight();
    // Flags at the ends of the bar stay whole: the point may sit off the flag's middle.
    const int top = std::clamp(row - height / 2, 0, std::max(0, GetSize().height() - height));
    return QRect(kMargin, top, std::max(0, GetSize().width() - 2 * kMargin), height);
}

const CvxMarker* CvxMarkersViewPort::MarkerAt(const QPoint& point) const
{
    const CvxMarker* found = nullptr;
    for (const Placed& placed : PlaceMarkers()) {
        if (FlagRect(placed.row).contains(point)) {
            found = placed.marker; // the last one is drawn on top
        }
    }
    return found;
}

std::optional<std::pair<int, int>> CvxMarkersViewPort::Bracket() const
{
    if (!m_showRange || !m_hasRange || m_converter != nullptr) {
        return std::nullopt;
    }
    const std::optional<int> top = LinearPixelOf(m_windowFirst);
    const std::optional<int> bottom = LinearPixelOf(m_windowLast);
    if (!top || !bottom) {
        return std::nullopt;
    }
    // A window far shorter than the data still shows as a small bracket.
    return std::pair{*top, std::max(*bottom, *top + kMinBracket)};
}

QString CvxMarkersViewPort::ToolTipAt(const QPoint& point) const
{
    QStringList lines;
    for (const Placed& placed : PlaceMarkers()) {
        if (FlagRect(placed.row).contains(point)) {
            const CvxMarker& marker = *placed.marker;
            lines.append(CvxQt(marker.GetNameWithAbbreviation()) + ": "
                         + CvxQt(CvxTimeEngineeringFormatter().Format(marker.GetPosition().AsTime())));
        }
    }
    return lines.join('\n');
}

bool CvxMarkersViewPort::RelayEvent(QWidget& bar, QEvent& event) const
{
    if (event.type() != QEvent::ToolTip) {
        return false;
    }
    const auto& help = static_cast<const QHelpEvent&>(event);
    const QString text = ToolTipAt(help.pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event.ignore();
    } else {
        QToolTip::showText(help.globalPos(), text, &bar);
    }
    return true;
}

void CvxMarkersViewPort::PaintEdges(QPainter& painter) const
{
    const QRect all = GetRect();
    painter.setPen(QPen(QApplication::palette().color(QPalette::Mid), 1));
    if (m_edges & kEdgeLeft) {
        painter.drawLine(all.topLeft(), all.bottomLeft());
    }
    if (m_edges & kEdgeTop) {
        painter.drawLine(all.topLeft(), all.topRight());
    }
    if (m_edges & kEdgeRight) {
        painter.drawLine(all.topRight(), all.bottomRight());
    }
    if (m_edges & kEdgeBottom) {
        painter.drawLine(all.bottomLeft(), all.bottomRight());
    }
}

void CvxMarkersViewPort::Paint(QPainter& painter, const QRect& dirty)
{
    const QPalette palette = QApplication::palette();
    painter.fillRect(dirty, palette.color(QPalette::Window));
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintEdges(painter);
    const int width = GetSize().width();
    if (const auto bracket = Bracket()) {
        // The vertical line on the side away from the grid, the ticks reaching towards it.
        const auto [top, bottom] = *bracket;
        const int spine = m_pointsRight ? kMargin + 1 : width - kMargin - 2;
        const int reach = m_pointsRight ? width / 2 : width / 2 - 1;
        painter.setPen(QPen(palette.color(QPalette::Dark), 1));
        painter.drawLine(spine, top, spine, bottom);
        painter.drawLine(spine, top, reach, top);
        painter.drawLine(spine, bottom, reach, bottom);
    }
    painter.setFont(QApplication::font());
    for (const Placed& placed : PlaceMarkers()) {
        const QRect flag = FlagRect(placed.row);
        const int point = std::clamp(placed.row, flag.top(), flag.bottom());
        const int tip = std::min(flag.height() / 2, flag.width() / 3);
        // A pentagon: a box with its point on the row, towards the grid.
        QPolygon shape;
        if (m_pointsRight) {
            shape << flag.topLeft() << QPoint(flag.right() - tip, flag.top()) << QPoint(flag.right(), point)
                  << QPoint(flag.right() - tip, flag.bottom()) << flag.bottomLeft();
        } else {
            shape << QPoint(flag.left() + tip, flag.top()) << flag.topRight() << flag.bottomRight()
                  << QPoint(flag.left() + tip, flag.bottom()) << QPoint(flag.left(), point);
        }
        const CvxMarker& marker = *placed.marker;
        painter.setPen(QPen(CvxColor(marker.GetForegroundColor()), 1));
        painter.setBrush(CvxColor(marker.GetBackgroundColor()));
        painter.drawPolygon(shape);
        const QRect text = m_pointsRight ? flag.adjusted(1, 0, -tip, 0) : flag.adjusted(tip, 0, -1, 0);
        painter.drawText(text, Qt::AlignCenter, CvxQt(marker.GetAbbreviatedName()));
    }
    painter.setBrush(Qt::NoBrush);
}

QJsonObject CvxMarkersViewPort::Describe() const
{
    QJsonArray markers;
    for (const Placed& placed : PlaceMarkers()) {
        markers.append(QJsonObject{{"name", CvxQt(placed.marker->GetName())}, {"row", placed.row}});
    }
    QJsonObject dump{{"pane", m_pane}, {"markers", markers}};
    if (const auto bracket = Bracket()) {
        dump["bracket"] = QJsonArray{bracket->first, bracket->second};
    }
    return dump;
}

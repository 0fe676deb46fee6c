#include "CvxMarkersViewPort.h"

#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxSourceText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QJsonArray>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QStringList>

#include <algorithm>

CvxMarkersViewPort::CvxMarkersViewPort(QString pane, const CvxMarkerMgr& markers, bool pointsRight)
    : m_pane(std::move(pane))
    , m_markers(markers)
    , m_pointsRight(pointsRight)
{
}

void CvxMarkersViewPort::SetBracket(int top, int bottom)
{
    if (!m_bracketed || top != m_bracketTop || bottom != m_bracketBottom) {
        m_bracketed = true;
        m_bracketTop = std::min(top, bottom);
        m_bracketBottom = std::max(top, bottom);
        Invalidate();
    }
}

void CvxMarkersViewPort::ClearBracket()
{
    if (m_bracketed) {
        m_bracketed = false;
        Invalidate();
    }
}

std::vector<CvxMarkersViewPort::Placed> CvxMarkersViewPort::PlaceMarkers() const
{
    std::vector<Placed> placed;
    if (!m_rowOf) {
        return placed;
    }
    for (const CvxMarker* marker : m_markers.GetMarkers(false)) {
        if (!marker->IsSetShow()) {
            continue;
        }
        const int row = m_rowOf(marker->GetPosition());
        if (row >= 0) {
            placed.push_back({marker, row});
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

QString CvxMarkersViewPort::ToolTipAt(const QPoint& point) const
{
    QStringList lines;
    for (const Placed& placed : PlaceMarkers()) {
        if (FlagRect(placed.row).contains(point)) {
            const CvxMarker& marker = *placed.marker;
            lines.append(CvxQt(marker.GetNameWithAbbreviation()) + ": "
                         + QString::fromStdString(CvxSourceText::FormatTime(marker.GetPosition().AsInt128())));
        }
    }
    return lines.join('\n');
}

void CvxMarkersViewPort::Paint(QPainter& painter, const QRect& dirty)
{
    const QPalette palette = QApplication::palette();
    painter.fillRect(dirty, palette.color(QPalette::Window));
    const int width = GetSize().width();
    if (m_bracketed) {
        // The vertical line on the side away from the grid, the ticks reaching towards it.
        const int spine = m_pointsRight ? kMargin + 1 : width - kMargin - 2;
        const int reach = m_pointsRight ? width / 2 : width / 2 - 1;
        painter.setPen(QPen(palette.color(QPalette::Dark), 1));
        painter.drawLine(spine, m_bracketTop, spine, m_bracketBottom);
        painter.drawLine(spine, m_bracketTop, reach, m_bracketTop);
        painter.drawLine(spine, m_bracketBottom, reach, m_bracketBottom);
    }
    painter.setFont(QApplication::font());
    painter.setRenderHint(QPainter::Antialiasing, false);
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
    if (m_bracketed) {
        dump["bracket"] = QJsonArray{m_bracketTop, m_bracketBottom};
    }
    return dump;
}

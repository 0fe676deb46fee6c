#include "CvxActivityIndicatorPainter.h"

#include "CvxActivityIndicator.h"
#include "CvxPainterSelect.h"

#include <QPolygon>

void CvxActivityIndicatorPainter::Draw(QPainter& painter, const QRect& box, int level, const QColor& ink, const QColor& fill)
{
    if (box.width() < 3 || box.height() < 3) {
        return;
    }
    painter.fillRect(box, fill);
    const CvxSelectPen pen(painter, QPen(ink, 1));
    const CvxSelectBrush brush(painter, Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect inner = box.adjusted(1, 2, -2, -3);
    if (inner.width() < 1 || inner.height() < 1) {
        return;
    }
    switch (level) {
    case CvxActivityIndicator::kLevelLow: painter.drawLine(inner.bottomLeft(), inner.bottomRight()); break;
    case CvxActivityIndicator::kLevelHigh: painter.drawLine(inner.topLeft(), inner.topRight()); break;
    case CvxActivityIndicator::kLevelToggling: {
        // One period of a square wave across the box.
        const int x0 = inner.left();
        const int x1 = inner.left() + inner.width() / 3;
        const int x2 = inner.left() + 2 * inner.width() / 3;
        const int x3 = inner.right();
        const QPolygon wave({QPoint(x0, inner.bottom()), QPoint(x1, inner.bottom()), QPoint(x1, inner.top()),
                             QPoint(x2, inner.top()), QPoint(x2, inner.bottom()), QPoint(x3, inner.bottom())});
        painter.drawPolyline(wave);
        break;
    }
    default: break;
    }
}

const char* CvxActivityIndicatorPainter::LevelName(int level)
{
    switch (level) {
    case CvxActivityIndicator::kLevelLow: return "low";
    case CvxActivityIndicator::kLevelHigh: return "high";
    case CvxActivityIndicator::kLevelToggling: return "toggling";
    default: return "unknown";
    }
}

#include "CvxCompareEmptyViewport.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

void CvxCompareEmptyViewport::Paint(QPainter& painter, const QRect& dirty)
{
    const QPalette palette = QApplication::palette();
    painter.fillRect(dirty, palette.color(QPalette::Button));
    qDrawShadeRect(&painter, GetRect(), palette, true, 1, 0);
}

QJsonObject CvxCompareEmptyViewport::Describe() const
{
    return QJsonObject{{"pane", "corner"}, {"frame", "etched"}};
}

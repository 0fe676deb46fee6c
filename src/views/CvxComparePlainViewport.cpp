#include "CvxComparePlainViewport.h"

#include <QApplication>
#include <QPainter>

void CvxComparePlainViewport::Paint(QPainter& painter, const QRect& dirty)
{
    painter.fillRect(dirty, QApplication::palette().color(m_role));
}

QJsonObject CvxComparePlainViewport::Describe() const
{
    return QJsonObject{{"pane", m_pane}};
}

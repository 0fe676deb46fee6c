#pragma once
// Draws a bus/signal's activity indicator (CvxActivityIndicator) as a small framed box: empty
// for an unknown level, a line along the bottom for low, along the top for high, and a square
// wave for a toggling bus/signal. The pen and fill follow the cell it sits in (highlighted
// when the column is selected).

#include <QColor>
#include <QRect>

class QPainter;

class CvxActivityIndicatorPainter {
public:
    static void Draw(QPainter& painter, const QRect& box, int level, const QColor& ink, const QColor& fill);
    // The level's short name, for tool tips and the UI dump ("unknown", "low", "high", "toggling").
    static const char* LevelName(int level);
};

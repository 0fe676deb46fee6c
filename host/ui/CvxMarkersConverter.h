#pragma once
// How a markers viewport whose rows are not a linear map of time (a bar beside a grid's rows)
// turns positions into pixel rows and back. Its owner answers both from its own rows.

#include "CvxPosition.h"

#include <QPoint>

class CvxMarkersConverter {
public:
    virtual ~CvxMarkersConverter() = default;

    // The pixel row of a position, false when the viewport does not show it.
    virtual bool PositionToPixel(const CvxPosition& position, int& y) const = 0;
    // The position of the row under a point (points beyond the viewport's edges too).
    virtual CvxPosition PixelToPosition(const QPoint& point) const = 0;
};

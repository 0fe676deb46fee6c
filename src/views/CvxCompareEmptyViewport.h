#pragma once
// The painting of a header-row corner: the face colour inside an etched frame.

#include "CvxViewport.h"

class CvxCompareEmptyViewport : public CvxViewport {
public:
    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;
};

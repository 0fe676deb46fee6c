#pragma once
// The right marker bar beside the Compare window's grid.

#include "CvxComparePaneView.h"

class CvxCompareSystemMarkerRightView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent);
};

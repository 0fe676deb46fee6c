#pragma once
// The left marker bar beside the Compare window's grid.

#include "CvxComparePaneView.h"

class CvxCompareSystemMarkerLeftView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent);
};

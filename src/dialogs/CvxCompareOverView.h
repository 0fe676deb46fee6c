#pragma once
// The overview strip beside the Compare window's grid.

#include "CvxComparePaneView.h"

class CvxCompareOverView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareOverView(CvxCompareModel& model, QWidget* parent);
};

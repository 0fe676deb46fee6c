#pragma once
// The data grid in the middle of the Compare window. It takes keyboard input and leads the
// horizontal scrolling of its column.

#include "CvxComparePaneView.h"

class CvxCompareDataView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareDataView(CvxCompareModel& model, QWidget* parent);
};

#pragma once
// The right marker bar beside the Compare window's grid: every marker over the whole span of
// the data, the bar's height (less a scroll bar's height at each end) standing for the span,
// and a bracket over the rows the grid shows around its centre. User markers can be dragged
// along it; a tool tip over a flag names its marker and position.

#include "CvxCompareMarkerBarView.h"

class CvxCompareSystemMarkerRightView : public CvxCompareMarkerBarView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent);

protected:
    // As many rows as the bar's height holds in the data font.
    void UpdateWindowRange() override;
};

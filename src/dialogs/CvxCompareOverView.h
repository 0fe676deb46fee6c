#pragma once
// The overview strip beside the Compare window's grid: the compared span as a vertical bar
// with a tick for every pixel row that holds a difference. A click centres the grid there.

#include "CvxComparePaneView.h"

class CvxCompareOverviewViewport;

class CvxCompareOverView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareOverView(CvxCompareModel& model, QWidget* parent);

    CvxCompareOverviewViewport& GetOverview();

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

#pragma once
// The right marker bar beside the Compare window's grid: every marker over the whole span of
// the data, the bar's height standing for the span, and a bracket over the part the grid
// shows now. A tool tip over a flag names its marker and position.

#include "CvxComparePaneView.h"

class CvxMarkersViewPort;

class CvxCompareSystemMarkerRightView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareSystemMarkerRightView() override;

    CvxMarkersViewPort& GetMarkers();

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Asks the grid which part of the data it shows and brackets it.
    void Refresh();
};

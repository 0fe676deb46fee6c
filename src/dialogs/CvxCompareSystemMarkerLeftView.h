#pragma once
// The left marker bar beside the Compare window's grid: a flag beside each row the grid shows
// now that holds a marker. A tool tip over a flag names its marker and position.

#include "CvxComparePaneView.h"

#include <QPointer>

class CvxMarkersViewPort;

class CvxCompareSystemMarkerLeftView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareSystemMarkerLeftView() override;

    CvxMarkersViewPort& GetMarkers();

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    bool event(QEvent* event) override;

private:
    // The grid's window, asked of the model once: the grid answers while the message passes.
    QWidget* FindGrid();

    QPointer<QWidget> m_grid;
};

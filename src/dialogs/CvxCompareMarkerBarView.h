#pragma once
// What the two marker bars beside the grid share: a markers viewport with its drag controller,
// the window range recomputed by row walks from the grid's centre whenever the centre, the
// data, the columns, the font or the bar's size change, markers drawn again when they change,
// tool tips, and redrawing held back while the grid asks so (during its keyboard moves).

#include "CvxComparePaneView.h"

class CvxMarkersController;
class CvxMarkersViewPort;

class CvxCompareMarkerBarView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareMarkerBarView(CvxCompareModel& model, const QString& pane, QWidget* parent);
    ~CvxCompareMarkerBarView() override;

    CvxMarkersViewPort& GetMarkers();
    CvxMarkersController& GetMarkersController();

protected:
    // Sets the viewport's window range from the model; the data's range stays as it was
    // without valid data.
    virtual void UpdateWindowRange() = 0;
    // The window of `rows` rows around the grid's centre, given to the viewport.
    void SetWindowRows(int rows);
    // The window range again, now or, while updates are held back, when they are released.
    void Recompute();

    void OnModelMessage(CvxMvcDefMsg& message) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_stale = false;
};

#pragma once
// The left marker bar beside the Compare window's grid: a flag beside each row the grid shows
// now that holds a marker, pointing at that row. User markers can be dragged from row to row;
// past the bar's ends the grid scrolls along, and the wheel over the bar scrolls the grid. A
// tool tip over a flag names its marker and position.

#include "CvxCompareMarkerBarView.h"
#include "CvxCompareMarkerRowConverter.h"

#include <QPointer>

class CvxCompareSystemMarkerLeftView : public CvxCompareMarkerBarView {
    Q_OBJECT
public:
    CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent);

    const CvxCompareMarkerRowConverter& GetConverter() const { return m_converter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The rows the grid shows, in the grid's own row height.
    void UpdateWindowRange() override;

private:
    // The grid's window, asked of the model once: the grid answers while the message passes.
    QWidget* FindGrid();

    CvxCompareMarkerRowConverter m_converter;
    QPointer<QWidget> m_grid;
};

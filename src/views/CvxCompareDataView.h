#pragma once
// The data grid in the middle of the Compare window: the grid viewport inside its scroll bars.
// It takes keyboard input (the arrows, pages, Home and End move the centre; left and right
// scroll the columns), a wheel notch moves one row, and it leads the horizontal scrolling of
// its column.

#include "CvxComparePaneView.h"

class CvxCompareDataViewport;
class CvxScrollBarWrapper;

class CvxCompareDataView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareDataView(CvxCompareModel& model, QWidget* parent);

    CvxCompareDataViewport& GetGrid();
    // The scroll bars around the view (made by the window, which places them in the splitter).
    void SetScrollBars(CvxScrollBarWrapper* bars);
    CvxScrollBarWrapper* GetScrollBars() const { return m_bars; }
    void SetHorizontalOrigin(int x) override;

protected:
    void OnModelMessage(CvxCompareMessage& message) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CvxScrollBarWrapper* m_bars = nullptr;
};

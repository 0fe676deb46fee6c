#pragma once
// The column header above the grid. It keeps the splitter's header row as tall as its lines
// (the label font measured again on every properties change and setup load), shows the side
// columns while markers are displayed, and scrolls the selected column into view when asked
// (the posted show-selected-column event). It takes keyboard input and follows the grid's
// horizontal scrolling.

#include "CvxComparePaneView.h"

#include <QEvent>

class CvxCompareSplitterWnd;

class CvxCompareHeaderView : public CvxComparePaneView {
    Q_OBJECT
public:
    // Posted to the header: scroll header and grid so that the selected column is visible.
    static constexpr QEvent::Type kShowSelectedColumnEvent = static_cast<QEvent::Type>(QEvent::User + 0x09E6);

    CvxCompareHeaderView(CvxCompareModel& model, CvxCompareSplitterWnd& splitter);

    // Measures the label font, sets the header row height from it and lays the splitter out.
    void TrackHeaderHeight();
    void ShowSelectedColumn();

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    void customEvent(QEvent* event) override;

private:
    CvxCompareSplitterWnd& m_splitter;
};

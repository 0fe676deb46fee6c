#pragma once
// The Compare window: the bar of buttons on top, the splitter with the header, grid, marker
// bars and overview in the middle, the status bar with the comparison counters at the
// bottom. The first time it is shown it derives the window properties that depend on fonts
// (default column widths, header row height, side column widths); it keeps the counters of
// the last comparison. The host makes it from the Compare tool's view class.

#include "CvxDefObserver.h"
#include "CvxPlugInView.h"

#include <array>

class CvxCompareControlsDlg;
class CvxCompareDataView;
class CvxCompareHeaderView;
class CvxCompareModel;
class CvxCompareSplitterWnd;
class CvxCompareStatusBar;

class CvxCompareView : public CvxPlugInView, public CvxDefObserver {
    Q_OBJECT
public:
    CvxCompareView();
    ~CvxCompareView() override;

    bool Create(CvxDocument& document) override;
    QJsonObject Describe() const override;
    // The header row's bar, moved with the keyboard.
    void StartSplit() override;
    void Update(CvxMvcModel* model, CvxMvcDefMsg* message) override;

    CvxCompareModel* GetModel() const { return m_model; }
    CvxCompareControlsDlg* GetControlsBar() const { return m_bar; }
    CvxCompareSplitterWnd* GetSplitter() const { return m_splitter; }
    CvxCompareHeaderView* GetHeader() const { return m_header; }
    CvxCompareDataView* GetGrid() const { return m_grid; }
    CvxCompareStatusBar* GetStatusBar() const { return m_status; }
    // The four counters as shown: samples compared, columns compared, comparisons, differences.
    std::array<int, 4> GetCounters() const;

protected:
    void OnInitialUpdate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RefreshCounters();
    void LayoutChildren();

    CvxCompareModel* m_model = nullptr;
    CvxCompareControlsDlg* m_bar = nullptr;
    CvxCompareSplitterWnd* m_splitter = nullptr;
    CvxCompareHeaderView* m_header = nullptr;
    CvxCompareDataView* m_grid = nullptr;
    CvxCompareStatusBar* m_status = nullptr;
};

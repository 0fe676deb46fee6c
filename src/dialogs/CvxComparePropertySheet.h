#pragma once
// "Compare Properties": the tabbed sheet of a Compare window's properties: "Window
// Properties", "Column Properties", the host's marker page and "Difference Properties". Each
// page edits working copies; Apply and OK hand them to the model in that order but with the
// markers last (window and column changes are undoable commands, the run-until rule is not);
// Cancel leaves the model as it was. Help shows the window options' topic on the first two
// pages and the markers' topic on the marker page.

#include "CvxPropertySheet.h"

class CvxCompareModel;
class CvxComparePropertyPage;
class CvxComparePropertyPageColumn;
class CvxComparePropertyPageRun;
class CvxID;
class CvxMarkerPropertyPage;

class CvxComparePropertySheet : public CvxPropertySheet {
    Q_OBJECT
public:
    enum EvxPage : int { kWindowPage = 0, kColumnPage = 1, kMarkerPage = 2, kDifferencePage = 3 };

    // `marker`: the marker the marker page shows first (null: the first listed).
    CvxComparePropertySheet(CvxCompareModel& model, QWidget* parent, int firstPage, const CvxID& marker);

    // Runs the sheet modally; answers whether it ended with OK.
    static bool Run(CvxCompareModel& model, QWidget* parent, int firstPage, const CvxID& marker);

    CvxComparePropertyPage& GetWindowPage() const { return *m_window; }
    CvxComparePropertyPageColumn& GetColumnPage() const { return *m_column; }
    CvxMarkerPropertyPage& GetMarkerPage() const { return *m_markers; }
    CvxComparePropertyPageRun& GetDifferencePage() const { return *m_run; }

    void ApplyAll() override;
    std::u16string HelpTopic() const override;

private:
    CvxComparePropertyPage* m_window;
    CvxComparePropertyPageColumn* m_column;
    CvxMarkerPropertyPage* m_markers;
    CvxComparePropertyPageRun* m_run;
};

#pragma once
// "Range & Reference" (template 3424): the compare range (all data, or from one marker to
// another) and the reference offset in samples (-999999999 to 999999999), edited on working
// copies. Markers that no longer exist are shown as the begin and end of data. OK closes the
// dialog, lets the window repaint, and hands range and offset to the model, which compares
// again under the wait cursor; Cancel leaves the model as it was.

#include "CvxDialog.h"

class CvxCompareModel;
class CvxIntegerEditCtrl;
class CvxCompareRangeGroup;

class CvxCompareRangeDlg : public CvxDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3424;
    static constexpr int kOffsetLimit = 999999999;

    CvxCompareRangeDlg(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareRangeDlg() override;

    void accept() override;

private:
    CvxCompareModel& m_model;
    CvxCompareRangeGroup* m_range = nullptr;
    CvxIntegerEditCtrl* m_offset = nullptr;
};

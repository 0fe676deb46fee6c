#pragma once
// "Run Until" (template 3431): compare until a number of differences is found (0 to
// 999999999), then stop the repetitive run and/or send the e-mail ("E-mail..." edits it).
// It edits the same run-until record as the Difference page of the properties, on a working
// copy; OK hands it to the model, which keeps it (not as an undoable change) and compares again
// when it changed. Stop comparing, which this dialog does not show, keeps its setting.

#include "CvxDialog.h"

#include <memory>

class CvxCompareModel;
class CvxCompareRunUntil;
class CvxCompareRunUntilControls;

class CvxCompareRunUntilDlg : public CvxDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3431;

    CvxCompareRunUntilDlg(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareRunUntilDlg() override;

    void accept() override;

private:
    CvxCompareModel& m_model;
    std::unique_ptr<CvxCompareRunUntil> m_working;
    CvxCompareRunUntilControls* m_controls = nullptr;
};

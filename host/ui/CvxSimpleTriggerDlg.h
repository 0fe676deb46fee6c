#pragma once
// "Simple Trigger": the analyzer's trigger as a pattern on one bus/signal, preset with the
// trigger it has. OK sets it through the host (CvxStdCmdIFaceMgr::SetSimpleTrigger); a
// pattern that does not parse, or one the host refuses, is explained in the dialog, which
// stays open.
// Controls: "label", "base", "pattern" (see CvxTriggerPatternEdit), "error", "ok", "cancel".

#include <QDialog>

#include <vector>

class CvxID;
class CvxTriggerPatternEdit;
class QLabel;

class CvxSimpleTriggerDlg : public QDialog {
    Q_OBJECT
public:
    // `labels` are the buses/signals of the caller (a tool's); those that cannot carry the
    // trigger are left out.
    CvxSimpleTriggerDlg(const std::vector<CvxID>& labels, QWidget* parent = nullptr);

    void accept() override;

private:
    CvxTriggerPatternEdit* m_edit = nullptr;
    QLabel* m_error = nullptr;
};

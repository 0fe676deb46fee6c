#pragma once
// "Advanced Trigger": the analyzer triggers either on a pattern of one bus/signal (as the
// Simple Trigger dialog sets it) or at a fixed sample of its acquisition, for analyzers that
// can (the choice is disabled, with a line saying so, for the others). Preset with the
// trigger the analyzer has. OK sets the chosen trigger through the host; a bad pattern or
// sample, or one the host refuses, is explained in the dialog, which stays open.
// Controls: "onPattern", "atSample" (the choice), "label", "base", "pattern" (see
// CvxTriggerPatternEdit), "sample", "sampleNote", "error", "ok", "cancel".

#include <QDialog>

#include <vector>

class CvxID;
class CvxTriggerPatternEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

class CvxAdvancedTriggerDlg : public QDialog {
    Q_OBJECT
public:
    // `labels` as for the Simple Trigger dialog.
    CvxAdvancedTriggerDlg(const std::vector<CvxID>& labels, QWidget* parent = nullptr);

    void accept() override;

private:
    void ModeChosen();

    QRadioButton* m_onPattern = nullptr;
    QRadioButton* m_atSample = nullptr;
    CvxTriggerPatternEdit* m_edit = nullptr;
    QLineEdit* m_sample = nullptr;
    QLabel* m_error = nullptr;
};

#pragma once
// The controls of a trigger pattern on one bus/signal, shared by the Simple Trigger and
// Advanced Trigger dialogs: the bus/signal ("label": the offered labels the host accepts as
// trigger labels), the base of the digits ("base": hexadecimal, or binary, which 1-bit
// signals start with) and the pattern ("pattern": digits, X for don't care). Changing the
// base rewrites a valid pattern in the new base, so a pattern is never lost to a base switch.

#include <QWidget>

#include <vector>

class CvxID;
class CvxPatternModel;
class QComboBox;
class QLineEdit;

class CvxTriggerPatternEdit : public QWidget {
    Q_OBJECT
public:
    CvxTriggerPatternEdit(const std::vector<CvxID>& labels, QWidget* parent = nullptr);
    ~CvxTriggerPatternEdit() override;

    // Whether any offered bus/signal can carry the trigger.
    bool HasLabels() const { return !m_labels.empty(); }
    // Shows the pattern: its bus/signal, base and digits; false (nothing changed) when its
    // bus/signal is not among those offered.
    bool SetPattern(const CvxPatternModel& pattern);
    // The pattern the controls describe; false with `error` naming the bus/signal and the
    // problem when there is none.
    bool GetPattern(CvxPatternModel& pattern, QString& error) const;
    QLineEdit* GetPatternEdit() const { return m_pattern; }

private:
    int CurrentWidth() const;
    void LabelChosen();
    void BaseChosen();

    std::vector<CvxID> m_labels;
    QComboBox* m_label = nullptr;
    QComboBox* m_base = nullptr;
    QLineEdit* m_pattern = nullptr;
    int m_shownBase = 0; // the base the pattern's digits are written in
};

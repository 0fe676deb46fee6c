#pragma once
// The controls of the run-until rule, shared by the "Run Until" dialog and the "Difference
// Properties" page: "Compare until" N (0 to 999999999) "or more differences are found then",
// the actions to take, and "E-&mail..." for the mail's text. They edit the caller's working
// record as the user works them; the number goes in when it is committed.

#include <QWidget>

#include <functional>

class CvxCompareRunUntil;
class CvxIntegerEditCtrl;
class QCheckBox;

class CvxCompareRunUntilControls : public QWidget {
public:
    static constexpr int kThreshold = 19491;
    static constexpr int kThen = 19472;
    static constexpr int kStopRun = 19492;
    static constexpr int kSendEmail = 19493;
    static constexpr int kEmail = 19494;
    static constexpr int kStopComparing = 19495;
    static constexpr int kThresholdLimit = 999999999;

    // `stopComparing` adds "Stop &comparing" to the actions.
    CvxCompareRunUntilControls(CvxCompareRunUntil& working, bool stopComparing, QWidget* parent);

    // Run after each change the user makes (a box ticked, a number entered, the mail's OK).
    void SetChangedCommand(std::function<void()> changed) { m_changed = std::move(changed); }
    // Takes the edit's number into the record; false (the record unchanged) when the text is
    // refused, with the edit focused.
    bool Commit();
    const QString& GetLastError() const;

private:
    void Changed();
    // The boxes from the record.
    void ShowActions();

    CvxCompareRunUntil& m_working;
    CvxIntegerEditCtrl* m_threshold = nullptr;
    QCheckBox* m_stopComparing = nullptr;
    QCheckBox* m_stopRun = nullptr;
    QCheckBox* m_sendEmail = nullptr;
    std::function<void()> m_changed;
};

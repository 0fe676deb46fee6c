#pragma once
// The host's own options that windows ask for: whether a new run moves the views to the
// trigger. The desktop host sets them from its preferences; the defaults serve headless hosts.

class CvxHostOptions {
public:
    static CvxHostOptions& GetInstance();
    CvxHostOptions(const CvxHostOptions&) = delete;
    CvxHostOptions& operator=(const CvxHostOptions&) = delete;

    // A new run centres the views on the trigger (else they keep their position).
    bool GetGotoTriggerOnRun() const { return m_gotoTriggerOnRun; }
    void SetGotoTriggerOnRun(bool on) { m_gotoTriggerOnRun = on; }

    void Reset() { m_gotoTriggerOnRun = true; }

private:
    CvxHostOptions() = default;
    bool m_gotoTriggerOnRun = true;
};

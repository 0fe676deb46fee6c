#pragma once
// The run-until rule: once a comparison has found at least the threshold number of
// differences, stop comparing, stop the repetitive run and/or send an e-mail.

#include "CvxCompareEmail.h"

class CvxPersistenceSetup;

class CvxCompareRunUntil {
public:
    int GetNumberOfDifferences() const { return m_threshold; }
    void SetNumberOfDifferences(int threshold) { m_threshold = threshold; }
    const CvxCompareEmail& GetEmail() const { return m_email; }
    CvxCompareEmail& GetEmail() { return m_email; }
    void SetEmail(const CvxCompareEmail& email) { m_email = email; }
    bool IsSendEmailEnabled() const { return m_sendEmail; }
    void SetSendEmailEnabled(bool on) { m_sendEmail = on; }
    bool IsStopRepetitiveRunEnabled() const { return m_stopRun; }
    void SetStopRepetitiveRunEnabled(bool on) { m_stopRun = on; }
    bool IsStopComparingEnabled() const { return m_stopComparing; }
    void SetStopComparingEnabled(bool on) { m_stopComparing = on; }

    // Persisted as the element "CompareRunUntil": key "Config" with the attributes
    // NumberOfDifferences, SendEmailEnabled, StopRepetitiveRunEnabled and StopComparingEnabled,
    // then the e-mail inside the element "EMail".
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxCompareRunUntil&, const CvxCompareRunUntil&) = default;

private:
    int m_threshold = 1;
    CvxCompareEmail m_email;
    bool m_sendEmail = false;
    bool m_stopRun = false;
    bool m_stopComparing = false;
};

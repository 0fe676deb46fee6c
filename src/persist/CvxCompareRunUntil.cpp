#include "CvxCompareRunUntil.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"

void CvxCompareRunUntil::Save(CvxPersistenceSetup& setup) const
{
    CvxCompareSetupTag tag(setup, u"CompareRunUntil");
    if (!tag) {
        return;
    }
    CvxCompareConfig config;
    config.SetInt(u"NumberOfDifferences", m_threshold);
    config.SetBool(u"SendEmailEnabled", m_sendEmail);
    config.SetBool(u"StopRepetitiveRunEnabled", m_stopRun);
    config.SetBool(u"StopComparingEnabled", m_stopComparing);
    config.Save(setup);
    if (CvxCompareSetupTag email{setup, u"EMail"}) {
        m_email.Save(setup);
    }
}

void CvxCompareRunUntil::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"CompareRunUntil");
    if (!tag) {
        return;
    }
    CvxCompareConfig config;
    if (config.Load(setup)) {
        config.GetInt(u"NumberOfDifferences", m_threshold);
        config.GetBool(u"SendEmailEnabled", m_sendEmail);
        config.GetBool(u"StopRepetitiveRunEnabled", m_stopRun);
        config.GetBool(u"StopComparingEnabled", m_stopComparing);
    }
    if (CvxCompareSetupTag email{setup, u"EMail"}) {
        m_email.Load(setup);
    }
}

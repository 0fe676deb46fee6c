#include "CvxCompareEmail.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"

void CvxCompareEmail::Save(CvxPersistenceSetup& setup) const
{
    if (CvxCompareSetupTag tag{setup, u"CompareEmail"}) {
        CvxCompareConfig config;
        config.SetString(u"Recipient", m_recipient);
        config.SetString(u"Subject", m_subject);
        config.SetString(u"MessageBody", m_body);
        config.Save(setup);
    }
}

void CvxCompareEmail::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"CompareEmail");
    CvxCompareConfig config;
    if (!tag || !config.Load(setup)) {
        return;
    }
    config.GetString(u"Recipient", m_recipient);
    config.GetString(u"Subject", m_subject);
    config.GetString(u"MessageBody", m_body);
}

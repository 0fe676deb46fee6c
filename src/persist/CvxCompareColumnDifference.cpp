#include "CvxCompareColumnDifference.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"
#include "CvxInfoMgr.h"

bool CvxCompareColumnDifference::SetCode(int code)
{
    if (code < kAll || code > kInputOnly) {
        return false;
    }
    m_code = code;
    return true;
}

std::u16string CvxCompareColumnDifference::PersistedName(int code)
{
    switch (code) {
    case kPairedDifferences: return u"PAIRED_DIFFERENCES";
    case kInputOnly: return u"INPUT_ONLY";
    default: return u"ALL";
    }
}

std::u16string CvxCompareColumnDifference::DisplayName(int code)
{
    switch (code) {
    case kPairedDifferences: return u"Paired Differences";
    case kInputOnly: return u"Input Only";
    default: return u"ALL";
    }
}

int CvxCompareColumnDifference::CodeOfPersistedName(const std::u16string& name)
{
    for (int code = kAll; code <= kInputOnly; ++code) {
        if (PersistedName(code) == name) {
            return code;
        }
    }
    return -1;
}

void CvxCompareColumnDifference::Save(CvxPersistenceSetup& setup) const
{
    if (CvxCompareSetupTag tag{setup, u"CompareColumnDifference"}) {
        CvxCompareConfig config;
        config.SetString(u"Name", GetPersistedName());
        config.Save(setup);
    }
}

void CvxCompareColumnDifference::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"CompareColumnDifference");
    CvxCompareConfig config;
    std::u16string name;
    if (!tag || !config.Load(setup) || !config.GetString(u"Name", name)) {
        return;
    }
    const int code = CodeOfPersistedName(name);
    if (code < 0) {
        CvxInfoMgr::GetInstance().LogMessage(kMessageError,
                                             u"CvxCompareColumnDifference::Load( " + name + u" ) -> base not found");
        return;
    }
    m_code = code;
}

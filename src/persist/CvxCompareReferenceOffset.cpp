#include "CvxCompareReferenceOffset.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"
#include "CvxEnumProxy.h"

namespace {

const CvxEnumProxy& OffsetWords()
{
    static const CvxEnumProxy words = [] {
        CvxEnumProxy proxy;
        proxy.AddEnum(CvxCompareReferenceOffset::kSample, u"Sample");
        proxy.AddEnum(CvxCompareReferenceOffset::kTime, u"Time");
        return proxy;
    }();
    return words;
}

} // namespace

void CvxCompareReferenceOffset::Save(CvxPersistenceSetup& setup) const
{
    if (CvxCompareSetupTag tag{setup, u"CompareReferenceOffset"}) {
        CvxCompareConfig config;
        config.SetString(u"ReferenceOffset", OffsetWords().GetValue(m_kind));
        config.SetInt(u"SampleOffset", m_offset);
        config.Save(setup);
    }
}

void CvxCompareReferenceOffset::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"CompareReferenceOffset");
    CvxCompareConfig config;
    if (!tag || !config.Load(setup)) {
        return;
    }
    std::u16string word;
    int kind = m_kind;
    if (config.GetString(u"ReferenceOffset", word) && OffsetWords().GetKey(word, kind)) {
        SetKind(kind);
    }
    config.GetInt(u"SampleOffset", m_offset);
}

#include "CvxCompareRange.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"
#include "CvxEnumProxy.h"
#include "CvxPersistHostTypes.h"

namespace {

const CvxEnumProxy& RangeWords()
{
    static const CvxEnumProxy words = [] {
        CvxEnumProxy proxy;
        proxy.AddEnum(CvxCompareRange::kAll, u"All");
        proxy.AddEnum(CvxCompareRange::kMarkers, u"Markers");
        return proxy;
    }();
    return words;
}

} // namespace

CvxCompareRange::CvxCompareRange() : m_from(CvxID::New()), m_to(CvxID::New()) {}

bool CvxCompareRange::SameRangeAs(const CvxCompareRange& other) const
{
    if (m_type != other.m_type) {
        return false;
    }
    return m_type == kAll || (m_from == other.m_from && m_to == other.m_to);
}

void CvxCompareRange::Save(CvxPersistenceSetup& setup) const
{
    CvxCompareSetupTag range(setup, u"CompareRange");
    if (!range) {
        return;
    }
    CvxCompareConfig config;
    config.SetString(u"Range", RangeWords().GetValue(m_type));
    config.Save(setup);
    if (CvxCompareSetupTag from{setup, u"FromMarkerID"}) {
        CvxSave(setup, m_from);
    }
    if (CvxCompareSetupTag to{setup, u"ToMarkerID"}) {
        CvxSave(setup, m_to);
    }
}

void CvxCompareRange::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag range(setup, u"CompareRange");
    if (!range) {
        return;
    }
    CvxCompareConfig config;
    std::u16string word;
    int type = m_type;
    if (config.Load(setup) && config.GetString(u"Range", word) && RangeWords().GetKey(word, type)) {
        SetType(type);
    }
    if (CvxCompareSetupTag from{setup, u"FromMarkerID"}) {
        CvxLoad(setup, m_from);
    }
    if (CvxCompareSetupTag to{setup, u"ToMarkerID"}) {
        CvxLoad(setup, m_to);
    }
}

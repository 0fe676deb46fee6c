#include "CvxBase.h"

bool CvxBase::SetCode(int code)
{
    if (!IsValidCode(code)) {
        return false;
    }
    m_code = code;
    return true;
}

std::u16string CvxBase::GetName() const
{
    switch (m_code) {
    case kBaseHex: return u"Hex";
    case kBaseBinary: return u"Binary";
    case kBaseOctal: return u"Octal";
    case kBaseDecimal: return u"Decimal";
    case kBaseSignedDecimal: return u"Signed Decimal";
    case kBaseAscii: return u"ASCII";
    case kBaseSymbols: return u"Symbols";
    case kBaseTime: return u"Time";
    case kBaseSample: return u"Sample";
    case kBaseTimeRelative: return u"Time Relative";
    default: return u"";
    }
}

bool CvxBase::IsInGroup(EvxBaseGroup group) const
{
    switch (group) {
    case kBaseGroupNumeric:
    case kBaseGroupSymbol:
        return m_code >= kBaseHex && m_code <= kBaseSymbols;
    case kBaseGroupTime:
        return m_code == kBaseTime || m_code == kBaseTimeRelative;
    case kBaseGroupSample:
        return m_code == kBaseSample;
    }
    return false;
}

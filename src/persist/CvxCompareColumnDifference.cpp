#include "CvxCompareColumnDifference.h"

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

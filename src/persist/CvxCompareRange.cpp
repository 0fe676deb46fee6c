#include "CvxCompareRange.h"

CvxCompareRange::CvxCompareRange() : m_from(CvxID::New()), m_to(CvxID::New()) {}

bool CvxCompareRange::SameRangeAs(const CvxCompareRange& other) const
{
    if (m_type != other.m_type) {
        return false;
    }
    return m_type == kAll || (m_from == other.m_from && m_to == other.m_to);
}

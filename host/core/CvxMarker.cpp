#include "CvxMarker.h"

CvxMarker::CvxMarker(const CvxID& id, std::u16string name, std::u16string abbreviation, int flag)
    : m_id(id), m_name(std::move(name)), m_abbreviation(std::move(abbreviation))
{
    SetFlag(flag, true);
}

std::u16string CvxMarker::GetNameWithAbbreviation() const
{
    if (m_abbreviation.empty() || m_abbreviation == m_name) {
        return m_name;
    }
    return m_name + u" (" + m_abbreviation + u")";
}

bool CvxMarker::IsFlagSet(int flag) const
{
    return flag >= 0 && flag < 32 && (m_flags & (1U << flag)) != 0;
}

void CvxMarker::SetFlag(int flag, bool on)
{
    if (flag < 0 || flag >= 32) {
        return;
    }
    if (on) {
        m_flags |= 1U << flag;
    } else {
        m_flags &= ~(1U << flag);
    }
}

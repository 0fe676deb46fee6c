#include "CvxDataIter.h"

#include <limits>

void CvxDataIter::First()
{
    m_current = m_first;
}

void CvxDataIter::Last()
{
    m_current = m_end;
    Prev();
}

void CvxDataIter::Next()
{
    if (m_current != std::numeric_limits<std::int32_t>::max()) {
        ++m_current;
    }
}

void CvxDataIter::Prev()
{
    if (m_current != std::numeric_limits<std::int32_t>::min()) {
        --m_current;
    }
}

bool CvxDataIter::IsDone() const
{
    return m_current >= m_end || m_current < m_first;
}

bool CvxDataIter::Goto(std::int32_t row)
{
    if (row < m_first) {
        m_current = m_first;
        return false;
    }
    if (row < m_end) {
        m_current = row;
        return true;
    }
    Last();
    return false;
}

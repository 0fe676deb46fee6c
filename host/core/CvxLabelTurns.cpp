#include "CvxLabelTurns.h"

#include <algorithm>

CvxLabelTurns::CvxLabelTurns(int members)
    : m_members(std::max(members, 1)), m_next(static_cast<std::size_t>(m_members)),
      m_left(static_cast<std::size_t>(m_members), false)
{
    for (int m = 0; m < m_members; ++m) {
        m_next[static_cast<std::size_t>(m)] = m;
    }
}

void CvxLabelTurns::Enter(int member)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const long long mine = m_next[static_cast<std::size_t>(member)];
    m_changed.wait(lock, [&] { return m_turn >= mine; });
}

void CvxLabelTurns::Exit(int member)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_next[static_cast<std::size_t>(member)] += m_members;
        ++m_turn;
        SkipLeft();
    }
    m_changed.notify_all();
}

void CvxLabelTurns::Leave(int member)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_left[static_cast<std::size_t>(member)] = true;
        SkipLeft();
    }
    m_changed.notify_all();
}

void CvxLabelTurns::SkipLeft()
{
    // Stops at the first turn of a member still taking turns (none left: the turn runs on).
    for (int skipped = 0; skipped < m_members && m_left[static_cast<std::size_t>(m_turn % m_members)]; ++skipped) {
        ++m_turn;
    }
}

#include "CvxRemoteRunner.h"

#include "CvxHostSession.h"

void CvxRemoteRunner::Start(std::int64_t runs)
{
    // A stop asked for before this run (a tool's rule during a single run) must not end it.
    m_session.ClearStopRequest();
    m_active = true;
    m_limit = runs;
    m_done = 0;
    m_due = Clock::now();
}

bool CvxRemoteRunner::Step(Clock::time_point now, std::string& error)
{
    if (!m_active) {
        return true;
    }
    if (m_session.IsStopRequested()) {
        m_active = false;
        return true;
    }
    if (now < m_due) {
        return true;
    }
    if (!m_session.Run()) {
        m_active = false;
        error = m_session.GetLastError();
        return false;
    }
    ++m_done;
    if ((m_limit > 0 && m_done >= m_limit) || m_session.IsStopRequested()) {
        m_active = false;
        return true;
    }
    const CvxAcquisitionSource* source = m_session.GetSource();
    m_due = Clock::now() + (source != nullptr ? source->GetRepeatInterval() : std::chrono::milliseconds(0));
    return true;
}

std::optional<CvxRemoteRunner::Clock::time_point> CvxRemoteRunner::GetNextDue() const
{
    if (!m_active) {
        return std::nullopt;
    }
    return m_due;
}

std::vector<std::string> CvxRemoteRunner::ToolsThatComparedNothing() const
{
    return m_session.ToolsThatComparedNothing();
}

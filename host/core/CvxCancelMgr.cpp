#include "CvxCancelMgr.h"

#include <utility>

CvxCancelMgr& CvxCancelMgr::GetInstance()
{
    static CvxCancelMgr instance;
    return instance;
}

void CvxCancelMgr::Enable()
{
    if (m_depth++ == 0) {
        m_cancelled = false;
        if (m_begin) {
            m_begin();
        }
    }
}

void CvxCancelMgr::Disable()
{
    if (m_depth > 0 && --m_depth == 0 && m_end) {
        m_end();
    }
}

void CvxCancelMgr::Cancel()
{
    m_cancelled = true;
}

bool CvxCancelMgr::IsCancelled()
{
    // A pump that polls again from inside itself must not recurse.
    if (m_depth > 0 && m_pump && !m_pumping) {
        m_pumping = true;
        m_pump();
        m_pumping = false;
    }
    return IsCancelledNoUpdate();
}

void CvxCancelMgr::SetPumpHook(std::function<void()> pump)
{
    m_pump = std::move(pump);
}

void CvxCancelMgr::SetWatchHooks(std::function<void()> begin, std::function<void()> end)
{
    m_begin = std::move(begin);
    m_end = std::move(end);
}

void CvxCancelMgr::Reset()
{
    m_depth = 0;
    m_cancelled = false;
    m_pumping = false;
    m_pump = nullptr;
    m_begin = nullptr;
    m_end = nullptr;
}

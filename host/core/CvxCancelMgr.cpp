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
    }
}

void CvxCancelMgr::Disable()
{
    if (m_depth > 0) {
        --m_depth;
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

void CvxCancelMgr::Reset()
{
    m_depth = 0;
    m_cancelled = false;
    m_pumping = false;
    m_pump = nullptr;
}

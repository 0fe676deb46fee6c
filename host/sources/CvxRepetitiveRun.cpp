#include "CvxRepetitiveRun.h"

std::int64_t CvxRepetitiveRun::Run(const Consumer& consumer)
{
    m_error.clear();
    std::int64_t delivered = 0;
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) {
                break;
            }
        }
        const std::int64_t run = m_source.GetRunCount();
        std::shared_ptr<CvxData> data = m_source.Acquire();
        if (!data) {
            m_error = m_source.GetLastError();
            break;
        }
        ++delivered;
        if (!consumer(data, run)) {
            break;
        }
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, m_source.GetRepeatInterval(), [this] { return m_stop; })) {
            break;
        }
    }
    // A Stop() that came before or during this run ends only this run.
    std::lock_guard lock(m_mutex);
    m_stop = false;
    return delivered;
}

void CvxRepetitiveRun::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

#pragma once
// The host's single cancel service. A long operation encloses its work in Enable/Disable
// (nested pairs count); while enabled, the views skip keyboard moves and scrolling. The user
// (or a signal, or another thread) asks for a cancel with Cancel; the operation polls
// IsCancelledNoUpdate, or IsCancelled, which first lets the host pump its pending events
// through the pump hook. While the pump runs, IsPumping answers true and the views skip
// painting. Without a pump hook (headless hosts) nothing is pumped.

#include <atomic>
#include <functional>

class CvxCancelMgr {
public:
    static CvxCancelMgr& GetInstance();

    CvxCancelMgr(const CvxCancelMgr&) = delete;
    CvxCancelMgr& operator=(const CvxCancelMgr&) = delete;

    // The outermost Enable clears an earlier cancel request.
    void Enable();
    // Extra Disables are ignored.
    void Disable();
    bool IsEnabled() const { return m_depth > 0; }

    // Requests a cancel; takes effect only while enabled. Safe from any thread.
    void Cancel();
    // Whether a cancel was requested while enabled, without pumping events.
    bool IsCancelledNoUpdate() const { return m_depth > 0 && m_cancelled.load(); }
    // Pumps pending events (when a pump hook is set and the service is enabled), then answers
    // as IsCancelledNoUpdate.
    bool IsCancelled();
    bool IsPumping() const { return m_pumping; }

    // The host's event pump (a GUI processes its pending events there); empty for none.
    void SetPumpHook(std::function<void()> pump);
    // Called as the outermost Enable begins long work and the matching Disable ends it (a GUI
    // shows its progress dialog with a Cancel button in between); empty for none.
    void SetWatchHooks(std::function<void()> begin, std::function<void()> end);

    // Back to disabled, no request, no hook.
    void Reset();

private:
    CvxCancelMgr() = default;

    int m_depth = 0;
    std::atomic<bool> m_cancelled{false};
    bool m_pumping = false;
    std::function<void()> m_pump;
    std::function<void()> m_begin;
    std::function<void()> m_end;
};

#pragma once
// Keyboard focus between windows, for tools that move it (Tab between panes). Windows are
// opaque pointers here; the GUI host fills the two hooks. Headless, there is no focus and
// setting it does nothing.

#include <functional>
#include <utility>

class CvxFocusMgr {
public:
    static CvxFocusMgr& GetInstance();
    CvxFocusMgr(const CvxFocusMgr&) = delete;
    CvxFocusMgr& operator=(const CvxFocusMgr&) = delete;

    void* GetFocus() const { return m_get ? m_get() : nullptr; }
    void SetFocus(void* window) const
    {
        if (m_set) {
            m_set(window);
        }
    }
    void SetHooks(std::function<void*()> get, std::function<void(void*)> set)
    {
        m_get = std::move(get);
        m_set = std::move(set);
    }
    void Reset() { SetHooks({}, {}); }

private:
    CvxFocusMgr() = default;
    std::function<void*()> m_get;
    std::function<void(void*)> m_set;
};

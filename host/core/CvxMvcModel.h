#pragma once
// The subject side of the observer pattern. Observers are kept in registration order; one
// observer may be registered several times and is then called once per registration.
// Observers are not owned.

#include <vector>

class CvxDefObserver;
class CvxMvcDefMsg;

class CvxMvcModel {
public:
    CvxMvcModel() = default;
    CvxMvcModel(const CvxMvcModel&) = delete;
    CvxMvcModel& operator=(const CvxMvcModel&) = delete;
    virtual ~CvxMvcModel() = default;

    // Appends the observer, even when it is already in the list.
    virtual void AddObserver(CvxDefObserver* observer);
    // Removes every entry of the observer.
    virtual void RemoveObserver(CvxDefObserver* observer);
    // Calls Update(this, message) on each observer in list order, skipping `sender` (may be
    // null). Observers may add or remove observers meanwhile: one removed during the
    // broadcast is not called afterwards, one added is first called by the next broadcast.
    virtual void UpdateAllObservers(CvxDefObserver* sender, CvxMvcDefMsg* message);

    std::size_t GetObserverCount() const { return m_observers.size(); }

private:
    std::vector<CvxDefObserver*> m_observers;
    // Counts removals, so that a broadcast notices that its snapshot may be stale.
    unsigned m_removals = 0;
};

#include "CvxMvcModel.h"

#include "CvxDefObserver.h"

#include <algorithm>

void CvxMvcModel::AddObserver(CvxDefObserver* observer)
{
    if (observer != nullptr) {
        m_observers.push_back(observer);
    }
}

void CvxMvcModel::RemoveObserver(CvxDefObserver* observer)
{
    std::erase(m_observers, observer);
    ++m_removals;
}

void CvxMvcModel::UpdateAllObservers(CvxDefObserver* sender, CvxMvcDefMsg* message)
{
    const std::vector<CvxDefObserver*> snapshot = m_observers;
    const unsigned removals = m_removals;
    for (CvxDefObserver* observer : snapshot) {
        if (observer == sender) {
            continue;
        }
        if (m_removals != removals
            && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
            continue;
        }
        observer->Update(this, message);
    }
}

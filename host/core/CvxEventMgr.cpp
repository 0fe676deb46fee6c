#include "CvxEventMgr.h"

#include "CvxEvent.h"
#include "CvxEventBase.h"

#include <algorithm>

CvxEventMgr& CvxEventMgr::GetInstance()
{
    // Never destroyed: receivers that outlive static destruction still unregister safely.
    static CvxEventMgr* const instance = new CvxEventMgr;
    return *instance;
}

bool CvxEventMgr::Register(int event, CvxEventBase* receiver)
{
    if (receiver == nullptr) {
        return false;
    }
    auto& list = m_receivers[event];
    if (std::find(list.begin(), list.end(), receiver) != list.end()) {
        return false;
    }
    list.push_back(receiver);
    return true;
}

bool CvxEventMgr::UnRegister(int event, CvxEventBase* receiver)
{
    const auto it = m_receivers.find(event);
    if (it == m_receivers.end()) {
        return false;
    }
    return std::erase(it->second, receiver) > 0;
}

void CvxEventMgr::UnRegisterAll(CvxEventBase* receiver)
{
    for (auto& [event, list] : m_receivers) {
        std::erase(list, receiver);
    }
}

int CvxEventMgr::Fire(const CvxEvent& event)
{
    const auto it = m_receivers.find(event.GetNumber());
    if (it == m_receivers.end()) {
        return 0;
    }
    const std::vector<CvxEventBase*> snapshot = it->second;
    int called = 0;
    for (CvxEventBase* receiver : snapshot) {
        // Looked up again each time: a receiver may unregister others, or itself, meanwhile.
        const auto& now = m_receivers[event.GetNumber()];
        if (std::find(now.begin(), now.end(), receiver) == now.end()) {
            continue;
        }
        receiver->OnEvent(event);
        ++called;
    }
    return called;
}

std::size_t CvxEventMgr::GetReceiverCount(int event) const
{
    const auto it = m_receivers.find(event);
    return it == m_receivers.end() ? 0 : it->second.size();
}

void CvxEventMgr::Reset()
{
    m_receivers.clear();
}

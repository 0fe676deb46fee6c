#pragma once
// The host's single event service: receivers register for event numbers, and Fire hands an
// event to the receivers of its number in registration order. A receiver unregistered while
// an event is being handed out is not called afterwards.

#include <cstddef>
#include <map>
#include <vector>

class CvxEvent;
class CvxEventBase;

class CvxEventMgr {
public:
    static CvxEventMgr& GetInstance();

    CvxEventMgr(const CvxEventMgr&) = delete;
    CvxEventMgr& operator=(const CvxEventMgr&) = delete;

    // False for a null receiver or one already registered for that number.
    bool Register(int event, CvxEventBase* receiver);
    // False when the receiver was not registered for that number.
    bool UnRegister(int event, CvxEventBase* receiver);
    void UnRegisterAll(CvxEventBase* receiver);
    // Answers the number of receivers called.
    int Fire(const CvxEvent& event);

    std::size_t GetReceiverCount(int event) const;
    // Forgets every registration.
    void Reset();

private:
    CvxEventMgr() = default;

    std::map<int, std::vector<CvxEventBase*>> m_receivers;
};

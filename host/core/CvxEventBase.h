#pragma once
// A receiver of host events. It registers itself with the event manager for the event
// numbers it wants; when destroyed it is unregistered from all of them, so the manager never
// calls a receiver that is gone.

class CvxEvent;

class CvxEventBase {
public:
    CvxEventBase() = default;
    CvxEventBase(const CvxEventBase&) = delete;
    CvxEventBase& operator=(const CvxEventBase&) = delete;
    virtual ~CvxEventBase();

    virtual void OnEvent(const CvxEvent& event) = 0;
};

#pragma once
// Viewer locking. A lockable message is a question the host passes round: every viewer that
// can be locked to the sender adds its own instance identifier (and the message counts as
// locked). A message that is not lockable tells the receiving viewer whether the sender is
// now locked to it or not.

#include "CvxMessageBase.h"

#include <vector>

class CvxMessageLockViewer : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgLockViewer;

    CvxMessageLockViewer(const CvxID& sender, bool lockable, bool locked = false)
        : CvxMessageBase(kType, sender), m_lockable(lockable), m_locked(locked)
    {
    }

    bool IsLockable() const { return m_lockable; }
    bool IsLocked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    // The viewers that answered a lockable message.
    void AddInstanceID(const CvxID& instance)
    {
        m_instances.push_back(instance);
        m_locked = true;
    }
    const std::vector<CvxID>& GetInstanceIDs() const { return m_instances; }

private:
    bool m_lockable;
    bool m_locked;
    std::vector<CvxID> m_instances;
};

#pragma once
// A host event as the event manager hands it to its receivers: the event number and what
// the event is about.

#include "CvxID.h"

enum EvxHostEvent : int {
    kEventPlugInRenamed = 16,      // plug-in: the renamed instance
    kEventGraphStatusChanged = 17, // flag: the new graph status
    kEventPlugInAdded = 18,        // plug-in: the new instance
    kEventPlugInDeleted = 19,      // plug-in: the deleted instance
};

class CvxEvent {
public:
    explicit CvxEvent(int number, const CvxID& plugIn = CvxID::NullID(), bool flag = false)
        : m_number(number), m_plugIn(plugIn), m_flag(flag)
    {
    }

    int GetNumber() const { return m_number; }
    const CvxID& GetPlugInID() const { return m_plugIn; }
    bool GetFlag() const { return m_flag; }

private:
    int m_number;
    CvxID m_plugIn;
    bool m_flag;
};

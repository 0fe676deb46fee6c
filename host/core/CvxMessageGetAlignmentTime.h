#pragma once
// The host asks a viewer for the time its window is aligned to (its centre); HasTime tells
// the host whether the viewer answered.

#include "CvxMessageBase.h"
#include "CvxTime.h"

class CvxMessageGetAlignmentTime : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgGetAlignmentTime;

    CvxMessageGetAlignmentTime() : CvxMessageBase(kType) {}

    CvxTime GetTime() const { return m_time; }
    void SetTime(CvxTime time)
    {
        m_time = time;
        m_set = true;
    }
    bool HasTime() const { return m_set; }

private:
    CvxTime m_time;
    bool m_set = false;
};

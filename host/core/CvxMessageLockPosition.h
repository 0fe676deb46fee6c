#pragma once
// A viewer moved its centre: viewers locked to the sender follow to the position.

#include "CvxMessageBase.h"
#include "CvxPosition.h"

class CvxMessageLockPosition : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgLockPosition;

    CvxMessageLockPosition(const CvxID& sender, const CvxPosition& position)
        : CvxMessageBase(kType, sender), m_position(position)
    {
    }

    const CvxPosition& GetPosition() const { return m_position; }

private:
    CvxPosition m_position;
};

#pragma once
// The host asks a viewer which part of the data its window shows: the viewer fills in the
// start, end and centre positions; HasRange tells the host whether it did.

#include "CvxMessageBase.h"
#include "CvxPosition.h"

class CvxMessageWindowRange : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgWindowRange;

    CvxMessageWindowRange() : CvxMessageBase(kType) {}

    const CvxPosition& GetStartPosition() const { return m_start; }
    const CvxPosition& GetEndPosition() const { return m_end; }
    const CvxPosition& GetCenterPosition() const { return m_center; }
    void SetStartPosition(const CvxPosition& p) { m_start = p; m_set = true; }
    void SetEndPosition(const CvxPosition& p) { m_end = p; m_set = true; }
    void SetCenterPosition(const CvxPosition& p) { m_center = p; m_set = true; }
    bool HasRange() const { return m_set; }

private:
    CvxPosition m_start;
    CvxPosition m_end;
    CvxPosition m_center;
    bool m_set = false;
};

#pragma once
// A turn of a front-panel knob: the knob's number and the signed size of the turn.

#include "CvxMessageBase.h"

class CvxMessageFrontPanelKnob : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgFrontPanelKnob;

    CvxMessageFrontPanelKnob(int knob, int direction) : CvxMessageBase(kType), m_knob(knob), m_direction(direction) {}

    int GetKnob() const { return m_knob; }
    int GetDirection() const { return m_direction; }

private:
    int m_knob;
    int m_direction;
};

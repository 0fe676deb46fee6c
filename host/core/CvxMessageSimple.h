#pragma once
// Host messages that carry nothing but their type.

#include "CvxMessageBase.h"

template <int Type>
class CvxMessageSimple_T : public CvxMessageBase {
public:
    static constexpr int kType = Type;
    CvxMessageSimple_T() : CvxMessageBase(Type) {}
};

using CvxMessageSymbolChanged = CvxMessageSimple_T<kHostMsgSymbolChanged>;
using CvxMessageDestroyPlugIn = CvxMessageSimple_T<kHostMsgDestroyPlugIn>;
using CvxMessageUpdateActivityIndicators = CvxMessageSimple_T<kHostMsgUpdateActivityIndicators>;
using CvxMessageTriggerChanged = CvxMessageSimple_T<kHostMsgTriggerChanged>;
using CvxMessageSamplingChanged = CvxMessageSimple_T<kHostMsgSamplingChanged>;

#pragma once
// Sample iterator over an integer-valued column (attribute 11).

#include "CvxSampleIterBase.h"

class CvxSampleIntegerIter : public CvxSampleIterBase {
public:
    CvxSampleIntegerIter(const CvxData& data, const CvxLabelChannel& label, int mode) : CvxSampleIterBase(data, label, mode) {}
};

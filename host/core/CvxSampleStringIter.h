#pragma once
// Sample iterator over a string-valued column (attribute 9).

#include "CvxSampleIterBase.h"

class CvxSampleStringIter : public CvxSampleIterBase {
public:
    CvxSampleStringIter(const CvxData& data, const CvxLabelChannel& label, int mode) : CvxSampleIterBase(data, label, mode) {}
};

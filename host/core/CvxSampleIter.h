#pragma once
// Generic sample iterator: any column, including the time and sample-number columns.

#include "CvxSampleIterBase.h"

class CvxSampleIter : public CvxSampleIterBase {
public:
    CvxSampleIter(const CvxData& data, const CvxLabelChannel& label, int mode) : CvxSampleIterBase(data, label, mode) {}
};

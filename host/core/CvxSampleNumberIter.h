#pragma once
// Walks the samples of a table (or of the table that holds a label); values are sample numbers.

#include "CvxSampleIterBase.h"

class CvxSampleNumberIter : public CvxSampleIterBase {
public:
    explicit CvxSampleNumberIter(const CvxDataTable& table) : CvxSampleIterBase(table) {}
};

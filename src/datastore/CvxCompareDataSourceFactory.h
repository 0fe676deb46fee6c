#pragma once
// The store factory of the reference buffer: a new, empty paged store for a bus/signal.
//
// String labels (host kind StringLabel) get string stores: 4096 rows per page, at most 15
// pages in memory. Other labels get the narrowest numeric element that holds their channels
// (up to 8: 8-bit, up to 16: 16-bit, up to 32: 32-bit, up to 64: 64-bit, more: CvxUInt),
// except that a four-state label of up to 64 channels gets CvxUInt, whose upper words keep
// its X/Z mask. Numeric stores hold 32768 rows per page (4096 with sub-rows) and at most 64,
// 64, 32, 16 or 8 pages in memory (the 8-, 16-, 32-, 64-bit and CvxUInt types), so that a
// store keeps at most 2 MiB (8-bit) or 4 MiB of values in memory.

#include "CvxCompareDataSource.h"

#include <cstdint>
#include <memory>

class CvxLabelChannel;

// Page geometry of a store.
struct CvxCompareStoreGeometry {
    std::int32_t pageSize;
    std::int32_t pageLimit;
};

// Element width in bytes for a label channel (0 for strings), as the factory chooses it.
int CvxCompareElementWidth(const CvxLabelChannel& label);
CvxCompareStoreGeometry CvxCompareGeometry(int elementWidth, bool hasSubRows);

std::unique_ptr<CvxCompareDataSource> CreateCompareDataSource(const CvxLabelChannel& label, bool hasSubRows);

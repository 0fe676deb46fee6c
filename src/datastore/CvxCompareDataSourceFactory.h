#pragma once
// The store factory of the reference buffer: a new, empty paged store for a bus/signal.
//
// String columns get string stores: 4096 rows per page, at most 15 pages in memory. Numeric
// ones get the narrowest element that holds their channels (up to 8: 8-bit, up to 16: 16-bit,
// up to 32: 32-bit, up to 64: 64-bit, more: CvxUInt); values of up to 64 bits that carry X/Z
// bits get a four-state element of that width (value and mask), so that the mask is never
// lost on the way into the store. Numeric stores hold 32768 rows per page (4096 with
// sub-rows) and at most 64, 64, 32, 16 or 8 pages in memory (elements of 1, 2, 4, 8 and 16
// bytes), so that a store keeps at most 2 MiB (8-bit) or 4 MiB of values in memory.
//
// The kind comes from the data column that is copied, never from the label alone: two
// captures may hold the same bus with and without X/Z. Setups saved before the kind was kept
// fall back to the label's kind (a four-state label then had CvxUInt).

#include "CvxCompareDataSource.h"

#include <cstdint>
#include <memory>

class CvxDataColumnComponent;
class CvxLabelChannel;

// What a store keeps of one value: its bytes (0 for strings; 1, 2, 4, 8 or 16) and whether an
// X/Z mask of the same width goes with it.
struct CvxCompareStoreKind {
    int valueWidth = 1;
    bool fourState = false;
};

// Page geometry of a store.
struct CvxCompareStoreGeometry {
    std::int32_t pageSize;
    std::int32_t pageLimit;
};

// Element width in bytes for a label channel alone (0 for strings; 16 for a four-state label).
int CvxCompareElementWidth(const CvxLabelChannel& label);
// The kind for the values of `label` in `column`: the column's width (one bit for a single
// channel), string-ness and X/Z.
CvxCompareStoreKind CvxCompareStoreKindOf(const CvxDataColumnComponent& column, const CvxLabelChannel& label);
// Element width in bytes (four-state elements take twice their value width).
CvxCompareStoreGeometry CvxCompareGeometry(int elementWidth, bool hasSubRows);

std::unique_ptr<CvxCompareDataSource> CreateCompareDataSource(const CvxCompareStoreKind& kind, bool hasSubRows);
// The label-only choice (CvxCompareElementWidth).
std::unique_ptr<CvxCompareDataSource> CreateCompareDataSource(const CvxLabelChannel& label, bool hasSubRows);

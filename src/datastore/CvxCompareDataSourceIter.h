#pragma once
// The iterator interface of the reference-buffer stores. Slots after those of CvxDataIter, in
// order: a reserved getter, GetValue as a wide unsigned value, GetValue as a string,
// GetSubRow, GotoSubRow, GetLastSubRow, a reserved query and HasSubRows. The base answers
// as a store without values and without sub-rows; each store iterator overrides what it has.
// GetValue does no bounds test of its own beyond never reading outside its arrays: callers
// test IsDone first.

#include "CvxDataIter.h"
#include "CvxUInt.h"

#include <cstdint>
#include <string>

class CvxCompareDataSourceIter : public CvxDataIter {
public:
    CvxCompareDataSourceIter() = default;
    CvxCompareDataSourceIter(std::int32_t first, std::int32_t end) : CvxDataIter(first, end) {}

    // Reserved: no store has such a value; answers false.
    virtual bool GetReservedValue(std::int64_t& out);
    // The value at the cursor; false (out untouched) when the store keeps no such values.
    virtual bool GetValue(CvxUInt& out);
    virtual bool GetValue(std::u16string& out);
    virtual std::int32_t GetSubRow() const;
    // Moves to sub-row k of the current row; true only when that slot holds a value.
    virtual bool GotoSubRow(std::int32_t k);
    virtual std::int32_t GetLastSubRow() const;
    // Reserved: answers 1.
    virtual std::int32_t GetReservedQuery() const;
    virtual bool HasSubRows() const;

    // Beyond the slots, for the comparison's block-wise path: the values of a numeric store
    // without sub-rows from the cursor to the end of the page in memory, as `width`-byte
    // elements. Answers how many (0 for stores that keep no such array).
    virtual std::int32_t GetValueRun(const void*& values, int& width);

protected:
    // The cursor without a virtual call (GetIndex is a virtual slot).
    std::int32_t Cur() const { return CvxDataIter::GetIndex(); }
};

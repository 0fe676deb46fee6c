#pragma once
// Acquired data as bytes, so that a setup can keep the capture its reference was copied from
// (a later capture is put on their common time grid, and the reference copied again from it).
//
// Layout, little-endian: "CVXDATA1", the table count (u32), then per table: its name, its
// identifier, the trigger row (i64), the tick in fs (two u64, low first; 0 for evenly spaced
// samples), the period and the time of the trigger row in fs (two u64 each), the row count
// (i64), the row ticks (i64 each, per-row times only), the column count (u32) and per column:
// its label identifier, kind (u8), width (i32), flags (u8: 1 sub-rows, 2 X/Z masks, 4
// statuses) and its rows. A row is its status (u8, with statuses), then for sub-rows its slot
// count (u8) and entry count (u16) with each entry's slot (u8) before its value; a value is
// its bytes at the column's width (1, 2, 4, 8 or 16) with its mask at the same width, or a
// text. Texts are a u32 count of UTF-16 units and the units. Time and sample-number columns
// keep no rows.
//
// Reading trusts no count beyond the bytes that back it: a damaged archive answers null with
// the reason.

#include "CvxData.h"
#include "CvxID.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CvxDataArchive {
public:
    static std::vector<std::uint8_t> Write(const CvxData& data);
    // `label` maps a stored label identifier to the one the data should use now (null: the
    // column is dropped, its label being unknown).
    static std::shared_ptr<CvxData> Read(const std::vector<std::uint8_t>& bytes,
                                         const std::function<CvxID(const CvxID&)>& label, std::string& error);
};

#pragma once
// Puts two captures whose rows are change events (one row per time at which some value
// changed, as in a VCD file) on one common time grid, so that comparing them row by row pairs
// equal times: each capture gets a row at every time at which either of them changes, holding
// the value each bus/signal has at that time. Times are compared in femtoseconds, so captures
// with different time units align exactly.
//
// Tables pair by name. The grid starts where both tables have begun (rows of the earlier one
// before that have no partner) and each table keeps it up to its own last time (rows past the
// shorter one's end have no partner). Tables with evenly spaced samples are sampled at a fixed
// rate and are left as they are, as are tables without a partner. Rows of one table at one
// time (which no VCD file gives) hold the last of their values.

#include "CvxData.h"

#include <cstdint>
#include <memory>

class CvxTimeAligner {
public:
    struct Result {
        std::shared_ptr<CvxData> reference;
        std::shared_ptr<CvxData> input;
        // Rows before the common start, which the grid leaves out.
        std::int64_t referenceRowsBefore = 0;
        std::int64_t inputRowsBefore = 0;
    };

    // Whether any table of the data keeps one time per row.
    static bool HasChangeEvents(const CvxData& data);

    // Aligns the two captures and lets go of the originals as soon as each is copied, so that
    // the peak memory is one capture more than the two. Captures that already share their row
    // times come back as they are.
    static Result Align(std::shared_ptr<CvxData> reference, std::shared_ptr<CvxData> input);
};

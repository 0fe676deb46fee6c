#pragma once
// Writes VCD captures shaped like a synchronous bus: a clock, a read and a write strobe, and
// 8/16/32/64-bit buses that change at every cycle (values at the rising edge, the clock's
// falling edge half a cycle later). Differences can be injected: one bit of the 32-bit bus
// inverted at chosen cycles from the rising edge to the falling edge, where the right value
// comes back, so that a pair of files differs in exactly those samples (sample 2 * cycle).
// CvxVcdGenerator writes random vectors without a clock; comparisons want this shape.

#include <cstdint>
#include <string>
#include <vector>

struct CvxVcdBusOptions {
    std::int64_t cycles = 1'000'000;
    std::uint64_t seed = 1;
    std::vector<std::int64_t> flippedCycles; // cycles whose 32-bit value has bit 5 inverted
};

class CvxVcdBusGenerator {
public:
    // Writes the file; answers the bytes written (0 when it cannot be written).
    static std::uint64_t Write(const std::string& path, const CvxVcdBusOptions& options);
    // The time of a cycle's rising edge in the file's timescale (1 ns): 10 ns per cycle.
    static std::int64_t CycleTimeNs(std::int64_t cycle) { return cycle * 10; }
};

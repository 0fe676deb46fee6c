#pragma once
// Writes large VCD files for benchmarks: vectors of 8 to 64 bits under one scope, several of
// them (drawn at random) changing at every timestamp, values written at full width.

#include <cstdint>
#include <string>

struct CvxVcdGeneratorOptions {
    std::uint64_t targetBytes = 200ULL << 20; // stops at the first timestamp past this size
    int variables = 16;                       // widths cycle through 8, 16, 24, 32, 48, 64
    int changesPerTimestamp = 12;            // most vectors change at every timestamp (a busy bus)
    std::uint64_t seed = 1;
};

class CvxVcdGenerator {
public:
    // Writes the file; answers the bytes written (0 when it cannot be written).
    static std::uint64_t Write(const std::string& path, const CvxVcdGeneratorOptions& options);
};

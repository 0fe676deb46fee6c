#pragma once
// Faults that the simulated analyzer injects into its timing module, so that consecutive
// runs differ as real captures do. A fault sits at a row counted from the start of the
// acquisition (0-based, before the trigger is placed):
//   flip:LABEL:ROW:BIT   one bit of a bus/signal inverted at that row
//   glitch:LABEL:ROW     a one-sample pulse: a 1-bit signal inverted at that row
//   missing:ROW          the sample due at that row is lost; later samples move up one row
//   extra:ROW            the sample at that row is captured twice; later ones move down
// Lists are comma-separated ("flip:DATA8:100:3, missing:200"). Seeded faults add, per run,
// a number of faults of random kinds and places drawn from the seed and the run number.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class EvxSimFault : std::uint8_t { BitFlip, Glitch, Missing, Extra };

struct CvxSimFault {
    EvxSimFault kind = EvxSimFault::BitFlip;
    std::int64_t row = 0;
    int label = -1; // index into the label list given to Parse / Seeded
    int bit = 0;

    friend bool operator==(const CvxSimFault&, const CvxSimFault&) = default;
};

// A label that faults may name: its name and width in bits.
struct CvxSimFaultTarget {
    std::string name;
    int width;
};

class CvxSimFaultPlan {
public:
    // Parses a fault list against the labels that may be named; false with `error` on bad text.
    static bool Parse(std::string_view text, const std::vector<CvxSimFaultTarget>& targets,
                      std::vector<CvxSimFault>& out, std::string& error);
    static std::string Format(const std::vector<CvxSimFault>& faults, const std::vector<CvxSimFaultTarget>& targets);
    // `perMillion` faults per million rows (rounded down, at least one when the rate is
    // positive) for run `run` of a seed, at rows below `rows`, sorted by row.
    static std::vector<CvxSimFault> Seeded(std::uint64_t seed, std::int64_t run, double perMillion, std::int64_t rows,
                                           const std::vector<CvxSimFaultTarget>& targets);
};

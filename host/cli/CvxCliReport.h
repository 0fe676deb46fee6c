#pragma once
// What cvx-compare prints about a comparison, in one of three forms:
//   text    the four counts as the Compare window shows them ("Samples Compared: " ...), the
//           rows of either capture that had no partner in the other, then each listed difference: its sample, its time and, per bus/signal that differs,
//           the input value against the reference value;
//   csv     a counts table and a differences table (one line per differing bus/signal),
//           separated by an empty line;
//   markup  the tool's own replies ("Counts", then one "Differences" per listed sample)
//           under a "CompareResult" root, with the unpaired rows as a "Pairing" element.

#include "CvxCliTool.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class CvxCliPairing;
class CvxData;

enum class EvxCliForm { Text, Csv, Markup };

class CvxCliReport {
public:
    // "text", "csv" or "markup"; throws CvxCliError for anything else.
    static EvxCliForm ParseForm(const std::string& text);

    // Reads the counts and the first `listed` differences from the tool. `data` is the input
    // the tool compared: the time of each difference is read from it. `pairing` (may be null:
    // nothing unpaired) gives the rows that had no partner.
    static void Print(std::FILE* out, EvxCliForm form, const CvxCliTool& tool, const CvxData* data, std::int64_t listed,
                      const CvxCliPairing* pairing = nullptr);

    // One line per run of a repetitive run: "run N: Samples Compared: ... Differences: D", with
    // the capture's name after the number when there is one ("run N (b.vcd): ...").
    static std::string RunLine(std::int64_t run, const CvxCliCounts& counts, const std::string& capture = {});

    // The time of a difference's sample, read from the table of its first differing
    // bus/signal ("" when the data has no such table).
    static std::string TimeOf(const CvxData& data, const CvxCliDifference& difference);
};

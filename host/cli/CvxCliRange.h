#pragma once
// The range options the commands that copy a reference or compare share: --range M1..M2,
// --from/--to TIME (user markers at those times), the window they cover, and the check of
// --save-setup before any work is done.

#include "CvxInt128.h"

#include <string>
#include <utility>
#include <vector>

class CvxCliArgs;

class CvxCliRange {
public:
    using Attributes = std::vector<std::pair<std::u16string, std::u16string>>;

    // The compare range of the options as attributes of one options request ("Range" or
    // "TimeRange"); throws CvxCliError for bad times or both forms at once.
    static Attributes Options(const CvxCliArgs& cli);
    // What a refused range request names.
    static std::string What(const CvxCliArgs& cli);

    // The time window the comparison covers, for counting rows without a partner:
    // --from/--to, or a --range between the markers that stand at fixed places (Begin,
    // Trigger at 0 s, End); a range of other markers is not known here.
    struct Window {
        CvxInt128 from = kCvxInt128Min;
        CvxInt128 to = kCvxInt128Max;
        bool known = true;
    };
    static Window WindowOf(const CvxCliArgs& cli);

    // A time option in femtoseconds, up to 9223 s. The unit is required: a bare number would
    // be femtoseconds, which no one typing "--from 5" means.
    static CvxInt128 TimeOption(const CvxCliArgs& cli, const std::string& name);

    // Refuses a --save-setup path that cannot be written before the work takes its time.
    static void CheckSavePath(const CvxCliArgs& cli);
};

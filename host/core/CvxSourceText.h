#pragma once
// Small parsers for option and command texts (sources, dialogs): integers, booleans and times
// with a unit, converted exactly (a time that is not a whole number of femtoseconds is refused).

#include "CvxInt128.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CvxSourceText {
public:
    // Decimal, or hexadecimal with 0x; an optional k, M or G multiplier (1000s).
    static bool ParseInt(std::string_view text, std::int64_t& out);
    static bool ParseUInt(std::string_view text, std::uint64_t& out);
    // "1", "true", "yes", "on" and "0", "false", "no", "off" (any letter case).
    static bool ParseBool(std::string_view text, bool& out);
    // A number (integer or decimal fraction) followed by s, ms, us, ns, ps or fs, blanks
    // allowed between: "10ns", "6666 ps", "1.5us". A bare number counts femtoseconds.
    static bool ParseTime(std::string_view text, CvxInt128& femtoseconds);
    // Time in fs as text with the largest unit that keeps it whole ("6666ps", "10ns").
    static std::string FormatTime(CvxInt128 femtoseconds);
    static std::string_view Trim(std::string_view text);
    // Splits at `separator`, trimming each piece; empty pieces are kept.
    static std::vector<std::string_view> Split(std::string_view text, char separator);
};

#pragma once
// 128-bit integers of the host: times are signed 128-bit counts of femtoseconds.

#include <cstdint>
#include <string>
#include <string_view>

using CvxInt128 = __int128;
using CvxUInt128 = unsigned __int128;

constexpr CvxInt128 kCvxInt128Max = static_cast<CvxInt128>(~CvxUInt128{0} >> 1);
constexpr CvxInt128 kCvxInt128Min = -kCvxInt128Max - 1;

// Decimal text of a 128-bit value ("-170141183460469231731687303715884105728" at the extreme).
std::string CvxInt128ToString(CvxInt128 value);
std::string CvxUInt128ToString(CvxUInt128 value);

// Parses optional blanks, an optional sign and decimal digits; false on anything else or overflow.
bool CvxInt128FromString(std::string_view text, CvxInt128& out);

// Arithmetic shift right that is defined for every shift count (0 for counts of 128 or more
// on non-negative values, -1 on negative ones).
constexpr CvxInt128 CvxInt128ShiftRight(CvxInt128 value, int shift)
{
    if (shift <= 0) {
        return value;
    }
    if (shift >= 128) {
        return value < 0 ? -1 : 0;
    }
    return value >> shift;
}

// Floor division (towards minus infinity); the divisor must be positive.
constexpr CvxInt128 CvxInt128FloorDiv(CvxInt128 value, CvxInt128 divisor)
{
    CvxInt128 q = value / divisor;
    if ((value % divisor) != 0 && value < 0) {
        --q;
    }
    return q;
}

// Ceiling division; the divisor must be positive.
constexpr CvxInt128 CvxInt128CeilDiv(CvxInt128 value, CvxInt128 divisor)
{
    CvxInt128 q = value / divisor;
    if ((value % divisor) != 0 && value > 0) {
        ++q;
    }
    return q;
}

#include "CvxInt128.h"

#include <algorithm>

std::string CvxUInt128ToString(CvxUInt128 value)
{
    if (value == 0) {
        return "0";
    }
    std::string digits;
    while (value != 0) {
        digits.push_back(static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string CvxInt128ToString(CvxInt128 value)
{
    if (value >= 0) {
        return CvxUInt128ToString(static_cast<CvxUInt128>(value));
    }
    // Negate in the unsigned domain so that the minimum value has a magnitude.
    return "-" + CvxUInt128ToString(~static_cast<CvxUInt128>(value) + 1);
}

bool CvxInt128FromString(std::string_view text, CvxInt128& out)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) {
        return false;
    }
    const CvxUInt128 limit = negative ? static_cast<CvxUInt128>(kCvxInt128Max) + 1
                                      : static_cast<CvxUInt128>(kCvxInt128Max);
    CvxUInt128 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        const auto digit = static_cast<CvxUInt128>(c - '0');
        if (magnitude > (limit - digit) / 10) {
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    out = negative ? static_cast<CvxInt128>(~magnitude + 1) : static_cast<CvxInt128>(magnitude);
    return true;
}

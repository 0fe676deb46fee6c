#include "CvxSourceText.h"

#include "CvxTime.h"

#include <array>
#include <cctype>
#include <utility>

std::string_view CvxSourceText::Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> CvxSourceText::Split(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t at = text.find(separator);
        pieces.push_back(Trim(text.substr(0, at)));
        if (at == std::string_view::npos) {
            return pieces;
        }
        text.remove_prefix(at + 1);
    }
}

bool CvxSourceText::ParseUInt(std::string_view text, std::uint64_t& out)
{
    text = Trim(text);
    std::uint64_t multiplier = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'k': case 'K': multiplier = 1000; break;
        case 'M': multiplier = 1000'000; break;
        case 'G': multiplier = 1000'000'000; break;
        default: break;
        }
        if (multiplier != 1) {
            text.remove_suffix(1);
        }
    }
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return false;
    }
    CvxUInt128 value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)) != 0) {
            digit = static_cast<unsigned>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
        } else {
            return false;
        }
        value = value * base + digit;
        if (value > ~std::uint64_t{0}) {
            return false;
        }
    }
    value *= multiplier;
    if (value > ~std::uint64_t{0}) {
        return false;
    }
    out = static_cast<std::uint64_t>(value);
    return true;
}

bool CvxSourceText::ParseInt(std::string_view text, std::int64_t& out)
{
    text = Trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    if (!ParseUInt(text, magnitude) || magnitude > static_cast<std::uint64_t>(INT64_MAX)) {
        return false;
    }
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool CvxSourceText::ParseBool(std::string_view text, bool& out)
{
    std::string lower;
    for (const char c : Trim(text)) {
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    if (lower == "1" || lower == "true" || lower == "yes" || lower == "on") {
        out = true;
        return true;
    }
    if (lower == "0" || lower == "false" || lower == "no" || lower == "off") {
        out = false;
        return true;
    }
    return false;
}

namespace {

constexpr std::array<std::pair<std::string_view, CvxInt128>, 6> kUnits{{
    {"s", CvxTime::kS}, {"ms", CvxTime::kMs}, {"us", CvxTime::kUs},
    {"ns", CvxTime::kNs}, {"ps", CvxTime::kPs}, {"fs", CvxTime::kFs},
}};

} // namespace

bool CvxSourceText::ParseTime(std::string_view text, CvxInt128& femtoseconds)
{
    text = Trim(text);
    std::size_t digitsEnd = 0;
    while (digitsEnd < text.size() && (std::isdigit(static_cast<unsigned char>(text[digitsEnd])) != 0 || text[digitsEnd] == '.')) {
        ++digitsEnd;
    }
    const std::string_view number = text.substr(0, digitsEnd);
    const std::string_view unitText = Trim(text.substr(digitsEnd));
    CvxInt128 unit = -1;
    if (unitText.empty()) {
        unit = CvxTime::kFs;
    }
    for (const auto& [name, fs] : kUnits) {
        if (unitText == name) {
            unit = fs;
        }
    }
    if (unit < 0 || number.empty() || number == ".") {
        return false;
    }
    // Whole digits and fraction digits; the fraction must end within whole femtoseconds.
    CvxInt128 whole = 0;
    CvxInt128 fraction = 0;
    CvxInt128 fractionScale = 1;
    bool inFraction = false;
    for (const char c : number) {
        if (c == '.') {
            if (inFraction) {
                return false;
            }
            inFraction = true;
            continue;
        }
        CvxInt128& target = inFraction ? fraction : whole;
        target = target * 10 + (c - '0');
        if (inFraction) {
            fractionScale *= 10;
        }
        if (target > CvxInt128{1} << 100 || fractionScale > CvxInt128{1} << 100) {
            return false;
        }
    }
    if ((fraction * unit) % fractionScale != 0) {
        return false;
    }
    femtoseconds = whole * unit + fraction * unit / fractionScale;
    return true;
}

std::string CvxSourceText::FormatTime(CvxInt128 femtoseconds)
{
    for (const auto& [name, fs] : kUnits) {
        if (femtoseconds != 0 && femtoseconds % fs == 0) {
            return CvxInt128ToString(femtoseconds / fs) + std::string(name);
        }
    }
    return CvxInt128ToString(femtoseconds) + "fs";
}

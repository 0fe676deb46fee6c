#pragma once
// Conversions between the wide (UTF-16) strings of the core, UTF-8 text of files and
// terminals, and the host's 8-bit code page (ISO-8859-1: byte b reads back as U+00bb).

#include <charconv>
#include <string>
#include <string_view>

class CvxStringConvert {
public:
    // Wide to 8-bit code page: each UTF-16 code unit keeps its low 8 bits.
    static std::string WtoC(std::u16string_view text);
    // 8-bit code page to wide.
    static std::u16string CtoW(std::string_view text);
    // UTF-8 to UTF-16; malformed bytes become U+FFFD.
    static std::u16string FromUtf8(std::string_view text);
    // UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
    static std::string ToUtf8(std::u16string_view text);
    // Appends one code point (up to U+10FFFF) in UTF-8.
    static void AppendUtf8(std::string& out, char32_t codePoint);

    // A whole decimal number and nothing else (a leading '-' for signed types; no blanks, no
    // '+'); false, value untouched, when text holds anything else or the number does not fit
    // T. Characters beyond ASCII are refused before narrowing, so none of them reads as a digit.
    template <typename T>
    static bool ParseDecimal(std::u16string_view text, T& value)
    {
        std::string narrow;
        for (const char16_t c : text) {
            if (c > 0x7F) {
                return false;
            }
            narrow.push_back(static_cast<char>(c));
        }
        const char* end = narrow.data() + narrow.size();
        T parsed{};
        const auto [last, ec] = std::from_chars(narrow.data(), end, parsed);
        if (narrow.empty() || ec != std::errc() || last != end) {
            return false;
        }
        value = parsed;
        return true;
    }
};

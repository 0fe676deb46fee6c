#include "CvxID.h"

#include <cstring>
#include <random>

#include <sys/random.h>

const CvxID& CvxID::NullID()
{
    static const CvxID null;
    return null;
}

CvxID CvxID::New()
{
    Bytes bytes{};
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = getrandom(bytes.data() + got, bytes.size() - got, 0);
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    if (got < bytes.size()) {
        // No kernel entropy interface: fall back to the library's generator.
        static thread_local std::mt19937_64 engine{std::random_device{}()};
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(engine());
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return CvxID(bytes);
}

namespace {

int HexDigit(char32_t c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<int>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<int>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<int>(c - 'A' + 10);
    }
    return -1;
}

template <typename Char>
bool ParseGuid(std::basic_string_view<Char> text, CvxID::Bytes& out)
{
    if (text.size() == 38) {
        if (text.front() != '{' || text.back() != '}') {
            return false;
        }
        text = text.substr(1, 36);
    }
    if (text.size() != 36) {
        return false;
    }
    size_t byte = 0;
    for (size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') {
                return false;
            }
            ++i;
            continue;
        }
        const int hi = HexDigit(static_cast<char32_t>(text[i]));
        const int lo = HexDigit(static_cast<char32_t>(text[i + 1]));
        if (hi < 0 || lo < 0) {
            return false;
        }
        out[byte++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    return byte == 16;
}

} // namespace

bool CvxID::SetValue(std::string_view text)
{
    Bytes bytes{};
    if (!ParseGuid(text, bytes)) {
        return false;
    }
    m_bytes = bytes;
    return true;
}

bool CvxID::SetValue(std::u16string_view text)
{
    Bytes bytes{};
    if (!ParseGuid(text, bytes)) {
        return false;
    }
    m_bytes = bytes;
    return true;
}

std::string CvxID::ToString() const
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < m_bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text.push_back('-');
        }
        text.push_back(digits[m_bytes[i] >> 4]);
        text.push_back(digits[m_bytes[i] & 0x0F]);
    }
    text.push_back('}');
    return text;
}

std::u16string CvxID::ToU16String() const
{
    const std::string text = ToString();
    return std::u16string(text.begin(), text.end());
}

bool CvxID::IsNull() const
{
    return *this == NullID();
}

std::size_t std::hash<CvxID>::operator()(const CvxID& id) const noexcept
{
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, id.GetBytes().data(), 8);
    std::memcpy(&b, id.GetBytes().data() + 8, 8);
    return static_cast<std::size_t>(a ^ (b * 0x9E3779B97F4A7C15ULL));
}

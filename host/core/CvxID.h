#pragma once
// 16-byte identifier of labels, tables, plug-ins, markers and columns.

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CvxID {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    constexpr CvxID() = default;
    constexpr explicit CvxID(const Bytes& bytes) : m_bytes(bytes) {}

    // The all-zero identifier, which names nothing.
    static const CvxID& NullID();
    // A new random (version 4) identifier.
    static CvxID New();

    // Reads GUID text "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (braces optional, any letter case).
    // On malformed text the identifier is unchanged and the answer is false.
    bool SetValue(std::string_view text);
    bool SetValue(std::u16string_view text);

    // Braced upper-case GUID text, the form SetValue reads.
    std::string ToString() const;
    std::u16string ToU16String() const;

    bool IsNull() const;
    const Bytes& GetBytes() const { return m_bytes; }

    friend bool operator==(const CvxID&, const CvxID&) = default;
    friend std::strong_ordering operator<=>(const CvxID&, const CvxID&) = default;

private:
    Bytes m_bytes{};
};

template <>
struct std::hash<CvxID> {
    std::size_t operator()(const CvxID& id) const noexcept;
};

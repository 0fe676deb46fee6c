#pragma once
// Wide unsigned value of a bus/signal: four 32-bit words, least significant first.
// Four-state labels of up to 64 bits keep their value in words 0-1 and an X/Z mask in
// words 2-3 (a masked bit reads X when its value bit is 0 and Z when it is 1).

#include "CvxInt128.h"

#include <compare>
#include <cstdint>

class CvxUInt {
public:
    static constexpr int kWords = 4;
    static constexpr int kBits = 128;

    constexpr CvxUInt() = default;
    constexpr explicit CvxUInt(std::uint64_t low)
        : m_words{static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(low >> 32), 0, 0}
    {
    }
    constexpr CvxUInt(std::uint32_t w0, std::uint32_t w1, std::uint32_t w2, std::uint32_t w3)
        : m_words{w0, w1, w2, w3}
    {
    }
    static constexpr CvxUInt FromU128(CvxUInt128 v)
    {
        return CvxUInt(static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32),
                       static_cast<std::uint32_t>(v >> 64), static_cast<std::uint32_t>(v >> 96));
    }
    // Value bits and an X/Z mask of a four-state label of up to 64 bits.
    static constexpr CvxUInt FourState(std::uint64_t value, std::uint64_t mask)
    {
        return FromU128(static_cast<CvxUInt128>(value) | (static_cast<CvxUInt128>(mask) << 64));
    }

    constexpr std::uint32_t GetWord(int i) const { return m_words[i]; }
    constexpr void SetWord(int i, std::uint32_t w) { m_words[i] = w; }
    constexpr std::uint64_t Low64() const { return m_words[0] | (static_cast<std::uint64_t>(m_words[1]) << 32); }
    constexpr std::uint64_t High64() const { return m_words[2] | (static_cast<std::uint64_t>(m_words[3]) << 32); }
    constexpr CvxUInt128 AsU128() const { return Low64() | (static_cast<CvxUInt128>(High64()) << 64); }
    constexpr bool IsZero() const { return (m_words[0] | m_words[1] | m_words[2] | m_words[3]) == 0; }

    constexpr bool GetBit(int bit) const { return ((m_words[bit >> 5] >> (bit & 31)) & 1U) != 0; }
    constexpr void SetBit(int bit, bool on)
    {
        const std::uint32_t m = 1U << (bit & 31);
        m_words[bit >> 5] = on ? (m_words[bit >> 5] | m) : (m_words[bit >> 5] & ~m);
    }
    // Keeps the low `bits` bits (0 to 128).
    constexpr CvxUInt Masked(int bits) const
    {
        if (bits >= kBits) {
            return *this;
        }
        if (bits <= 0) {
            return CvxUInt();
        }
        return FromU128(AsU128() & ((CvxUInt128{1} << bits) - 1));
    }

    constexpr CvxUInt operator&(const CvxUInt& o) const { return FromU128(AsU128() & o.AsU128()); }
    constexpr CvxUInt operator|(const CvxUInt& o) const { return FromU128(AsU128() | o.AsU128()); }
    constexpr CvxUInt operator^(const CvxUInt& o) const { return FromU128(AsU128() ^ o.AsU128()); }
    constexpr CvxUInt operator~() const { return FromU128(~AsU128()); }
    constexpr CvxUInt operator<<(int n) const { return n >= kBits ? CvxUInt() : FromU128(AsU128() << n); }
    constexpr CvxUInt operator>>(int n) const { return n >= kBits ? CvxUInt() : FromU128(AsU128() >> n); }

    friend constexpr bool operator==(const CvxUInt& a, const CvxUInt& b)
    {
        return a.m_words[0] == b.m_words[0] && a.m_words[1] == b.m_words[1] && a.m_words[2] == b.m_words[2]
            && a.m_words[3] == b.m_words[3];
    }
    friend constexpr std::strong_ordering operator<=>(const CvxUInt& a, const CvxUInt& b)
    {
        return a.AsU128() <=> b.AsU128();
    }

private:
    std::uint32_t m_words[kWords] = {0, 0, 0, 0};
};

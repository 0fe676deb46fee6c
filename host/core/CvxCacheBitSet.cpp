#include "CvxCacheBitSet.h"

#include <algorithm>
#include <bit>
#include <cstring>

CvxCacheBitSet::CvxCacheBitSet(std::int64_t size)
    : m_size(std::max<std::int64_t>(size, 0))
    , m_words(new std::uint64_t[static_cast<size_t>(WordCount())]())
    , m_summary(new std::uint64_t[static_cast<size_t>(SummaryCount())]())
{
}

CvxCacheBitSet::CvxCacheBitSet(const CvxCacheBitSet& other)
    : m_size(other.m_size)
    , m_count(other.m_count)
    , m_words(new std::uint64_t[static_cast<size_t>(WordCount())])
    , m_summary(new std::uint64_t[static_cast<size_t>(SummaryCount())])
{
    if (m_size > 0) {
        std::memcpy(m_words.get(), other.m_words.get(), static_cast<size_t>(WordCount()) * 8);
        std::memcpy(m_summary.get(), other.m_summary.get(), static_cast<size_t>(SummaryCount()) * 8);
    }
}

CvxCacheBitSet& CvxCacheBitSet::operator=(const CvxCacheBitSet& other)
{
    if (this != &other) {
        CvxCacheBitSet copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void CvxCacheBitSet::AddRange(std::int64_t first, std::int64_t last)
{
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, m_size - 1);
    if (first > last) {
        return;
    }
    const std::int64_t firstWord = first >> 6;
    const std::int64_t lastWord = last >> 6;
    for (std::int64_t word = firstWord; word <= lastWord; ++word) {
        std::uint64_t bits = ~std::uint64_t{0};
        if (word == firstWord) {
            bits &= ~std::uint64_t{0} << (first & 63);
        }
        if (word == lastWord && (last & 63) != 63) {
            bits &= (std::uint64_t{1} << ((last & 63) + 1)) - 1;
        }
        std::uint64_t& w = m_words[word];
        const std::uint64_t added = bits & ~w;
        if (added != 0) {
            if (w == 0) {
                m_summary[word >> 6] |= std::uint64_t{1} << (word & 63);
            }
            w |= added;
            m_count += std::popcount(added);
        }
    }
}

void CvxCacheBitSet::Clear()
{
    for (std::int64_t s = 0; s < SummaryCount(); ++s) {
        std::uint64_t summary = m_summary[s];
        while (summary != 0) {
            m_words[(s << 6) + std::countr_zero(summary)] = 0;
            summary &= summary - 1;
        }
        m_summary[s] = 0;
    }
    m_count = 0;
}

std::int64_t CvxCacheBitSet::NextWord(std::int64_t word) const
{
    // First word at or after `word` that holds any member, or -1.
    std::int64_t s = word >> 6;
    if (s >= SummaryCount()) {
        return -1;
    }
    std::uint64_t summary = m_summary[s] & (~std::uint64_t{0} << (word & 63));
    while (summary == 0) {
        if (++s >= SummaryCount()) {
            return -1;
        }
        summary = m_summary[s];
    }
    return (s << 6) + std::countr_zero(summary);
}

std::int64_t CvxCacheBitSet::PrevWord(std::int64_t word) const
{
    // Last word at or before `word` that holds any member, or -1.
    if (word < 0) {
        return -1;
    }
    std::int64_t s = word >> 6;
    const int shift = 63 - static_cast<int>(word & 63);
    std::uint64_t summary = (m_summary[s] << shift) >> shift;
    while (summary == 0) {
        if (--s < 0) {
            return -1;
        }
        summary = m_summary[s];
    }
    return (s << 6) + 63 - std::countl_zero(summary);
}

std::int64_t CvxCacheBitSet::NextSet(std::int64_t from) const
{
    from = std::max<std::int64_t>(from, 0);
    if (from >= m_size || m_count == 0) {
        return -1;
    }
    std::int64_t word = from >> 6;
    const std::uint64_t first = m_words[word] & (~std::uint64_t{0} << (from & 63));
    if (first != 0) {
        return (word << 6) + std::countr_zero(first);
    }
    word = NextWord(word + 1);
    return word < 0 ? -1 : (word << 6) + std::countr_zero(m_words[word]);
}

std::int64_t CvxCacheBitSet::PrevSet(std::int64_t from) const
{
    from = std::min(from, m_size - 1);
    if (from < 0 || m_count == 0) {
        return -1;
    }
    std::int64_t word = from >> 6;
    const int shift = 63 - static_cast<int>(from & 63);
    const std::uint64_t first = (m_words[word] << shift) >> shift;
    if (first != 0) {
        return (word << 6) + 63 - std::countl_zero(first);
    }
    word = PrevWord(word - 1);
    return word < 0 ? -1 : (word << 6) + 63 - std::countl_zero(m_words[word]);
}

std::int64_t CvxCacheBitSet::Select(std::int64_t n) const
{
    if (n < 0 || n >= m_count) {
        return -1;
    }
    for (std::int64_t word = NextWord(0); word >= 0; word = NextWord(word + 1)) {
        std::uint64_t w = m_words[word];
        const int here = std::popcount(w);
        if (n < here) {
            for (; n > 0; --n) {
                w &= w - 1;
            }
            return (word << 6) + std::countr_zero(w);
        }
        n -= here;
    }
    return -1;
}

bool operator==(const CvxCacheBitSet& a, const CvxCacheBitSet& b)
{
    if (a.m_size != b.m_size || a.m_count != b.m_count) {
        return false;
    }
    return a.m_size == 0
        || std::memcmp(a.m_words.get(), b.m_words.get(), static_cast<size_t>(a.WordCount()) * 8) == 0;
}

#pragma once
// A large bit set sized once (one bit per row of a table): constant-time Add, a member
// count kept as bits are added, and scans that jump over empty words through a summary
// of which words hold any bit.

#include <cstdint>
#include <memory>

class CvxCacheBitSet {
public:
    CvxCacheBitSet() = default;
    explicit CvxCacheBitSet(std::int64_t size);
    CvxCacheBitSet(const CvxCacheBitSet& other);
    CvxCacheBitSet& operator=(const CvxCacheBitSet& other);
    CvxCacheBitSet(CvxCacheBitSet&&) noexcept = default;
    CvxCacheBitSet& operator=(CvxCacheBitSet&&) noexcept = default;
    ~CvxCacheBitSet() = default;

    std::int64_t Size() const { return m_size; }
    // Members outside 0..Size()-1 are ignored.
    void Add(std::int64_t member)
    {
        if (static_cast<std::uint64_t>(member) >= static_cast<std::uint64_t>(m_size)) {
            return;
        }
        const std::int64_t word = member >> 6;
        const std::uint64_t bit = std::uint64_t{1} << (member & 63);
        std::uint64_t& w = m_words[word];
        if ((w & bit) == 0) {
            if (w == 0) {
                m_summary[word >> 6] |= std::uint64_t{1} << (word & 63);
            }
            w |= bit;
            ++m_count;
        }
    }
    // Adds every member from first to last inclusive (clipped to the set's size).
    void AddRange(std::int64_t first, std::int64_t last);
    bool Contains(std::int64_t member) const
    {
        if (static_cast<std::uint64_t>(member) >= static_cast<std::uint64_t>(m_size)) {
            return false;
        }
        return ((m_words[member >> 6] >> (member & 63)) & 1U) != 0;
    }
    std::int64_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    // Removes every member; the cost follows the number of words that held any.
    void Clear();

    // The smallest member at or above `from`, or -1.
    std::int64_t NextSet(std::int64_t from) const;
    // The largest member at or below `from`, or -1.
    std::int64_t PrevSet(std::int64_t from) const;
    // The n-th smallest member (0-based), or -1 when there are not that many.
    std::int64_t Select(std::int64_t n) const;

    friend bool operator==(const CvxCacheBitSet& a, const CvxCacheBitSet& b);

private:
    std::int64_t WordCount() const { return (m_size + 63) >> 6; }
    std::int64_t SummaryCount() const { return (WordCount() + 63) >> 6; }
    std::int64_t NextWord(std::int64_t word) const;
    std::int64_t PrevWord(std::int64_t word) const;

    std::int64_t m_size = 0;
    std::int64_t m_count = 0;
    std::unique_ptr<std::uint64_t[]> m_words;
    std::unique_ptr<std::uint64_t[]> m_summary;
};

#include "CvxBitSet.h"

#include <algorithm>
#include <bit>

CvxBitSet::CvxBitSet(std::initializer_list<int> members)
{
    for (int m : members) {
        Add(m);
    }
}

void CvxBitSet::Add(int member)
{
    if (member < 0) {
        return;
    }
    const auto word = static_cast<size_t>(member) / 64;
    if (word >= m_words.size()) {
        m_words.resize(word + 1, 0);
    }
    m_words[word] |= std::uint64_t{1} << (member % 64);
}

void CvxBitSet::Remove(int member)
{
    if (member < 0) {
        return;
    }
    const auto word = static_cast<size_t>(member) / 64;
    if (word < m_words.size()) {
        m_words[word] &= ~(std::uint64_t{1} << (member % 64));
    }
}

bool CvxBitSet::Contains(int member) const
{
    if (member < 0) {
        return false;
    }
    const auto word = static_cast<size_t>(member) / 64;
    return word < m_words.size() && ((m_words[word] >> (member % 64)) & 1U) != 0;
}

bool CvxBitSet::IsEmpty() const
{
    return std::all_of(m_words.begin(), m_words.end(), [](std::uint64_t w) { return w == 0; });
}

int CvxBitSet::Count() const
{
    int n = 0;
    for (std::uint64_t w : m_words) {
        n += std::popcount(w);
    }
    return n;
}

int CvxBitSet::NextSet(int from) const
{
    from = std::max(from, 0);
    for (auto word = static_cast<size_t>(from) / 64; word < m_words.size(); ++word) {
        std::uint64_t w = m_words[word];
        if (word == static_cast<size_t>(from) / 64) {
            w &= ~std::uint64_t{0} << (from % 64);
        }
        if (w != 0) {
            return static_cast<int>(word * 64) + std::countr_zero(w);
        }
    }
    return -1;
}

bool operator==(const CvxBitSet& a, const CvxBitSet& b)
{
    const size_t n = std::max(a.m_words.size(), b.m_words.size());
    for (size_t i = 0; i < n; ++i) {
        const std::uint64_t wa = i < a.m_words.size() ? a.m_words[i] : 0;
        const std::uint64_t wb = i < b.m_words.size() ? b.m_words[i] : 0;
        if (wa != wb) {
            return false;
        }
    }
    return true;
}

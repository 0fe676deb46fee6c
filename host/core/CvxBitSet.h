#pragma once
// A small growable set of non-negative integers: column attributes, label kinds, base groups.

#include <cstdint>
#include <initializer_list>
#include <vector>

class CvxBitSet {
public:
    CvxBitSet() = default;
    CvxBitSet(std::initializer_list<int> members);

    // Negative members are ignored.
    void Add(int member);
    void Remove(int member);
    bool Contains(int member) const;
    void Clear() { m_words.clear(); }
    bool IsEmpty() const;
    int Count() const;
    // The smallest member at or above `from`, or -1.
    int NextSet(int from) const;

    friend bool operator==(const CvxBitSet& a, const CvxBitSet& b);

private:
    std::vector<std::uint64_t> m_words;
};

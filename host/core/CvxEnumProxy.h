#pragma once
// Maps the codes of an enumeration to the fixed words that settings persist them as
// ("Left", "Center", "Right"; "All", "Markers"; ...). Words are compared exactly.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CvxEnumProxy {
public:
    // Adds or replaces the word of a code; a word already used by another code is refused.
    bool AddEnum(int code, std::u16string word);
    // The word of a code; empty when the code is unknown.
    std::u16string GetValue(int code) const;
    // The code of a word; false (and `code` unchanged) when the word is unknown.
    bool GetKey(std::u16string_view word, int& code) const;
    bool HasCode(int code) const;
    std::size_t GetCount() const { return m_entries.size(); }

private:
    std::vector<std::pair<int, std::u16string>> m_entries;
};

#pragma once
// Builds the element index of a markup text. The walk is iterative, with an explicit stack
// of open elements, so that nesting depth costs heap memory (a few words per level) and
// never call stack; every character is visited a bounded number of times.

#include "CvxMarkupElement.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CvxMarkupParser {
public:
    // Rebuilds `index` from `text`: record 0 for the document, then one record per element
    // of the root element's tree (anything after the root is ignored). On failure answers
    // false, sets `error` and leaves only record 0; on success clears `error`.
    static bool Parse(std::u16string_view text, std::vector<CvxMarkupElement>& index, std::u16string& error);

private:
    struct OpenElement {
        std::int32_t record;
        std::int32_t lastChild;
        std::size_t nameStart;
    };

    CvxMarkupParser(std::u16string_view text, std::vector<CvxMarkupElement>& index)
        : m_text(text), m_index(index)
    {
    }

    bool Run();
    std::size_t FindLessThan(std::size_t pos) const;
    // Checks the end tag at `lessThan` against the innermost open element and closes it.
    bool CloseElement(std::size_t lessThan);
    std::int32_t AddRecord(std::size_t lessThan, std::size_t greaterThan, std::size_t nameLength);
    bool Fail(std::u16string_view message);
    // The message with "%s" replaced by the innermost open element's name.
    bool FailNamed(std::u16string_view message);

    std::u16string_view m_text;
    std::vector<CvxMarkupElement>& m_index;
    std::vector<OpenElement> m_open;
    std::size_t m_pos = 0;
    std::u16string m_error;
};

#include "CvxMarkupParser.h"

#include "CvxMarkupText.h"

#include <cstdint>
#include <cstring>

bool CvxMarkupParser::Parse(std::u16string_view text, std::vector<CvxMarkupElement>& index, std::u16string& error)
{
    CvxMarkupParser parser(text, index);
    if (parser.Run()) {
        error.clear();
        return true;
    }
    error = std::move(parser.m_error);
    // Hand back the memory a large failed text may have taken.
    std::vector<CvxMarkupElement>().swap(index);
    index.emplace_back();
    return false;
}

bool CvxMarkupParser::Run()
{
    m_index.clear();
    m_index.reserve(m_text.size() / 64 + 8);
    m_index.emplace_back();
    if (m_text.size() > kMarkupMaxTextLength) {
        return Fail(u"Document too large");
    }
    m_open.push_back({0, 0, 0});
    const char16_t* const s = m_text.data();
    const std::size_t n = m_text.size();
    while (true) {
        const std::size_t lessThan = FindLessThan(m_pos);
        if (lessThan == n) {
            return m_open.size() == 1 ? Fail(u"Element tag not found") : FailNamed(u"End tag of %s element not found");
        }
        const std::size_t token = CvxMarkupText::SkipWhitespace(m_text, lessThan + 1);
        if (token == n) {
            return Fail(u"Abrupt end within tag");
        }
        const char16_t c = s[token];
        if (c == u'"' || c == u'\'') {
            return Fail(u"Tag starts with quote");
        }
        if (c == u'/') {
            if (m_open.size() == 1) {
                return Fail(u"Element tag not found");
            }
            if (!CloseElement(lessThan)) {
                return false;
            }
            if (m_open.size() == 1) {
                return true;
            }
            continue;
        }
        if (c == u'?' || c == u'!') {
            int kind = 0;
            m_pos = CvxMarkupText::SkipNode(m_text, token, kind);
            if (m_pos == CvxMarkupText::npos) {
                return Fail(u"Invalid node");
            }
            continue;
        }
        const std::size_t nameEnd = CvxMarkupText::NameEnd(m_text, token);
        if (nameEnd == token) {
            // "<>", "< >", "<=...": an element without a name could be neither closed by
            // name nor given attributes that read back.
            return Fail(u"Tag has no name");
        }
        const std::size_t greaterThan = CvxMarkupText::FindTagEnd(m_text, nameEnd);
        if (greaterThan == CvxMarkupText::npos) {
            return Fail(u"End of tag not found");
        }
        const std::int32_t record = AddRecord(lessThan, greaterThan, nameEnd - token);
        m_pos = greaterThan + 1;
        if (s[greaterThan - 1] == u'/') {
            m_index[record].endTagStart = m_index[record].end = static_cast<std::int32_t>(greaterThan);
            if (m_open.size() == 1) {
                return true;
            }
        } else {
            m_open.push_back({record, 0, token});
        }
    }
}

std::size_t CvxMarkupParser::FindLessThan(std::size_t pos) const
{
    const char16_t* const s = m_text.data();
    const std::size_t n = m_text.size();
    // Four characters at a time: a 16-bit lane equal to "<" becomes zero after the xor,
    // and the classic zero-lane test finds it; exact, since it is only a filter.
    constexpr std::uint64_t kOnes = 0x0001000100010001ULL;
    constexpr std::uint64_t kHighs = 0x8000800080008000ULL;
    constexpr std::uint64_t kPattern = kOnes * u'<';
    while (pos + 4 <= n) {
        std::uint64_t word;
        std::memcpy(&word, s + pos, sizeof word);
        word ^= kPattern;
        if (((word - kOnes) & ~word & kHighs) != 0) {
            break;
        }
        pos += 4;
    }
    while (pos < n && s[pos] != u'<') {
        ++pos;
    }
    return pos;
}

bool CvxMarkupParser::CloseElement(std::size_t lessThan)
{
    const char16_t* const s = m_text.data();
    const std::size_t n = m_text.size();
    const OpenElement open = m_open.back();
    CvxMarkupElement& element = m_index[open.record];
    // "< /a>" reads as an end tag but is not one.
    if (s[lessThan + 1] != u'/') {
        return FailNamed(u"Expecting end tag of element %s");
    }
    std::size_t pos = CvxMarkupText::SkipWhitespace(m_text, lessThan + 2);
    for (std::int32_t i = 0; i < element.nameLength; ++i, ++pos) {
        if (pos == n) {
            return FailNamed(u"End tag not completed for element %s");
        }
        if (s[pos] != s[open.nameStart + static_cast<std::size_t>(i)]) {
            return FailNamed(u"End tag does not correspond to %s");
        }
    }
    if (pos == n) {
        return FailNamed(u"End tag not completed for element %s");
    }
    if (s[pos] != u'>') {
        if (!CvxMarkupText::IsWhitespace(s[pos])) {
            return FailNamed(u"End tag does not correspond to %s");
        }
        pos = m_text.find(u'>', pos);
        if (pos == CvxMarkupText::npos) {
            return FailNamed(u"End tag not completed for element %s");
        }
    }
    element.endTagStart = static_cast<std::int32_t>(lessThan);
    element.end = static_cast<std::int32_t>(pos);
    m_pos = pos + 1;
    m_open.pop_back();
    return true;
}

std::int32_t CvxMarkupParser::AddRecord(std::size_t lessThan, std::size_t greaterThan, std::size_t nameLength)
{
    // Grown by half its size, which keeps the slack small for large documents.
    if (m_index.size() == m_index.capacity()) {
        m_index.reserve(m_index.capacity() + m_index.capacity() / 2 + 1);
    }
    OpenElement& parent = m_open.back();
    const auto record = static_cast<std::int32_t>(m_index.size());
    CvxMarkupElement& element = m_index.emplace_back();
    element.startTag = static_cast<std::int32_t>(lessThan);
    element.startTagEnd = static_cast<std::int32_t>(greaterThan);
    element.parent = parent.record;
    element.nameLength = static_cast<std::int32_t>(nameLength);
    if (parent.lastChild != 0) {
        m_index[parent.lastChild].nextSibling = record;
    } else {
        m_index[parent.record].firstChild = record;
    }
    parent.lastChild = record;
    return record;
}

bool CvxMarkupParser::Fail(std::u16string_view message)
{
    m_error = message;
    return false;
}

bool CvxMarkupParser::FailNamed(std::u16string_view message)
{
    const OpenElement& open = m_open.back();
    const std::size_t at = message.find(u"%s");
    m_error = message.substr(0, at);
    m_error += m_text.substr(open.nameStart, static_cast<std::size_t>(m_index[open.record].nameLength));
    m_error += message.substr(at + 2);
    return false;
}

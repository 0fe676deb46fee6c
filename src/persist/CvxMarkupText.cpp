#include "CvxMarkupText.h"

#include "CvxMarkupElement.h"

#include <array>
#include <climits>

namespace {

struct Entity {
    std::u16string_view text;
    char16_t character;
};

constexpr std::array<Entity, 5> kEntities{{
    {u"&lt;", u'<'},
    {u"&amp;", u'&'},
    {u"&gt;", u'>'},
    {u"&apos;", u'\''},
    {u"&quot;", u'"'},
}};

bool IsQuote(char16_t c)
{
    return c == u'\'' || c == u'"';
}

bool StartsWith(std::u16string_view text, std::size_t pos, std::u16string_view prefix)
{
    return text.size() - pos >= prefix.size() && text.compare(pos, prefix.size(), prefix) == 0;
}

// The position after `terminator` searched from `from`, or npos.
std::size_t After(std::u16string_view text, std::size_t from, std::u16string_view terminator)
{
    const std::size_t at = text.find(terminator, from);
    return at == std::u16string_view::npos ? at : at + terminator.size();
}

} // namespace

bool CvxMarkupText::IsNameEnd(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\r':
    case u'<':
    case u'>':
    case u'=':
    case u'\\':
    case u'/':
    case u'?':
    case u'!':
        return true;
    default:
        return false;
    }
}

bool CvxMarkupText::IsValidName(std::u16string_view name)
{
    if (name.empty()) {
        return false;
    }
    for (const char16_t c : name) {
        if (IsNameEnd(c) || IsQuote(c) || c == u'&') {
            return false;
        }
    }
    return true;
}

std::size_t CvxMarkupText::SkipWhitespace(std::u16string_view text, std::size_t pos)
{
    while (pos < text.size() && IsWhitespace(text[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t CvxMarkupText::NameEnd(std::u16string_view text, std::size_t pos)
{
    while (pos < text.size() && !IsNameEnd(text[pos])) {
        ++pos;
    }
    return pos;
}

void CvxMarkupText::AppendEscaped(std::u16string& out, std::u16string_view value, bool attribute)
{
    out.reserve(out.size() + value.size());
    for (const char16_t c : value) {
        switch (c) {
        case u'<':
            out += u"&lt;";
            break;
        case u'&':
            out += u"&amp;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'\'':
            out += attribute ? u"&apos;" : u"'";
            break;
        case u'"':
            out += attribute ? u"&quot;" : u"\"";
            break;
        default:
            out += c;
        }
    }
}

std::u16string CvxMarkupText::Decode(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find(u'&', pos);
        if (amp == npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        pos = amp + 1;
        char16_t decoded = u'&';
        for (const Entity& entity : kEntities) {
            if (StartsWith(text, amp, entity.text)) {
                decoded = entity.character;
                pos = amp + entity.text.size();
                break;
            }
        }
        out += decoded;
    }
    return out;
}

int CvxMarkupText::ToInt(std::u16string_view text)
{
    std::size_t pos = SkipWhitespace(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        value = value * 10 + (text[pos] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1; // saturate; the clamp below decides
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

std::u16string CvxMarkupText::FromInt(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::size_t CvxMarkupText::SkipNode(std::u16string_view text, std::size_t pos, int& kind)
{
    if (text[pos] == u'?') {
        kind = kMarkupNodeProcessingInstruction;
        return After(text, pos + 1, u"?>");
    }
    if (StartsWith(text, pos, u"!--")) {
        kind = kMarkupNodeComment;
        return After(text, pos + 3, u"-->");
    }
    if (StartsWith(text, pos, u"![CDATA[")) {
        kind = kMarkupNodeCData;
        return After(text, pos + 8, u"]]>");
    }
    kind = kMarkupNodeDeclaration;
    if (StartsWith(text, pos, u"![")) {
        return After(text, pos + 2, u"]]>");
    }
    // A declaration may hold an internal subset in brackets with its own ">" inside.
    std::size_t depth = 0;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsQuote(c)) {
            i = text.find(c, i + 1);
            if (i == npos) {
                return npos;
            }
        } else if (c == u'[') {
            ++depth;
        } else if (c == u']') {
            depth -= depth > 0 ? 1 : 0;
        } else if (c == u'>' && depth == 0) {
            return i + 1;
        }
    }
    return npos;
}

std::size_t CvxMarkupText::FindTagEnd(std::u16string_view text, std::size_t pos)
{
    const char16_t* const begin = text.data();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = begin + pos; p < end; ++p) {
        const char16_t c = *p;
        if (c == u'>') {
            return static_cast<std::size_t>(p - begin);
        }
        if (IsQuote(c)) {
            ++p;
            while (p < end && *p != c) {
                ++p;
            }
            if (p == end) {
                return npos;
            }
        }
    }
    return npos;
}

bool CvxMarkupText::FindAttribute(std::u16string_view text, std::size_t from, std::size_t to,
                                  std::u16string_view name, Attribute& found)
{
    text = text.substr(0, to);
    std::size_t pos = from;
    while (true) {
        pos = SkipWhitespace(text, pos);
        if (pos >= to) {
            return false;
        }
        const std::size_t nameStart = pos;
        // A quote ends a name too: the parser found the tag's end taking every quote as the
        // start of a quoted text (FindTagEnd), and the attributes must be read the same way.
        while (pos < to && !IsNameEnd(text[pos]) && !IsQuote(text[pos])) {
            ++pos;
        }
        if (pos == nameStart) {
            // Not a name: a stray quote hides a quoted text; anything else is skipped.
            if (IsQuote(text[pos])) {
                const std::size_t close = text.find(text[pos], pos + 1);
                pos = close == npos ? to : close + 1;
            } else {
                ++pos;
            }
            continue;
        }
        Attribute attribute;
        attribute.nameEnd = pos;
        attribute.valueStart = attribute.valueEnd = attribute.textStart = attribute.textEnd = pos;
        std::size_t next = SkipWhitespace(text, pos);
        if (next < to && text[next] == u'=') {
            const std::size_t afterEquals = next + 1;
            next = SkipWhitespace(text, afterEquals);
            if (next > afterEquals && (next >= to || !IsQuote(text[next]))) {
                // "a= b": blanks after the "=" and no quote; the value is empty and b is the
                // next name (an attribute appended after a dangling "=" must stay readable).
                next = afterEquals;
            }
            attribute.textStart = next;
            if (next < to && IsQuote(text[next])) {
                const std::size_t close = text.find(text[next], next + 1);
                attribute.valueStart = next + 1;
                attribute.valueEnd = close == npos ? to : close;
                attribute.textEnd = close == npos ? to : close + 1;
            } else {
                std::size_t valueEnd = next;
                while (valueEnd < to && !IsWhitespace(text[valueEnd]) && !IsQuote(text[valueEnd]) &&
                       !(text[valueEnd] == u'/' && valueEnd + 1 == to)) {
                    ++valueEnd;
                }
                attribute.valueStart = next;
                attribute.valueEnd = attribute.textEnd = valueEnd;
            }
            pos = attribute.textEnd;
        }
        if (text.substr(nameStart, attribute.nameEnd - nameStart) == name) {
            found = attribute;
            return true;
        }
    }
}

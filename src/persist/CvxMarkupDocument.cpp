#include "CvxMarkupDocument.h"

#include "CvxMarkupParser.h"
#include "CvxMarkupText.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kCDataOpen = u"<![CDATA[";
constexpr std::u16string_view kCDataClose = u"]]>";
constexpr std::u16string_view kLineEnd = u"\r\n";

// The name a path segment asks for: the text before any of " =[" (a "*" or nothing
// matches every element).
std::u16string_view SegmentName(std::u16string_view segment)
{
    return segment.substr(0, segment.find_first_of(u" =["));
}

} // namespace

CvxMarkupDocument::CvxMarkupDocument()
{
    m_index.emplace_back();
}

CvxMarkupDocument::CvxMarkupDocument(std::u16string text)
{
    Parse(std::move(text));
}

CvxMarkupDocument::~CvxMarkupDocument() = default;

bool CvxMarkupDocument::Parse(std::u16string text)
{
    m_text = std::move(text);
    ResetPosition();
    return CvxMarkupParser::Parse(m_text, m_index, m_lastError);
}

void CvxMarkupDocument::ResetPosition()
{
    m_parent = 0;
    m_current = 0;
    m_child = 0;
    m_nodeKind = kMarkupNodeNone;
}

void CvxMarkupDocument::SetCurrentElement(std::int32_t record)
{
    m_parent = m_index[record].parent;
    m_current = record;
    m_child = 0;
    m_nodeKind = kMarkupNodeElement;
}

std::u16string_view CvxMarkupDocument::ElementName(std::int32_t record) const
{
    if (record == 0) {
        return {};
    }
    const CvxMarkupElement& element = m_index[record];
    const std::size_t start = CvxMarkupText::SkipWhitespace(m_text, static_cast<std::size_t>(element.startTag) + 1);
    return std::u16string_view(m_text).substr(start, static_cast<std::size_t>(element.nameLength));
}

std::size_t CvxMarkupDocument::ContentBegin(std::int32_t record) const
{
    return record == 0 ? 0 : static_cast<std::size_t>(m_index[record].startTagEnd) + 1;
}

std::size_t CvxMarkupDocument::ContentEnd(std::int32_t record) const
{
    if (record == 0) {
        return m_text.size();
    }
    return IsEmptyElement(record) ? ContentBegin(record) : static_cast<std::size_t>(m_index[record].endTagStart);
}

bool CvxMarkupDocument::IsEmptyElement(std::int32_t record) const
{
    return m_index[record].end == m_index[record].startTagEnd;
}

// ---- Navigation ----

std::int32_t CvxMarkupDocument::Search(std::int32_t parent, std::int32_t after, std::u16string_view path) const
{
    while (true) {
        const std::size_t slash = path.find(u'/');
        const std::u16string_view wanted = SegmentName(path.substr(0, slash));
        const bool any = wanted.empty() || wanted == u"*";
        std::int32_t record = after != 0 ? m_index[after].nextSibling : m_index[parent].firstChild;
        while (record != 0 && !any && ElementName(record) != wanted) {
            record = m_index[record].nextSibling;
        }
        if (record == 0 || slash == std::u16string_view::npos) {
            return record;
        }
        parent = record;
        after = 0;
        path = path.substr(slash + 1);
    }
}

bool CvxMarkupDocument::FindElement(std::u16string_view name)
{
    std::int32_t found = 0;
    if (!name.empty() && name.front() == u'/') {
        found = Search(0, 0, name.substr(1));
    } else {
        found = Search(m_parent, m_current, name);
    }
    if (found == 0) {
        return false;
    }
    SetCurrentElement(found);
    return true;
}

bool CvxMarkupDocument::FindChildElement(std::u16string_view name)
{
    if (m_current == 0) {
        return false;
    }
    std::int32_t found = 0;
    if (!name.empty() && name.front() == u'/') {
        found = Search(0, 0, name.substr(1));
    } else {
        found = Search(m_current, m_child, name);
    }
    // The root has no parent element to become current.
    if (found == 0 || m_index[found].parent == 0) {
        return false;
    }
    SetCurrentElement(m_index[found].parent);
    m_child = found;
    return true;
}

bool CvxMarkupDocument::EnterElement()
{
    if (m_current == 0) {
        return false;
    }
    m_parent = m_current;
    m_current = m_child;
    m_child = 0;
    m_nodeKind = m_current != 0 ? kMarkupNodeElement : kMarkupNodeNone;
    return true;
}

bool CvxMarkupDocument::LeaveElement()
{
    if (m_parent == 0) {
        return false;
    }
    const std::int32_t child = m_current;
    SetCurrentElement(m_parent);
    m_child = child;
    return true;
}

int CvxMarkupDocument::FindNode(int kinds)
{
    std::size_t from = 0;
    std::int32_t lastElement = m_current;
    if (m_nodeKind == kMarkupNodeNone) {
        from = ContentBegin(m_parent);
    } else if (m_nodeKind == kMarkupNodeElement) {
        from = static_cast<std::size_t>(m_index[m_current].end) + 1;
    } else {
        from = m_nodeStart + m_nodeLength;
    }
    std::int32_t nextElement = lastElement != 0 ? m_index[lastElement].nextSibling : m_index[m_parent].firstChild;
    const std::u16string_view text = std::u16string_view(m_text).substr(0, ContentEnd(m_parent));
    while (from < text.size()) {
        int kind = kMarkupNodeNone;
        std::size_t end = 0;
        if (text[from] != u'<') {
            end = std::min(text.find(u'<', from), text.size());
            const bool blank = std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                                           text.begin() + static_cast<std::ptrdiff_t>(end), CvxMarkupText::IsWhitespace);
            kind = blank ? kMarkupNodeWhitespace : kMarkupNodeText;
        } else if (nextElement != 0 && static_cast<std::size_t>(m_index[nextElement].startTag) == from) {
            kind = kMarkupNodeElement;
            end = static_cast<std::size_t>(m_index[nextElement].end) + 1;
        } else {
            // Only "<?" and "<!" nodes remain; anything else (an end tag, text after the
            // root) ends the level.
            const std::size_t token = CvxMarkupText::SkipWhitespace(text, from + 1);
            if (token == text.size() || (text[token] != u'?' && text[token] != u'!')) {
                return kMarkupNodeNone;
            }
            end = CvxMarkupText::SkipNode(text, token, kind);
            if (end == CvxMarkupText::npos) {
                return kMarkupNodeNone;
            }
        }
        if (kind == kMarkupNodeElement) {
            lastElement = nextElement;
            nextElement = m_index[nextElement].nextSibling;
        }
        if (kinds == 0 || (kinds & kind) != 0) {
            if (kind == kMarkupNodeElement) {
                SetCurrentElement(lastElement);
            } else {
                m_current = lastElement;
                m_child = 0;
                m_nodeKind = kind;
                m_nodeStart = from;
                m_nodeLength = end - from;
            }
            return kind;
        }
        from = end;
    }
    return kMarkupNodeNone;
}

// ---- Reading ----

std::u16string CvxMarkupDocument::GetTagName() const
{
    switch (m_nodeKind) {
    case kMarkupNodeNone:
        return {};
    case kMarkupNodeElement:
        return std::u16string(ElementName(m_current));
    case kMarkupNodeText:
    case kMarkupNodeWhitespace:
        return u"#text";
    case kMarkupNodeCData:
        return u"#cdata-section";
    case kMarkupNodeComment:
        return u"#comment";
    default: {
        // A processing instruction or declaration: its first token after "<?" or "<!".
        const std::size_t marker = CvxMarkupText::SkipWhitespace(m_text, m_nodeStart + 1);
        const std::size_t end = std::min(CvxMarkupText::NameEnd(m_text, marker + 1), m_nodeStart + m_nodeLength);
        return m_text.substr(marker + 1, end - marker - 1);
    }
    }
}

std::u16string CvxMarkupDocument::GetContent() const
{
    const std::u16string_view text = m_text;
    if (m_nodeKind == kMarkupNodeNone) {
        return {};
    }
    if (m_nodeKind == kMarkupNodeElement) {
        if (m_index[m_current].firstChild != 0) {
            return {};
        }
        const std::size_t begin = ContentBegin(m_current);
        const std::u16string_view content = text.substr(begin, ContentEnd(m_current) - begin);
        if (content.substr(0, kCDataOpen.size()) == kCDataOpen) {
            const std::size_t close = content.find(kCDataClose, kCDataOpen.size());
            if (close != std::u16string_view::npos) {
                return std::u16string(content.substr(kCDataOpen.size(), close - kCDataOpen.size()));
            }
        }
        return CvxMarkupText::Decode(content);
    }
    const std::u16string_view node = text.substr(m_nodeStart, m_nodeLength);
    // The "?" or "!" after the "<", and the length of each node's closing marker.
    const std::size_t marker = CvxMarkupText::SkipWhitespace(node, 1);
    switch (m_nodeKind) {
    case kMarkupNodeText:
    case kMarkupNodeWhitespace:
        return CvxMarkupText::Decode(node);
    case kMarkupNodeCData:
        return std::u16string(node.substr(marker + 8, node.size() - marker - 8 - 3));
    case kMarkupNodeComment:
        return std::u16string(node.substr(marker + 3, node.size() - marker - 3 - 3));
    case kMarkupNodeProcessingInstruction:
        return std::u16string(node.substr(marker + 1, node.size() - marker - 1 - 2));
    case kMarkupNodeDeclaration:
        return std::u16string(node.substr(marker + 1, node.size() - marker - 1 - 1));
    default:
        return {};
    }
}

bool CvxMarkupDocument::ReadAttribute(std::int32_t record, std::u16string_view name, std::u16string& value) const
{
    if (record == 0) {
        return false;
    }
    const CvxMarkupElement& element = m_index[record];
    const std::size_t nameEnd = static_cast<std::size_t>(ElementName(record).data() - m_text.data() + element.nameLength);
    CvxMarkupText::Attribute attribute;
    if (!CvxMarkupText::FindAttribute(m_text, nameEnd, static_cast<std::size_t>(element.startTagEnd), name, attribute)) {
        return false;
    }
    value = CvxMarkupText::Decode(std::u16string_view(m_text).substr(attribute.valueStart, attribute.valueEnd - attribute.valueStart));
    return true;
}

bool CvxMarkupDocument::GetAttribute(std::u16string_view name, std::u16string& value) const
{
    return ReadAttribute(m_current, name, value);
}

bool CvxMarkupDocument::GetAttribute(std::u16string_view name, int& value) const
{
    std::u16string text;
    if (!ReadAttribute(m_current, name, text)) {
        return false;
    }
    value = CvxMarkupText::ToInt(text);
    return true;
}

bool CvxMarkupDocument::GetAttribute(std::u16string_view name, bool& value) const
{
    std::u16string text;
    if (!ReadAttribute(m_current, name, text)) {
        return false;
    }
    value = text == u"T";
    return true;
}

bool CvxMarkupDocument::GetChildAttribute(std::u16string_view name, std::u16string& value) const
{
    return ReadAttribute(m_child, name, value);
}

bool CvxMarkupDocument::GetChildAttribute(std::u16string_view name, int& value) const
{
    std::u16string text;
    if (!ReadAttribute(m_child, name, text)) {
        return false;
    }
    value = CvxMarkupText::ToInt(text);
    return true;
}

// ---- Editing ----

bool CvxMarkupDocument::AddElement(std::u16string_view name, std::u16string_view data)
{
    const std::int32_t record = InsertElement(m_parent, m_current, name, data);
    if (record == 0) {
        return false;
    }
    SetCurrentElement(record);
    return true;
}

bool CvxMarkupDocument::AddChildElement(std::u16string_view name, std::u16string_view data)
{
    if (m_current == 0) {
        return false;
    }
    const std::int32_t record = InsertElement(m_current, m_child, name, data);
    if (record == 0) {
        return false;
    }
    m_child = record;
    return true;
}

bool CvxMarkupDocument::SetAttribute(std::u16string_view name, std::u16string_view value)
{
    return WriteAttribute(m_current, name, value);
}

bool CvxMarkupDocument::SetAttribute(std::u16string_view name, int value)
{
    return WriteAttribute(m_current, name, CvxMarkupText::FromInt(value));
}

bool CvxMarkupDocument::SetAttribute(std::u16string_view name, bool value)
{
    return WriteAttribute(m_current, name, value ? u"T" : u"F");
}

bool CvxMarkupDocument::SetChildAttribute(std::u16string_view name, std::u16string_view value)
{
    return WriteAttribute(m_child, name, value);
}

bool CvxMarkupDocument::SetChildAttribute(std::u16string_view name, int value)
{
    return WriteAttribute(m_child, name, CvxMarkupText::FromInt(value));
}

bool CvxMarkupDocument::WriteAttribute(std::int32_t record, std::u16string_view name, std::u16string_view value)
{
    if (record == 0 || !CvxMarkupText::IsValidName(name)) {
        return false;
    }
    std::u16string quoted = u"'";
    CvxMarkupText::AppendEscaped(quoted, value, true);
    quoted += u'\'';

    const CvxMarkupElement& element = m_index[record];
    const std::size_t nameEnd = static_cast<std::size_t>(ElementName(record).data() - m_text.data() + element.nameLength);
    CvxMarkupText::Attribute attribute;
    if (CvxMarkupText::FindAttribute(m_text, nameEnd, static_cast<std::size_t>(element.startTagEnd), name, attribute)) {
        if (attribute.textStart == attribute.nameEnd) {
            // A bare attribute name without "=": give it its value.
            return Replace(attribute.nameEnd, 0, u"=" + quoted);
        }
        return Replace(attribute.textStart, attribute.textEnd - attribute.textStart, quoted);
    }
    std::u16string inserted = u" ";
    inserted += name;
    inserted += u'=';
    inserted += quoted;
    // Before the "/>" of an empty element, else before the ">".
    const auto at = static_cast<std::size_t>(element.startTagEnd - (IsEmptyElement(record) ? 1 : 0));
    return Replace(at, 0, inserted);
}

std::size_t CvxMarkupDocument::AfterLineEnd(std::size_t pos) const
{
    if (m_text.compare(pos, kLineEnd.size(), kLineEnd) == 0) {
        return pos + kLineEnd.size();
    }
    return pos < m_text.size() && m_text[pos] == u'\n' ? pos + 1 : pos;
}

std::int32_t CvxMarkupDocument::InsertElement(std::int32_t parent, std::int32_t after, std::u16string_view name,
                                              std::u16string_view data)
{
    if (!CvxMarkupText::IsValidName(name) || (parent == 0 && HasRoot())) {
        return 0;
    }
    std::u16string inserted = u"<";
    inserted += name;
    if (data.empty()) {
        inserted += u"/>";
    } else {
        inserted += u'>';
        CvxMarkupText::AppendEscaped(inserted, data, false);
        inserted += u"</";
        inserted += name;
        inserted += u'>';
    }
    inserted += kLineEnd;

    // An empty parent "<p/>" becomes "<p>\r\n</p>" first, so that it can hold children.
    const bool openParent = parent != 0 && IsEmptyElement(parent);
    std::u16string closing;
    if (openParent) {
        closing = u">\r\n</";
        closing += ElementName(parent);
        closing += u'>';
    }
    if (m_text.size() + inserted.size() + closing.size() > kMarkupMaxTextLength) {
        return 0;
    }
    if (openParent) {
        CvxMarkupElement& element = m_index[parent];
        const auto slash = static_cast<std::size_t>(element.startTagEnd) - 1;
        Replace(slash, 2, closing);
        element.startTagEnd = static_cast<std::int32_t>(slash);
        element.endTagStart = static_cast<std::int32_t>(slash + 3);
        element.end = static_cast<std::int32_t>(slash + closing.size() - 1);
    }

    std::int32_t previous = after;
    if (previous == 0) {
        for (std::int32_t child = m_index[parent].firstChild; child != 0; child = m_index[child].nextSibling) {
            previous = child;
        }
    }
    std::size_t at = m_text.size();
    if (previous != 0) {
        at = AfterLineEnd(static_cast<std::size_t>(m_index[previous].end) + 1);
    } else if (parent != 0) {
        at = AfterLineEnd(static_cast<std::size_t>(m_index[parent].startTagEnd) + 1);
    }
    Replace(at, 0, inserted);

    if (m_index.size() == m_index.capacity()) {
        m_index.reserve(m_index.capacity() + m_index.capacity() / 2 + 1);
    }
    const auto record = static_cast<std::int32_t>(m_index.size());
    CvxMarkupElement& element = m_index.emplace_back();
    const auto nameLength = static_cast<std::int32_t>(name.size());
    element.startTag = static_cast<std::int32_t>(at);
    element.nameLength = nameLength;
    element.parent = parent;
    if (data.empty()) {
        element.startTagEnd = element.endTagStart = element.end = element.startTag + nameLength + 2;
    } else {
        element.startTagEnd = element.startTag + nameLength + 1;
        element.end = static_cast<std::int32_t>(at + inserted.size() - kLineEnd.size() - 1);
        element.endTagStart = element.end - nameLength - 2;
    }
    if (previous != 0) {
        element.nextSibling = m_index[previous].nextSibling;
        m_index[previous].nextSibling = record;
    } else {
        m_index[parent].firstChild = record;
    }
    return record;
}

bool CvxMarkupDocument::Replace(std::size_t at, std::size_t length, std::u16string_view insert)
{
    const std::size_t size = m_text.size() - length + insert.size();
    if (at + length > m_text.size() || size > kMarkupMaxTextLength) {
        return false;
    }
    if (size > m_text.capacity()) {
        m_text.reserve(std::max({size, std::size_t{200}, m_text.capacity() + m_text.capacity() / 2}));
    }
    m_text.replace(at, length, insert);

    const auto threshold = static_cast<std::int64_t>(at + length);
    const auto delta = static_cast<std::int64_t>(insert.size()) - static_cast<std::int64_t>(length);
    const auto shift = [threshold, delta](std::int32_t& pos) {
        if (pos >= threshold) {
            pos = static_cast<std::int32_t>(pos + delta);
        }
    };
    for (std::size_t i = 1; i < m_index.size(); ++i) {
        CvxMarkupElement& element = m_index[i];
        shift(element.startTag);
        shift(element.startTagEnd);
        shift(element.endTagStart);
        shift(element.end);
    }
    if (m_nodeKind != kMarkupNodeNone && m_nodeKind != kMarkupNodeElement &&
        static_cast<std::int64_t>(m_nodeStart) >= threshold) {
        m_nodeStart = static_cast<std::size_t>(static_cast<std::int64_t>(m_nodeStart) + delta);
    }
    return true;
}

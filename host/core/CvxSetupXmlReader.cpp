#include "CvxSetupXmlReader.h"

#include "CvxPersistenceElement.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

enum class Kind { Root, Tag, Key, Skipped };

struct Frame {
    Kind kind = Kind::Skipped;
    std::string name;                          // as written, to match the end tag
    CvxPersistenceElement* element = nullptr;  // root or tag: the element; key: its owner
    std::u16string keyName;
    bool keyIsInt = false;
    std::u16string text;
};

struct Attribute {
    std::string name;
    std::u16string value;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

const std::u16string* FindAttribute(const std::vector<Attribute>& attributes, std::string_view name)
{
    for (const Attribute& a : attributes) {
        if (a.name == name) {
            return &a.value;
        }
    }
    return nullptr;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool Run(std::unique_ptr<CvxPersistenceElement>& root, std::vector<CvxSetupStreamEntry>& streams,
             std::string& error);

private:
    bool Fail(const std::string& message);
    bool StartsWith(std::string_view s) const { return m_text.substr(m_pos).starts_with(s); }
    bool SkipPast(std::string_view terminator, const char* what);
    bool ReadName(std::string& name);
    void SkipSpace();
    bool ReadStartTag(std::string& name, std::vector<Attribute>& attributes, bool& selfClosing);
    bool Decode(std::string_view raw, std::u16string& out);
    bool StartElement(const std::string& name, const std::vector<Attribute>& attributes, bool selfClosing);
    bool EndElement(const std::string& name);
    bool CloseFrame();
    bool Text(std::string_view raw, bool cdata);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
    std::vector<Frame> m_stack;
    std::unique_ptr<CvxPersistenceElement> m_root;
    std::vector<CvxSetupStreamEntry>* m_streams = nullptr;
    bool m_rootDone = false;
};

bool Parser::Fail(const std::string& message)
{
    if (m_error.empty()) {
        const std::size_t upTo = std::min(m_pos, m_text.size());
        const auto line = 1 + std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(upTo), '\n');
        m_error = "line " + std::to_string(line) + ": " + message;
    }
    return false;
}

bool Parser::SkipPast(std::string_view terminator, const char* what)
{
    const std::size_t end = m_text.find(terminator, m_pos);
    if (end == std::string_view::npos) {
        return Fail(std::string("unterminated ") + what);
    }
    m_pos = end + terminator.size();
    return true;
}

void Parser::SkipSpace()
{
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) {
        ++m_pos;
    }
}

bool Parser::ReadName(std::string& name)
{
    const std::size_t start = m_pos;
    if (m_pos >= m_text.size() || !IsNameStart(m_text[m_pos])) {
        return Fail("a name was expected");
    }
    while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) {
        ++m_pos;
    }
    name.assign(m_text.substr(start, m_pos - start));
    return true;
}

bool Parser::ReadStartTag(std::string& name, std::vector<Attribute>& attributes, bool& selfClosing)
{
    ++m_pos; // '<'
    if (!ReadName(name)) {
        return false;
    }
    while (true) {
        const std::size_t before = m_pos;
        SkipSpace();
        if (m_pos >= m_text.size()) {
            return Fail("unterminated element <" + name + ">");
        }
        if (m_text[m_pos] == '>') {
            ++m_pos;
            selfClosing = false;
            return true;
        }
        if (StartsWith("/>")) {
            m_pos += 2;
            selfClosing = true;
            return true;
        }
        if (m_pos == before) {
            return Fail("a blank was expected in <" + name + ">");
        }
        Attribute attribute;
        if (!ReadName(attribute.name)) {
            return false;
        }
        SkipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] != '=') {
            return Fail("'=' was expected after attribute " + attribute.name);
        }
        ++m_pos;
        SkipSpace();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\'')) {
            return Fail("a quoted value was expected for attribute " + attribute.name);
        }
        const char quote = m_text[m_pos++];
        const std::size_t end = m_text.find(quote, m_pos);
        if (end == std::string_view::npos) {
            return Fail("unterminated value of attribute " + attribute.name);
        }
        const std::string_view raw = m_text.substr(m_pos, end - m_pos);
        if (raw.find('<') != std::string_view::npos) {
            return Fail("'<' in the value of attribute " + attribute.name);
        }
        if (!Decode(raw, attribute.value)) {
            return false;
        }
        m_pos = end + 1;
        attributes.push_back(std::move(attribute));
    }
}

bool Parser::Decode(std::string_view raw, std::u16string& out)
{
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t amp = raw.find('&', i);
        out += CvxStringConvert::FromUtf8(raw.substr(i, amp == std::string_view::npos ? raw.size() - i : amp - i));
        if (amp == std::string_view::npos) {
            break;
        }
        const std::size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 12) {
            return Fail("malformed entity");
        }
        const std::string_view entity = raw.substr(amp + 1, semi - amp - 1);
        if (entity == "lt") {
            out.push_back(u'<');
        } else if (entity == "gt") {
            out.push_back(u'>');
        } else if (entity == "amp") {
            out.push_back(u'&');
        } else if (entity == "apos") {
            out.push_back(u'\'');
        } else if (entity == "quot") {
            out.push_back(u'"');
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            std::uint32_t cp = 0;
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
            if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || cp > 0x10FFFF) {
                return Fail("malformed character reference &" + std::string(entity) + ";");
            }
            if (cp >= 0x10000) {
                cp -= 0x10000;
                out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
            } else {
                // Surrogate values stand for the unpaired surrogates the writer met.
                out.push_back(static_cast<char16_t>(cp));
            }
        } else {
            return Fail("unknown entity &" + std::string(entity) + ";");
        }
        i = semi + 1;
    }
    return true;
}

bool Parser::StartElement(const std::string& name, const std::vector<Attribute>& attributes, bool selfClosing)
{
    if (m_stack.size() >= CvxSetupXmlReader::kMaxDepth) {
        return Fail("elements nested deeper than " + std::to_string(CvxSetupXmlReader::kMaxDepth) + " levels");
    }
    Frame frame;
    frame.name = name;
    if (m_stack.empty()) {
        if (m_rootDone) {
            return Fail("a second root element <" + name + ">");
        }
        if (name != "cvxsetup") {
            return Fail("the root element is <" + name + ">, not <cvxsetup>");
        }
        const std::u16string* version = FindAttribute(attributes, "version");
        if (version != nullptr && *version != u"1") {
            return Fail("setup version " + CvxStringConvert::ToUtf8(*version) + " is not supported");
        }
        m_root = std::make_unique<CvxPersistenceElement>();
        frame.kind = Kind::Root;
        frame.element = m_root.get();
    } else {
        const Frame& parent = m_stack.back();
        if (parent.kind == Kind::Key) {
            return Fail("element <" + name + "> inside a key");
        }
        const std::u16string* nameAttribute = FindAttribute(attributes, "name");
        if (parent.kind == Kind::Skipped) {
            frame.kind = Kind::Skipped;
        } else if (name == "tag" || name == "key") {
            if (nameAttribute == nullptr || nameAttribute->empty()) {
                return Fail("<" + name + "> without a name");
            }
            if (name == "tag") {
                frame.kind = Kind::Tag;
                frame.element = &parent.element->AddChild(*nameAttribute);
            } else {
                const std::u16string* type = FindAttribute(attributes, "type");
                if (type != nullptr && *type != u"int" && *type != u"string") {
                    return Fail("key type '" + CvxStringConvert::ToUtf8(*type) + "' is not known");
                }
                frame.kind = Kind::Key;
                frame.element = parent.element;
                frame.keyName = *nameAttribute;
                frame.keyIsInt = type != nullptr && *type == u"int";
            }
        } else if (name == "stream" && parent.kind == Kind::Root) {
            CvxSetupStreamEntry stream;
            const std::u16string* entry = FindAttribute(attributes, "entry");
            const std::u16string* size = FindAttribute(attributes, "size");
            if (nameAttribute == nullptr || nameAttribute->empty() || entry == nullptr || entry->empty()
                || size == nullptr || !CvxStringConvert::ParseDecimal(*size, stream.size)) {
                return Fail("<stream> needs a name, an entry and a size");
            }
            stream.name = *nameAttribute;
            stream.entry = CvxStringConvert::ToUtf8(*entry);
            m_streams->push_back(std::move(stream));
            frame.kind = Kind::Skipped;
        } else {
            frame.kind = Kind::Skipped;
        }
    }
    m_stack.push_back(std::move(frame));
    return selfClosing ? CloseFrame() : true;
}

bool Parser::EndElement(const std::string& name)
{
    if (m_stack.empty() || m_stack.back().name != name) {
        return Fail("unexpected end tag </" + name + ">");
    }
    return CloseFrame();
}

bool Parser::CloseFrame()
{
    Frame& frame = m_stack.back();
    if (frame.kind == Kind::Key) {
        if (frame.keyIsInt) {
            int value = 0;
            if (!CvxStringConvert::ParseDecimal(frame.text, value)) {
                return Fail("key '" + CvxStringConvert::ToUtf8(frame.keyName) + "' holds no int");
            }
            frame.element->SetValue(frame.keyName, value);
        } else {
            frame.element->SetValue(frame.keyName, std::move(frame.text));
        }
    }
    if (frame.kind == Kind::Root) {
        m_rootDone = true;
    }
    m_stack.pop_back();
    return true;
}

bool Parser::Text(std::string_view raw, bool cdata)
{
    if (!m_stack.empty() && m_stack.back().kind == Kind::Key) {
        if (cdata) {
            m_stack.back().text += CvxStringConvert::FromUtf8(raw);
            return true;
        }
        return Decode(raw, m_stack.back().text);
    }
    if (!m_stack.empty() && m_stack.back().kind == Kind::Skipped) {
        return true;
    }
    const auto stray = std::find_if_not(raw.begin(), raw.end(), IsSpace);
    if (stray != raw.end()) {
        m_pos += static_cast<std::size_t>(stray - raw.begin()); // so the error names its line
        return Fail("text outside a key");
    }
    return true;
}

bool Parser::Run(std::unique_ptr<CvxPersistenceElement>& root, std::vector<CvxSetupStreamEntry>& streams,
                 std::string& error)
{
    m_streams = &streams;
    streams.clear();
    if (StartsWith("\xEF\xBB\xBF")) {
        m_pos = 3;
    }
    bool ok = true;
    while (ok && m_pos < m_text.size()) {
        if (m_text[m_pos] != '<') {
            const std::size_t end = std::min(m_text.find('<', m_pos), m_text.size());
            ok = Text(m_text.substr(m_pos, end - m_pos), false);
            m_pos = end;
        } else if (StartsWith("<?")) {
            ok = SkipPast("?>", "processing instruction");
        } else if (StartsWith("<!--")) {
            ok = SkipPast("-->", "comment");
        } else if (StartsWith("<![CDATA[")) {
            const std::size_t start = m_pos + 9;
            ok = SkipPast("]]>", "CDATA section") && Text(m_text.substr(start, m_pos - 3 - start), true);
        } else if (StartsWith("<!")) {
            ok = Fail("declarations are not supported");
        } else if (StartsWith("</")) {
            m_pos += 2;
            std::string name;
            ok = ReadName(name);
            SkipSpace();
            if (ok && (m_pos >= m_text.size() || m_text[m_pos] != '>')) {
                ok = Fail("'>' was expected after </" + name);
            }
            ++m_pos;
            ok = ok && EndElement(name);
        } else {
            std::string name;
            std::vector<Attribute> attributes;
            bool selfClosing = false;
            ok = ReadStartTag(name, attributes, selfClosing) && StartElement(name, attributes, selfClosing);
        }
    }
    if (ok && (!m_stack.empty() || !m_rootDone)) {
        ok = Fail(!m_stack.empty() ? "the file ends inside <" + m_stack.back().name + ">" : "no <cvxsetup> element");
    }
    if (!ok) {
        error = m_error;
        return false;
    }
    root = std::move(m_root);
    return true;
}

} // namespace

bool CvxSetupXmlReader::Read(std::string_view text, std::unique_ptr<CvxPersistenceElement>& root,
                             std::vector<CvxSetupStreamEntry>& streams, std::string& error)
{
    Parser parser(text);
    return parser.Run(root, streams, error);
}

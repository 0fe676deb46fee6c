#include "CvxSetupXmlWriter.h"

#include "CvxPersistenceElement.h"
#include "CvxStringConvert.h"

#include <cstdio>
#include <utility>

namespace {

void AppendReference(std::string& out, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "&#x%X;", value);
    out += text;
}

// Escapes UTF-16 text into UTF-8 markup; in attributes (quoted with ") line breaks and tabs
// become references too, as attribute values are normalised by markup readers.
void AppendEscaped(std::string& out, std::u16string_view text, bool attribute)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            CvxStringConvert::AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) {
            AppendReference(out, c);
        } else if (c == u'&') {
            out += "&amp;";
        } else if (c == u'<') {
            out += "&lt;";
        } else if (c == u'>') {
            out += "&gt;";
        } else if (attribute && c == u'"') {
            out += "&quot;";
        } else if (c < 0x20 && (attribute || (c != u'\n' && c != u'\t'))) {
            AppendReference(out, c);
        } else {
            CvxStringConvert::AppendUtf8(out, c);
        }
    }
}

void AppendIndent(std::string& out, std::size_t depth)
{
    out.append(2 * depth, ' ');
}

void AppendKeys(std::string& out, const CvxPersistenceElement& element, std::size_t depth)
{
    for (std::size_t k = 0; k < element.GetKeyCount(); ++k) {
        const auto& [name, value] = element.GetKey(k);
        AppendIndent(out, depth);
        out += "<key name=\"";
        AppendEscaped(out, name, true);
        if (const int* number = std::get_if<int>(&value)) {
            out += "\" type=\"int\">" + std::to_string(*number);
        } else {
            out += "\" type=\"string\">";
            AppendEscaped(out, std::get<std::u16string>(value), false);
        }
        out += "</key>\n";
    }
}

} // namespace

std::string CvxSetupXmlWriter::Write(const CvxPersistenceElement& root, const std::vector<CvxSetupStreamEntry>& streams)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cvxsetup version=\"1\">\n";
    AppendKeys(out, root, 1);
    // Depth first without recursion: each entry is an element and the index of its next child.
    std::vector<std::pair<const CvxPersistenceElement*, std::size_t>> stack{{&root, 0}};
    while (!stack.empty()) {
        auto& [element, next] = stack.back();
        if (next == element->GetChildCount()) {
            stack.pop_back();
            if (!stack.empty()) {
                AppendIndent(out, stack.size());
                out += "</tag>\n";
            }
            continue;
        }
        const CvxPersistenceElement& child = element->GetChild(next++);
        AppendIndent(out, stack.size());
        out += "<tag name=\"";
        AppendEscaped(out, child.GetName(), true);
        out += "\">\n";
        AppendKeys(out, child, stack.size() + 1);
        stack.emplace_back(&child, 0);
    }
    for (const CvxSetupStreamEntry& stream : streams) {
        out += "  <stream name=\"";
        AppendEscaped(out, stream.name, true);
        out += "\" entry=\"";
        AppendEscaped(out, CvxStringConvert::FromUtf8(stream.entry), true);
        out += "\" size=\"" + std::to_string(stream.size) + "\"/>\n";
    }
    out += "</cvxsetup>\n";
    return out;
}

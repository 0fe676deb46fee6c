#pragma once
// Character-level rules of the markup texts: whitespace and name tokens, escapes and the
// five entities, skipping "<?" and "<!" nodes, and finding an attribute in a start tag.
// Shared by the parser and the document so that both read a text the same way.

#include <cstddef>
#include <string>
#include <string_view>

class CvxMarkupText {
public:
    static constexpr std::size_t npos = std::u16string_view::npos;

    static bool IsWhitespace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
    // A name token ends at whitespace or any of < > = \ / ? !
    static bool IsNameEnd(char16_t c);
    // A name that can be written without breaking the markup: not empty, and free of
    // name-ending characters, quotes and ampersands.
    static bool IsValidName(std::u16string_view name);

    static std::size_t SkipWhitespace(std::u16string_view text, std::size_t pos);
    static std::size_t NameEnd(std::u16string_view text, std::size_t pos);

    // Text content escapes "<", "&" and ">"; an attribute value also the two quotes.
    static void AppendEscaped(std::u16string& out, std::u16string_view value, bool attribute);
    // Replaces exactly "&lt;", "&amp;", "&gt;", "&apos;" and "&quot;"; any other
    // ampersand stays as it is.
    static std::u16string Decode(std::u16string_view text);

    // Leading whitespace, an optional sign and the leading decimal digits; 0 without
    // digits; clamped to the int range.
    static int ToInt(std::u16string_view text);
    static std::u16string FromInt(int value);

    // For a node whose "?" or "!" (after the "<") is at `pos`: the position after its
    // terminator ("?>", "-->", "]]>", or ">" outside brackets and quotes), and its kind
    // (EvxMarkupNode); npos when the terminator is missing.
    static std::size_t SkipNode(std::u16string_view text, std::size_t pos, int& kind);

    // The closing ">" of a start tag whose name ends at `pos`, passing over quoted
    // values; npos when missing.
    static std::size_t FindTagEnd(std::u16string_view text, std::size_t pos);

    struct Attribute {
        std::size_t nameEnd = 0;
        std::size_t valueStart = 0; // the value's characters, without quotes
        std::size_t valueEnd = 0;
        std::size_t textStart = 0;  // the value as written, with its quotes; empty when the
        std::size_t textEnd = 0;    // attribute has no "=" at all
    };
    // Looks for attribute `name` among the attributes in [from, to) of a start tag.
    static bool FindAttribute(std::u16string_view text, std::size_t from, std::size_t to,
                              std::u16string_view name, Attribute& found);
};

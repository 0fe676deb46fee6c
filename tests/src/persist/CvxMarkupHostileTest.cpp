// Hostile texts: each must end in a clear answer, quickly, without deep recursion.

#include <gtest/gtest.h>
#include "persist/CvxMarkupDocument.h"

#include "CvxStringConvert.h"

#include <string>

namespace {

constexpr int kDepth = 100'000;

std::u16string Repeat(std::u16string_view piece, std::size_t count)
{
    std::u16string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(CvxMarkupHostile, DeepNestingParsesNavigatesAndEdits)
{
    CvxMarkupDocument doc(Repeat(u"<a>", kDepth) + Repeat(u"</a>", kDepth));
    ASSERT_TRUE(doc.HasRoot()) << CvxStringConvert::ToUtf8(doc.GetLastError());
    ASSERT_TRUE(doc.FindElement(u"a"));
    int depth = 1;
    while (doc.FindChildElement(u"a")) {
        ASSERT_TRUE(doc.EnterElement());
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    ASSERT_TRUE(doc.AddChildElement(u"leaf", u"x"));
    EXPECT_EQ(doc.GetText().substr(static_cast<std::size_t>(3 * kDepth), 17), u"<leaf>x</leaf>\r\n<");
    EXPECT_TRUE(CvxMarkupDocument(doc.GetText()).HasRoot());
}

TEST(CvxMarkupHostile, DeepNestingThatNeverClosesFails)
{
    const std::u16string open = Repeat(u"<a>", kDepth);
    EXPECT_EQ(CvxMarkupDocument(open).GetLastError(), u"End tag of a element not found");
    EXPECT_EQ(CvxMarkupDocument(open + u"</b>").GetLastError(), u"End tag does not correspond to a");
    EXPECT_EQ(CvxMarkupDocument(open + u"<").GetLastError(), u"Abrupt end within tag");
}

TEST(CvxMarkupHostile, HugeAttributeValue)
{
    // 50 million UTF-16 characters: a 100 MB value, first without its closing quote.
    const std::size_t length = 50'000'000;
    std::u16string text;
    text.reserve(length + 16);
    text = u"<a v='";
    text.append(length, u'>');
    CvxMarkupDocument doc(text);
    EXPECT_EQ(doc.GetLastError(), u"End of tag not found");

    text += u"'/>";
    ASSERT_TRUE(doc.Parse(std::move(text))) << CvxStringConvert::ToUtf8(doc.GetLastError());
    ASSERT_TRUE(doc.FindElement(u"a"));
    std::u16string value;
    ASSERT_TRUE(doc.GetAttribute(u"v", value));
    EXPECT_EQ(value.size(), length);
}

TEST(CvxMarkupHostile, UnterminatedNodesAtTheEnd)
{
    const std::u16string filler = Repeat(u"-[>?]", 200'000);
    for (const std::u16string start : {u"<!--", u"<![CDATA[", u"<?pi", u"<!DOCTYPE [", u"<!x '"}) {
        EXPECT_EQ(CvxMarkupDocument(start + filler).GetLastError(), u"Invalid node") << CvxStringConvert::ToUtf8(start);
        EXPECT_EQ(CvxMarkupDocument(u"<a>" + start + filler).GetLastError(), u"Invalid node");
    }
}

TEST(CvxMarkupHostile, EveryTruncationOfADocumentAnswersCleanly)
{
    const std::u16string full = u"<?xml version='1.0'?>\r\n<!-- c -->\r\n<!DOCTYPE r [<!ELEMENT r ANY>]>\r\n"
                                u"<r a=\"1\" b='>'>\r\n<c><![CDATA[<x>]]></c>\r\ntext &amp; <?p d?>\r\n"
                                u"<e/>< e2 k='v' ></ e2 >\r\n</r>\r\n";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        CvxMarkupDocument doc(full.substr(0, length));
        EXPECT_NE(doc.HasRoot(), doc.GetLastError().size() > 0) << length;
        // Walk whatever was indexed, node by node and level by level.
        int nodes = 0;
        for (int kind = doc.FindNode(); kind != kMarkupNodeNone; kind = doc.FindNode()) {
            doc.GetTagName();
            doc.GetContent();
            if (kind == kMarkupNodeElement && doc.FindChildElement() && doc.EnterElement()) {
                while (doc.FindNode() != kMarkupNodeNone) {
                    doc.GetContent();
                    ++nodes;
                }
                doc.LeaveElement();
            }
            ++nodes;
        }
        if (length >= 21) { // the leading processing instruction is complete
            EXPECT_GT(nodes, 0) << length;
        }
        EXPECT_EQ(doc.FindElement(u"/r/e2"), doc.HasRoot()) << length;
    }
}

// Found by fuzzing: start tags that the parser takes but whose attributes were read another
// way, so that an attribute written into them was lost on the next read, or the edited text
// no longer parsed: a quote inside a name (the parser takes every quote in a tag as the start
// of a quoted text), a dangling "=" at the end of the tag (which swallowed the appended
// attribute as its value), and an element without a name.
TEST(CvxMarkupHostile, AttributesWrittenIntoOddStartTagsReadBack)
{
    const std::u16string texts[] = {u"<G Il'v=\"1'/>", u"<G Il'<?xml version=\"1.0'/>", u"<G a\"b' c\"/>",
                                    u"<G a=/>", u"<G a= />", u"<G Ind'x'0e=/>", u"<G a=\tb='1'/>"};
    for (const std::u16string& text : texts) {
        CvxMarkupDocument doc(text);
        ASSERT_TRUE(doc.FindElement()) << CvxStringConvert::ToUtf8(text);
        ASSERT_TRUE(doc.SetAttribute(u"fz", u"2"));
        ASSERT_TRUE(doc.SetAttribute(u"added", u"a'b"));
        CvxMarkupDocument again(doc.GetText());
        ASSERT_TRUE(again.FindElement()) << CvxStringConvert::ToUtf8(doc.GetText());
        std::u16string value;
        EXPECT_TRUE(again.GetAttribute(u"fz", value) && value == u"2") << CvxStringConvert::ToUtf8(doc.GetText());
        EXPECT_TRUE(again.GetAttribute(u"added", value) && value == u"a'b") << CvxStringConvert::ToUtf8(doc.GetText());
    }
    // An element without a name could not take an attribute at all: refused.
    for (const char16_t* text : {u"<>", u"< >?x</>", u"<a><=b/></a>", u"<a><></a>"}) {
        EXPECT_EQ(CvxMarkupDocument(text).GetLastError(), u"Tag has no name") << CvxStringConvert::ToUtf8(text);
    }
    // Blanks around "=" before a quoted value are still the usual spelling.
    std::u16string value;
    CvxMarkupDocument spaced(u"<G a = 'x' b=y/>");
    ASSERT_TRUE(spaced.FindElement());
    EXPECT_TRUE(spaced.GetAttribute(u"a", value) && value == u"x");
    EXPECT_TRUE(spaced.GetAttribute(u"b", value) && value == u"y");
}

} // namespace

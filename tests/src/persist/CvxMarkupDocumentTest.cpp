#include <gtest/gtest.h>
#include "persist/CvxMarkupDocument.h"

#include "CvxStringConvert.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string U8(const std::u16string& text)
{
    return CvxStringConvert::ToUtf8(text);
}

// ---- Parse errors ----

struct ErrorCase {
    std::u16string text;
    std::u16string error;
};

TEST(CvxMarkupParse, EachMalformedTextGetsItsError)
{
    const std::vector<ErrorCase> cases = {
        {u"", u"Element tag not found"},
        {u"only text", u"Element tag not found"},
        {u"</a>", u"Element tag not found"},
        {u"<a>", u"End tag of a element not found"},
        {u"<a>text", u"End tag of a element not found"},
        {u"<a></b>", u"End tag does not correspond to a"},
        {u"<a></ab>", u"End tag does not correspond to a"},
        {u"<a><b></a>", u"End tag does not correspond to b"},
        {u"<abc></ab", u"End tag not completed for element abc"},
        {u"<a></", u"End tag not completed for element a"},
        {u"<a></a  ", u"End tag not completed for element a"},
        {u"<a>< /a>", u"Expecting end tag of element a"},
        {u"<", u"Abrupt end within tag"},
        {u"<a>x< \r\n", u"Abrupt end within tag"},
        {u"<'a'/>", u"Tag starts with quote"},
        {u"<a x='1>", u"End of tag not found"},
        {u"<a", u"End of tag not found"},
        {u"<?xml version='1.0'", u"Invalid node"},
        {u"<!", u"Invalid node"},
        {u"<!-- x -- >", u"Invalid node"},
        {u"<a><![CDATA[x</a>", u"Invalid node"},
        {u"<!DOCTYPE a [ <!ELEMENT a ANY> ><a/>", u"Invalid node"},
    };
    for (const ErrorCase& c : cases) {
        CvxMarkupDocument doc(c.text);
        EXPECT_EQ(U8(doc.GetLastError()), U8(c.error)) << U8(c.text);
        EXPECT_FALSE(doc.HasRoot()) << U8(c.text);
        EXPECT_FALSE(doc.FindElement()) << U8(c.text);
        EXPECT_EQ(doc.GetText(), c.text);
    }
}

TEST(CvxMarkupParse, SkipsNodesBeforeTheRootAndIgnoresWhatFollowsIt)
{
    CvxMarkupDocument doc(u"<?xml version='1.0'?>\r\n<!-- <b/> -->\r\n"
                          u"<!DOCTYPE a [ <!ELEMENT a ANY> ]>\r\n<a x='>'></a >\r\n<b/> <unclosed");
    ASSERT_TRUE(doc.HasRoot()) << U8(doc.GetLastError());
    EXPECT_TRUE(doc.GetLastError().empty());
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetTagName(), u"a");
    EXPECT_FALSE(doc.FindElement()); // only the root is indexed

    EXPECT_FALSE(doc.Parse(u"<a>"));
    EXPECT_TRUE(doc.Parse(u"<a/>"));
    EXPECT_TRUE(doc.GetLastError().empty());
}

// ---- Navigation ----

const std::u16string kWindow = u"<Window>\r\n"
                               u"<Options Range='All'/>\r\n"
                               u"<Column Name='c0'><Label ID='1'/></Column>\r\n"
                               u"<Column Name='c1'><Label ID='2'/><Marker/></Column>\r\n"
                               u"</Window>\r\n";

TEST(CvxMarkupNavigate, FindsSiblingsInOrderAndChildrenByName)
{
    CvxMarkupDocument doc(kWindow);
    ASSERT_TRUE(doc.FindElement(u"Window"));
    std::u16string name;
    ASSERT_TRUE(doc.FindChildElement(u"Column"));
    ASSERT_TRUE(doc.GetChildAttribute(u"Name", name));
    EXPECT_EQ(name, u"c0");
    ASSERT_TRUE(doc.FindChildElement(u"Column"));
    ASSERT_TRUE(doc.GetChildAttribute(u"Name", name));
    EXPECT_EQ(name, u"c1");
    EXPECT_FALSE(doc.FindChildElement(u"Column"));
    ASSERT_TRUE(doc.GetChildAttribute(u"Name", name)); // a failed search moves nothing
    EXPECT_EQ(name, u"c1");

    ASSERT_TRUE(doc.EnterElement()); // into c1
    ASSERT_TRUE(doc.EnterElement()); // at the start of c1's children
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetTagName(), u"Label");
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetTagName(), u"Marker");
    EXPECT_FALSE(doc.FindElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), u"Window");
    EXPECT_FALSE(doc.LeaveElement());
}

struct PathCase {
    std::u16string path;
    bool found;
    std::u16string tag;
};

TEST(CvxMarkupNavigate, PathsAndWildcardsFromTheRoot)
{
    const std::vector<PathCase> cases = {
        {u"/Window", true, u"Window"},
        {u"/Window/Options", true, u"Options"},
        {u"/Window/Column/Label", true, u"Label"},
        {u"/*/Column/*", true, u"Label"},
        {u"/Window/Options[1]", true, u"Options"},
        {u"/Window/Options Range='All'", true, u"Options"},
        {u"/Window/Opt", false, u""},
        {u"/Window/OptionsX", false, u""},
        {u"/Window/Column/Marker", false, u""}, // only the first Column is descended
        {u"/Column", false, u""},
        {u"Window/Column", true, u"Column"},
    };
    for (const PathCase& c : cases) {
        CvxMarkupDocument doc(kWindow);
        EXPECT_EQ(doc.FindElement(c.path), c.found) << U8(c.path);
        EXPECT_EQ(doc.GetTagName(), c.tag) << U8(c.path);
    }

    // A leading "/" searches from the root again, wherever the position is.
    CvxMarkupDocument doc(kWindow);
    ASSERT_TRUE(doc.FindElement(u"/Window/Column/Label"));
    ASSERT_TRUE(doc.FindElement(u"/Window/Options"));
    ASSERT_TRUE(doc.FindElement(u"Column"));
    std::u16string name;
    ASSERT_TRUE(doc.GetAttribute(u"Name", name));
    EXPECT_EQ(name, u"c0");
    ASSERT_TRUE(doc.FindChildElement(u"/Window/Column/Label"));
    int id = 0;
    ASSERT_TRUE(doc.GetChildAttribute(u"ID", id));
    EXPECT_EQ(id, 1);
    EXPECT_FALSE(doc.FindChildElement(u"/Window")); // the root is no one's child
}

TEST(CvxMarkupNavigate, WalksEveryKindOfNode)
{
    CvxMarkupDocument doc(u"<r><!--note--><?pi some data?>a &amp; b<![CDATA[<x>&amp;]]> "
                          u"<e/><!DOCTYPE d [<!ELEMENT e>]></r>");
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    const std::vector<std::tuple<int, std::u16string, std::u16string>> expected = {
        {kMarkupNodeComment, u"#comment", u"note"},
        {kMarkupNodeProcessingInstruction, u"pi", u"pi some data"},
        {kMarkupNodeText, u"#text", u"a & b"},
        {kMarkupNodeCData, u"#cdata-section", u"<x>&amp;"},
        {kMarkupNodeWhitespace, u"#text", u" "},
        {kMarkupNodeElement, u"e", u""},
        {kMarkupNodeDeclaration, u"DOCTYPE", u"DOCTYPE d [<!ELEMENT e>]"},
    };
    for (const auto& [kind, name, content] : expected) {
        ASSERT_EQ(doc.FindNode(), kind) << U8(name);
        EXPECT_EQ(doc.GetTagName(), name);
        EXPECT_EQ(doc.GetContent(), content);
    }
    EXPECT_EQ(doc.FindNode(), kMarkupNodeNone);

    // A walk by kind, and element searches that go on after a non-element node.
    ASSERT_TRUE(doc.FindElement(u"/r"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.FindNode(kMarkupNodeCData | kMarkupNodeText), kMarkupNodeText);
    EXPECT_EQ(doc.FindNode(kMarkupNodeCData | kMarkupNodeText), kMarkupNodeCData);
    ASSERT_TRUE(doc.FindElement(u"e"));
    ASSERT_EQ(doc.FindNode(kMarkupNodeDeclaration), kMarkupNodeDeclaration);
    EXPECT_EQ(doc.FindNode(kMarkupNodeComment), kMarkupNodeNone);

    // A new text leaves no trace of the node that was current in the old one.
    ASSERT_TRUE(doc.Parse(u"<r/>"));
    EXPECT_EQ(doc.GetTagName(), u"");
    EXPECT_EQ(doc.GetContent(), u"");
}

// ---- Attributes ----

TEST(CvxMarkupAttributes, ReplacedInPlaceAndRewrittenInSingleQuotes)
{
    CvxMarkupDocument doc(u"<a first=\"1\" x = \"say &quot;hi&quot;\" last='2'>text</a>");
    ASSERT_TRUE(doc.FindElement());
    std::u16string x;
    ASSERT_TRUE(doc.GetAttribute(u"x", x));
    EXPECT_EQ(x, u"say \"hi\"");
    ASSERT_TRUE(doc.SetAttribute(u"x", u"it's"));
    EXPECT_EQ(doc.GetText(), u"<a first=\"1\" x = 'it&apos;s' last='2'>text</a>");
    ASSERT_TRUE(doc.SetAttribute(u"x", u""));
    ASSERT_TRUE(doc.SetAttribute(u"new", 7));
    ASSERT_TRUE(doc.SetAttribute(u"new", 8));
    EXPECT_EQ(doc.GetText(), u"<a first=\"1\" x = '' last='2' new='8'>text</a>");
    EXPECT_EQ(doc.GetContent(), u"text");

    // A bare name gains a value; a name that would break the tag is refused.
    ASSERT_TRUE(doc.Parse(u"<a flag/>"));
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.SetAttribute(u"flag", true));
    EXPECT_FALSE(doc.SetAttribute(u"b c", 1));
    EXPECT_FALSE(doc.SetAttribute(u"", 1));
    EXPECT_EQ(doc.GetText(), u"<a flag='T'/>");
}

TEST(CvxMarkupAttributes, IntsAndBoolsReadAsTheSettingsExpect)
{
    CvxMarkupDocument doc(u"<a n=' -12abc' big='99999999999' t='t' T='T' e=''/>");
    ASSERT_TRUE(doc.FindElement());
    int n = 5;
    bool flag = true;
    ASSERT_TRUE(doc.GetAttribute(u"n", n));
    EXPECT_EQ(n, -12);
    ASSERT_TRUE(doc.GetAttribute(u"big", n));
    EXPECT_EQ(n, 2147483647);
    ASSERT_TRUE(doc.GetAttribute(u"e", n));
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(doc.GetAttribute(u"t", flag));
    EXPECT_FALSE(flag);
    ASSERT_TRUE(doc.GetAttribute(u"T", flag));
    EXPECT_TRUE(flag);
    n = 5;
    EXPECT_FALSE(doc.GetAttribute(u"missing", n));
    EXPECT_FALSE(doc.GetAttribute(u"missing", flag));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(doc.GetChildAttribute(u"n", n)); // no current child
}

TEST(CvxMarkupAttributes, ConfigTextIsWrittenExactly)
{
    CvxMarkupDocument doc;
    EXPECT_FALSE(doc.SetAttribute(u"A", 1)); // no element yet
    ASSERT_TRUE(doc.AddElement(u"Config"));
    ASSERT_TRUE(doc.SetAttribute(u"Width", -40));
    ASSERT_TRUE(doc.SetAttribute(u"Font", u"Sans 'Mono'"));
    ASSERT_TRUE(doc.SetAttribute(u"Shown", false));
    EXPECT_EQ(doc.GetText(), u"<Config Width='-40' Font='Sans &apos;Mono&apos;' Shown='F'/>\r\n");

    CvxMarkupDocument back(doc.GetText());
    ASSERT_TRUE(back.FindElement(u"Config"));
    std::u16string font;
    ASSERT_TRUE(back.GetAttribute(u"Font", font));
    EXPECT_EQ(font, u"Sans 'Mono'");
}

// ---- Escapes ----

TEST(CvxMarkupEscapes, WrittenAndReadBothWays)
{
    CvxMarkupDocument doc;
    ASSERT_TRUE(doc.AddElement(u"r"));
    ASSERT_TRUE(doc.AddChildElement(u"t", u"a<b & c>d 'q' \"q\""));
    ASSERT_TRUE(doc.SetChildAttribute(u"v", u"<&>'\""));
    EXPECT_EQ(doc.GetText(), u"<r>\r\n<t v='&lt;&amp;&gt;&apos;&quot;'>a&lt;b &amp; c&gt;d 'q' \"q\"</t>\r\n</r>\r\n");

    struct ReadCase {
        std::u16string content;
        std::u16string read;
    };
    const std::vector<ReadCase> cases = {
        {u"&amp;lt;", u"&lt;"},
        {u"&amp;amp;", u"&amp;"},
        {u"&#65;&#x42;", u"&#65;&#x42;"},
        {u"&lt&gt;&apos;&quot;", u"&lt>'\""},
        {u"& &unknown; &", u"& &unknown; &"},
        {u"<![CDATA[<x> &amp; ]]>", u"<x> &amp; "},
        {u"<![CDATA[x]]> tail", u"x"},
        {u"  <![CDATA[x]]>", u"  <![CDATA[x]]>"},
    };
    for (const ReadCase& c : cases) {
        CvxMarkupDocument read(u"<a v='" + (c.content.find(u'<') == std::u16string::npos ? c.content : u"") + u"'>" +
                               c.content + u"</a>");
        ASSERT_TRUE(read.FindElement()) << U8(c.content);
        EXPECT_EQ(read.GetContent(), c.read) << U8(c.content);
        std::u16string value;
        ASSERT_TRUE(read.GetAttribute(u"v", value));
        if (c.content.find(u'<') == std::u16string::npos) {
            EXPECT_EQ(value, c.read) << U8(c.content);
        }
    }
}

// ---- Adding elements ----

TEST(CvxMarkupAdd, ChildOfAnEmptyElementGivesThreeLines)
{
    CvxMarkupDocument doc;
    ASSERT_TRUE(doc.AddElement(u"a"));
    EXPECT_EQ(doc.GetText(), u"<a/>\r\n");
    ASSERT_TRUE(doc.AddChildElement(u"b"));
    EXPECT_EQ(doc.GetText(), u"<a>\r\n<b/>\r\n</a>\r\n");
    ASSERT_TRUE(doc.AddChildElement(u"c", u"x"));
    EXPECT_EQ(doc.GetText(), u"<a>\r\n<b/>\r\n<c>x</c>\r\n</a>\r\n");

    // An empty element written with a blank before "/>" opens the same way.
    ASSERT_TRUE(doc.Parse(u"<a k='1' />"));
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.AddChildElement(u"b"));
    EXPECT_EQ(doc.GetText(), u"<a k='1' >\r\n<b/>\r\n</a>");
}

TEST(CvxMarkupAdd, SecondRootAndUnwritableNamesAreRefused)
{
    CvxMarkupDocument doc(u"<?xml version='1.0'?>\r\n<r/>\r\n");
    EXPECT_FALSE(doc.AddElement(u"s"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    EXPECT_FALSE(doc.AddElement(u"s"));
    for (const std::u16string name : {u"", u"a b", u"a>", u"a/b", u"a'", u"a&b"}) {
        EXPECT_FALSE(doc.AddChildElement(name)) << U8(name);
    }
    EXPECT_EQ(doc.GetText(), u"<?xml version='1.0'?>\r\n<r/>\r\n");
    EXPECT_FALSE(CvxMarkupDocument().AddChildElement(u"x")); // no current element

    CvxMarkupDocument prolog(u"");
    ASSERT_TRUE(prolog.AddElement(u"root"));
    EXPECT_TRUE(prolog.HasRoot());
    EXPECT_FALSE(prolog.AddElement(u"other"));
}

TEST(CvxMarkupAdd, InsertsAfterTheCurrentElementAndShiftsTheRest)
{
    CvxMarkupDocument doc(u"<r>\r\n<a n='1'/>\r\n<c n='3'>text</c>\r\n</r>\r\n");
    ASSERT_TRUE(doc.FindElement(u"/r/a"));
    ASSERT_TRUE(doc.AddElement(u"b", u"2"));
    ASSERT_TRUE(doc.SetAttribute(u"n", 2));
    EXPECT_EQ(doc.GetText(), u"<r>\r\n<a n='1'/>\r\n<b n='2'>2</b>\r\n<c n='3'>text</c>\r\n</r>\r\n");
    ASSERT_TRUE(doc.FindElement(u"c"));
    ASSERT_TRUE(doc.SetAttribute(u"n", u"three"));
    EXPECT_EQ(doc.GetContent(), u"text");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddChildElement(u"d")); // after the current child, c
    EXPECT_EQ(doc.GetText(), u"<r>\r\n<a n='1'/>\r\n<b n='2'>2</b>\r\n<c n='three'>text</c>\r\n<d/>\r\n</r>\r\n");
    EXPECT_EQ(CvxMarkupDocument(doc.GetText()).GetText(), doc.GetText());
}

// ---- Round trips ----

struct Node {
    std::u16string name;
    std::u16string data; // leaves only
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    int parent = -1;
    int indexInParent = 0;
    int children = 0;
};

// A random tree numbered breadth first (parents never decrease along the ids), built
// through the editing calls in that order, so that later inserts land between elements
// written earlier; attributes are set afterwards, element by element in shuffled order.
class RoundTrip {
public:
    explicit RoundTrip(unsigned seed) : m_random(seed)
    {
        const std::u16string names[] = {u"a", u"Item", u"Column", u"x1", u"Config"};
        const int count = 20 + static_cast<int>(m_random() % 40);
        for (int i = 0; i < count; ++i) {
            Node node{names[m_random() % 5], RandomText(), {}, -1, 0, 0};
            if (i > 0) {
                node.parent = std::min(i - 1, m_nodes.back().parent + (m_random() % 3 == 0 ? 1 : 0));
                node.parent = std::max(node.parent, 0);
                node.indexInParent = m_nodes[static_cast<std::size_t>(node.parent)].children++;
            }
            for (const std::u16string attribute : {u"Name", u"Value", u"n", u"Width"}) {
                if (m_random() % 2 == 0) {
                    node.attributes.emplace_back(attribute, RandomText());
                }
            }
            m_nodes.push_back(node);
        }
    }

    void Build(CvxMarkupDocument& doc)
    {
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const Node& node = m_nodes[i];
            if (node.parent >= 0) {
                GoTo(doc, node.parent);
                ASSERT_TRUE(doc.EnterElement());
                for (int k = 0; k < node.indexInParent; ++k) {
                    ASSERT_TRUE(doc.FindElement());
                }
            }
            ASSERT_TRUE(doc.AddElement(node.name, node.children == 0 ? node.data : u""));
        }
        std::vector<int> order(m_nodes.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), m_random);
        for (const int i : order) {
            GoTo(doc, i);
            for (const auto& [name, value] : m_nodes[static_cast<std::size_t>(i)].attributes) {
                if (m_random() % 3 == 0) {
                    ASSERT_TRUE(doc.SetAttribute(name, u"placeholder & more text"));
                }
                ASSERT_TRUE(doc.SetAttribute(name, value));
            }
        }
    }

    void Check(CvxMarkupDocument& doc)
    {
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const Node& node = m_nodes[i];
            GoTo(doc, static_cast<int>(i));
            ASSERT_EQ(doc.GetTagName(), node.name);
            EXPECT_EQ(doc.GetContent(), node.children == 0 ? node.data : u"");
            for (const auto& [name, value] : node.attributes) {
                std::u16string read;
                ASSERT_TRUE(doc.GetAttribute(name, read));
                EXPECT_EQ(read, value);
            }
        }
    }

    std::u16string Expected(int id = 0) const
    {
        const Node& node = m_nodes[static_cast<std::size_t>(id)];
        std::u16string text = u"<" + node.name;
        for (const auto& [name, value] : node.attributes) {
            text += u" " + name + u"='" + Escaped(value, true) + u"'";
        }
        if (node.children == 0) {
            return text + (node.data.empty() ? u"/>\r\n" : u">" + Escaped(node.data, false) + u"</" + node.name + u">\r\n");
        }
        text += u">\r\n";
        for (std::size_t child = 0; child < m_nodes.size(); ++child) {
            text += m_nodes[child].parent == id ? Expected(static_cast<int>(child)) : u"";
        }
        return text + u"</" + node.name + u">\r\n";
    }

private:
    std::u16string RandomText()
    {
        const std::u16string pieces[] = {u"x", u"<", u">", u"&", u"'", u"\"", u"&amp;", u"&lt;", u" ", u"\u00e9"};
        std::u16string text;
        for (unsigned length = m_random() % 6; length > 0; --length) {
            text += pieces[m_random() % 10];
        }
        return text;
    }

    static std::u16string Escaped(const std::u16string& text, bool attribute)
    {
        std::u16string out;
        for (const char16_t c : text) {
            const bool quote = attribute && (c == u'\'' || c == u'"');
            out += c == u'<' ? u"&lt;" : c == u'>' ? u"&gt;" : c == u'&' ? u"&amp;"
                 : quote ? (c == u'"' ? u"&quot;" : u"&apos;") : std::u16string(1, c);
        }
        return out;
    }

    void GoTo(CvxMarkupDocument& doc, int id)
    {
        std::vector<int> path;
        for (int at = id; at > 0; at = m_nodes[static_cast<std::size_t>(at)].parent) {
            path.insert(path.begin(), at);
        }
        doc.ResetPosition();
        ASSERT_TRUE(doc.FindElement());
        for (const int at : path) {
            ASSERT_TRUE(doc.EnterElement());
            for (int k = 0; k <= m_nodes[static_cast<std::size_t>(at)].indexInParent; ++k) {
                ASSERT_TRUE(doc.FindElement());
            }
        }
    }

    std::mt19937 m_random;
    std::vector<Node> m_nodes;
};

TEST(CvxMarkupRoundTrip, GeneratedDocumentsWriteExactlyAndReadBack)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(seed);
        RoundTrip trip(seed);
        CvxMarkupDocument built;
        trip.Build(built);
        ASSERT_EQ(U8(built.GetText()), U8(trip.Expected()));
        trip.Check(built); // the index kept up with the edits
        CvxMarkupDocument parsed(built.GetText());
        ASSERT_TRUE(parsed.HasRoot()) << U8(parsed.GetLastError());
        trip.Check(parsed);
    }
}

} // namespace

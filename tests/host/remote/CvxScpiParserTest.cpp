// The SCPI-style message parser, the input framing and the error queue of the remote server.

#include "CvxScpiErrorQueue.h"
#include "CvxScpiInputBuffer.h"
#include "CvxScpiParser.h"

#include <gtest/gtest.h>

namespace {

// A parsed message in a compact form: "HEADER(w:word,s:string,b:block)|NEXT()", or "!code"
// where parsing stops with an error.
std::string Parse(std::string_view message)
{
    std::string out;
    std::size_t pos = 0;
    CvxScpiCommand command;
    int code = 0;
    std::string text;
    while (true) {
        const auto result = CvxScpiParser::ParseNext(message, pos, command, code, text);
        if (result == CvxScpiParser::EvxResult::End) {
            return out;
        }
        if (!out.empty()) {
            out += '|';
        }
        if (result == CvxScpiParser::EvxResult::Error) {
            return out + "!" + std::to_string(code);
        }
        out += command.header + "(";
        for (std::size_t i = 0; i < command.arguments.size(); ++i) {
            const CvxScpiArgument& argument = command.arguments[i];
            out += i > 0 ? "," : "";
            out += argument.kind == EvxScpiArgument::Word ? "w:" : argument.kind == EvxScpiArgument::String ? "s:" : "b:";
            out += argument.text;
        }
        out += ")";
    }
}

std::vector<std::pair<bool, std::string>> Feed(CvxScpiInputBuffer& buffer, std::string_view bytes, std::size_t piece)
{
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        buffer.Append(bytes.substr(i, piece));
    }
    std::vector<std::pair<bool, std::string>> messages;
    std::string message;
    bool overlong = false;
    while (buffer.Next(message, overlong)) {
        messages.emplace_back(overlong, message);
    }
    return messages;
}

} // namespace

TEST(CvxScpiParserTest, ParsesCommandsArgumentsAndErrors)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"*IDN?", "*IDN?()"},
        {"  :SYST:ERR?  ", "SYST:ERR?()"},
        {"RUN:REP 5;*OPC?", "RUN:REP(w:5)|*OPC?()"},
        {"TOOL:EXEC \"Compare\", 'Execute'", "TOOL:EXEC(s:Compare,s:Execute)"},
        {"TOOL:OPT \"A \"\"q\"\" ;,\",#15a;\n,b", "TOOL:OPT(s:A \"q\" ;,,b:a;\n,b)"},
        {"TOOL:DATA? \"x\",#10", "TOOL:DATA?(s:x,b:)"},
        {"A;;B", "A()|!-102"},
        {"RUN:REP 5 6", "!-102"},
        {"RUN:REP 5,", "!-102"},
        {"TOOL:EXEC \"Compare", "!-102"},
        {"TOOL:OPT \"x\",#0abc", "!-161"},
        {"TOOL:OPT \"x\",#3abc", "!-161"},
        {"TOOL:OPT \"x\",#15ab", "!-161"},  // a length beyond the bytes that back it
        {"TOOL:OPT \"x\",#9999999999", "!-161"},
        {"RUN(x)", "!-102"},
        {"*IDN?;BAD HEADER\"", "*IDN?()|!-102"},
    };
    for (const auto& [message, expected] : cases) {
        EXPECT_EQ(Parse(message), expected) << message;
    }
}

TEST(CvxScpiParserTest, HeadersMatchShortAndLongFormsWithoutCase)
{
    const std::tuple<std::string_view, std::string_view, bool> cases[] = {
        {"SYSTem:ERRor?", "SYST:ERR?", true},
        {"SYSTem:ERRor?", "system:error?", true},
        {"SYSTem:ERRor?", ":Syst:Error?", true},
        {"SYSTem:ERRor?", "SYSTE:ERR?", false}, // neither form
        {"SYSTem:ERRor?", "SYST:ERR", false},   // query and command differ
        {"SYSTem:ERRor?", "SYST?", false},
        {"SYSTem:ERRor?", "SYST::ERR?", false},
        {"RUN", "run", true},
        {"RUN:REPetitive", "RUN:REP", true},
        {"RUN:REPetitive", "RUN", false},
        {"*IDN?", "*idn?", true},
        {"*IDN?", "*IDN", false},
    };
    for (const auto& [pattern, header, expected] : cases) {
        EXPECT_EQ(CvxScpiParser::Matches(pattern, header), expected) << pattern << " " << header;
    }
}

TEST(CvxScpiParserTest, RepliesQuoteStringsAndFrameBlocks)
{
    EXPECT_EQ(CvxScpiParser::QuoteString("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CvxScpiParser::FormatBlock("<a/>"), "#14<a/>");
    EXPECT_EQ(CvxScpiParser::FormatBlock(std::string(1234, 'x')).substr(0, 6), "#41234");
    EXPECT_EQ(CvxScpiParser::FormatBlock(""), "#10");
}

TEST(CvxScpiParserTest, InputIsCutAtNewlinesOutsideBlocksWhateverTheReadSizes)
{
    const std::string stream = "*IDN?\r\nTOOL:OPT \"x\",#18a\nb\nc\"d\n;RUN\nTOOL:EXEC \"open\n*CLS\n";
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, stream.size()}) {
        CvxScpiInputBuffer buffer;
        const auto messages = Feed(buffer, stream, piece);
        ASSERT_EQ(messages.size(), 4U) << piece;
        EXPECT_EQ(messages[0].second, "*IDN?");
        EXPECT_EQ(messages[1].second, "TOOL:OPT \"x\",#18a\nb\nc\"d\n;RUN");
        EXPECT_EQ(messages[2].second, "TOOL:EXEC \"open"); // a stray quote ends at the line
        EXPECT_EQ(messages[3].second, "*CLS");
        EXPECT_EQ(buffer.GetSize(), 0U);
    }
}

TEST(CvxScpiParserTest, OverlongMessagesAreDroppedUpToTheirNewline)
{
    const std::size_t limit = CvxScpiInputBuffer::kMaxMessage;
    const std::string text = std::string(limit + 10, 'A') + "\n*IDN?\n";
    // A block that claims more than the limit, its bytes holding newlines: the stream picks up
    // again after the first newline past the limit.
    const std::string block = "TOOL:OPT \"x\",#7" + std::to_string(limit + 100) + std::string(limit, 'b') + "zz\n*CLS\n";
    for (const std::string& stream : {text, block}) {
        CvxScpiInputBuffer buffer;
        buffer.Append(stream.substr(0, limit / 2));
        EXPECT_LE(buffer.GetSize(), limit);
        buffer.Append(stream.substr(limit / 2));
        EXPECT_LE(buffer.GetSize(), limit);
        const auto messages = Feed(buffer, "", 1);
        ASSERT_EQ(messages.size(), 2U);
        EXPECT_TRUE(messages[0].first);
        EXPECT_TRUE(messages[0].second.empty());
        EXPECT_FALSE(messages[1].first);
        EXPECT_EQ(messages[1].second, stream == text ? "*IDN?" : "*CLS");
    }
    CvxScpiInputBuffer exact;
    const auto messages = Feed(exact, std::string(limit, 'A') + "\n", 4096);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_FALSE(messages[0].first);
}

TEST(CvxScpiParserTest, BadBlockHeadersDoNotSwallowTheLinesThatFollow)
{
    const std::size_t limit = CvxScpiInputBuffer::kMaxMessage;
    struct Case {
        std::string stream;
        std::vector<std::pair<bool, std::string>> expected;
    };
    const Case cases[] = {
        // A '#' that starts no block must not hide the quote after it.
        {"X #\"#11\n*IDN?\n", {{false, "X #\"#11"}, {false, "*IDN?"}}},
        {"X #2'#11\n*IDN?\n", {{false, "X #2'#11"}, {false, "*IDN?"}}},
        // A length no request can hold is dropped at once: nothing more has to arrive.
        {"TOOL:OPT \"x\",#9999999999\n*IDN?\n", {{true, ""}, {false, "*IDN?"}}},
        {"TOOL:OPT \"x\",#7" + std::to_string(limit) + "\n*IDN?\n", {{true, ""}, {false, "*IDN?"}}},
        // The "\r" of a "\r\n" is no part of the request.
        {std::string(limit, 'A') + "\r\n*IDN?\n", {{false, std::string(limit, 'A')}, {false, "*IDN?"}}},
        {std::string(limit, 'A') + "\rB\n*IDN?\n", {{true, ""}, {false, "*IDN?"}}},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
            CvxScpiInputBuffer buffer;
            const auto messages = Feed(buffer, c.stream, piece);
            ASSERT_EQ(messages.size(), c.expected.size()) << c.stream.substr(0, 40) << " / " << piece;
            for (std::size_t i = 0; i < messages.size(); ++i) {
                EXPECT_EQ(messages[i].first, c.expected[i].first) << c.stream.substr(0, 40) << " / " << i;
                EXPECT_TRUE(messages[i].second == c.expected[i].second) << c.stream.substr(0, 40) << " / " << i;
            }
        }
    }
}

TEST(CvxScpiParserTest, ErrorDetailsStayOneLineOfUtf8)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {std::string_view("a\0b\tc", 5), "a b c"},
        {"\xff\xfe\x7f", "?? "},
        {"\xc3\x28 \xed\xa0\x80 \xf4\x90\x80\x80", "?( ??? ????"}, // broken, surrogate, beyond U+10FFFF
        {"\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},
        {"cut \xe2\x82", "cut ??"},
    };
    for (const auto& [detail, shown] : cases) {
        CvxScpiErrorQueue queue;
        queue.Push(CvxScpiErrorQueue::kIllegalParameterValue, detail);
        EXPECT_EQ(queue.Pop(), "-224,\"Illegal parameter value; " + std::string(shown) + "\"") << detail;
    }
}

TEST(CvxScpiParserTest, ErrorQueueIsBoundedAndReadOldestFirst)
{
    CvxScpiErrorQueue queue;
    EXPECT_EQ(queue.Pop(), "0,\"No error\"");
    queue.Push(CvxScpiErrorQueue::kUndefinedHeader, "FOO \"x\"");
    queue.Push(CvxScpiErrorQueue::kSyntaxError);
    EXPECT_EQ(queue.Pop(), "-113,\"Undefined header; FOO \"\"x\"\"\"");
    EXPECT_EQ(queue.Pop(), "-102,\"Syntax error\"");
    for (int i = 0; i < 100; ++i) {
        queue.Push(CvxScpiErrorQueue::kDataTypeError, "line\nbreak");
    }
    EXPECT_EQ(queue.GetCount(), CvxScpiErrorQueue::kCapacity);
    EXPECT_EQ(queue.Pop(), "-104,\"Data type error; line break\"");
    std::string last;
    while (queue.GetCount() > 0) {
        last = queue.Pop();
    }
    EXPECT_EQ(last, "-350,\"Queue overflow\"");
}

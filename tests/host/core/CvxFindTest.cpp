// Patterns in every base with X, their refusals, and the find manager's walk: the Nth match,
// both directions, all patterns at one sample, X/Z values, and what it says when it cannot.

#include "CvxBase.h"
#include "CvxDataBuilder.h"
#include "CvxFindMgr.h"
#include "CvxLabelMgr.h"

#include <gtest/gtest.h>

namespace {

CvxPatternModel Pattern(int width, int base, const char16_t* text)
{
    CvxPatternModel pattern(CvxLabelChannel(CvxID::New()), width, base);
    std::string error;
    EXPECT_TRUE(pattern.Parse(text, error)) << error;
    return pattern;
}

std::string Refusal(int width, int base, const char16_t* text)
{
    CvxPatternModel pattern(CvxLabelChannel(CvxID::New()), width, base);
    std::string error;
    EXPECT_FALSE(pattern.Parse(text, error));
    return error;
}

} // namespace

TEST(CvxPatternModel, DigitsAndXInEveryBaseAndTheirRefusals)
{
    const CvxPatternModel hex = Pattern(16, kBaseHex, u"1X3f");
    EXPECT_TRUE(hex.Matches(CvxUInt(0x1A3F)));
    EXPECT_TRUE(hex.Matches(CvxUInt(0x103F)));
    EXPECT_FALSE(hex.Matches(CvxUInt(0x1A3E)));
    EXPECT_FALSE(hex.Matches(CvxUInt::FourState(0x1A3F, 0x0001))); // an X bit the pattern cares for
    EXPECT_TRUE(hex.Matches(CvxUInt::FourState(0x1A3F, 0x0F00)));  // X where the pattern has X

    const CvxPatternModel bin = Pattern(8, kBaseBinary, u"1x0");   // short: zeros on the left
    EXPECT_TRUE(bin.Matches(CvxUInt(0b110)));
    EXPECT_TRUE(bin.Matches(CvxUInt(0b100)));
    EXPECT_FALSE(bin.Matches(CvxUInt(0b1100)));
    EXPECT_TRUE(Pattern(4, kBaseHex, u"0F").Matches(CvxUInt(0xF))); // a leading zero digit is fine
    EXPECT_TRUE(Pattern(9, kBaseOctal, u"7X1").Matches(CvxUInt(0711)));
    EXPECT_TRUE(Pattern(32, kBaseDecimal, u"4294967295").Matches(CvxUInt(0xFFFFFFFFULL)));
    const CvxPatternModel wide = Pattern(96, kBaseHex, u"8000000000000000000000X1");
    EXPECT_TRUE(wide.Matches(CvxUInt(0x00000051, 0, 0x80000000, 0)));

    EXPECT_NE(Refusal(8, kBaseHex, u"1G").find("not a hexadecimal pattern"), std::string::npos);
    EXPECT_NE(Refusal(4, kBaseHex, u"1F").find("more digits than 4 bits"), std::string::npos);
    EXPECT_NE(Refusal(8, kBaseDecimal, u"256").find("does not fit in 8 bits"), std::string::npos);
    EXPECT_NE(Refusal(8, kBaseDecimal, u"1X").find("X is not allowed"), std::string::npos);
    EXPECT_NE(Refusal(8, kBaseBinary, u"").find("empty"), std::string::npos);
    EXPECT_NE(Refusal(128, kBaseHex, (u"1" + std::u16string(32, u'0')).c_str()).find("more digits"), std::string::npos);
    EXPECT_NE(Refusal(128, kBaseOctal, (u"4" + std::u16string(42, u'0')).c_str()).find("more digits"), std::string::npos);
    EXPECT_NE(Refusal(1, kBaseDecimal, u"5").find("does not fit in 1 bits"), std::string::npos);
    EXPECT_NE(Refusal(3, kBaseDecimal, u"9").find("does not fit in 3 bits"), std::string::npos);
    EXPECT_TRUE(Pattern(8, kBaseHex, (std::u16string(40, u'0') + u"A5").c_str()).Matches(CvxUInt(0xA5)));
}

// Value and care bits written back as text: one digit per digit of the width, X where no bit
// is cared for; a digit partly X cannot be written in hexadecimal or octal, no X in decimal.
// What is written parses back to the same bits.
TEST(CvxPatternModel, BitsAreWrittenInTheBaseOrRefused)
{
    struct Case {
        int width;
        int base;
        std::uint64_t value;
        std::uint64_t care;
        const char16_t* text; // null: refused
    };
    const Case cases[] = {
        {16, kBaseHex, 0x0100, 0xFFFF, u"0100"},
        {16, kBaseHex, 0x0100, 0xFF0F, u"01X0"},
        {6, kBaseHex, 0x25, 0x3F, u"25"},          // the top digit has two bits in the width
        {6, kBaseHex, 0x05, 0x0F, u"X5"},
        {16, kBaseHex, 0x0100, 0xFF07, nullptr}, // a digit partly X
        {8, kBaseBinary, 0x81, 0xC3, u"10XXXX01"},
        {1, kBaseBinary, 1, 1, u"1"},
        {1, kBaseBinary, 0, 0, u"X"},
        {9, kBaseOctal, 0711, 0x1FF, u"711"},
        {9, kBaseOctal, 0701, 0x1C7, u"7X1"},
        {32, kBaseDecimal, 4294967295ULL, 0xFFFFFFFFULL, u"4294967295"},
        {8, kBaseDecimal, 0, 0xFF, u"0"},
        {8, kBaseDecimal, 3, 0xFE, nullptr},
        {64, kBaseHex, 0xFFFFFFFFFFFFFFFFULL, 0xFFFFFFFFFFFFFFFFULL, u"FFFFFFFFFFFFFFFF"},
    };
    for (const Case& c : cases) {
        CvxPatternModel pattern(CvxLabelChannel(CvxID::New()), c.width, c.base);
        const bool taken = pattern.SetBits(c.value, c.care);
        ASSERT_EQ(taken, c.text != nullptr) << c.width << " " << c.value << "/" << c.care;
        if (!taken) {
            EXPECT_TRUE(pattern.GetText().empty()); // unchanged
            continue;
        }
        EXPECT_EQ(pattern.GetText(), c.text);
        CvxPatternModel parsed(pattern.GetLabel(), c.width, c.base);
        std::string error;
        ASSERT_TRUE(parsed.Parse(pattern.GetText(), error)) << error;
        EXPECT_EQ(parsed.GetValueBits(), pattern.GetValueBits());
        EXPECT_EQ(parsed.GetCareBits(), pattern.GetCareBits());
    }
}

TEST(CvxFindMgr, FindsTheNthSampleWhereEveryPatternMatchesInEitherDirection)
{
    CvxLabelMgr::GetInstance().Clear();
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"T");
    table.SetTickTimeBase(CvxTime::FromNs(1));
    CvxDataColumnComponent& a = builder.AddBus(table, u"A", 8);
    CvxDataColumnComponent& b = builder.AddBus(table, u"B", 1);
    for (int i = 0; i < 200; ++i) {
        table.AppendRowTime(i);
        a.Append(static_cast<std::uint64_t>(i % 10)); // 7 at rows 7, 17, 27, ...
        b.Append(static_cast<std::uint64_t>((i / 10) % 2)); // 1 in rows 10-19, 30-39, ...
    }
    CvxDataTable& other = builder.AddTable(u"U");
    CvxDataColumnComponent& elsewhere = builder.AddBus(other, u"C", 4);
    const auto data = builder.Finish();

    CvxFindModel model;
    CvxPatternModel seven(CvxLabelChannel(a.GetLabelID()), 8, kBaseHex);
    std::string error;
    ASSERT_TRUE(seven.Parse(u"07", error));
    CvxPatternModel high(CvxLabelChannel(b.GetLabelID()), 1, kBaseBinary);
    ASSERT_TRUE(high.Parse(u"1", error));
    model.AddPattern(seven);
    model.AddPattern(high);
    CvxFindMgr& finder = CvxFindMgr::GetInstance();
    finder.SetModel(model);
    CvxPosition found;
    ASSERT_TRUE(finder.FindNext(*data, CvxPosition::AtTime(CvxTime()), found, error)) << error;
    EXPECT_EQ(found.AsSample(), 17);
    ASSERT_TRUE(finder.FindNext(*data, found, found, error)); // strictly after the last find
    EXPECT_EQ(found.AsSample(), 37);
    ASSERT_TRUE(finder.FindPrevious(*data, found, found, error));
    EXPECT_EQ(found.AsSample(), 17);
    EXPECT_FALSE(finder.FindPrevious(*data, found, found, error));
    EXPECT_EQ(error, "not found");

    model.SetOccurrence(3);
    finder.SetModel(model);
    ASSERT_TRUE(finder.FindNext(*data, CvxPosition::AtTime(CvxTime()), found, error));
    EXPECT_EQ(found.AsSample(), 57);

    // One channel of a bus: its bit alone, and an X on that bit matches only an X.
    CvxFindModel bit;
    CvxPatternModel bit2(CvxLabelChannel(a.GetLabelID(), 2), 1, kBaseBinary);
    ASSERT_TRUE(bit2.Parse(u"1", error));
    bit.AddPattern(bit2);
    finder.SetModel(bit);
    ASSERT_TRUE(finder.FindNext(*data, CvxPosition::AtTime(CvxTime()), found, error));
    EXPECT_EQ(found.AsSample(), 4); // A = 4 (bit 2 set) at row 4

    CvxFindModel mixed;
    mixed.AddPattern(seven);
    mixed.AddPattern(CvxPatternModel(CvxLabelChannel(elsewhere.GetLabelID()), 4, kBaseHex));
    finder.SetModel(mixed);
    EXPECT_FALSE(finder.FindNext(*data, CvxPosition::AtTime(CvxTime()), found, error));
    EXPECT_EQ(error, "C is not in the data searched");
    finder.SetModel(CvxFindModel());
    EXPECT_FALSE(finder.FindNext(*data, CvxPosition::AtTime(CvxTime()), found, error));
    EXPECT_EQ(error, "nothing to find");
}

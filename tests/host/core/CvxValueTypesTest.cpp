// Identifiers, 128-bit helpers, times, positions and wide values.

#include "CvxID.h"
#include "CvxInt128.h"
#include "CvxPosition.h"
#include "CvxStringConvert.h"
#include "CvxUInt.h"

#include <gtest/gtest.h>

#include <set>

TEST(CvxIDTest, GuidTextRoundTripsAndMalformedTextChangesNothing)
{
    CvxID id;
    ASSERT_TRUE(id.SetValue("{0123ABCD-4567-89ef-0011-2233445566FF}"));
    EXPECT_EQ(id.ToString(), "{0123ABCD-4567-89EF-0011-2233445566FF}");
    EXPECT_EQ(id.GetBytes()[0], 0x01);
    EXPECT_EQ(id.GetBytes()[15], 0xFF);

    CvxID same;
    ASSERT_TRUE(same.SetValue(u"0123abcd-4567-89EF-0011-2233445566ff")); // braces are optional
    EXPECT_EQ(id, same);

    for (const char* bad : {"", "{0123ABCD-4567-89EF-0011-2233445566F}", "{0123ABCD-4567-89EF-0011-2233445566FG}",
                            "{0123ABCD+4567-89EF-0011-2233445566FF}", "[0123ABCD-4567-89EF-0011-2233445566FF]"}) {
        CvxID kept = id;
        EXPECT_FALSE(kept.SetValue(bad)) << bad;
        EXPECT_EQ(kept, id) << bad;
    }
}

TEST(CvxIDTest, NewIdentifiersAreDistinctVersion4AndOrderBytewise)
{
    std::set<CvxID> seen;
    for (int i = 0; i < 1000; ++i) {
        const CvxID id = CvxID::New();
        EXPECT_FALSE(id.IsNull());
        EXPECT_EQ(id.GetBytes()[6] >> 4, 4);
        EXPECT_EQ(id.GetBytes()[8] & 0xC0, 0x80);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000U);
    EXPECT_TRUE(CvxID::NullID().IsNull());

    CvxID a;
    CvxID b;
    a.SetValue("{00000000-0000-0000-0000-0000000000FF}");
    b.SetValue("{00000000-0000-0000-0000-000000000100}"); // last byte 00, but byte 14 is larger
    EXPECT_LT(a, b);
}

TEST(CvxInt128Test, TextConversionsAtTheExtremes)
{
    EXPECT_EQ(CvxInt128ToString(0), "0");
    EXPECT_EQ(CvxInt128ToString(kCvxInt128Min), "-170141183460469231731687303715884105728");
    EXPECT_EQ(CvxInt128ToString(kCvxInt128Max), "170141183460469231731687303715884105727");
    CvxInt128 v = 0;
    ASSERT_TRUE(CvxInt128FromString("-170141183460469231731687303715884105728", v));
    EXPECT_EQ(v, kCvxInt128Min);
    EXPECT_FALSE(CvxInt128FromString("170141183460469231731687303715884105728", v)); // one past max
    EXPECT_FALSE(CvxInt128FromString("12a", v));
    EXPECT_FALSE(CvxInt128FromString("-", v));
    ASSERT_TRUE(CvxInt128FromString("  +42", v));
    EXPECT_EQ(v, 42);
    EXPECT_EQ(CvxInt128FloorDiv(-7, 2), -4);
    EXPECT_EQ(CvxInt128CeilDiv(-7, 2), -3);
    EXPECT_EQ(CvxInt128CeilDiv(7, 2), 4);
    EXPECT_EQ(CvxInt128ShiftRight(-1, 200), -1);
    EXPECT_EQ(CvxInt128ShiftRight(5, 128), 0);
}

TEST(CvxPositionTest, OrdersByTimeThenSampleThenSubRowThenTable)
{
    const CvxID t1 = CvxID::New();
    const CvxID t2 = CvxID::New();
    const CvxPosition early(t1, CvxTime::FromNs(10), 5, 0);
    const CvxPosition laterSample(t1, CvxTime::FromNs(10), 6, 0);
    const CvxPosition laterSubRow(t1, CvxTime::FromNs(10), 5, 2);
    const CvxPosition laterTime(t2, CvxTime::FromNs(11), -100, 0);
    EXPECT_LT(early, laterSample);
    EXPECT_LT(early, laterSubRow);
    EXPECT_LT(laterSubRow, laterSample);
    EXPECT_LT(laterSample, laterTime);
    EXPECT_GT(laterTime, early);

    // A time alone comes before every sample taken at that time.
    EXPECT_LT(CvxPosition::AtTime(CvxTime::FromNs(10)), early);
    EXPECT_GT(CvxPosition::AtTime(CvxTime::FromNs(10)), CvxPosition(t1, CvxTime::FromNs(9), 1000, 9));

    // The display mode plays no part in comparisons.
    CvxPosition sampleMode = early;
    sampleMode.SetMode(CvxPosition::kModeSample);
    EXPECT_EQ(sampleMode, early);
    EXPECT_EQ(sampleMode.GetMode(), CvxPosition::kModeSample);
    EXPECT_EQ(early.AsInt128(), CvxTime::kNs * 10);
}

TEST(CvxUIntTest, WordsAreLeastSignificantFirstAndFourStateKeepsTheMaskHigh)
{
    const CvxUInt v = CvxUInt::FromU128((static_cast<CvxUInt128>(0x0123456789ABCDEFULL) << 64) | 0xFEDCBA9876543210ULL);
    EXPECT_EQ(v.GetWord(0), 0x76543210U);
    EXPECT_EQ(v.GetWord(3), 0x01234567U);
    EXPECT_EQ(v.Low64(), 0xFEDCBA9876543210ULL);
    EXPECT_EQ(v.Masked(4).Low64(), 0x0U);
    EXPECT_EQ(v.Masked(8).Low64(), 0x10U);
    EXPECT_EQ((v >> 64).Low64(), 0x0123456789ABCDEFULL);
    EXPECT_EQ(CvxUInt(1) << 127, CvxUInt(0, 0, 0, 0x80000000U));

    const CvxUInt x = CvxUInt::FourState(0x0, 0x1);
    const CvxUInt zero(0);
    const CvxUInt one(1);
    EXPECT_NE(x, zero); // an X never equals 0 or 1
    EXPECT_NE(x, one);
    EXPECT_EQ(x.High64(), 1U);
}

TEST(CvxStringConvertTest, CodePageAndUtf8)
{
    EXPECT_EQ(CvxStringConvert::WtoC(u"A\u00E9\u20AC"), std::string("A\xE9\xAC", 3)); // low 8 bits
    EXPECT_EQ(CvxStringConvert::CtoW(std::string("A\xE9", 2)), u"A\u00E9");
    const std::u16string text = u"ns \u00B5s \u20AC \U0001F600";
    EXPECT_EQ(CvxStringConvert::FromUtf8(CvxStringConvert::ToUtf8(text)), text);
    EXPECT_EQ(CvxStringConvert::FromUtf8("a\xC3"), u"a\uFFFD");         // truncated sequence
    EXPECT_EQ(CvxStringConvert::FromUtf8("\xED\xA0\x80"), u"\uFFFD"); // encoded surrogate
    EXPECT_EQ(CvxStringConvert::ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CvxStringConvertTest, DecimalsAreWholeAndFitTheirType)
{
    std::int64_t big = 7;
    EXPECT_TRUE(CvxStringConvert::ParseDecimal(u"-9223372036854775808", big));
    EXPECT_EQ(big, INT64_MIN);
    int n = 7;
    EXPECT_TRUE(CvxStringConvert::ParseDecimal(u"42", n));
    EXPECT_EQ(n, 42);
    for (const char16_t* bad : {u"", u"12x", u" 12", u"+12", u"2147483648", u"1\u0137"}) { // U+0137 narrows to '7'
        EXPECT_FALSE(CvxStringConvert::ParseDecimal(bad, n)) << CvxStringConvert::ToUtf8(bad);
        EXPECT_EQ(n, 42); // untouched
    }
    std::uint64_t size = 0;
    EXPECT_FALSE(CvxStringConvert::ParseDecimal(u"-1", size));
}

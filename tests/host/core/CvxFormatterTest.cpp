// Values, times, sample numbers and names as text.

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxSampleFormatter.h"
#include "CvxTimeEngineeringFormatter.h"
#include "CvxValueFormatter.h"

#include <gtest/gtest.h>

namespace {

struct ValueCase {
    int base;
    int width;
    CvxUInt value;
    const char16_t* text;
};

} // namespace

TEST(CvxValueFormatterTest, BasesAtLabelWidths)
{
    const CvxUInt minus1 = CvxUInt(~std::uint64_t{0});
    const ValueCase cases[] = {
        {kBaseHex, 1, CvxUInt(1), u"1"},
        {kBaseHex, 12, CvxUInt(0xABC), u"ABC"},
        {kBaseHex, 13, CvxUInt(0x1ABC), u"1ABC"},
        {kBaseHex, 16, CvxUInt(0x1), u"0001"},
        {kBaseHex, 128, CvxUInt(0, 0, 0, 0x80000000U), u"80000000000000000000000000000000"},
        {kBaseBinary, 5, CvxUInt(0b10110), u"10110"},
        {kBaseOctal, 7, CvxUInt(0177), u"177"},
        {kBaseDecimal, 8, CvxUInt(255), u"255"},
        {kBaseDecimal, 128, CvxUInt(~0U, ~0U, ~0U, ~0U), u"340282366920938463463374607431768211455"},
        {kBaseSignedDecimal, 8, CvxUInt(0x80), u"-128"},
        {kBaseSignedDecimal, 8, CvxUInt(0x7F), u"127"},
        {kBaseSignedDecimal, 4, CvxUInt(0xF), u"-1"},
        {kBaseSignedDecimal, 64, minus1, u"-1"},
        {kBaseSignedDecimal, 128, CvxUInt(~0U, ~0U, ~0U, ~0U), u"-1"},
        {kBaseAscii, 16, CvxUInt(0x4101), u"A."},
        {kBaseAscii, 12, CvxUInt(0x341), u"\x03" "A"},
        {kBaseSample, 64, minus1, u"-1"},
        {kBaseTime, 128, CvxUInt::FromU128(static_cast<CvxUInt128>(CvxTime::kUs * 3 / 2)), u"1.5 us"},
    };
    for (const ValueCase& c : cases) {
        const CvxValueFormatter formatter(CvxBase(c.base), c.width);
        std::u16string expected = c.text;
        if (c.base == kBaseAscii && c.width == 12) {
            expected = u".A"; // a control character shows as a dot
        }
        EXPECT_EQ(formatter.Format(c.value), expected) << "base " << c.base << " width " << c.width;
    }
}

TEST(CvxValueFormatterTest, FourStateDigitsAndWidestText)
{
    const CvxValueFormatter hex(CvxBase(kBaseHex), 8);
    EXPECT_EQ(hex.Format(CvxUInt::FourState(0x05, 0xF0)), u"X5");
    EXPECT_EQ(hex.Format(CvxUInt::FourState(0xF5, 0xF0)), u"Z5");
    EXPECT_EQ(hex.Format(CvxUInt::FourState(0x25, 0x30)), u"X5"); // an X bit beside a Z bit shows X
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseBinary), 4).Format(CvxUInt::FourState(0b1001, 0b0110)), u"1XX1");
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseBinary), 2).Format(CvxUInt::FourState(0b10, 0b10)), u"Z0");
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseDecimal), 8).Format(CvxUInt::FourState(0, 1)), u"X");

    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseHex), 13).GetFormattedWidth(), 4);
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseDecimal), 8).GetFormattedWidth(), 3);
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseSignedDecimal), 8).GetFormattedWidth(), 4);
    EXPECT_EQ(CvxValueFormatter(CvxBase(kBaseDecimal), 128).GetFormattedWidth(), 39);
}

TEST(CvxValueFormatterTest, SymbolsFallBackToHex)
{
    CvxLabelBase label(CvxID::New(), u"STATE", EvxLabelKind::BusSignal, 4);
    label.SetSymbol(CvxUInt(3), u"IDLE_WAIT");
    const CvxValueFormatter formatter(CvxBase(kBaseSymbols), 4, &label);
    EXPECT_EQ(formatter.Format(CvxUInt(3)), u"IDLE_WAIT");
    EXPECT_EQ(formatter.Format(CvxUInt(4)), u"4");
    EXPECT_EQ(formatter.GetFormattedWidth(), 9);
}

TEST(CvxTimeEngineeringFormatterTest, UnitsDigitsRoundingAndPrecision)
{
    struct Case {
        CvxInt128 fs;
        int digits;
        CvxInt128 precision;
        const char16_t* text;
    };
    const Case cases[] = {
        {0, 10, 1, u"0 s"},
        {1, 10, 1, u"1 fs"},
        {1500 * CvxTime::kPs, 10, 1, u"1.5 ns"},
        {-2 * CvxTime::kUs, 10, 1, u"-2 us"},
        {1234567, 4, 1, u"1.235 ns"},
        {999999 * CvxTime::kPs, 3, 1, u"1 us"}, // rounding carries into the next unit
        {1234567, 20, CvxTime::kPs, u"1.235 ns"}, // no digit finer than the precision
        {1, 20, CvxTime::kPs, u"0 ps"},
        {3600 * CvxTime::kS, 10, 1, u"3600 s"},
        {kCvxInt128Min, 3, 1, u"-170141183460469231731687 s"},
    };
    CvxTimeEngineeringFormatter formatter;
    for (const Case& c : cases) {
        formatter.SetNumDigitsOfPrecision(c.digits);
        formatter.SetMaxPrecision(CvxTime(c.precision));
        formatter.SetValue(CvxTime(c.fs));
        formatter.FormatData();
        EXPECT_EQ(formatter.GetResult(), c.text) << CvxInt128ToString(c.fs);
    }
}

TEST(CvxLabelNameFormatterTest, ChannelSuffixAndFolderPath)
{
    CvxLabelMgr::GetInstance().Clear();
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    const CvxID addr = builder.AddBus(table, u"ADDR", 16).GetLabelID();
    const auto data = builder.Finish();
    EXPECT_EQ(CvxLabelNameFormatter::Format(addr, -1, false), u"ADDR");
    EXPECT_EQ(CvxLabelNameFormatter::Format(addr, 3, false), u"ADDR[3]");
    EXPECT_EQ(CvxLabelNameFormatter::Format(addr, 3, true), u"Timing/ADDR[3]");
    EXPECT_EQ(CvxLabelNameFormatter::Format(CvxID::New(), -1, true), u"");
    EXPECT_EQ(CvxSampleFormatter::Format(-42), u"-42");
}

// Acquired data: tables, columns at their widths, statuses, sub-rows, labels made by the builder.

#include "CvxData.h"
#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"

#include <gtest/gtest.h>

namespace {

class CvxDataTest : public ::testing::Test {
protected:
    void SetUp() override { CvxLabelMgr::GetInstance().Clear(); }
};

} // namespace

TEST_F(CvxDataTest, ValuesAreKeptAtTheLabelWidth)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    CvxDataColumnComponent& b4 = builder.AddBus(table, u"NIBBLE", 4);
    CvxDataColumnComponent& b12 = builder.AddBus(table, u"ADDR", 12);
    CvxDataColumnComponent& b64 = builder.AddBus(table, u"D64", 64);
    CvxDataColumnComponent& b100 = builder.AddBus(table, u"WIDE", 100);
    EXPECT_EQ(b4.GetValueKind(), EvxValueKind::U8);
    EXPECT_EQ(b12.GetValueKind(), EvxValueKind::U16);
    EXPECT_EQ(b64.GetValueKind(), EvxValueKind::U64);
    EXPECT_EQ(b100.GetValueKind(), EvxValueKind::U128);

    b4.Append(0xFF); // bits above the width are dropped
    b12.Append(0xFFFF);
    b64.Append(~std::uint64_t{0});
    b100.Append(CvxUInt(~0U, ~0U, ~0U, ~0U));
    const auto data = builder.Finish();
    EXPECT_EQ(b4.GetValue(0), CvxUInt(0xF));
    EXPECT_EQ(b12.GetValue(0), CvxUInt(0xFFF));
    EXPECT_EQ(b64.GetValue(0), CvxUInt(~std::uint64_t{0}));
    EXPECT_EQ(b100.GetValue(0), CvxUInt(~0U, ~0U, ~0U, 0xFU));
    EXPECT_TRUE(b4.GetAttributes().Contains(CvxDataColumnComponent::kAttrInteger));
}

TEST_F(CvxDataTest, FinishPadsShortColumnsWithNoSampleRows)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"State");
    CvxDataColumnComponent& a = builder.AddBus(table, u"A", 8);
    CvxDataColumnComponent& s = builder.AddString(table, u"CMD");
    CvxDataColumnComponent& t = builder.AddTime(table);
    for (int i = 0; i < 5; ++i) {
        a.Append(static_cast<std::uint64_t>(i));
    }
    s.AppendString(u"READ");
    s.AppendMissing(kStatusCancelled);
    const auto data = builder.Finish();
    EXPECT_EQ(table.GetRowCount(), 5);
    EXPECT_EQ(s.GetRowCount(), 5);
    EXPECT_EQ(t.GetRowCount(), 5);
    EXPECT_EQ(s.GetStatus(0), kStatusValid);
    EXPECT_EQ(s.GetStatus(1), kStatusCancelled);
    EXPECT_EQ(s.GetStatus(4), kStatusNoSample);
    EXPECT_EQ(a.GetStatus(4), kStatusValid);
    EXPECT_EQ(s.GetString(0), u"READ");
    EXPECT_TRUE(s.GetAttributes().Contains(CvxDataColumnComponent::kAttrString));
    EXPECT_TRUE(t.GetAttributes().Contains(CvxDataColumnComponent::kAttrGeneric));
}

TEST_F(CvxDataTest, SubRowsKeepTheirSlotsAndRefuseBadAppends)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"State");
    CvxDataColumnComponent& c = builder.AddBus(table, u"Q", 16, true);
    EXPECT_TRUE(c.GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows));
    c.AppendRow(3);
    c.AppendSubRow(0, 10);
    c.AppendSubRow(2, 12);
    EXPECT_THROW(c.AppendSubRow(1, 11), std::out_of_range); // slots fill in increasing order
    EXPECT_THROW(c.AppendSubRow(3, 13), std::out_of_range); // outside the row's slots
    EXPECT_THROW(c.Append(std::uint64_t{1}), std::logic_error);
    c.AppendRow(0);
    c.AppendRow(1);
    c.AppendSubRow(0, 20);
    const auto data = builder.Finish();
    EXPECT_EQ(c.GetRowCount(), 3);
    EXPECT_EQ(c.GetEntryCount(), 3);
    EXPECT_EQ(c.FirstEntryOfRow(1), c.EntryEndOfRow(1)); // an empty row
    EXPECT_EQ(c.GetSubRowSlots(0), 3);
    EXPECT_EQ(c.GetEntrySubRow(1), 2);
    EXPECT_EQ(c.GetValue(c.FirstEntryOfRow(2)), CvxUInt(20));
}

TEST_F(CvxDataTest, FourStateMasksAppearOnlyOnceAnXOrZIsSeen)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Vcd");
    CvxDataColumnComponent& c = builder.AddBus(table, u"BUS", 8);
    c.Append(0x12);
    EXPECT_FALSE(c.HasXZ());
    c.Append(0x0F, 0xF0); // high nibble X
    c.Append(CvxUInt::FourState(0xFF, 0xFF)); // all Z
    const auto data = builder.Finish();
    EXPECT_TRUE(c.HasXZ());
    EXPECT_EQ(c.GetValue(0), CvxUInt(0x12));
    EXPECT_EQ(c.GetValue(1), CvxUInt::FourState(0x0F, 0xF0));
    EXPECT_EQ(c.GetValue(2), CvxUInt::FourState(0xFF, 0xFF));
}

TEST_F(CvxDataTest, LabelsAreReusedByNameAndTablesFoundByLabel)
{
    CvxDataBuilder first;
    CvxDataTable& t1 = first.AddTable(u"Timing");
    const CvxID clk = first.AddBus(t1, u"CLK", 1).GetLabelID();
    CvxDataTable& t2 = first.AddTable(u"State");
    const CvxID q = first.AddBus(t2, u"Q", 8).GetLabelID();
    const auto data1 = first.Finish();

    CvxDataBuilder second;
    CvxDataTable& again = second.AddTable(u"Timing");
    EXPECT_EQ(second.AddBus(again, u"CLK", 1).GetLabelID(), clk);
    EXPECT_THROW(second.AddString(again, u"CLK"), std::invalid_argument); // same name, other kind

    EXPECT_EQ(data1->GetTableWithLabelID(q), &t2);
    EXPECT_EQ(data1->GetColumnWithLabelID(CvxID::New()), nullptr);
    EXPECT_EQ(data1->FindRepresentedTables({q, clk, q}), (std::vector<CvxID>{t1.GetID(), t2.GetID()}));
    EXPECT_EQ(data1->FindRepresentedTables({q}), (std::vector<CvxID>{t2.GetID()}));

    CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    ASSERT_NE(mgr.FindLabelByName(u"Q"), nullptr);
    EXPECT_EQ(mgr.FindLabelByName(u"Q")->GetID(), q);
    EXPECT_EQ(mgr.GetLabelsBelow(mgr.GetLabelRootID()), (std::vector<CvxID>{clk, q}));
    EXPECT_TRUE(mgr.RemoveLabel(mgr.IDToLabel(clk)->GetParentID())); // a folder goes with its labels
    EXPECT_EQ(mgr.IDToLabel(clk), nullptr);
}

TEST_F(CvxDataTest, RowTimesAndRowsAtOrAfterATime)
{
    CvxData data;
    CvxDataTable& uniform = data.AddTable(u"U");
    uniform.SetUniformTimeBase(CvxTime::FromNs(10));
    uniform.SetTriggerRow(2);
    CvxDataColumnComponent& c = uniform.AddColumn(CvxID::New(), EvxValueKind::U8, 8);
    for (int i = 0; i < 5; ++i) {
        c.Append(std::uint64_t{1});
    }
    CvxDataTable& ticks = data.AddTable(u"T");
    ticks.SetTickTimeBase(CvxTime::FromPs(6666));
    for (const std::int64_t t : {0, 3, 3, 10}) {
        ticks.AppendRowTime(t);
    }
    EXPECT_THROW(ticks.AppendRowTime(9), std::invalid_argument);
    data.Finish();

    EXPECT_EQ(uniform.GetRowTime(2), CvxTime());
    EXPECT_EQ(uniform.GetRowTime(0), CvxTime::FromNs(-20));
    EXPECT_EQ(uniform.FirstRowAtOrAfter(CvxTime::FromNs(-15)), 1); // between samples
    EXPECT_EQ(uniform.FirstRowAtOrAfter(CvxTime::FromNs(-20)), 0);
    EXPECT_EQ(uniform.FirstRowAtOrAfter(CvxTime::FromNs(-1000)), 0);
    EXPECT_EQ(uniform.FirstRowAtOrAfter(CvxTime::FromNs(21)), 5);
    EXPECT_EQ(uniform.GetSampleNumber(0), -2);

    EXPECT_EQ(ticks.GetRowCount(), 4);
    EXPECT_EQ(ticks.GetRowTime(3), CvxTime::FromPs(66660));
    EXPECT_EQ(ticks.FirstRowAtOrAfter(CvxTime::FromPs(6667)), 1);
    EXPECT_EQ(ticks.FirstRowAtOrAfter(CvxTime::FromPs(3 * 6666)), 1); // the first of equal times
    EXPECT_EQ(ticks.FirstRowAtOrAfter(CvxTime::FromPs(66661)), 4);
}

// Five chunks' worth of rows cross chunk boundaries of the column store; an 8-bit column stays near one byte per row.
TEST_F(CvxDataTest, LargeColumnsCrossChunksAndStayCompact)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Big");
    CvxDataColumnComponent& c = builder.AddBus(table, u"B", 8);
    constexpr std::int64_t kRows = 5 * 65536;
    for (std::int64_t i = 0; i < kRows; ++i) {
        c.Append(static_cast<std::uint64_t>(i * 7));
    }
    const auto data = builder.Finish();
    for (const std::int64_t i : {std::int64_t{0}, std::int64_t{65535}, std::int64_t{65536}, kRows - 1}) {
        EXPECT_EQ(c.GetValue(i), CvxUInt(static_cast<std::uint64_t>(i * 7) & 0xFF)) << i;
    }
    EXPECT_LT(static_cast<double>(c.MemoryBytes()) / kRows, 1.1);
}

// Appends take an inline path while a column is plain and the general one after a status or
// an X/Z; a bulk copy of rows continues where single appends left off, and they after it.
TEST_F(CvxDataTest, AppendsKeepEveryRowAcrossPathsChunksAndBulkCopies)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Paths");
    CvxDataColumnComponent& a = builder.AddBus(table, u"A", 16);
    CvxDataColumnComponent& b = builder.AddBus(builder.AddTable(u"Copy"), u"B", 16);
    auto valueAt = [](std::int64_t i) { return static_cast<std::uint64_t>(i * 40503) & 0xFFFF; };
    constexpr std::int64_t kPlain = 70'000;
    for (std::int64_t i = 0; i < kPlain; ++i) {
        a.Append(valueAt(i) | 0x10000); // the bit above the width is dropped inline too
    }
    a.AppendMissing(kStatusNoSample);
    a.Append(valueAt(kPlain + 1));
    a.Append(0x00FF, 0xFF00); // X/Z after plain rows: masks start here
    a.Append(valueAt(kPlain + 3));

    b.Append(1);
    b.AppendRowsOf(a, 10, 65'600); // crosses b's first chunk into its second
    for (std::int64_t i = 0; i < 100; ++i) {
        b.Append(valueAt(i));
    }
    const auto data = builder.Finish();

    for (const std::int64_t i : {std::int64_t{0}, std::int64_t{15}, std::int64_t{16}, std::int64_t{65535},
                                 std::int64_t{65536}, kPlain - 1}) {
        EXPECT_EQ(a.GetValue(i), CvxUInt(valueAt(i))) << i;
    }
    EXPECT_EQ(a.GetStatus(kPlain), kStatusNoSample);
    EXPECT_EQ(a.GetValue(kPlain + 1), CvxUInt(valueAt(kPlain + 1)));
    EXPECT_EQ(a.GetValue(kPlain + 2), CvxUInt::FourState(0x00FF, 0xFF00));
    EXPECT_EQ(a.GetValue(kPlain + 3), CvxUInt(valueAt(kPlain + 3)));
    EXPECT_EQ(a.GetRowCount(), kPlain + 4);

    ASSERT_EQ(b.GetRowCount(), 1 + 65'600 + 100);
    EXPECT_EQ(b.GetValue(0), CvxUInt(1));
    for (std::int64_t i = 0; i < 65'600; i += 997) {
        EXPECT_EQ(b.GetValue(1 + i), CvxUInt(valueAt(10 + i))) << i;
    }
    EXPECT_EQ(b.GetValue(65'600), CvxUInt(valueAt(10 + 65'599)));
    for (std::int64_t i = 0; i < 100; ++i) {
        EXPECT_EQ(b.GetValue(65'601 + i), CvxUInt(valueAt(i))) << i;
    }
}

// Sample iterators over awkward data: sub-rows with empty slots, statuses, positions between
// samples, walking backwards, single channels, X/Z, wide values and chunk boundaries.

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxSampleIntegerIter.h"
#include "CvxSampleIter.h"
#include "CvxSampleNumberIter.h"
#include "CvxSampleStringIter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kSubRows = CvxSampleIterBase::kModeSubRows;
constexpr int kSamples = CvxSampleIterBase::kModeSamples;

struct Visit {
    std::int64_t row;
    int subRow;
    int lastSubRow;
    int status;
    std::uint64_t value;
    bool operator==(const Visit&) const = default;
};

std::vector<Visit> WalkForward(CvxSampleIterBase& it)
{
    std::vector<Visit> visits;
    for (it.First(); !it.IsDone(); it.Next()) {
        CvxUInt v;
        it.GetValue(v);
        visits.push_back({it.GetRow(), it.GetSubRowIndex(), it.GetLastSubRowIndex(), it.GetDataStatus(), v.Low64()});
    }
    return visits;
}

std::vector<Visit> WalkBackward(CvxSampleIterBase& it)
{
    std::vector<Visit> visits;
    for (it.Last(); !it.IsDone(); it.Prev()) {
        CvxUInt v;
        it.GetValue(v);
        visits.insert(visits.begin(),
                      {it.GetRow(), it.GetSubRowIndex(), it.GetLastSubRowIndex(), it.GetDataStatus(), v.Low64()});
    }
    return visits;
}

class CvxSampleIterTest : public ::testing::Test {
protected:
    void SetUp() override { CvxLabelMgr::GetInstance().Clear(); }
};

} // namespace

// Rows: [0: slots 3, filled 0 and 2] [1: no slots] [2: one slot] [3: slots 2, filled 1] [4: slots 2, none filled]
TEST_F(CvxSampleIterTest, SubRowsWithEmptySlotsAndEmptyRows)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"State");
    table.SetUniformTimeBase(CvxTime::FromNs(8));
    CvxDataColumnComponent& c = builder.AddBus(table, u"Q", 8, true);
    c.AppendRow(3);
    c.AppendSubRow(0, 1);
    c.AppendSubRow(2, 3);
    c.AppendRow(0);
    c.AppendRow(1);
    c.AppendSubRow(0, 4);
    c.AppendRow(2);
    c.AppendSubRow(1, 5);
    c.AppendRow(2);
    const auto data = builder.Finish();

    CvxSampleIntegerIter sub(*data, CvxLabelChannel(c.GetLabelID()), kSubRows);
    const std::vector<Visit> expected{{0, 0, 2, 2, 1}, {0, 2, 2, 2, 3}, {2, 0, 0, 2, 4}, {3, 1, 1, 2, 5}};
    EXPECT_EQ(WalkForward(sub), expected);
    EXPECT_EQ(WalkBackward(sub), expected);

    // Whole samples: every row once; rows without any filled slot have no sample.
    CvxSampleIntegerIter whole(*data, CvxLabelChannel(c.GetLabelID()), kSamples);
    std::vector<std::int64_t> rows;
    std::vector<int> statuses;
    for (whole.First(); !whole.IsDone(); whole.Next()) {
        rows.push_back(whole.GetRow());
        statuses.push_back(whole.GetDataStatus());
        CvxUInt v;
        EXPECT_EQ(whole.GetValue(v), whole.GetDataStatus() == kStatusValid);
    }
    EXPECT_EQ(rows, (std::vector<std::int64_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(statuses, (std::vector<int>{2, 1, 2, 2, 1}));

    // Positions inside a row with sub-rows: the first filled slot at or after the position.
    sub.SetPosition(table.GetRowPosition(0, 1));
    EXPECT_EQ(sub.GetRow(), 0);
    EXPECT_EQ(sub.GetSubRowIndex(), 2);
    sub.SetPosition(table.GetRowPosition(0, 3));
    EXPECT_EQ(sub.GetRow(), 2);
    sub.SetPosition(CvxPosition::AtTime(CvxTime::FromNs(33)));
    EXPECT_TRUE(sub.IsDone()); // row 4 has no filled slot
}

TEST_F(CvxSampleIterTest, StatusesPassThroughAndTextIsEmptyWithoutASample)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    CvxDataColumnComponent& c = builder.AddBus(table, u"D", 8);
    c.Append(0x41);
    c.AppendMissing(kStatusNoSample);
    c.AppendMissing(kStatusCancelled);
    c.Append(0x42);
    c.SetStatus(3, kStatusUncertain);
    const auto data = builder.Finish();
    CvxSampleIntegerIter it(*data, CvxLabelChannel(c.GetLabelID()), kSamples);
    std::vector<int> statuses;
    std::vector<std::u16string> texts;
    for (it.First(); !it.IsDone(); it.Next()) {
        statuses.push_back(it.GetDataStatus());
        std::u16string text;
        it.GetValue(text);
        texts.push_back(text);
    }
    EXPECT_EQ(statuses, (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"41", u"", u"", u"42"}));
    EXPECT_EQ(it.GetDataStatus(), kStatusNotAvailable); // done
}

TEST_F(CvxSampleIterTest, EndsAreStickyAndBackwardStepsRecover)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    CvxDataColumnComponent& c = builder.AddBus(table, u"D", 8);
    for (int i = 0; i < 3; ++i) {
        c.Append(static_cast<std::uint64_t>(10 + i));
    }
    const auto data = builder.Finish();
    CvxSampleIntegerIter it(*data, CvxLabelChannel(c.GetLabelID()), kSamples);

    it.Last();
    it.Next();
    it.Next();
    EXPECT_TRUE(it.IsDone());
    it.Prev(); // from past the end: the last sample
    EXPECT_EQ(it.GetRow(), 2);
    it.First();
    it.Prev();
    it.Prev();
    EXPECT_TRUE(it.IsDone());
    it.Next(); // from before the start: the first sample
    EXPECT_EQ(it.GetRow(), 0);

    EXPECT_FALSE(it.GotoRow(7));
    EXPECT_EQ(it.GetRow(), 2);
    EXPECT_FALSE(it.GotoRow(-3));
    EXPECT_EQ(it.GetRow(), 0);
    EXPECT_TRUE(it.GotoRow(1));
    CvxUInt v;
    ASSERT_TRUE(it.GetValue(v));
    EXPECT_EQ(v, CvxUInt(11));

    // A label the data does not hold: always done.
    CvxSampleIntegerIter missing(*data, CvxLabelChannel(CvxID::New()), kSamples);
    missing.First();
    EXPECT_FALSE(missing.IsValid());
    EXPECT_TRUE(missing.IsDone());
    EXPECT_FALSE(missing.GetValue(v));
}

TEST_F(CvxSampleIterTest, SingleChannelsWideValuesAndXZ)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    CvxDataColumnComponent& bus = builder.AddBus(table, u"B", 8);
    CvxDataColumnComponent& wide = builder.AddBus(table, u"W", 128);
    bus.Append(0x05, 0x80);                // bit 7 X, bits 0 and 2 high
    wide.Append(CvxUInt(0, 0, 0, 0x80000000U));
    const auto data = builder.Finish();

    const auto bitOf = [&](const CvxDataColumnComponent& column, int channel) {
        CvxSampleIntegerIter it(*data, CvxLabelChannel(column.GetLabelID(), channel), kSamples);
        it.First();
        CvxUInt v;
        it.GetValue(v);
        return v;
    };
    EXPECT_EQ(bitOf(bus, 0), CvxUInt(1));
    EXPECT_EQ(bitOf(bus, 1), CvxUInt(0));
    EXPECT_EQ(bitOf(bus, 7), CvxUInt::FourState(0, 1)); // the X bit keeps its mask
    EXPECT_EQ(bitOf(wide, 127), CvxUInt(1));
    EXPECT_EQ(bitOf(wide, 126), CvxUInt(0));
    EXPECT_EQ(bitOf(bus, -1), CvxUInt::FourState(0x05, 0x80));

    CvxSampleIntegerIter it(*data, CvxLabelChannel(bus.GetLabelID()), kSamples);
    it.First();
    std::u16string text;
    it.GetValue(text);
    EXPECT_EQ(text, u"X5");
    CvxSampleIntegerIter bit(*data, CvxLabelChannel(bus.GetLabelID(), 7), kSamples);
    bit.First();
    bit.GetValue(text);
    EXPECT_EQ(text, u"X");
}

TEST_F(CvxSampleIterTest, StringTimeAndSampleNumberColumns)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Timing");
    table.SetUniformTimeBase(CvxTime::FromNs(5));
    table.SetTriggerRow(1);
    CvxDataColumnComponent& s = builder.AddString(table, u"CMD");
    CvxDataColumnComponent& t = builder.AddTime(table);
    CvxDataColumnComponent& n = builder.AddSampleNumber(table);
    s.AppendString(u"READ");
    s.AppendString(u"write");
    const auto data = builder.Finish();

    const auto str = data->CreateIter(CvxLabelChannel(s.GetLabelID()), kSamples);
    const auto time = data->CreateIter(CvxLabelChannel(t.GetLabelID()), kSamples);
    const auto sample = data->CreateIter(CvxLabelChannel(n.GetLabelID()), kSamples);
    ASSERT_NE(dynamic_cast<CvxSampleStringIter*>(str.get()), nullptr);
    ASSERT_NE(dynamic_cast<CvxSampleIter*>(time.get()), nullptr);
    str->First();
    time->First();
    sample->First();
    std::u16string text;
    CvxUInt v;
    EXPECT_FALSE(str->GetValue(v)); // strings have no integer value
    str->GetValue(text);
    EXPECT_EQ(text, u"READ");
    time->GetValue(text);
    EXPECT_EQ(text, u"-5 ns");
    ASSERT_TRUE(time->GetValue(v));
    EXPECT_EQ(static_cast<CvxInt128>(v.AsU128()), -CvxTime::kNs * 5);
    sample->GetValue(text);
    EXPECT_EQ(text, u"-1");
    str->Next();
    str->GetValue(text);
    EXPECT_EQ(text, u"write");

    CvxSampleNumberIter rows(table);
    rows.Last();
    EXPECT_EQ(rows.GetSampleNumber(), 0);
    EXPECT_EQ(rows.GetPosition(), table.GetRowPosition(1));
}

// Random data of every shape, walked both ways and read at random places, against the
// column's own values: catches off-by-one errors at chunk edges and in the inline path.
TEST_F(CvxSampleIterTest, WalksAgreeWithTheColumnOnRandomData)
{
    std::mt19937_64 rng(11);
    for (const int width : {1, 8, 16, 24, 32, 64, 96}) {
        CvxDataBuilder builder;
        CvxDataTable& table = builder.AddTable(u"R");
        CvxDataColumnComponent& c = builder.AddBus(table, u"V" + std::u16string(1, char16_t(u'A' + width % 26)), width);
        const std::int64_t rows = 65536 * 2 + 17;
        for (std::int64_t i = 0; i < rows; ++i) {
            c.Append(CvxUInt(static_cast<std::uint32_t>(rng()), static_cast<std::uint32_t>(rng()),
                             width > 64 ? static_cast<std::uint32_t>(rng()) : 0,
                             width > 64 ? static_cast<std::uint32_t>(rng()) : 0));
        }
        const auto data = builder.Finish();
        CvxSampleIntegerIter it(*data, CvxLabelChannel(c.GetLabelID()), kSamples);
        std::int64_t expectRow = 0;
        CvxUInt v;
        for (it.First(); !it.IsDone(); it.Next(), ++expectRow) {
            ASSERT_TRUE(it.GetValue(v));
            ASSERT_EQ(v, c.GetValue(expectRow)) << width << " row " << expectRow;
        }
        ASSERT_EQ(expectRow, rows);
        for (it.Last(); !it.IsDone(); it.Prev()) {
            --expectRow;
            ASSERT_TRUE(it.GetValue(v));
            ASSERT_EQ(v, c.GetValue(expectRow)) << width << " row " << expectRow;
        }
        ASSERT_EQ(expectRow, 0);
        for (int probe = 0; probe < 200; ++probe) {
            const auto row = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(rows));
            it.GotoRow(row);
            ASSERT_TRUE(it.GetValue(v));
            ASSERT_EQ(v, c.GetValue(row));
        }
        // Steps back and forth over chunk boundaries (the first chunk holds 16 rows) and both
        // ends: each step reads the row it reached, or is done past an end.
        for (const std::int64_t start : std::initializer_list<std::int64_t>{14, 65536 + 14, rows - 3, 2}) {
            it.GotoRow(start);
            std::int64_t row = start;
            for (int step = 0; step < 400; ++step) {
                const bool forward = (rng() % 3) != 0 ? step % 40 < 20 : (rng() & 1) != 0;
                if (forward) {
                    it.Next();
                    row = std::min(row + 1, rows);
                } else {
                    it.Prev();
                    row = row >= rows ? rows - 1 : std::max<std::int64_t>(row - 1, -1);
                }
                if (row < 0 || row >= rows) {
                    ASSERT_TRUE(it.IsDone()) << width << " step " << step;
                    it.GotoRow(row < 0 ? 0 : rows - 1);
                    row = row < 0 ? 0 : rows - 1;
                }
                ASSERT_EQ(it.GetRow(), row) << width << " step " << step;
                ASSERT_TRUE(it.GetValue(v));
                ASSERT_EQ(v, c.GetValue(row)) << width << " row " << row;
            }
        }
    }
}

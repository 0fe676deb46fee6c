// The reference copy and the comparison: counts, marks, offsets, sub-rows, strings, stop
// comparing and the overview, written as short rows of values with the expected outcome.

#include "CvxCancelMgr.h"
#include "CvxCompareEngine.h"
#include "CvxCompareTestData.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The rows of a bit set as a string of '.' and 'x', `rows` long.
std::string Rows(const CvxCacheBitSet& set, std::int64_t rows)
{
    std::string text(static_cast<std::size_t>(rows), '.');
    for (std::int64_t r = set.NextSet(0); r >= 0 && r < rows; r = set.NextSet(r + 1)) {
        text[static_cast<std::size_t>(r)] = 'x';
    }
    return text;
}

class CvxCompareEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxResetTestHost();
        m_model.SetOverviewWidth(100);
    }

    // Copies every given bus of `reference` into the reference buffer, then gives the model
    // `input` (which compares it, the range being All).
    void CopyThenRun(const std::vector<CvxTestBus>& reference, const std::vector<CvxTestBus>& input, int offset = 0)
    {
        CvxGiveData(m_model, CvxMakeTestData(reference));
        std::vector<CvxLabelChannel> labels;
        for (const CvxTestBus& bus : reference) {
            labels.emplace_back(CvxTestLabel(bus.name));
        }
        m_model.CopyReference(labels, CvxCompareRange());
        CvxCompareReferenceOffset o;
        o.SetSampleOffset(offset);
        m_model.SetReferenceOffset(o);
        CvxGiveData(m_model, CvxMakeTestData(input));
    }

    std::string DifferentInputRows(std::int64_t rows) const
    {
        return Rows(m_model.GetResults().GetDifferenceMarks().at(0).GetInputRows(), rows);
    }
    std::string MatchingInputRows(std::int64_t rows) const
    {
        return Rows(m_model.GetResults().GetMatchMarks().at(0).GetInputRows(), rows);
    }
    std::string DifferentReferenceRows(std::int64_t rows) const
    {
        return Rows(m_model.GetResults().GetDifferenceMarks().at(0).GetReferenceRows(), rows);
    }

    CvxCompareModel m_model;
};

struct OffsetCase {
    int offset;
    std::vector<std::int64_t> reference;
    std::vector<std::int64_t> input;
    int comparisons;
    int differences;
    const char* differentInput;
    const char* matchingInput;
    const char* differentReference;
};

} // namespace

TEST_F(CvxCompareEngineTest, CopyThenCompareOverTheSameRangeTakesTheShortcut)
{
    CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1, 2, 3, 4}}, {u"B", 16, {5, 6, 7, 8}}}));
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A")), CvxLabelChannel(CvxTestLabel(u"B"))}, CvxCompareRange());
    const CvxCompareResults& r = m_model.GetResults();
    EXPECT_EQ(r.GetComparisons(), 8);
    EXPECT_EQ(r.GetDifferences(), 0);
    EXPECT_EQ(r.GetSamplesCompared(), 4);
    EXPECT_EQ(m_model.GetColumnsCompared(), 2);
    EXPECT_EQ(MatchingInputRows(4), "xxxx");
    EXPECT_EQ(Rows(r.GetMatchMarks().at(0).GetReferenceRows(), 4), "xxxx");
}

// Input row k of the interval stands against reference row k - offset.
TEST_F(CvxCompareEngineTest, OffsetsPairInputAndReferenceRows)
{
    const OffsetCase cases[] = {
        {0, {1, 2, 3, 4, 5, 6}, {1, 2, 9, 4, 5, 6}, 6, 1, "..x...", "xx.xxx", "..x..."},
        // +3: the first three input rows are not compared; the fourth stands against row 0.
        {3, {1, 2, 3, 4, 5, 6}, {7, 7, 7, 1, 2, 9}, 3, 1, ".....x", "...xx.", "..x..."},
        // -3: the first input row stands against reference row 3; the last three are left over.
        {-3, {0, 0, 0, 4, 5, 6}, {4, 9, 6, 1, 1, 1}, 3, 1, ".x....", "x.x...", "....x."},
        // A reference shorter than the input: the column ends with the reference.
        {0, {1, 2}, {1, 3, 3, 3}, 2, 1, ".x..", "x...", ".x.."},
        // Offsets that leave no reference row against any input row compare nothing.
        {-4, {1, 2, 3, 4}, {1, 2, 3, 4}, 0, 0, "....", "....", "...."},
        {-1000, {1, 2, 3, 4}, {1, 2, 3, 4}, 0, 0, "....", "....", "...."},
        {INT_MIN, {1, 2, 3, 4}, {1, 2, 3, 4}, 0, 0, "....", "....", "...."},
        {4, {1, 2, 3, 4}, {1, 2, 3, 4}, 0, 0, "....", "....", "...."},
        {INT_MAX, {1, 2, 3, 4}, {1, 2, 3, 4}, 0, 0, "....", "....", "...."},
    };
    for (const OffsetCase& c : cases) {
        SetUp();
        CopyThenRun({{u"A", 8, c.reference}}, {{u"A", 8, c.input}}, c.offset);
        const auto rows = static_cast<std::int64_t>(c.input.size());
        const CvxCompareResults& r = m_model.GetResults();
        EXPECT_EQ(r.GetComparisons(), c.comparisons) << "offset " << c.offset;
        EXPECT_EQ(r.GetDifferences(), c.differences) << "offset " << c.offset;
        EXPECT_EQ(r.GetSamplesCompared(), c.comparisons) << "offset " << c.offset;
        EXPECT_EQ(DifferentInputRows(rows), c.differentInput) << "offset " << c.offset;
        EXPECT_EQ(MatchingInputRows(rows), c.matchingInput) << "offset " << c.offset;
        EXPECT_EQ(DifferentReferenceRows(rows), c.differentReference) << "offset " << c.offset;
    }
}

TEST_F(CvxCompareEngineTest, StringsDifferInLetterCase)
{
    const CvxTestBus reference(u"CMD", {u"READ", u"Write", u"IDLE"});
    const CvxTestBus input(u"CMD", {u"READ", u"WRITE", u"IDLE"});
    CopyThenRun({reference}, {input});
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 1);
    EXPECT_EQ(DifferentInputRows(3), ".x.");
}

// Rows given as sub-row slot values, -1 ending a row.
TEST_F(CvxCompareEngineTest, SubRowsPairSlotBySlotAndExtraInputSubRowsDiffer)
{
    const CvxTestBus reference(u"Q", 16, {1, 2, -1, 3, -1, 4, 5, -1}, true);
    const CvxTestBus input(u"Q", 16, {1, 2, 7, -1, 3, -1, 4, 6, -1}, true);
    CopyThenRun({reference}, {input});
    const CvxCompareResults& r = m_model.GetResults();
    // Row 0: slots 0 and 1 match, the extra slot 2 differs; row 1 matches; row 2: slot 1 differs.
    EXPECT_EQ(r.GetComparisons(), 6);
    EXPECT_EQ(r.GetDifferences(), 2);
    EXPECT_EQ(DifferentInputRows(3), "x.x");
    EXPECT_EQ(MatchingInputRows(3), "xxx");
}

TEST_F(CvxCompareEngineTest, StopComparingEndsAtTheThreshold)
{
    CopyThenRun({{u"A", 8, {1, 2, 3}}, {u"B", 8, {1, 2, 3}}}, {{u"A", 8, {1, 9, 9}}, {u"B", 8, {9, 9, 9}}});
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 5);

    CvxCompareRunUntil rule;
    rule.SetStopComparingEnabled(true);
    rule.SetNumberOfDifferences(1);
    m_model.SetRunUntil(rule);
    m_model.Recompare();
    const CvxCompareResults& r = m_model.GetResults();
    EXPECT_EQ(r.GetDifferences(), 1);
    EXPECT_EQ(r.GetComparisons(), 2);
    EXPECT_EQ(DifferentInputRows(3), ".x.");
    EXPECT_EQ(r.GetDifferenceMarks().at(0).GetReferenceRows().Count(), 1); // B was never compared
}

TEST_F(CvxCompareEngineTest, OverviewBucketsKeepTheFirstDifferenceOfEach)
{
    // 1001 rows over 10 us and an overview of 10 buckets: 100 rows (1 us) per bucket.
    std::vector<std::int64_t> ref(1001, 0);
    std::vector<std::int64_t> in(1001, 0);
    in[250] = in[260] = in[700] = 1;
    m_model.SetOverviewWidth(10);
    CopyThenRun({{u"A", 8, ref}, {u"B", 8, ref}}, {{u"A", 8, in}, {u"B", 8, in}});
    const CvxCompareResults& r = m_model.GetResults();
    EXPECT_EQ(r.GetBucketList(), (std::vector<int>{2, 7}));
    EXPECT_EQ(r.GetBucketTime(2), CvxTime::FromNs(2500)); // column A's row 250 comes first
    EXPECT_EQ(r.GetBucketTime(7), CvxTime::FromNs(7000));
    EXPECT_EQ(r.GetDifferences(), 6);

    // A span (in fs) shorter than the bucket count: no buckets, the comparison unchanged.
    m_model.SetOverviewWidth(5000);
    CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, in}, {u"B", 8, in}}, u"T", CvxTime::FromFs(1)));
    EXPECT_EQ(m_model.GetResults().GetDivisor(), 0);
    EXPECT_TRUE(m_model.GetResults().GetBucketList().empty());
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 6);
}

TEST(CvxCompareResults, BucketsReachTheEndOfAWideDesktop)
{
    // 3840 buckets of 0xFFFFF units each: the last buckets lie beyond 2^31 units from the first.
    CvxCompareResults results;
    results.SetOverviewWidth(3840);
    const CvxInt128 first = CvxInt128(1) << 40;
    const CvxInt128 last = first + CvxInt128(3840) * 0xFFFFF;
    results.SetScale(first, last);
    ASSERT_EQ(results.GetShift(), 0);
    ASSERT_EQ(results.GetDivisor(), 0xFFFFF);
    EXPECT_EQ(results.BucketOf(first), 0);
    EXPECT_EQ(results.BucketOf(first + CvxInt128(3000) * 0xFFFFF + 5), 3000);
    EXPECT_EQ(results.BucketOf(last), 3840);
    EXPECT_EQ(results.BucketOf(first - 1), -1);
    EXPECT_EQ(results.BucketOf(last + CvxInt128(0xFFFFF) * 2), -1);
}

TEST_F(CvxCompareEngineTest, AnInputWithoutACopiedBusComparesTheRest)
{
    CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1, 2}}, {u"B", 8, {1, 2}}}));
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A")), CvxLabelChannel(CvxTestLabel(u"B"))}, CvxCompareRange());
    CvxGiveData(m_model, CvxMakeTestData({{u"B", 8, {1, 5}}}, u"Other")); // B of another table; no A
    const CvxCompareResults& r = m_model.GetResults();
    EXPECT_EQ(m_model.GetColumnsCompared(), 2);
    EXPECT_EQ(r.GetComparisons(), 0); // the B of table "Other" is another label
    CvxGiveData(m_model, CvxMakeTestData({{u"B", 8, {1, 5}}}));
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 2);
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 1);
}

TEST_F(CvxCompareEngineTest, MarkerRangesLimitTheInterval)
{
    CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6}}}));
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const CvxID m1 = markers.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(15)))->GetID();
    const CvxID m2 = markers.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(40)))->GetID();
    CvxCompareRange range;
    range.SetType(CvxCompareRange::kMarkers);
    range.SetFromMarkerID(m2); // reversed: the interval is swapped
    range.SetToMarkerID(m1);
    m_model.SetRangeAndOffset(range, CvxCompareReferenceOffset());
    // Rows at 20, 30 and 40 ns against reference rows 0, 1, 2.
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 3);
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 3);
    EXPECT_EQ(DifferentInputRows(6), "..xxx.");

    // A marker the window does not have falls back to the data marker and is rewritten.
    range.SetToMarkerID(CvxID::New());
    m_model.SetRangeAndOffset(range, CvxCompareReferenceOffset());
    EXPECT_EQ(m_model.GetCompareRange().GetToMarkerID(), markers.GetEndDataMarkerID());
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 2); // 40 and 50 ns
}

TEST_F(CvxCompareEngineTest, SubRowsPairWithAnOffsetAndStringSubRowsCompareAsText)
{
    // Input row k stands against reference row k - 1: input row 0 has no partner, rows 1 and
    // 2 match whole, row 3 differs in its second slot.
    CopyThenRun({{u"S", 8, {1, 2, -1, 3, -1, 4, 5, -1}, true}}, {{u"S", 8, {7, -1, 1, 2, -1, 3, -1, 4, 9, -1}, true}}, 1);
    const CvxCompareResults& r = m_model.GetResults();
    EXPECT_EQ(r.GetComparisons(), 5);
    EXPECT_EQ(r.GetDifferences(), 1);
    EXPECT_EQ(DifferentInputRows(4), "...x");
    EXPECT_EQ(MatchingInputRows(4), ".xxx");
    EXPECT_EQ(DifferentReferenceRows(3), "..x");

    // String sub-rows: slot by slot, letter case counts.
    const auto strings = [](const std::vector<std::vector<const char16_t*>>& rows) {
        CvxDataBuilder builder;
        CvxDataTable& t = builder.AddTable(u"T");
        t.SetUniformTimeBase(CvxTime::FromNs(10));
        CvxDataColumnComponent& c = builder.AddString(t, u"W", true);
        for (const auto& row : rows) {
            c.AppendRow(static_cast<int>(row.size()));
            for (std::size_t s = 0; s < row.size(); ++s) {
                c.AppendSubRowString(static_cast<int>(s), row[s]);
            }
        }
        return builder.Finish();
    };
    CvxResetTestHost();
    m_model.SetReferenceOffset(CvxCompareReferenceOffset());
    CvxGiveData(m_model, strings({{u"ab", u"cd"}, {u"ef"}}));
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"W"))}, CvxCompareRange());
    CvxGiveData(m_model, strings({{u"ab", u"CD"}, {u"ef"}}));
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 3);
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 1);
    EXPECT_EQ(DifferentInputRows(2), "x.");
}

TEST_F(CvxCompareEngineTest, AnUncertainRowEndsTheWalkOfItsColumn)
{
    // Statuses other than valid end a column's walk (X/Z values keep status 2 and compare).
    const auto data = [](int uncertainRow) {
        CvxDataBuilder builder;
        CvxDataTable& t = builder.AddTable(u"T");
        t.SetUniformTimeBase(CvxTime::FromNs(10));
        CvxDataColumnComponent& c = builder.AddBus(t, u"U", 8);
        for (std::uint64_t v = 0; v < 6; ++v) {
            c.Append(v);
        }
        if (uncertainRow >= 0) {
            c.SetStatus(uncertainRow, kStatusUncertain);
        }
        return builder.Finish();
    };
    CvxGiveData(m_model, data(-1));
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"U"))}, CvxCompareRange());
    CvxGiveData(m_model, data(3));
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 3);
    EXPECT_EQ(m_model.GetResults().GetSamplesCompared(), 3);
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 0);
}

// Long work polls the cancel service between buses/signals. A cancelled comparison counts the
// columns it finished and no run-until rule acts on it; a cancelled copy leaves the reference
// buffer, its ranges and the results as they were.
TEST_F(CvxCompareEngineTest, CancelStopsBetweenColumnsAndACancelledCopyChangesNothing)
{
    CopyThenRun({{u"A", 8, {1, 2, 3}}, {u"B", 8, {1, 2, 3}}, {u"C", 8, {1, 2, 3}}},
                {{u"A", 8, {1, 9, 3}}, {u"B", 8, {9, 9, 9}}, {u"C", 8, {9, 9, 9}}});
    ASSERT_EQ(m_model.GetResults().GetDifferences(), 7);

    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    int polls = 0;
    cancel.SetPumpHook([&] {
        if (++polls == 1) {
            CvxCancelMgr::GetInstance().Cancel();
        }
    });
    CvxCompareRunUntil rule;
    rule.SetStopComparingEnabled(true);
    rule.SetNumberOfDifferences(100);
    m_model.SetRunUntil(rule);
    cancel.Enable();
    m_model.Recompare();
    cancel.Disable();
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(m_model.GetResults().GetComparisons(), 3); // A alone
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 1);
    ASSERT_FALSE(CvxInfoMgr::GetInstance().GetRecentMessages().empty());
    EXPECT_NE(CvxInfoMgr::GetInstance().GetRecentMessages().back().text.find(u"cancelled after 1 of 3"),
              std::u16string::npos);

    polls = 0;
    const std::size_t before = m_model.GetReferenceBuffer().GetCount();
    cancel.Enable();
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    cancel.Disable();
    EXPECT_EQ(m_model.GetReferenceBuffer().GetCount(), before);
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 1); // the last results stand
    EXPECT_NE(CvxInfoMgr::GetInstance().GetRecentMessages().back().text.find(u"Copy cancelled"), std::u16string::npos);
    cancel.Reset();

    m_model.Recompare(); // nothing cancels now: everything again
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 7);
}

// The common time grid of two change-event captures: written as "time:value" rows per capture
// with the expected rows of both after alignment.

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxTimeAligner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// One table "T" with per-row times in ticks of `tick` and one 8-bit bus "d" (a mask of 0xF0
// where the value is negative: X/Z bits).
std::shared_ptr<CvxData> Capture(CvxTime tick, const std::vector<std::pair<std::int64_t, int>>& rows)
{
    CvxDataBuilder builder;
    CvxDataTable& t = builder.AddTable(u"T");
    t.SetTickTimeBase(tick);
    builder.AddTime(t);
    CvxDataColumnComponent& d = builder.AddBus(t, u"d", 8);
    for (const auto& [ticks, value] : rows) {
        t.AppendRowTime(ticks);
        value < 0 ? d.Append(0, 0xF0) : d.Append(static_cast<std::uint64_t>(value));
    }
    return builder.Finish();
}

// "time in ns:value" of every row, X for masked values.
std::string Rows(const CvxData& data)
{
    const CvxDataTable& t = data.GetTable(0);
    const CvxDataColumnComponent& d = t.GetColumn(1);
    std::string text;
    for (std::int64_t row = 0; row < t.GetRowCount(); ++row) {
        const CvxUInt v = d.GetValue(row);
        text += (text.empty() ? "" : " ") + std::to_string(static_cast<long long>(t.GetRowTime(row).AsInt128() / CvxTime::kNs))
            + ":" + (v.High64() != 0 ? std::string("X") : std::to_string(v.Low64()));
    }
    return text;
}

class CvxTimeAlignerTest : public ::testing::Test {
protected:
    void SetUp() override { CvxLabelMgr::GetInstance().Clear(); }
};

} // namespace

TEST_F(CvxTimeAlignerTest, EachCaptureGetsARowAtEveryChangeOfEither)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::int64_t, int>> reference;
        std::vector<std::pair<std::int64_t, int>> input;
        CvxTime inputTick;
        const char* alignedReference;
        const char* alignedInput;
        std::int64_t referenceBefore;
        std::int64_t inputBefore;
    };
    const CvxTime ns = CvxTime::FromNs(1);
    const Case cases[] = {
        {"a glitch only the input has", {{0, 1}, {10, 2}, {20, 3}}, {{0, 1}, {10, 2}, {17, 9}, {18, 2}, {20, 3}}, ns,
         "0:1 10:2 17:2 18:2 20:3", "0:1 10:2 17:9 18:2 20:3", 0, 0},
        {"an edge the input lacks", {{0, 1}, {10, 2}, {20, 3}}, {{0, 1}, {20, 3}}, ns, "0:1 10:2 20:3", "0:1 10:1 20:3", 0, 0},
        {"other time units, same times", {{0, 1}, {10, 2}}, {{0, 1}, {10000, 2}}, CvxTime::FromPs(1), "0:1 10:2", "0:1 10:2", 0, 0},
        {"the input ends later", {{0, 1}, {10, 2}}, {{0, 1}, {10, 2}, {30, 4}}, ns, "0:1 10:2", "0:1 10:2 30:4", 0, 0},
        {"the reference starts earlier", {{0, 1}, {5, 7}, {10, 2}}, {{10, 2}, {20, 3}}, ns, "10:2", "10:2 20:3", 2, 0},
        {"X/Z values are held as they are", {{0, -1}, {10, 2}}, {{0, 1}, {5, 1}, {10, 2}}, ns, "0:X 5:X 10:2", "0:1 5:1 10:2", 0, 0},
    };
    for (const Case& c : cases) {
        CvxTimeAligner::Result r = CvxTimeAligner::Align(Capture(ns, c.reference), Capture(c.inputTick, c.input));
        EXPECT_EQ(Rows(*r.reference), c.alignedReference) << c.what;
        EXPECT_EQ(Rows(*r.input), c.alignedInput) << c.what;
        EXPECT_EQ(r.referenceRowsBefore, c.referenceBefore) << c.what;
        EXPECT_EQ(r.inputRowsBefore, c.inputBefore) << c.what;
        // Labels, table identity and the time column stay those of the captures.
        EXPECT_EQ(r.reference->GetTable(0).GetColumn(1).GetLabelID(), r.input->GetTable(0).GetColumn(1).GetLabelID());
        EXPECT_EQ(r.input->GetTable(0).GetColumn(0).GetValueKind(), EvxValueKind::Time);
    }
}

TEST_F(CvxTimeAlignerTest, CapturesThatShareTheirTimesOrAreEvenlySpacedComeBackAsTheyAre)
{
    const auto a = Capture(CvxTime::FromNs(1), {{0, 1}, {10, 2}});
    const auto b = Capture(CvxTime::FromNs(1), {{0, 5}, {10, 6}});
    const CvxTimeAligner::Result same = CvxTimeAligner::Align(a, b);
    EXPECT_EQ(same.reference, a);
    EXPECT_EQ(same.input, b);

    CvxDataBuilder builder;
    CvxDataTable& t = builder.AddTable(u"T");
    t.SetUniformTimeBase(CvxTime::FromNs(10));
    builder.AddBus(t, u"d", 8).Append(1);
    const auto sampled = builder.Finish();
    EXPECT_FALSE(CvxTimeAligner::HasChangeEvents(*sampled));
    EXPECT_TRUE(CvxTimeAligner::HasChangeEvents(*a));
    EXPECT_EQ(CvxTimeAligner::Align(sampled, a).reference, sampled);
}

// Row walks from the grid's centre: windows around the centre held at the data's ends, the
// rows to a position in both directions, and walks that stop when the user cancels.

#include "CvxCompareTestData.h"

#include "CvxCancelMgr.h"
#include "CvxCompareRowWalk.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kRows = 1000; // 10 ns apart

class CvxCompareRowWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxResetTestHost();
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, std::vector<std::int64_t>(kRows, 3)}}));
        m_model.ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
    }
    void TearDown() override { CvxCancelMgr::GetInstance().Reset(); }

    void Centre(std::int64_t row) { m_model.MoveCenter(Row(row), false); }
    static CvxPosition Row(std::int64_t row) { return CvxPosition::AtTime(CvxTime::FromNs(10 * row)); }
    static std::int64_t RowOf(const CvxPosition& position) { return position.AsSample(); }

    CvxCompareModel m_model;
};

} // namespace

TEST_F(CvxCompareRowWalkTest, AWindowHasHalfItsRowsBeforeTheCentreAndStopsAtTheDataEnds)
{
    struct Case {
        std::int64_t centre;
        int rows;
        std::int64_t first;
        std::int64_t last;
    };
    const Case cases[] = {
        {500, 40, 480, 519}, {500, 41, 480, 520}, {500, 1, 500, 500},
        {0, 40, 0, 19},      // at the first row: nothing above the centre
        {5, 40, 0, 24},      // fewer rows above than half the window
        {999, 40, 979, 999}, // at the last row: nothing below
        {990, 40, 970, 999},
        {500, 5000, 0, 999}, // a window taller than the data covers all of it
    };
    for (const Case& c : cases) {
        Centre(c.centre);
        CvxCompareRowWalk walk(m_model);
        const auto window = walk.WindowOf(c.rows);
        ASSERT_TRUE(window) << c.centre;
        EXPECT_EQ(RowOf(window->first), c.first) << c.centre << " " << c.rows;
        EXPECT_EQ(RowOf(window->last), c.last) << c.centre << " " << c.rows;
        EXPECT_EQ(RowOf(walk.GetPosition()), c.centre); // the walk is back at the centre
    }
}

TEST_F(CvxCompareRowWalkTest, RowsToAPositionCountFromTheCentreToTheFirstRowAtOrAfterIt)
{
    Centre(500);
    struct Case {
        CvxPosition target;
        int limit;
        std::optional<int> rows;
    };
    const Case cases[] = {
        {Row(500), 50, 0},
        {Row(505), 50, 5},
        {Row(495), 50, -5},
        {CvxPosition::AtTime(CvxTime::FromNs(5005)), 50, 1},  // between rows: the next row
        {CvxPosition::AtTime(CvxTime::FromNs(4995)), 50, 0},  // just before the centre row
        {CvxPosition::AtTime(CvxTime::FromNs(4985)), 50, -1},
        {Row(560), 50, std::nullopt},                         // further than the limit
        {Row(440), 50, std::nullopt},
        {CvxPosition::AtTime(CvxTime::FromNs(20000)), 600, std::nullopt}, // past the last row
        {CvxPosition::AtTime(CvxTime::FromNs(-50)), 600, -500},           // before the data: the first row
    };
    for (const Case& c : cases) {
        CvxCompareRowWalk walk(m_model);
        EXPECT_EQ(walk.RowsTo(c.target, c.limit), c.rows) << static_cast<long long>(c.target.AsInt128() / 1000000);
    }

    CvxCompareRowWalk walk(m_model);
    EXPECT_EQ(RowOf(*walk.RowAtOrAfter(CvxPosition::AtTime(CvxTime::FromNs(7001)))), 701);
    EXPECT_EQ(RowOf(*walk.RowAtOrAfter(CvxPosition::AtTime(CvxTime::FromNs(99999)))), 999);
    EXPECT_EQ(RowOf(walk.GetPosition()), 500);
}

TEST_F(CvxCompareRowWalkTest, StepsStopAtTheEndsAndWhenTheUserCancels)
{
    Centre(2);
    CvxCompareRowWalk walk(m_model);
    EXPECT_EQ(walk.Step(-5), -2);
    EXPECT_EQ(RowOf(walk.GetPosition()), 0);
    EXPECT_EQ(walk.Step(-1), 0);
    EXPECT_EQ(walk.Step(3), 3);
    EXPECT_EQ(RowOf(walk.GetPosition()), 3);

    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    cancel.Enable();
    cancel.Cancel();
    Centre(500);
    CvxCompareRowWalk cancelled(m_model);
    EXPECT_EQ(cancelled.Step(10), 0);
    const auto window = cancelled.WindowOf(40);
    ASSERT_TRUE(window);
    EXPECT_EQ(RowOf(window->first), 500);
    EXPECT_EQ(RowOf(window->last), 500);
    EXPECT_EQ(cancelled.RowsTo(Row(510), 50), std::nullopt);
    cancel.Disable();
    EXPECT_EQ(cancelled.Step(10), 10);
}

TEST_F(CvxCompareRowWalkTest, WithoutDataThereIsNothingToWalk)
{
    CvxCompareModel empty;
    CvxCompareRowWalk walk(empty);
    EXPECT_FALSE(walk.IsValid());
    EXPECT_EQ(walk.Step(3), 0);
    EXPECT_FALSE(walk.WindowOf(10));
    EXPECT_FALSE(walk.RowsTo(Row(3), 10));
}

// The overview strip: its scale as tables (shift, units per pixel, pixel rows of positions and
// the way back), and the pane as a real widget: ticks in the UI dump after a comparison with
// differences, and a click on a tick centring the grid on that difference.

#include "../views/CvxCompareWindowTest.h"

#include "CvxCompareDoc.h"
#include "CvxCompareOverView.h"
#include "CvxCompareOverviewScale.h"
#include "CvxCompareOverviewViewport.h"
#include "CvxCompareView.h"
#include "CvxUiServices.h"

#include <QJsonArray>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
    const char* name;
    CvxInt128 start;
    CvxInt128 end;
    int height;
    int shift;
    std::int64_t unitsPerPixel;
    std::vector<CvxInt128> positions;
    std::vector<int> ticks;
};

constexpr CvxInt128 kMi = CvxInt128{1} << 20;

const ScaleCase kCases[] = {
    {"ten differences within one pixel row make one tick", 0, 1000, 100, 0, 10,
     {509, 500, 501, 502, 503, 504, 505, 506, 507, 508, 0, 1000, 9, 10}, {0, 1, 50, 99}},
    {"a span that fits 20 bits keeps shift 0", -5, -5 + kMi - 1, 1000, 0, 1048,
     {-5, -5 + 1047, -5 + 1048, -5 + kMi - 1}, {0, 1, 999}},
    {"one bit more shifts by one", 0, kMi, 512, 1, 1024, {2047, 2048, kMi}, {0, 1, 511}},
    {"a span smaller than the strip maps each position to its own offset", 100, 110, 50, 0, 1,
     {100, 101, 105, 110, 99, 200}, {0, 1, 5, 10, 49}},
    {"the huge 128-bit span", kCvxInt128Min, kCvxInt128Max, 1000, 108, 1048,
     {kCvxInt128Min, 0, kCvxInt128Max}, {0, 500, 999}},
    {"femtoseconds of a second of data from before the trigger", -CvxTime::kS, 0, 700, 30, 1330,
     {-CvxTime::kS, -CvxTime::kS / 2, -1}, {0, 350, 699}},
};

TEST(CvxCompareOverviewScaleTest, MapsPositionsToPixelRowsAndBack)
{
    for (const ScaleCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CvxCompareOverviewScale scale;
        scale.Set(c.start, c.end, c.height);
        EXPECT_EQ(scale.GetShift(), c.shift);
        EXPECT_EQ(scale.GetUnitsPerPixel(), c.unitsPerPixel);
        EXPECT_EQ(scale.Ticks(c.positions), c.ticks);
        // A pixel row's first position maps back to it, the position before it to the row above.
        const int last = scale.PixelOf(c.end);
        for (int row = 0; row <= last; ++row) {
            const CvxInt128 first = scale.PositionOf(row);
            ASSERT_EQ(scale.PixelOf(first), row);
            if (row > 0) {
                ASSERT_EQ(scale.PixelOf(first - 1), row - 1);
            }
        }
        EXPECT_EQ(scale.PositionOf(0), c.start);
        EXPECT_EQ(scale.PositionOf(-3), c.start);
    }
}

TEST(CvxCompareOverviewScaleTest, AnEmptyStripHasNoTicks)
{
    CvxCompareOverviewScale scale;
    const struct {
        CvxInt128 start;
        CvxInt128 end;
        int height;
    } empties[] = {{0, 100, 0}, {0, 100, -4}, {100, 0, 50}};
    for (const auto& e : empties) {
        scale.Set(e.start, e.end, e.height);
        EXPECT_TRUE(scale.IsEmpty());
        EXPECT_EQ(scale.PixelOf(50), -1);
        EXPECT_TRUE(scale.Ticks(std::vector<CvxInt128>{50, 60}).empty());
    }
}

TEST(CvxCompareOverviewScaleTest, TicksComeFromTheFirstDifferenceOfEveryMarkedBucket)
{
    CvxCompareResults results;
    results.SetOverviewWidth(1000);
    results.SetScale(0, 100'000);
    for (const CvxInt128 t : {CvxInt128{10}, CvxInt128{15}, CvxInt128{50'000}, CvxInt128{50'090}, CvxInt128{100'000}}) {
        results.MarkBucket(results.BucketOf(t), CvxTime(t));
    }
    results.RebuildBucketList();
    CvxCompareOverviewScale scale;
    scale.Set(0, 100'000, 100);
    EXPECT_EQ(scale.Ticks(results), (std::vector<int>{0, 50, 99}));
}

class CvxCompareOverviewPaneTest : public CvxCompareWindowTest {
protected:
    void SetUp() override
    {
        CvxCompareWindowTest::SetUp();
        Model().SetOverviewWidth(1000); // the plug-in sizes it to the desktop
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
        m_pane = m_view->findChild<CvxCompareOverView*>("CvxCompareOverView");
        ASSERT_NE(m_pane, nullptr);
    }

    CvxCompareOverView* m_pane = nullptr;
};

} // namespace

TEST_F(CvxCompareOverviewPaneTest, ShowsTicksOfTheDifferencesAndCentresTheGridOnAClick)
{
    EXPECT_EQ(m_pane->GetViewport().Describe()["ticks"].toArray().size(), 0); // no data yet

    // Rows 2 and 5 of A differ from the reference, over rows 0 to 7.
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6, 7, 8}}}));
    Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 9, 4, 5, 9, 7, 8}}}), 2);
    ASSERT_EQ(Model().GetResults().GetDifferences(), 2);

    const int extent = m_pane->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_pane);
    const QJsonObject dump = m_pane->GetViewport().Describe();
    EXPECT_EQ(dump["pane"].toString(), QString("overview"));
    const int height = dump["height"].toInt();
    EXPECT_EQ(height, m_pane->height() - 2 * extent - 2);
    const QJsonArray ticks = dump["ticks"].toArray();
    ASSERT_EQ(ticks.size(), 2);
    // 70 ns of data: the rows at 20 and 50 ns lie at 2/7 and 5/7 of the strip.
    EXPECT_NEAR(ticks[0].toInt(), height * 2 / 7, 2);
    EXPECT_NEAR(ticks[1].toInt(), height * 5 / 7, 2);

    // A taller pane spreads the ticks out.
    m_view->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_GT(m_pane->GetViewport().Describe()["height"].toInt(), height);

    const CvxCompareOverviewViewport& overview = m_pane->GetOverview();
    for (const int difference : {5, 2}) {
        const int row = overview.GetTicks()[difference == 5 ? 1 : 0];
        QTest::mouseClick(m_pane, Qt::LeftButton, {}, QPoint(m_pane->width() / 2, overview.GetStripTop() + row));
        EXPECT_EQ(Model().GetCenter().AsSample(), difference);
    }
    // The row below a tick starts after its difference: the grid centres on the next sample.
    // (Off by one row either way, one of the two clicks lands on the wrong sample.)
    const QPoint below(m_pane->width() / 2, overview.GetStripTop() + overview.GetTicks()[1] + 1);
    QTest::mouseClick(m_pane, Qt::LeftButton, {}, below);
    EXPECT_EQ(Model().GetCenter().AsSample(), 6);
    // Above the strip: the first position.
    QTest::mouseClick(m_pane, Qt::LeftButton, {}, QPoint(m_pane->width() / 2, 1));
    EXPECT_EQ(Model().GetCenter().AsSample(), 0);
}

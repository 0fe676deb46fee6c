// The marker bars beside the grid as real widgets: the right bar places markers over the
// whole data and brackets what the grid shows, the left bar flags the markers on the rows the
// grid shows, next to the grid's own marker rows; both draw again when markers move.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxCompareMessage.h"
#include "CvxCompareSystemMarkerLeftView.h"
#include "CvxCompareSystemMarkerRightView.h"
#include "CvxCompareView.h"
#include "CvxMarkersViewPort.h"
#include "CvxUiServices.h"

#include <QJsonArray>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kRows = 1000; // 10 ns apart: far more than the grid shows at once

class CvxCompareMarkerBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxUiServices::Install();
        m_view = std::make_unique<CvxCompareView>();
        ASSERT_TRUE(m_view->Create(m_doc));
        m_view->resize(800, 400);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_right = m_view->findChild<CvxCompareSystemMarkerRightView*>("CvxCompareSystemMarkerRightView");
        m_left = m_view->findChild<CvxCompareSystemMarkerLeftView*>("CvxCompareSystemMarkerLeftView");
        m_grid = m_view->findChild<CvxCompareDataView*>("CvxCompareDataView");
        ASSERT_NE(m_right, nullptr);
        ASSERT_NE(m_left, nullptr);
        ASSERT_NE(m_grid, nullptr);

        std::vector<std::int64_t> values(kRows);
        for (int i = 0; i < kRows; ++i) {
            values[static_cast<std::size_t>(i)] = i % 256;
        }
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, values}}));
        Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
        CvxCompareColumnsChangedMessage changed;
        Model().Broadcast(changed);
        m_m1 = Model().GetMarkerMgr().AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(5000)));
        ASSERT_NE(m_m1, nullptr);
        Centre(0);
    }
    void TearDown() override
    {
        m_view.reset();
        CvxUiServices::Uninstall();
    }

    CvxCompareModel& Model() { return m_doc.GetModel(); }
    void Centre(int row)
    {
        Model().MoveCenter(CvxPosition::AtTime(CvxTime::FromNs(10 * row)), true);
        QCoreApplication::processEvents();
    }
    // The row a bar's dump gives the marker of that name.
    static std::optional<int> RowOf(const QJsonObject& dump, const QString& name)
    {
        for (const QJsonValue& marker : dump["markers"].toArray()) {
            if (marker["name"].toString() == name) {
                return marker["row"].toInt();
            }
        }
        return std::nullopt;
    }
    // The right bar's row for a time on the data's 0 to 9990 ns.
    int RightRowOf(int ns) const { return static_cast<int>(std::int64_t{m_right->height()} * ns / 9990); }

    CvxCompareDoc m_doc;
    std::unique_ptr<CvxCompareView> m_view;
    CvxCompareSystemMarkerRightView* m_right = nullptr;
    CvxCompareSystemMarkerLeftView* m_left = nullptr;
    CvxCompareDataView* m_grid = nullptr;
    CvxMarker* m_m1 = nullptr;
};

} // namespace

TEST_F(CvxCompareMarkerBarsTest, TheRightBarPlacesEveryMarkerOverTheDataAndBracketsTheShownRows)
{
    QJsonObject dump = m_right->GetViewport().Describe();
    EXPECT_EQ(dump["pane"].toString(), QString("markers-right"));
    EXPECT_EQ(RowOf(dump, "Begin"), 0);
    EXPECT_EQ(RowOf(dump, "End"), m_right->height() - 1);
    ASSERT_TRUE(RowOf(dump, "M1"));
    EXPECT_NEAR(*RowOf(dump, "M1"), RightRowOf(5000), 1);

    // The grid shows a few dozen of the 1000 rows around its centre: a short bracket at the top.
    const auto bracketOf = [this] {
        const QJsonArray bracket = m_right->GetViewport().Describe()["bracket"].toArray();
        return std::pair{bracket[0].toInt(), bracket[1].toInt()};
    };
    auto [top, bottom] = bracketOf();
    EXPECT_EQ(top, 0);
    EXPECT_GT(bottom, top);
    EXPECT_LT(bottom, m_right->height() / 4);

    // Centring the grid on row 700 moves the bracket there; it grows, the grid now showing
    // rows above its centre too, and keeps that length elsewhere in the middle.
    const int startSpan = bottom - top;
    Centre(700);
    std::tie(top, bottom) = bracketOf();
    EXPECT_LE(top, RightRowOf(7000));
    EXPECT_GE(bottom, RightRowOf(7000));
    EXPECT_GT(bottom - top, startSpan);
    const int span = bottom - top;
    Centre(300);
    std::tie(top, bottom) = bracketOf();
    EXPECT_LE(top, RightRowOf(3000));
    EXPECT_GE(bottom, RightRowOf(3000));
    EXPECT_NEAR(bottom - top, span, 1);

    // Moving a marker moves its flag and draws the bar again.
    const int paints = m_right->GetPaintCount();
    ASSERT_TRUE(Model().GetMarkerMgr().MoveMarkerPosition(m_m1->GetID(), CvxPosition::AtTime(CvxTime::FromNs(2000))));
    QCoreApplication::processEvents();
    EXPECT_GT(m_right->GetPaintCount(), paints);
    EXPECT_NEAR(*RowOf(m_right->GetViewport().Describe(), "M1"), RightRowOf(2000), 1);

    // A tool tip over the flag names the marker and its time; none away from the flags.
    const int row = *RowOf(m_right->GetViewport().Describe(), "M1");
    const QString tip = m_right->GetMarkers().ToolTipAt(QPoint(m_right->width() / 2, row));
    EXPECT_TRUE(tip.contains("M1")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("2")) << tip.toStdString();
    EXPECT_TRUE(m_right->GetMarkers().ToolTipAt(QPoint(m_right->width() / 2, RightRowOf(4500))).isEmpty());

    // Without data there is nothing to place or bracket.
    CvxGiveData(Model(), nullptr);
    dump = m_right->GetViewport().Describe();
    EXPECT_TRUE(dump["markers"].toArray().isEmpty());
    EXPECT_FALSE(dump.contains("bracket"));
}

TEST_F(CvxCompareMarkerBarsTest, TheLeftBarFlagsAMarkerOnlyWhileTheGridShowsItsRowBesideThatRow)
{
    QJsonObject dump = m_left->GetViewport().Describe();
    EXPECT_EQ(dump["pane"].toString(), QString("markers-left"));
    EXPECT_FALSE(dump.contains("bracket"));
    EXPECT_TRUE(RowOf(dump, "Begin")); // row 0 is the centre
    EXPECT_FALSE(RowOf(dump, "M1"));
    EXPECT_FALSE(RowOf(dump, "End"));

    const int paints = m_left->GetPaintCount();
    Centre(500);
    EXPECT_GT(m_left->GetPaintCount(), paints);
    dump = m_left->GetViewport().Describe();
    EXPECT_FALSE(RowOf(dump, "Begin"));
    const std::optional<int> row = RowOf(dump, "M1");
    ASSERT_TRUE(row);
    // The flag sits beside the grid's marker row (the centre row, here).
    const int gridY = m_grid->mapFromGlobal(m_left->mapToGlobal(QPoint(0, *row))).y();
    const std::vector<CvxID> there = m_grid->GetGrid().MarkersAt(gridY);
    EXPECT_NE(std::find(there.begin(), there.end(), m_m1->GetID()), there.end());
    EXPECT_TRUE(m_left->GetMarkers().ToolTipAt(QPoint(m_left->width() / 2, *row)).contains("M1"));

    // A few rows further the flag follows its row; far away it is gone.
    Centre(505);
    const std::optional<int> moved = RowOf(m_left->GetViewport().Describe(), "M1");
    ASSERT_TRUE(moved);
    EXPECT_EQ(*row - *moved, 5 * m_grid->GetGrid().GetRowHeight());
    Centre(800);
    EXPECT_FALSE(RowOf(m_left->GetViewport().Describe(), "M1"));

    // Hidden markers have no flag.
    Centre(500);
    m_m1->SetShow(false);
    Model().GetMarkerMgr().NotifyChanged();
    EXPECT_FALSE(RowOf(m_left->GetViewport().Describe(), "M1"));
}

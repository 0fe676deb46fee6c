// The marker bars beside the grid as real widgets: the right bar places markers over the
// whole data and brackets the rows around the grid's centre, the left bar flags the markers on
// the rows the grid shows, next to the grid's own marker rows; both draw again when markers
// move, hold back while the grid moves, and let user markers be dragged.

#include "../views/CvxCompareWindowTest.h"

#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxCompareMarkerRowConverter.h"
#include "CvxCompareMessage.h"
#include "CvxDefObserver.h"
#include "CvxMarkerMgr.h"
#include "CvxCompareSystemMarkerLeftView.h"
#include "CvxCompareSystemMarkerRightView.h"
#include "CvxCompareView.h"
#include "CvxMarkersViewPort.h"
#include "CvxUiServices.h"

#include <QJsonArray>
#include <QMouseEvent>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kRows = 1000; // 10 ns apart: far more than the grid shows at once

class CvxCompareMarkerBarsTest : public CvxCompareWindowTest {
protected:
    void SetUp() override
    {
        CvxCompareWindowTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
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
    // The right bar's row for a time on the data's 0 to 9990 ns, between its margins.
    int Margin() const { return m_right->style()->pixelMetric(QStyle::PM_ScrollBarExtent); }
    int RightRowOf(int ns) const
    {
        return Margin() + static_cast<int>(std::int64_t{m_right->height() - 2 * Margin() - 1} * ns / 9990);
    }
    // A press, moves and a release of the left button on a bar.
    static void Drag(QWidget* bar, QPoint from, const std::vector<QPoint>& path, bool release = true)
    {
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
        for (const QPoint& to : path) {
            QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(bar, &move);
        }
        if (release) {
            QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, path.empty() ? from : path.back());
        }
    }

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
    EXPECT_EQ(RowOf(dump, "Begin"), Margin());
    EXPECT_EQ(RowOf(dump, "End"), m_right->height() - Margin() - 1);
    ASSERT_TRUE(RowOf(dump, "M1"));
    EXPECT_NEAR(*RowOf(dump, "M1"), RightRowOf(5000), 1);

    // The bracket holds as many rows as the bar's height in the data font, half of them above
    // the centre: at the first row nothing lies above it, so it starts there, short.
    const auto bracketOf = [this] {
        const QJsonArray bracket = m_right->GetViewport().Describe()["bracket"].toArray();
        return std::pair{bracket[0].toInt(), bracket[1].toInt()};
    };
    auto [top, bottom] = bracketOf();
    EXPECT_EQ(top, Margin());
    EXPECT_GT(bottom, top);
    EXPECT_LT(bottom, m_right->height() / 4);

    // Centring the grid on row 700 moves the bracket there; it grows, holding rows above the
    // centre too, and keeps that length elsewhere in the middle.
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

    // Without data the bar keeps the last range.
    CvxGiveData(Model(), nullptr);
    EXPECT_EQ(bracketOf(), std::pair(top, bottom));
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

TEST_F(CvxCompareMarkerBarsTest, TheLeftBarsConversionsWalkRowsFromTheCentreRow)
{
    // A grid 200 pixels high with 10-pixel rows, its top 30 pixels down the bar: the centre
    // row spans 125..134, its middle at 130.
    Centre(500);
    CvxCompareMarkerRowConverter rows(Model());
    rows.SetGeometry(10, 200, 30);
    rows.SetWindow(CvxTime::FromNs(4900).AsInt128(), CvxTime::FromNs(5100).AsInt128());
    const auto row = [](std::int64_t n) { return CvxPosition::AtTime(CvxTime::FromNs(10 * n)); };
    struct ToPixel {
        CvxPosition position;
        std::optional<int> y;
    };
    const ToPixel toPixel[] = {
        {row(500), 130}, {row(503), 160}, {row(495), 80}, {CvxPosition::AtTime(CvxTime::FromNs(5004)), 140},
        {row(510), 230}, {row(511), std::nullopt}, {row(489), std::nullopt}, // outside the window
    };
    for (const ToPixel& c : toPixel) {
        int y = -1;
        const bool shown = rows.PositionToPixel(c.position, y);
        EXPECT_EQ(shown ? std::optional<int>(y) : std::nullopt, c.y) << static_cast<long long>(c.position.AsInt128());
    }
    struct ToPosition {
        int y;
        std::int64_t sample;
    };
    const ToPosition toPosition[] = {
        {130, 500}, {125, 500}, {134, 500}, {124, 499}, {135, 501}, {30, 490}, {-970, 390}, {6000, 999},
    };
    for (const ToPosition& c : toPosition) {
        EXPECT_EQ(rows.PixelToPosition(QPoint(5, c.y)).AsSample(), c.sample) << c.y;
    }
    // At the first row there is nothing above it to walk to.
    Centre(0);
    EXPECT_EQ(rows.PixelToPosition(QPoint(5, 0)).AsSample(), 0);
}

TEST_F(CvxCompareMarkerBarsTest, SuppressedUpdatesHoldRedrawingUntilReleasedAndTheGridSuppressesAroundItsMoves)
{
    Centre(500);
    const int right = m_right->GetPaintCount();
    const int left = m_left->GetPaintCount();
    CvxCompareMarkerDisplayUpdatesSuppressMessage hold(true);
    Model().Broadcast(hold);
    ASSERT_TRUE(Model().GetMarkerMgr().MoveMarkerPosition(m_m1->GetID(), CvxPosition::AtTime(CvxTime::FromNs(5020))));
    Centre(502);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_right->GetPaintCount(), right);
    EXPECT_EQ(m_left->GetPaintCount(), left);
    CvxCompareMarkerDisplayUpdatesSuppressMessage release(false);
    Model().Broadcast(release);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_right->GetPaintCount(), right + 1);
    EXPECT_EQ(m_left->GetPaintCount(), left + 1);
    EXPECT_TRUE(RowOf(m_left->GetViewport().Describe(), "M1")); // placed by the window range made on release

    // A key press in the grid moves the centre between a hold and its release.
    struct Recorder : CvxDefObserver {
        std::vector<int> types;
        void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
    } recorder;
    Model().AddObserver(&recorder);
    QTest::keyClick(m_grid, Qt::Key_Down);
    Model().RemoveObserver(&recorder);
    const std::vector<int>& types = recorder.types;
    ASSERT_GE(types.size(), 3U);
    EXPECT_EQ(types.front(), CvxCompareMarkerDisplayUpdatesSuppressMessage::kType);
    EXPECT_EQ(types.back(), CvxCompareMarkerDisplayUpdatesSuppressMessage::kType);
    EXPECT_NE(std::find(types.begin(), types.end(), 11), types.end()); // the centre moved in between
    EXPECT_FALSE(m_right->GetMarkers().IsSuppressingUpdates());
    EXPECT_EQ(Model().GetCenter().AsSample(), 503);
}

TEST_F(CvxCompareMarkerBarsTest, DraggingAUserMarkerOnTheRightBarMovesItInTheGridAndEscPutsItBack)
{
    Centre(200);
    const int from = *RowOf(m_right->GetViewport().Describe(), "M1");
    const int x = m_right->width() / 2;
    Drag(m_right, QPoint(x, from), {QPoint(x, from - 20), QPoint(x, RightRowOf(2000))});
    // The marker lands on the first row at or after the time under the pointer.
    const CvxPosition moved = m_m1->GetPosition();
    EXPECT_TRUE(moved.HasSample());
    EXPECT_NEAR(static_cast<double>(moved.AsSample()), 200.0, 3.0);
    EXPECT_NEAR(*RowOf(m_right->GetViewport().Describe(), "M1"), RightRowOf(2000), 1);
    // The grid now draws M1 on that row, and the left bar flags it.
    QCoreApplication::processEvents();
    const int top = m_grid->GetGrid().RowTopOf(moved);
    ASSERT_GE(top, 0);
    const std::vector<CvxID> there = m_grid->GetGrid().MarkersAt(top);
    EXPECT_NE(std::find(there.begin(), there.end(), m_m1->GetID()), there.end());
    EXPECT_TRUE(RowOf(m_left->GetViewport().Describe(), "M1"));

    // Esc during a drag puts the marker back where the drag began.
    Drag(m_right, QPoint(x, RightRowOf(2000)), {QPoint(x, RightRowOf(8000))}, false);
    EXPECT_GT(m_m1->GetPosition().AsSample(), 700);
    QTest::keyClick(m_right, Qt::Key_Escape);
    EXPECT_EQ(m_m1->GetPosition(), moved);
    QTest::mouseRelease(m_right, Qt::LeftButton, Qt::NoModifier, QPoint(x, RightRowOf(8000)));
    EXPECT_EQ(m_m1->GetPosition(), moved);

    // The data markers stay where the data puts them.
    const CvxMarker* begin = Model().GetMarkerMgr().GetMarker(Model().GetMarkerMgr().GetBeginDataMarkerID());
    const CvxPosition beginAt = begin->GetPosition();
    Drag(m_right, QPoint(x, Margin()), {QPoint(x, RightRowOf(4000))});
    EXPECT_EQ(begin->GetPosition(), beginAt);
}

TEST_F(CvxCompareMarkerBarsTest, OnTheLeftBarAMarkerIsDraggedFromRowToRowAndPastTheEndTheGridScrolls)
{
    Centre(500);
    const int rowHeight = m_grid->GetGrid().GetRowHeight();
    const int x = m_left->width() / 2;
    const int from = *RowOf(m_left->GetViewport().Describe(), "M1");
    Drag(m_left, QPoint(x, from), {QPoint(x, from + 3 * rowHeight)});
    EXPECT_EQ(m_m1->GetPosition().AsSample(), 503);
    EXPECT_EQ(*RowOf(m_left->GetViewport().Describe(), "M1"), from + 3 * rowHeight);

    // Held just below the bar, the grid scrolls down a row at a time and the marker goes along.
    const int below = m_left->height() + 1;
    Drag(m_left, QPoint(x, from + 3 * rowHeight), {QPoint(x, below)}, false);
    const std::int64_t centre = Model().GetCenter().AsSample();
    QTest::qWait(500);
    EXPECT_GT(Model().GetCenter().AsSample(), centre);
    const std::int64_t marker = m_m1->GetPosition().AsSample();
    QTest::mouseRelease(m_left, Qt::LeftButton, Qt::NoModifier, QPoint(x, below));
    QTest::qWait(300);
    EXPECT_EQ(m_m1->GetPosition().AsSample(), marker); // scrolling ended with the drag
    EXPECT_GT(marker, 503);

    // The wheel over the left bar scrolls the grid.
    Centre(500);
    const std::int64_t before = Model().GetCenter().AsSample();
    QWheelEvent wheel(QPointF(x, 50), m_left->mapToGlobal(QPointF(x, 50)), QPoint(), QPoint(0, -2 * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(m_left, &wheel);
    EXPECT_EQ(Model().GetCenter().AsSample(), before + 2);
}

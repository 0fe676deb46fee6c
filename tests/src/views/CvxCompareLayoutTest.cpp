// What the Compare window derives from its fonts and where its frame puts things: the
// font-dependent window properties, the splitter's rows, columns and bars, and the status
// bar's parts, for several fonts and sizes, without a window.

#include "CvxCompareProperties.h"
#include "CvxCompareSplitterLayout.h"
#include "CvxCompareStatusLayout.h"
#include "CvxCompareViewMetrics.h"

#include <gtest/gtest.h>

using Layout = CvxCompareSplitterLayout;

TEST(CvxCompareViewMetrics, ColumnWidthsAndHeaderRowFollowTheLabelFont)
{
    struct Case {
        CvxCompareFontMeasure font;
        int defWidth, minWidth, rowHeight;
    };
    // Small, ordinary, odd and very large average widths: halving truncates.
    for (const Case& c : {Case{{5, 12}, 100, 7, 22}, Case{{7, 17}, 140, 10, 27}, Case{{8, 19}, 160, 12, 29},
                          Case{{31, 70}, 620, 46, 80}}) {
        CvxCompareProperties properties;
        CvxCompareViewMetrics::ApplyLabelFont(properties, c.font);
        EXPECT_EQ(properties.GetDefColWidth(), c.defWidth) << c.font.averageCharWidth;
        EXPECT_EQ(properties.GetMinDefColWidth(), c.minWidth) << c.font.averageCharWidth;
        EXPECT_EQ(properties.GetHeaderRowHeight(), c.rowHeight) << c.font.averageCharWidth;
    }
    EXPECT_EQ(CvxCompareViewMetrics::LeftColumnWidth(7), 42);
    EXPECT_EQ(CvxCompareViewMetrics::RightColumnWidth(7), 84);
}

TEST(CvxCompareViewMetrics, TheHeaderHasALineForNamesAndOneEachForBaseAndTrigger)
{
    CvxCompareProperties properties;
    properties.SetHeaderRowHeight(25);
    for (const bool base : {false, true}) {
        for (const bool trigger : {false, true}) {
            properties.SetBaseDisplayed(base);
            properties.SetTriggerDisplayed(trigger);
            const int lines = 1 + (base ? 1 : 0) + (trigger ? 1 : 0);
            EXPECT_EQ(CvxCompareViewMetrics::HeaderLines(properties), lines);
            EXPECT_EQ(CvxCompareViewMetrics::HeaderHeight(properties), 25 * lines);
        }
    }
}

TEST(CvxCompareSplitterLayout, SixCellsInTwoRowsAndThreeColumnsWithTheCentreTakingTheRest)
{
    Layout layout;
    layout.SetClientSize({800, 500});
    layout.SetRowHeight(50);
    layout.SetSideWidths(40, 80);
    const int bar = Layout::kBarSize;
    EXPECT_EQ(layout.GetCell(Layout::kHeaderLeft), QRect(0, 0, 40, 50));
    EXPECT_EQ(layout.GetCell(Layout::kHeader), QRect(40 + bar, 0, 800 - 120 - 2 * bar, 50));
    EXPECT_EQ(layout.GetCell(Layout::kHeaderRight), QRect(800 - 80, 0, 80, 50));
    EXPECT_EQ(layout.GetCell(Layout::kDataLeft), QRect(0, 50 + bar, 40, 500 - 50 - bar));
    // Header and grid share their column, so header cells line up with grid columns.
    EXPECT_EQ(layout.GetCell(Layout::kGrid).left(), layout.GetCell(Layout::kHeader).left());
    EXPECT_EQ(layout.GetCell(Layout::kGrid).width(), layout.GetCell(Layout::kHeader).width());
    EXPECT_EQ(layout.GetCell(Layout::kDataRight), QRect(800 - 80, 50 + bar, 80, 500 - 50 - bar));
    EXPECT_EQ(layout.HitTest({41, 200}), Layout::kLeftBar);
    EXPECT_EQ(layout.HitTest({800 - 81, 200}), Layout::kRightBar);
    EXPECT_EQ(layout.HitTest({400, 51}), Layout::kRowBar);
    EXPECT_EQ(layout.HitTest({400, 200}), Layout::kNoBar);

    // Hidden side columns: the centre column takes the whole width; only the row bar is left.
    layout.SetSidesShown(false);
    EXPECT_EQ(layout.GetCell(Layout::kHeader), QRect(0, 0, 800, 50));
    EXPECT_EQ(layout.GetCell(Layout::kGrid), QRect(0, 50 + bar, 800, 500 - 50 - bar));
    for (const auto cell : {Layout::kHeaderLeft, Layout::kHeaderRight, Layout::kDataLeft, Layout::kDataRight}) {
        EXPECT_TRUE(layout.GetCell(cell).isEmpty()) << cell;
    }
    EXPECT_EQ(layout.HitTest({41, 200}), Layout::kNoBar);
    EXPECT_TRUE(layout.GetBar(Layout::kLeftBar).isEmpty());
}

TEST(CvxCompareSplitterLayout, TooSmallAClientGivesNoNegativeSizes)
{
    Layout layout;
    layout.SetSideWidths(40, 80);
    layout.SetRowHeight(50);
    for (const QSize size : {QSize(0, 0), QSize(30, 20), QSize(100, 54), QSize(125, 300)}) {
        layout.SetClientSize(size);
        for (int cell = 0; cell < Layout::kCellCount; ++cell) {
            const QRect rect = layout.GetCell(static_cast<Layout::Cell>(cell));
            EXPECT_GE(rect.width(), 0) << cell;
            EXPECT_GE(rect.height(), 0) << cell;
            EXPECT_LE(rect.left() + rect.width(), std::max(size.width(), 0)) << cell << " in " << size.width();
        }
    }
}

TEST(CvxCompareSplitterLayout, BarsMoveWithinTheirLimitsAndCarryTheSizes)
{
    Layout layout;
    layout.SetClientSize({800, 500});
    layout.SetRowHeight(50);
    layout.SetSideWidths(40, 80);
    layout.MoveBar(Layout::kRowBar, 90);
    EXPECT_EQ(layout.GetRowHeight(), 90);
    layout.MoveBar(Layout::kRowBar, 9000);
    EXPECT_EQ(layout.GetRowHeight(), 500 - Layout::kBarSize);
    layout.MoveBar(Layout::kRowBar, -5);
    EXPECT_EQ(layout.GetRowHeight(), 0);

    layout.MoveBar(Layout::kLeftBar, 100);
    EXPECT_EQ(layout.GetLeftWidth(), 100);
    layout.MoveBar(Layout::kRightBar, 600);
    EXPECT_EQ(layout.GetRightWidth(), 800 - 600 - Layout::kBarSize);
    EXPECT_EQ(layout.GetBarPosition(Layout::kRightBar), 600);
    // The left bar cannot pass the right column, nor the right bar the left one.
    layout.MoveBar(Layout::kLeftBar, 790);
    EXPECT_EQ(layout.GetBarPosition(Layout::kLeftBar), 800 - 196 - 2 * Layout::kBarSize);
    layout.MoveBar(Layout::kRightBar, 0);
    EXPECT_EQ(layout.GetBarPosition(Layout::kRightBar), layout.GetLeftWidth() + Layout::kBarSize);
}

TEST(CvxCompareStatusLayout, CountersKeepTheirWidthsFromTheRightAndPartZeroShrinksFirst)
{
    const std::array<int, 4> widths = {150, 120, 110, 100};
    const CvxCompareStatusLayout wide(700, widths, 16);
    EXPECT_EQ(wide.GetRight(4), 700 - 16);
    for (int part = 1; part < 5; ++part) {
        EXPECT_EQ(wide.GetWidth(part), widths[static_cast<std::size_t>(part - 1)]) << part;
        EXPECT_EQ(wide.GetLeft(part), wide.GetRight(part - 1)) << part;
    }
    EXPECT_EQ(wide.GetLeft(0), 0);
    EXPECT_EQ(wide.GetWidth(0), 700 - 16 - 480);

    // Narrower than the counters: part 0 has nothing, the leftmost counter is cut off.
    const CvxCompareStatusLayout narrow(400, widths, 16);
    EXPECT_EQ(narrow.GetWidth(0), 0);
    EXPECT_EQ(narrow.GetWidth(4), 100);
    EXPECT_EQ(narrow.GetWidth(1), 150);
    EXPECT_LT(narrow.GetLeft(1), 0);
    EXPECT_EQ(narrow.GetRight(4), 384);

    const CvxCompareStatusLayout none(0, widths, 16);
    EXPECT_EQ(none.GetRight(4), 0);
    EXPECT_EQ(none.GetWidth(0), 0);
}

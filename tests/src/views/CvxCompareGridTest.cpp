// The data grid: the text layout as tables (cutting with the ellipsis, alignment, which
// characters differ), cells painted into an image and checked at single pixels inside their
// halves (reference and no-reference backgrounds, difference colours, paired differences,
// input only), and the viewport's rows and moves as its UI-dump description shows them.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareCellPainter.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareQuickTrigger.h"
#include "CvxCompareTextLayout.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxTimeCorrelatedIter.h"

#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using Layout = CvxCompareTextLayout;

// A font whose average character is 7 pixels wide measures every character as 7: the metrics
// of a fixed font.
QFontMetrics FixedMetrics()
{
    return QFontMetrics(CvxFont("Courier New", 10).Get());
}

} // namespace

TEST(CvxCompareTextLayout, CutsWithTheEllipsisPlacesByAlignmentAndMarksDifferences)
{
    CvxQtTestApp();
    const QFontMetrics metrics = FixedMetrics();
    const int a = metrics.averageCharWidth();
    struct Case {
        std::u16string text;
        int width; // in characters
        std::u16string shown;
    };
    // n = width / a - 1 characters stay, the n-th becomes the ellipsis, unless nothing would go.
    for (const Case& c : {Case{u"1234", 10, u"1234"}, Case{u"12345678", 5, u"1234\u2026"}, Case{u"12345678", 1, u"\u2026"},
                          Case{u"7", 0, u"7"}, Case{u"123456", 6, u"123456"}, Case{u"123456", 5, u"1234\u2026"},
                          Case{u"12", 2, u"12"}}) {
        std::u16string text = c.text;
        const bool cut = Layout::Cut(text, c.width * a, a, metrics.horizontalAdvance(CvxQt(text)));
        EXPECT_EQ(text, c.shown) << c.width;
        EXPECT_EQ(cut, text != c.text) << c.width;
    }
    EXPECT_EQ(Layout::TextX(Layout::kLeft, 10, 100, 40, 8), 14);
    EXPECT_EQ(Layout::TextX(Layout::kCenter, 10, 100, 40, 8), 40);
    EXPECT_EQ(Layout::TextX(Layout::kRight, 10, 100, 40, 8), 66);
    EXPECT_EQ(Layout::TextX(Layout::kRight, 10, 30, 40, 8), 10); // never left of the area
    EXPECT_EQ(Layout::TextX(Layout::kCenter, 10, 30, 40, 8), 10);

    EXPECT_FALSE(Layout::Differs(u"AB12", u"AB13", 0));
    EXPECT_TRUE(Layout::Differs(u"AB12", u"AB13", 3));
    EXPECT_TRUE(Layout::Differs(u"AB123", u"AB12", 4)); // beyond the other text
}

namespace {

class CvxCompareGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        // A reference of 4 rows; the input has 6, row 1 differs.
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {0x11, 0x22, 0x33, 0x44}}}));
        m_model.ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
        m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {0x11, 0x2F, 0x33, 0x44, 0x55, 0x66}}}), 2);
        ASSERT_EQ(m_model.GetResults().GetDifferences(), 1);
        m_model.SetColumnWidth(Column().GetID(), 200);
        m_style.metrics = &m_metrics;
        m_style.averageCharWidth = m_metrics.averageCharWidth();
        m_style.referenceBackground = QColor(0, 200, 240);
        m_style.noReferenceBackground = QColor(128, 128, 128);
        m_style.differenceForeground = QColor(0, 0, 0);
        m_style.differenceBackground = QColor(255, 255, 0);
        m_style.Prepare();
    }

    const CvxCompareColumn& Column() const { return m_model.GetColumns().front(); }

    // Paints row `row` of column A into a 200 x 20 cell of a black image.
    QImage PaintRow(std::int64_t row, int display, CvxCompareCellPainter::Decision* decision = nullptr)
    {
        CvxCompareColumn column = Column();
        column.SetDifferenceDisplay(CvxCompareColumnDifference(display));
        column.SetColor(0x00FFFFFF);
        column.SetAlignment(CvxCompareTextLayout::kLeft);
        QImage image(200, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setFont(CvxFont("Courier New", 10).Get());
        auto input = m_model.GetInputData()->CreateIter(column.GetLabel(), CvxSampleIterBase::kModeSamples);
        input->GotoRow(row);
        CvxCompareCellPainter cells(m_model, column, m_style);
        CvxCompareCellRequest request;
        request.painter = &painter;
        request.model = &m_model;
        request.input = input.get();
        request.cell = QRect(0, 0, 200, 20);
        input->GetValue(request.text);
        request.status = input->GetDataStatus();
        request.color = column.GetColor();
        cells.Paint(request);
        if (decision != nullptr) {
            *decision = cells.GetDecision();
        }
        return image;
    }

    CvxCompareModel m_model;
    QFontMetrics m_metrics = FixedMetrics();
    CvxCompareCellStyle m_style;
};

} // namespace

TEST_F(CvxCompareGridTest, CellsShowBothHalvesWithTheirBackgroundsAndDifferences)
{
    CvxCompareCellPainter::Decision decision;
    const QImage equal = PaintRow(0, CvxCompareColumnDifference::kAll, &decision);
    EXPECT_TRUE(decision.referencePresent);
    EXPECT_FALSE(decision.differ);
    EXPECT_EQ(decision.referenceText, u"11");
    EXPECT_EQ(equal.pixelColor(195, 18), m_style.referenceBackground); // inside the reference half
    EXPECT_EQ(equal.pixelColor(90, 18), QColor(Qt::black));           // the input half keeps the pane's

    // Row 1 differs in its second character: that one is drawn on the difference background.
    const QImage different = PaintRow(1, CvxCompareColumnDifference::kAll, &decision);
    EXPECT_TRUE(decision.differ);
    EXPECT_EQ(decision.referenceText, u"22");
    const int a = m_metrics.averageCharWidth();
    const int secondChar = a / 2 + a + a / 2; // left margin, first character, middle of the second
    EXPECT_EQ(different.pixelColor(secondChar, 1), m_style.differenceBackground);
    EXPECT_NE(different.pixelColor(a / 2 + a / 2, 1), m_style.differenceBackground);

    // Beyond the reference's four rows: the no-reference background and nothing to compare.
    const QImage beyond = PaintRow(5, CvxCompareColumnDifference::kAll, &decision);
    EXPECT_FALSE(decision.referencePresent);
    EXPECT_FALSE(decision.differ);
    EXPECT_EQ(beyond.pixelColor(195, 18), m_style.noReferenceBackground);
}

TEST_F(CvxCompareGridTest, PairedDifferencesAndInputOnlyShowLess)
{
    CvxCompareCellPainter::Decision decision;
    // Paired differences: equal values show the reference background only.
    QImage image = PaintRow(0, CvxCompareColumnDifference::kPairedDifferences, &decision);
    const int a = m_metrics.averageCharWidth();
    bool anyText = false;
    for (int x = 100; x < 199; ++x) {
        for (int y = 0; y < 20; ++y) {
            anyText = anyText || image.pixelColor(x, y) != m_style.referenceBackground;
        }
    }
    EXPECT_FALSE(anyText);
    PaintRow(1, CvxCompareColumnDifference::kPairedDifferences, &decision);
    EXPECT_TRUE(decision.differ);

    // Input only: no reference half at all, and the value may use the whole width.
    image = PaintRow(1, CvxCompareColumnDifference::kInputOnly, &decision);
    EXPECT_EQ(image.pixelColor(195, 18), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(a / 2 + a + a / 2, 1), m_style.differenceBackground);
}

TEST_F(CvxCompareGridTest, TheViewportPaintsAroundTheCentreAndMovesItWithTheKeys)
{
    CvxCompareDataViewport grid(m_model);
    const int rowHeight = grid.GetRowHeight();
    grid.SetSize(QSize(300, rowHeight * 9));
    const auto rows = [&] { return grid.Describe()["rows"].toArray(); };
    const auto centreSample = [&] {
        for (const QJsonValue& row : rows()) {
            if (row.toObject()["centre"].toBool()) {
                return row.toObject()["sample"].toInt();
            }
        }
        return -1;
    };

    grid.OnModelMessage(CvxCompareKbHomeMessage());
    EXPECT_EQ(centreSample(), 0);
    // Nothing above the first sample: the rows start at the centre.
    EXPECT_EQ(rows().size(), 6);
    EXPECT_TRUE(rows()[0].toObject()["centre"].toBool());
    const auto cellOf = [&](int row) { return rows()[row].toObject()["cells"].toArray()[0].toObject(); };
    const QJsonObject cell = cellOf(1);
    EXPECT_EQ(cell["input"].toString(), QString("2F"));
    EXPECT_EQ(cell["reference"].toString(), QString("22"));
    EXPECT_TRUE(cell["different"].toBool());
    EXPECT_EQ(cell["background"].toString(), QString("reference"));
    EXPECT_EQ(cellOf(5)["background"].toString(), QString("no-reference"));

    grid.OnModelMessage(CvxCompareKbArrowDownMessage());
    EXPECT_EQ(centreSample(), 1);
    grid.OnModelMessage(CvxCompareKbEndMessage());
    EXPECT_EQ(centreSample(), 5);
    grid.OnModelMessage(CvxCompareKbPageUpMessage()); // nine rows a page: as far as the first
    EXPECT_EQ(centreSample(), 0);

    // The vertical bar's thumb maps onto the time span.
    grid.ScrollTo(Qt::Vertical, CvxCompareDataViewport::kThumbRange);
    EXPECT_EQ(centreSample(), 5);
    EXPECT_EQ(grid.GetScrollRange(Qt::Vertical, 100).value, CvxCompareDataViewport::kThumbRange);
    grid.ScrollTo(Qt::Vertical, CvxCompareDataViewport::kThumbRange * 2 / 5);
    EXPECT_EQ(centreSample(), 2);

    // Painting draws the same rows into an image, with the pane's background around them.
    QImage image(grid.GetSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    grid.Paint(painter, grid.GetRect());
    painter.end();
    EXPECT_EQ(image.pixelColor(299, 0), CvxColor(m_model.GetProperties().GetBackgroundColor()));
}

// The quick trigger of an outline: one term per bus/signal at the outline's first row, signals
// as Low/High, four terms listed and " and ... " for more (whose patterns still count), the
// heading by whether every bus/signal can trigger, "<empty>" without terms; the tool tip adds
// begin, end and length.
TEST(CvxCompareQuickTrigger, TermsHeadingAndToolTip)
{
    CvxQtTestApp();
    CvxResetTestHost();
    CvxCompareModel model;
    std::vector<CvxTestBus> buses = {{u"S", 1, {0, 1, 1}}};
    for (const char16_t* name : {u"B1", u"B2", u"B3", u"B4", u"B5"}) {
        buses.emplace_back(name, 8, std::vector<std::int64_t>{0x0A, 0x3F, 0x10});
    }
    CvxGiveData(model, CvxMakeTestData(buses));
    std::vector<CvxCompareColumn> columns;
    for (const CvxTestBus& bus : buses) {
        columns.emplace_back(CvxLabelChannel(CvxTestLabel(bus.name)));
    }
    model.ReplaceColumns(columns);
    const CvxDataTable& table = model.GetInputData()->GetTable(0);
    const auto outline = [&](std::size_t count) {
        std::vector<const CvxCompareColumn*> chosen;
        for (std::size_t i = 0; i < count; ++i) {
            chosen.push_back(&model.GetColumns()[i]);
        }
        CvxCompareQuickTrigger quick;
        quick.Build(model, chosen, table.GetRowPosition(1), table.GetRowPosition(2));
        return quick;
    };

    const CvxCompareQuickTrigger two = outline(2);
    EXPECT_EQ(two.GetText(), u"Set Quick Trigger / Find = \nS = High and\nB1 = 3F");
    EXPECT_TRUE(two.IsTriggerAllowed());
    ASSERT_EQ(two.GetPatterns().size(), 2U);
    EXPECT_TRUE(two.GetPatterns()[1].Matches(CvxUInt(0x3F)));
    EXPECT_EQ(two.GetToolTip(), u"Begin sample = 1\nEnd sample = 2\nDelta sample = 1\n" + two.GetText());

    const CvxCompareQuickTrigger six = outline(6);
    EXPECT_EQ(six.GetText(), u"Set Quick Trigger / Find = \nS = High and\nB1 = 3F and\nB2 = 3F and\nB3 = 3F and ... ");
    EXPECT_EQ(six.GetPatterns().size(), 6U);

    const CvxCompareQuickTrigger none = outline(0);
    EXPECT_EQ(none.GetText(), u"Set Quick Find = <empty>");
    EXPECT_FALSE(none.IsTriggerAllowed());
    EXPECT_FALSE(none.IsFindAllowed());

    // A bus the host does not take as a trigger label: a find only.
    CvxStdCmdIFaceMgr::GetInstance().SetTriggerLabelQuery([](const CvxLabelChannel&) { return false; });
    const CvxCompareQuickTrigger findOnly = outline(1);
    CvxStdCmdIFaceMgr::GetInstance().SetTriggerLabelQuery({});
    EXPECT_EQ(findOnly.GetText(), u"Set Quick Find = \nS = High");
    EXPECT_FALSE(findOnly.IsTriggerAllowed());
    EXPECT_TRUE(findOnly.IsFindAllowed());
}

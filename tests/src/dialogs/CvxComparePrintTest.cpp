// Printing the Compare window: the page layout as tables (margins at several resolutions,
// field groups, the repeating-fields error), the page and span tokens in their forms, the
// "Options" page, and a real print to PDF read back with pdftotext.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxComparePrintCtrl.h"
#include "CvxComparePrintLayout.h"
#include "CvxComparePrintOptionsPage.h"
#include "CvxComparePrintSettings.h"
#include "CvxComparePrintTokens.h"
#include "CvxCompareView.h"
#include "CvxNumericEditCtrl.h"
#include "CvxPrintFramework.h"
#include "CvxPrintJob.h"
#include "CvxPrintMgr.h"
#include "CvxPrintSheet.h"
#include "CvxUiServices.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::u16string kTooWide =
    u"Total repeating fields cannot be wider than the available page minus the largest non-repeating field.";

struct MarginCase {
    const char* name;
    int dpiX;
    int dpiY;
    double left, right, top, bottom;
    QRect printable;
    QRect header;
    QRect footer;
    QRect data;
};

// A 1000 x 2000 unit page; bands 1/3 inch, no insets unless set.
const MarginCase kMarginCases[] = {
    {"defaults at 96 dpi", 96, 96, 0.5, 0.0, 0.0, 0.0, QRect(48, 0, 952, 2000), QRect(48, 0, 952, 32),
     QRect(48, 1968, 952, 32), QRect(173, 32, 827, 1936)},
    {"all four margins at 300 dpi", 300, 300, 0.5, 0.25, 0.1, 0.2, QRect(150, 30, 775, 1910), QRect(150, 30, 775, 100),
     QRect(150, 1840, 775, 100), QRect(275, 130, 650, 1710)},
    {"inches truncate to whole units, each axis at its own resolution", 600, 1200, 0.333, 0.0, 0.001, 0.0,
     QRect(199, 1, 801, 1999), QRect(199, 1, 801, 400), QRect(199, 1600, 801, 400), QRect(324, 401, 676, 1199)},
};

TEST(CvxComparePrintLayoutTest, PlacesMarginsBandsStripAndDataAtThePrintersResolution)
{
    for (const MarginCase& c : kMarginCases) {
        SCOPED_TRACE(c.name);
        CvxComparePrintSettings settings;
        settings.left = c.left;
        settings.right = c.right;
        settings.top = c.top;
        settings.bottom = c.bottom;
        CvxComparePrintLayout layout;
        std::u16string error;
        ASSERT_TRUE(layout.Compute(QRect(0, 0, 1000, 2000), c.dpiX, c.dpiY, settings, {{1.0, false}}, error));
        EXPECT_EQ(layout.GetPrintable(), c.printable);
        EXPECT_EQ(layout.GetHeader(), c.header);
        EXPECT_EQ(layout.GetFooter(), c.footer);
        EXPECT_EQ(layout.GetData(), c.data);
        EXPECT_EQ(layout.GetStrip().width(), CvxComparePrintLayout::kStripWidth);
        EXPECT_EQ(layout.GetStrip().left(), c.printable.left());
        EXPECT_EQ(layout.GetFieldWidth(0), c.dpiX);
    }
}

TEST(CvxComparePrintLayoutTest, InsetsNarrowTheBandsAndTheDataArea)
{
    CvxComparePrintSettings settings;
    settings.left = 0.0;
    settings.bandInset = 0.1;
    settings.dataInset = 0.2;
    CvxComparePrintLayout layout;
    std::u16string error;
    ASSERT_TRUE(layout.Compute(QRect(0, 0, 1000, 1000), 100, 100, settings, {{1.0, false}}, error));
    EXPECT_EQ(layout.GetHeader(), QRect(10, 0, 980, 33));
    EXPECT_EQ(layout.GetFooter(), QRect(10, 967, 980, 33));
    EXPECT_EQ(layout.GetData(), QRect(145, 33, 835, 934));
}

struct GroupCase {
    const char* name;
    std::vector<CvxComparePrintLayout::Field> fields; // inches at 100 dpi
    std::vector<std::vector<int>> groups;
    bool fails = false;
};

// No margins on a 1125-unit page: the data area is 1000 units (10 inches) beside the strip.
const GroupCase kGroupCases[] = {
    {"everything fits in one group", {{3, false}, {3, false}, {4, false}}, {{0, 1, 2}}},
    {"the field that overflows starts the next group", {{3, false}, {3, false}, {4.01, false}, {2, false}},
     {{0, 1}, {2, 3}}},
    {"repeating fields begin every group, in column order", {{3, false}, {2, true}, {4, false}, {5, false}},
     {{1, 0, 2}, {1, 3}}},
    {"a field wider than the page fails the check even without repeating fields", {{12, false}, {1, false}}, {}, true},
    {"repeating fields that leave exactly room for the widest other one", {{5, true}, {5, false}, {1, false}},
     {{0, 1}, {0, 2}}},
    {"repeating fields one unit too wide", {{5.01, true}, {5, false}}, {}, true},
    {"repeating fields wider than the page", {{11, true}, {0.5, false}}, {}, true},
};

TEST(CvxComparePrintLayoutTest, GroupsTheFieldsThatFitSideBySideOrRefusesTooWideRepeatingFields)
{
    CvxComparePrintSettings settings;
    settings.left = 0.0;
    for (const GroupCase& c : kGroupCases) {
        SCOPED_TRACE(c.name);
        CvxComparePrintLayout layout;
        std::u16string error;
        const bool laidOut = layout.Compute(QRect(0, 0, 1125, 1000), 100, 100, settings, c.fields, error);
        EXPECT_EQ(laidOut, !c.fails);
        EXPECT_EQ(error, c.fails ? kTooWide : std::u16string());
        EXPECT_EQ(layout.GetGroups(), c.groups);
        EXPECT_EQ(layout.GetGroupCount(), static_cast<int>(c.groups.size()));
    }
}

TEST(CvxComparePrintTokensTest, PageTokenIsTheBareNumberWithOneGroupElseRowAndColumn)
{
    const struct {
        int page, groups, group, pageInGroup;
        std::u16string text;
    } cases[] = {
        {1, 1, 0, 0, u"1"},
        {7, 1, 0, 6, u"7"},
        {1, 2, 0, 0, u"1  (row 1 - col 1)"},
        {5, 3, 1, 2, u"5  (row 2 - col 3)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CvxComparePrintTokens::PageText(c.page, c.groups, c.group, c.pageInGroup), c.text);
    }
}

TEST(CvxComparePrintTokensTest, SpanTokenInSampleAndTimeModes)
{
    const CvxID table = CvxID::New();
    const CvxPosition start(table, CvxTime::FromNs(-20), -2, 0);
    const CvxPosition end(table, CvxTime::FromUs(3), 300, 0);
    const CvxPosition endSub(table, CvxTime::FromUs(3), 300, 4);
    const struct {
        const char* name;
        int mode;
        CvxPosition from, to;
        std::u16string text;
    } cases[] = {
        {"samples with their sub-samples", 2, start, endSub, u"Samples -2.0 to 300.4"},
        {"times on sub-row 0", 1, start, end, u"Time -20 ns to 3 us"},
        {"any mode but 2 is time", 0, start, end, u"Time -20 ns to 3 us"},
        {"a sub-row at either end names both", 1, start, endSub, u"Time -20 ns (Subrow 0) to 3 us (Subrow 4)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CvxComparePrintTokens::SpanText(c.mode, c.from, c.to), c.text);
    }
}

TEST(CvxComparePrintJobTest, ReplacesEveryTokenAndLeavesOtherText)
{
    const std::map<std::u16string, std::u16string> tokens{{u"%Page%", u"3"}, {u"%Name%", u"Compare 1 %Page%"}};
    EXPECT_EQ(CvxPrintJob::ReplaceTokens(u"Page %Page% of %Name%, %Page%", tokens), u"Page 3 of Compare 1 %Page%, 3");
    EXPECT_EQ(CvxPrintJob::ReplaceTokens(u"%Unknown% 100%", tokens), u"%Unknown% 100%");
}

// A Compare window over a model with a reference and one known difference, and its print
// controller registered as the tool registers it.
class CvxComparePrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxPrintMgr::GetInstance().Reset();
        CvxUiServices::Install();
        m_ctrl = std::make_unique<CvxComparePrintCtrl>(Model(), CvxID::New());
        CvxPrintMgr::GetInstance().RegisterPrintController(m_ctrl.get());
        m_view = std::make_unique<CvxCompareView>();
        ASSERT_TRUE(m_view->Create(m_doc));
        m_view->resize(900, 400);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void TearDown() override
    {
        m_view.reset();
        CvxPrintMgr::GetInstance().UnRegisterPrintController(m_ctrl.get());
        m_ctrl.reset();
        CvxUiServices::Uninstall();
    }

    // `buses` 64-bit buses of `rows` rows; bus 0 differs from the reference at row 3.
    void Compare(int buses, int rows)
    {
        std::vector<CvxTestBus> reference;
        std::vector<CvxTestBus> input;
        std::vector<CvxLabelChannel> labels;
        for (int b = 0; b < buses; ++b) {
            std::vector<std::int64_t> values;
            for (int r = 0; r < rows; ++r) {
                values.push_back(0x1111 * (r + 1) + b);
            }
            const std::u16string name = u"BUS" + std::u16string(1, static_cast<char16_t>(u'A' + b));
            reference.emplace_back(name, 64, values);
            values[3] = b == 0 ? 0xBEEF : values[3];
            input.emplace_back(name, 64, values);
        }
        // The host offers the tool every bus; the model makes its columns from them.
        CvxSystemMgr::GetInstance().SetLabelProvider([buses](const CvxID&) {
            std::vector<CvxID> offered;
            for (int b = 0; b < buses; ++b) {
                offered.push_back(CvxTestLabel(u"BUS" + std::u16string(1, static_cast<char16_t>(u'A' + b))));
            }
            return offered;
        });
        CvxGiveData(Model(), CvxMakeTestData(reference));
        for (const CvxID& label : CvxSystemMgr::GetInstance().GetLabelsForTool(CvxID())) {
            labels.emplace_back(label);
        }
        Model().CopyReference(labels, CvxCompareRange());
        CvxGiveData(Model(), CvxMakeTestData(input), 2);
        ASSERT_EQ(Model().GetResults().GetDifferences(), 1);
        QCoreApplication::processEvents();
    }

    // The PDF's text, page by page (pdftotext separates pages by form feeds).
    QStringList PdfPages(const QString& path)
    {
        QProcess process;
        process.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0);
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
        while (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
            pages.removeLast();
        }
        return pages;
    }

    CvxCompareModel& Model() { return m_doc.GetModel(); }

    CvxCompareDoc m_doc;
    std::unique_ptr<CvxComparePrintCtrl> m_ctrl;
    std::unique_ptr<CvxCompareView> m_view;
};

} // namespace

TEST_F(CvxComparePrintWindowTest, PrintsToPdfWithTokensColumnsAndTheDifferingValue)
{
    Compare(2, 8);
    m_ctrl->SetText(26, u"Report of %Name%");
    m_ctrl->SetText(28, u"printed %Date%");
    m_ctrl->SetText(29, u"%Span%");
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QString error;
    int pages = 0;
    ASSERT_TRUE(CvxPrintFramework::WritePdf(*m_ctrl, path, error, &pages)) << error.toStdString();
    EXPECT_EQ(pages, 1);
    const QStringList text = PdfPages(path);
    ASSERT_EQ(text.size(), 1);
    EXPECT_FALSE(text[0].contains("%Name%"));
    EXPECT_TRUE(text[0].contains("Report of")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("printed ")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("Time 0 s to 70 ns")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("Page 1")) << text[0].toStdString();
    EXPECT_FALSE(text[0].contains("(row")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("BUSA")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("BUSB")) << text[0].toStdString();
    // Row 3: the input's value that differs, and the strip's sample number and time of it.
    EXPECT_TRUE(text[0].contains("BEEF")) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains("30 ns")) << text[0].toStdString();
}

TEST_F(CvxComparePrintWindowTest, ValuesInTheGridsWhiteTextPrintDarkOnThePaper)
{
    Compare(1, 8);
    // The differing characters in a light colour: dark pixels are then only plain values.
    CvxCompareProperties properties = Model().GetProperties();
    properties.SetDiffForegroundColor(0x0000FFFF);
    Model().SetProperties(properties);
    // White, as the buses/signals of a capture file come.
    std::vector<CvxCompareColumn> columns = Model().GetColumns();
    columns.front().SetColor(0x00FFFFFF);
    Model().ReplaceColumns(columns);
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    std::u16string error;
    ASSERT_TRUE(m_ctrl->PrepareAt(page.rect(), 100, 100, false, error));
    {
        QPainter painter(&page);
        m_ctrl->PrintPage(painter, 1);
    }
    m_ctrl->EndJob();
    // Below the bus/signal names, beside the strip: only the values can be dark there.
    const QRect data = m_ctrl->GetLayout().GetData();
    int dark = 0;
    for (int y = data.top() + 40; y < data.top() + 200; ++y) {
        for (int x = data.left(); x < data.right(); ++x) {
            dark += qGray(page.pixel(x, y)) < 96 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 100);
}

TEST_F(CvxComparePrintWindowTest, ManyColumnsPrintInFieldGroupsWithRowAndColumnPageNumbers)
{
    Compare(10, 8);
    std::u16string error;
    ASSERT_TRUE(m_ctrl->PrepareAt(QRect(0, 0, 794, 1123), 96, 96, false, error));
    const int groups = m_ctrl->GetLayout().GetGroupCount();
    ASSERT_GE(groups, 2);
    m_ctrl->EndJob();

    QTemporaryDir dir;
    const QString path = dir.filePath("wide.pdf");
    QString failure;
    int pages = 0;
    ASSERT_TRUE(CvxPrintFramework::WritePdf(*m_ctrl, path, failure, &pages)) << failure.toStdString();
    EXPECT_EQ(pages, groups); // 8 rows fit on one page per group
    const QStringList text = PdfPages(path);
    ASSERT_EQ(text.size(), groups);
    for (int g = 0; g < groups; ++g) {
        // pdftotext may read the two spaces before the parenthesis as one.
        const QRegularExpression page(QString("Page %1 +\\(row %1 - col 1\\)").arg(g + 1));
        EXPECT_TRUE(text[g].contains(page)) << text[g].toStdString();
    }
    EXPECT_TRUE(text[0].contains("BUSA"));
    EXPECT_FALSE(text[0].contains("BUSJ"));
    EXPECT_TRUE(text[groups - 1].contains("BUSJ"));
}

TEST_F(CvxComparePrintWindowTest, RowsRunOnOverPagesAndTheInformationBlockFollowsTheEveryPageFlag)
{
    Compare(1, 200);
    QTemporaryDir dir;
    for (const bool everyPage : {false, true}) {
        SCOPED_TRACE(everyPage);
        m_ctrl->GetSettings().everyPage = everyPage;
        const QString path = dir.filePath(everyPage ? "every.pdf" : "first.pdf");
        QString error;
        int pages = 0;
        ASSERT_TRUE(CvxPrintFramework::WritePdf(*m_ctrl, path, error, &pages)) << error.toStdString();
        ASSERT_GE(pages, 2);
        const QStringList text = PdfPages(path);
        ASSERT_EQ(text.size(), pages);
        EXPECT_TRUE(text[0].contains("BUSA"));
        for (int p = 1; p < pages; ++p) {
            EXPECT_EQ(text[p].contains("BUSA"), everyPage) << p;
        }
        // The last row of the data is printed on the last page.
        EXPECT_TRUE(text.back().contains("1.99 us")) << text.back().toStdString();
    }
}

TEST_F(CvxComparePrintWindowTest, ATooWideLayoutPrintsNothingAndSaysWhy)
{
    // A left margin that leaves no room beside the strip: not even the one field fits.
    Compare(1, 8);
    CvxComparePrintSettings& settings = m_ctrl->GetSettings();
    settings.left = 7.5; // of an A4 page 8.27 inches wide
    QTemporaryDir dir;
    const QString path = dir.filePath("none.pdf");
    QString error;
    ASSERT_FALSE(CvxPrintFramework::WritePdf(*m_ctrl, path, error));
    EXPECT_EQ(error.toStdU16String(), kTooWide);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(CvxComparePrintWindowTest, ThePrintRangeIsTheOutlineWhenTheSelectionIsPrinted)
{
    Compare(1, 8);
    std::u16string error;
    ASSERT_TRUE(m_ctrl->PrepareAt(QRect(0, 0, 794, 1123), 96, 96, true, error));
    EXPECT_EQ(m_ctrl->GetRangeStart().AsSample(), 0);
    EXPECT_EQ(m_ctrl->GetRangeEnd().AsSample(), 7);
    EXPECT_FALSE(m_ctrl->HasSelection());
    const CvxPosition five = Model().GetInputData()->GetTable(0).GetRowPosition(5);
    const CvxPosition two = Model().GetInputData()->GetTable(0).GetRowPosition(2);
    m_view->GetGrid()->GetGrid().SetOutline(five, two);
    EXPECT_TRUE(m_ctrl->HasSelection());
    ASSERT_TRUE(m_ctrl->PrepareAt(QRect(0, 0, 794, 1123), 96, 96, true, error));
    EXPECT_EQ(m_ctrl->GetRangeStart().AsSample(), 2);
    EXPECT_EQ(m_ctrl->GetRangeEnd().AsSample(), 5);
    EXPECT_EQ(m_ctrl->GetTokens().at(u"%Span%"), u"Time 20 ns to 50 ns");
    ASSERT_TRUE(m_ctrl->PrepareAt(QRect(0, 0, 794, 1123), 96, 96, false, error));
    EXPECT_EQ(m_ctrl->GetRangeStart().AsSample(), 0);
    m_ctrl->EndJob();
}

TEST_F(CvxComparePrintWindowTest, OptionsPageShowsTheSettingsWithTwoDecimalsAndAppliesThem)
{
    CvxPrintSheet sheet;
    m_ctrl->AddOptionPages(sheet);
    ASSERT_EQ(sheet.GetPages().size(), 1);
    CvxPrintOptionsPage* page = sheet.GetPages().front();
    EXPECT_EQ(page->objectName(), QString("3420"));
    EXPECT_EQ(page->windowTitle(), QString("Options"));
    auto edit = [&page](const char* id) { return page->findChild<CvxNumericEditCtrl*>(id)->GetEdit(); };
    EXPECT_EQ(edit("19479")->text(), QString("0.50"));
    EXPECT_EQ(edit("19482")->text(), QString("0.00"));
    auto* every = page->findChild<QCheckBox*>("19444");
    ASSERT_NE(every, nullptr);
    EXPECT_EQ(every->text(), QString("Display bus/signal information on every page"));
    EXPECT_FALSE(every->isChecked());

    every->setChecked(true);
    edit("19479")->setText("1");
    edit("19482")->setText("0.255");
    edit("19480")->setText("inch");
    edit("19481")->setText("2.5");
    sheet.Apply();
    const CvxComparePrintSettings& settings = m_ctrl->GetSettings();
    EXPECT_TRUE(settings.everyPage);
    EXPECT_DOUBLE_EQ(settings.left, 1.0);
    EXPECT_DOUBLE_EQ(settings.right, 0.255);
    EXPECT_DOUBLE_EQ(settings.top, 0.0);
    EXPECT_DOUBLE_EQ(settings.bottom, 2.5);
    m_ctrl->RemoveOptionPages(sheet);
    EXPECT_TRUE(sheet.GetPages().isEmpty());

    // Made anew the next time: the margin typed as 1 shows with two decimals.
    m_ctrl->AddOptionPages(sheet);
    page = sheet.GetPages().front();
    EXPECT_EQ(edit("19479")->text(), QString("1.00"));
    EXPECT_EQ(edit("19482")->text(), QString("0.26"));
    EXPECT_TRUE(page->findChild<QCheckBox*>("19444")->isChecked());
    m_ctrl->RemoveOptionPages(sheet);
}

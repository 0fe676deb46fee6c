// The column header: its hot spots and Find Bus/Signal's search as tables, the lines and
// texts it paints as its description shows them, and the real header under mouse and keys:
// resizing and moving columns (one undoable command each, Esc leaving everything as it was),
// auto-size, delete, the menus' enabling, copy and paste between two windows, and the trigger
// fields.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareColumnWidth.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareDataView.h"
#include "CvxCompareDoc.h"
#include "CvxCompareHeaderCommands.h"
#include "CvxCompareHeaderController.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareHeaderViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareTriggerField.h"
#include "CvxLabelSelectionDlg.h"
#include "CvxCompareView.h"
#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxSystemMgr.h"
#include "CvxUiServices.h"

#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Menu = CvxCompareContextMenu;
using Spots = CvxCompareHeaderHotSpots;

} // namespace

TEST(CvxCompareHeaderHotSpots, PartsCombineAndTheResizeZoneWinsOverTheNextCell)
{
    const CvxID a = CvxID::New();
    const CvxID b = CvxID::New();
    Spots spots;
    spots.Add(a, Spots::kCell, QRect(0, 0, 100, 40));
    spots.Add(a, Spots::kName, QRect(30, 0, 40, 20));
    spots.Add(a, Spots::kResize, QRect(95, 0, 11, 40));
    spots.Add(b, Spots::kCell, QRect(100, 0, 80, 40));
    spots.Add(b, Spots::kResize, QRect(175, 0, 11, 40));

    EXPECT_EQ(spots.Test(QPoint(40, 10), a), Spots::kCell | Spots::kName);
    EXPECT_EQ(spots.Test(QPoint(40, 30), a), Spots::kCell);
    EXPECT_EQ(spots.Test(QPoint(97, 30), a), Spots::kCell | Spots::kResize);
    EXPECT_EQ(spots.Test(QPoint(40, 10), b), 0);
    EXPECT_EQ(spots.GetRect(a, Spots::kName), QRect(30, 0, 40, 20));
    EXPECT_TRUE(spots.GetRect(b, Spots::kName).isEmpty());

    CvxID at;
    ASSERT_TRUE(spots.ColumnAt(QPoint(103, 5), at)); // in b's cell, but on a's right edge
    EXPECT_EQ(at, a);
    ASSERT_TRUE(spots.ColumnAt(QPoint(120, 5), at));
    EXPECT_EQ(at, b);
    ASSERT_TRUE(spots.ColumnAt(QPoint(183, 5), at)); // just past the last column: still its edge
    EXPECT_EQ(at, b);
    EXPECT_FALSE(spots.ColumnAt(QPoint(190, 5), at));
}

TEST(CvxCompareHeaderCommands, FindNameMatchesTheBeginningIgnoringCaseAndWraps)
{
    const std::vector<QString> names = {"ADDR", "DATA", "CLK", "Data_Bus"};
    struct Case {
        QString text;
        int from;
        int direction;
        int found;
    };
    for (const Case& c : {Case{"da", 0, 1, 1}, Case{"da", 1, 1, 3}, Case{"da", 3, 1, 1}, // wraps forwards
                          Case{"da", 0, -1, 3},                                           // backwards from the first
                          Case{"da", 0, 0, 1}, Case{"ADDR", 0, 1, 0},                     // a whole pass ends at the start
                          Case{"addr", 2, -1, 0}, Case{"x", 0, 1, -1}, Case{"", 0, 1, -1},
                          Case{"DATA_BUS_LONGER", 0, 1, -1}}) {
        EXPECT_EQ(CvxCompareHeaderCommands::FindName(names, c.text, c.from, c.direction), c.found)
            << c.text.toStdString() << " from " << c.from << " direction " << c.direction;
    }
    EXPECT_EQ(CvxCompareHeaderCommands::FindName({}, "da", 0, 1), -1);
}

namespace {

class CvxCompareHeaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxUiServices::Install();
        m_view = MakeWindow(m_doc);
    }
    void TearDown() override
    {
        m_view.reset();
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxUiServices::Uninstall();
    }

    static std::unique_ptr<CvxCompareView> MakeWindow(CvxCompareDoc& doc)
    {
        auto view = std::make_unique<CvxCompareView>();
        EXPECT_TRUE(view->Create(doc));
        view->resize(700, 400);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view;
    }

    // Four 8-bit buses A, B, C, D, one column each, 100 pixels wide.
    void GiveColumns()
    {
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2}}, {u"B", 8, {3, 4}}, {u"C", 8, {5, 6}}, {u"D", 8, {7, 8}}}));
        std::vector<CvxCompareColumn> columns;
        for (const char16_t* name : {u"A", u"B", u"C", u"D"}) {
            columns.emplace_back(CvxLabelChannel(CvxTestLabel(name)));
            columns.back().SetWidth(100);
        }
        Model().ReplaceColumns(columns);
        CvxCompareColumnsChangedMessage changed;
        Model().Broadcast(changed);
        Header().repaint();
    }

    CvxCompareModel& Model() { return m_doc.GetModel(); }
    CvxCompareHeaderView& Header() { return *m_view->GetHeader(); }
    std::vector<QString> Names()
    {
        std::vector<QString> names;
        for (const CvxCompareColumn& column : Model().GetColumns()) {
            names.push_back(CvxCompareHeaderViewport::NameText(column));
        }
        return names;
    }
    QJsonArray Cells() { return Header().GetHeader().Describe()["cells"].toArray(); }
    QPoint CellPoint(int column) { return QPoint(column * 100 + 50, Header().height() - 4); }

    CvxCompareDoc m_doc;
    std::unique_ptr<CvxCompareView> m_view;
};

} // namespace

TEST_F(CvxCompareHeaderTest, LinesAndTextsFollowTheDisplayOptions)
{
    GiveColumns();
    CvxCompareProperties properties = Model().GetProperties();
    properties.SetBaseDisplayed(false);
    properties.SetTriggerDisplayed(false);
    Model().RequestProperties(properties);
    const int oneLine = Header().height();
    EXPECT_EQ(Header().GetHeader().GetLineCount(), 1);
    EXPECT_EQ(oneLine, Model().GetProperties().GetHeaderRowHeight());

    properties.SetBaseDisplayed(true);
    properties.SetTriggerDisplayed(true);
    Model().RequestProperties(properties);
    EXPECT_EQ(Header().GetHeader().GetLineCount(), 3);
    EXPECT_EQ(Header().height(), 3 * oneLine);

    // A marker-relative base names its marker, or "?" once the marker is gone.
    CvxCompareColumn relative = Model().GetColumns()[1];
    CvxMarker* marker = Model().GetMarkerMgr().AddUserMarker(CvxPosition());
    ASSERT_NE(marker, nullptr);
    relative.SetBase(CvxBase(kBaseTimeRelative));
    relative.SetMarkerID(marker->GetID());
    Model().ReplaceColumnRecords({relative});
    Header().repaint();
    const QJsonArray cells = Cells();
    ASSERT_EQ(cells.size(), 4);
    EXPECT_EQ(cells[0].toObject()["name"].toString(), QString("A"));
    EXPECT_EQ(cells[0].toObject()["base"].toString(), QString("Hex"));
    EXPECT_EQ(cells[1].toObject()["base"].toString(), QString("Time Relative [%1]").arg(CvxQt(marker->GetAbbreviatedName())));
    Model().GetMarkerMgr().DeleteMarker(marker->GetID());
    EXPECT_EQ(Cells()[1].toObject()["base"].toString(), QString("Time Relative [?]"));

    // Hot spots of the painted columns: name, cell and resize zone of each.
    Header().repaint();
    const Spots& spots = Header().GetHeader().GetHotSpots();
    const CvxID a = Model().GetColumns()[0].GetID();
    EXPECT_EQ(spots.GetRect(a, Spots::kCell), QRect(0, 0, 100, 3 * oneLine));
    EXPECT_EQ(spots.GetRect(a, Spots::kResize), QRect(95, 0, 11, 3 * oneLine));
    EXPECT_FALSE(spots.GetRect(a, Spots::kBase).isEmpty());
}

TEST_F(CvxCompareHeaderTest, ResizingCommitsOneWidthCommandAndEscLeavesTheWidth)
{
    GiveColumns();
    const CvxID a = Model().GetColumns()[0].GetID();
    const std::size_t history = Model().GetHistorySize();
    const int y = Header().height() / 2;
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(99, y));
    EXPECT_EQ(Header().GetHeaderController().GetDragMode(), CvxCompareHeaderController::kResizing);
    QTest::mouseMove(&Header(), QPoint(130, y));
    QTest::mouseMove(&Header(), QPoint(159, y));
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 160);
    EXPECT_EQ(Model().GetHistorySize(), history); // nothing recorded while dragging
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(159, y));
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 160);
    EXPECT_EQ(Model().GetColumns()[1].GetLeft(), 160);
    EXPECT_EQ(Model().GetHistorySize(), history + 1);
    Model().Undo();
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 100);

    // Dragged left past its own left edge, a column ends 10 pixels wide.
    Header().repaint();
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(99, y));
    QTest::mouseMove(&Header(), QPoint(-40, y));
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(-40, y));
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 10);
    Model().Undo();

    // Esc ends a resize with the width it had.
    Header().repaint();
    Header().setFocus();
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(99, y));
    QTest::mouseMove(&Header(), QPoint(180, y));
    QTest::keyClick(&Header(), Qt::Key_Escape);
    EXPECT_EQ(Header().GetHeaderController().GetDragMode(), CvxCompareHeaderController::kNone);
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 100);
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(180, y));
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), 100);
    EXPECT_EQ(Model().GetHistorySize(), history);

    // A double click on the edge sizes the column to what it shows.
    Header().repaint();
    QTest::mouseDClick(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(99, y));
    EXPECT_EQ(Model().FindColumn(a)->GetWidth(), CvxCompareColumnWidth::Measure(Model(), *Model().FindColumn(a)));
    EXPECT_EQ(Model().GetHistorySize(), history + 1);
}

TEST_F(CvxCompareHeaderTest, MovingSelectedColumnsKeepsTheirOrderAndUndoRestoresIt)
{
    GiveColumns();
    // A and C selected (Ctrl), dragged past the middle of D: B D A C.
    QTest::mouseClick(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(0));
    QTest::mouseClick(&Header(), Qt::LeftButton, Qt::ControlModifier, CellPoint(2));
    ASSERT_EQ(Model().GetSelectedColumns().size(), 2U);
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(2));
    QTest::mouseMove(&Header(), CellPoint(2) + QPoint(10, 0));
    EXPECT_EQ(Header().GetHeaderController().GetDragMode(), CvxCompareHeaderController::kMoving);
    ASSERT_NE(Header().GetHeaderController().GetDragImage(), nullptr);
    EXPECT_EQ(Header().GetHeaderController().GetDragImage()->toolTip(), QString("A, ..."));
    QTest::mouseMove(&Header(), CellPoint(3) + QPoint(20, 0));
    EXPECT_EQ(Header().GetHeaderController().GetDropIndex(), 4);
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(3) + QPoint(20, 0));
    EXPECT_EQ(Names(), (std::vector<QString>{"B", "D", "A", "C"}));
    EXPECT_EQ(Header().GetHeaderController().GetDragImage(), nullptr);
    Model().Undo();
    EXPECT_EQ(Names(), (std::vector<QString>{"A", "B", "C", "D"}));

    // Dropped where the columns already are, nothing moves and nothing is recorded.
    Header().repaint();
    const std::size_t history = Model().GetHistorySize();
    QTest::mouseClick(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(1));
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(1));
    QTest::mouseMove(&Header(), CellPoint(1) + QPoint(30, 0));
    EXPECT_EQ(Header().GetHeaderController().GetDropIndex(), -1);
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(1) + QPoint(30, 0));
    EXPECT_EQ(Model().GetHistorySize(), history);

    // Esc during a move drops nothing.
    Header().setFocus();
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(0));
    QTest::mouseMove(&Header(), CellPoint(3));
    QTest::keyClick(&Header(), Qt::Key_Escape);
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(3));
    EXPECT_EQ(Names(), (std::vector<QString>{"A", "B", "C", "D"}));
}

TEST_F(CvxCompareHeaderTest, DraggingPastTheEdgeScrollsTheColumns)
{
    GiveColumns();
    for (const CvxCompareColumn& column : Model().GetColumns()) {
        Model().SetColumnWidth(column.GetID(), 300); // 1200 pixels in a narrower pane
    }
    Header().repaint();
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, CellPoint(0));
    QTest::mouseMove(&Header(), QPoint(Header().width() + 40, 5));
    EXPECT_TRUE(Header().GetHeaderController().IsAutoScrolling());
    QTest::qWait(600);
    EXPECT_GT(Header().GetHorizontalOrigin(), 0);
    EXPECT_EQ(m_view->GetGrid()->GetHorizontalOrigin(), Header().GetHorizontalOrigin());
    QTest::mouseMove(&Header(), QPoint(Header().width() / 2, 5));
    EXPECT_FALSE(Header().GetHeaderController().IsAutoScrolling());
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(Header().width() / 2, 5));
}

TEST_F(CvxCompareHeaderTest, KeysAndMenusDeleteSelectAndFollowTheirEnablingRules)
{
    // Without data the outside menu offers no insert.
    Header().GetHeaderController().ShowContextMenu(QPoint(600, 5));
    ASSERT_NE(Header().GetMenu(), nullptr);
    EXPECT_EQ(Header().GetMenu()->objectName(), QString("OutsideHeader"));
    EXPECT_FALSE(Header().GetMenu()->findChild<QAction*>("35405")->isEnabled());
    Header().GetMenu()->close();

    GiveColumns();
    Header().setFocus();
    QTest::keyClick(&Header(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Model().GetSelectedColumns().size(), 4U);
    QTest::keyClick(&Header(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(Model().GetSelectedColumns().empty());

    // Outside the columns: Delete Column only when columns were selected before the click,
    // which cleared the selection; it deletes those columns.
    Header().GetHeaderController().ShowContextMenu(QPoint(600, 5));
    EXPECT_FALSE(Header().GetMenu()->findChild<QAction*>("35406")->isEnabled());
    Header().GetMenu()->close();
    Model().SetColumnSelection({Model().GetColumns()[1].GetID()});
    Header().GetHeaderController().ShowContextMenu(QPoint(600, 5));
    EXPECT_TRUE(Model().GetSelectedColumns().empty());
    EXPECT_TRUE(Header().GetMenu()->findChild<QAction*>("35405")->isEnabled());
    EXPECT_TRUE(Header().GetMenu()->findChild<QAction*>("35407")->isEnabled()); // the window page
    ASSERT_TRUE(Header().GetMenu()->findChild<QAction*>("35406")->isEnabled());
    Header().GetMenu()->findChild<QAction*>("35406")->trigger();
    Header().GetMenu()->close();
    EXPECT_EQ(Names(), (std::vector<QString>{"A", "C", "D"}));
    ASSERT_TRUE(Model().Undo());

    // On a column it becomes the only selection; Rename needs one bus/signal.
    Model().SetColumnSelection({Model().GetColumns()[0].GetID(), Model().GetColumns()[3].GetID()});
    Header().GetHeaderController().ShowContextMenu(CellPoint(1));
    QMenu* menu = Header().GetMenu();
    EXPECT_EQ(menu->objectName(), QString("InsideHeader"));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[1].GetID()});
    EXPECT_TRUE(menu->findChild<QAction*>("35403")->isEnabled());
    EXPECT_TRUE(menu->findChild<QAction*>("35406")->isEnabled());
    EXPECT_FALSE(menu->findChild<QAction*>("35404")->isEnabled()); // nothing to undo yet
    EXPECT_FALSE(menu->findChild<QAction*>("35451")->isChecked());
    menu->close();
    Header().GetHeaderController().ShowContextMenu(CellPoint(2));
    Model().SetColumnSelection({Model().GetColumns()[0].GetID(), Model().GetColumns()[3].GetID()});
    Header().GetHeaderController().ShowContextMenu(CellPoint(0)); // already selected: the selection stays
    EXPECT_EQ(Model().GetSelectedColumns().size(), 2U);
    EXPECT_FALSE(Header().GetMenu()->findChild<QAction*>("35403")->isEnabled());
    Header().GetMenu()->close();

    // Delete removes every selected column as one command.
    const std::size_t history = Model().GetHistorySize();
    QTest::keyClick(&Header(), Qt::Key_Delete);
    EXPECT_EQ(Names(), (std::vector<QString>{"B", "C"}));
    EXPECT_EQ(Model().GetHistorySize(), history + 1);
    Model().Undo();
    EXPECT_EQ(Names(), (std::vector<QString>{"A", "B", "C", "D"}));
}

TEST_F(CvxCompareHeaderTest, FindBusSignalSelectsTheNextMatchAndCopiedColumnsPasteIntoAnotherWindow)
{
    GiveColumns();
    Model().SetColumnSelection({Model().GetColumns()[2].GetID()});
    ASSERT_TRUE(CvxCompareHeaderCommands::FindColumn(Model(), "a", -1, 0));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[0].GetID()});
    EXPECT_FALSE(CvxCompareHeaderCommands::FindColumn(Model(), "x", 1, 0));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[0].GetID()});

    // Copy B and D here, paste them into a second window.
    Model().SetColumnSelection({Model().GetColumns()[1].GetID(), Model().GetColumns()[3].GetID()});
    CvxCompareCopyMessage copy;
    Model().Broadcast(copy);
    CvxCompareDoc other;
    std::unique_ptr<CvxCompareView> second = MakeWindow(other);
    ASSERT_TRUE(second->GetHeader()->GetCommands().PasteColumns());
    std::vector<QString> pasted;
    for (const CvxCompareColumn& column : other.GetModel().GetColumns()) {
        pasted.push_back(CvxCompareHeaderViewport::NameText(column));
    }
    EXPECT_EQ(std::vector<QString>(pasted.end() - 2, pasted.end()), (std::vector<QString>{"B", "D"}));
    EXPECT_EQ(other.GetModel().GetColumns().back().GetWidth(), 100);
}

TEST_F(CvxCompareHeaderTest, TriggerFieldsEditTheAnalyzersTriggerOrOfferTheTriggerMenu)
{
    CvxPatternModel trigger;
    bool hasTrigger = false;
    bool simple = true;
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    ifaces.SetSimpleTriggerQuery([&] { return simple; });
    ifaces.SetSimpleTriggerGetter([&](CvxPatternModel& pattern) {
        pattern = trigger;
        return hasTrigger;
    });
    ifaces.SetTriggerSetter([&](const std::vector<CvxPatternModel>& patterns, std::string& error) {
        if (patterns.size() != 1 || patterns.front().GetCareBits() == 0) {
            error = "nothing to trigger on";
            return false;
        }
        trigger = patterns.front();
        hasTrigger = true;
        return true;
    });
    GiveColumns();
    CvxCompareProperties properties = Model().GetProperties();
    properties.SetTriggerDisplayed(true);
    Model().RequestProperties(properties);
    Header().repaint();
    QJsonArray cells = Cells();
    EXPECT_EQ(cells[0].toObject()["triggerKind"].toString(), QString("bus"));
    EXPECT_EQ(cells[0].toObject()["trigger"].toString(), QString("XX"));

    auto* edit = qobject_cast<QLineEdit*>(Header().GetTriggerControl(Model().GetColumns()[1].GetID()));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), QString("Trigger:B"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "3X");
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(hasTrigger);
    EXPECT_EQ(trigger.GetLabel(), Model().GetColumns()[1].GetLabel());
    EXPECT_EQ(trigger.GetCareBits(), 0xF0U);
    EXPECT_EQ(trigger.GetValueBits(), 0x30U);
    Header().setFocus();
    Header().repaint();
    EXPECT_EQ(Cells()[1].toObject()["trigger"].toString(), QString("3X"));
    EXPECT_EQ(Cells()[0].toObject()["trigger"].toString(), QString("XX"));

    // When the analyzer's trigger is not a simple one, each field opens the trigger menu.
    simple = false;
    Header().GetHeader().Invalidate();
    Header().repaint();
    EXPECT_EQ(Cells()[0].toObject()["trigger"].toString(), QString("Click here for trigger menu"));
    EXPECT_EQ(Header().GetTriggerControl(Model().GetColumns()[1].GetID()), nullptr);
    const QRect field = Header().GetHeader().GetHotSpots().GetRect(Model().GetColumns()[0].GetID(), Spots::kTriggerMenu);
    ASSERT_FALSE(field.isEmpty());
    QTest::mouseClick(&Header(), Qt::LeftButton, Qt::NoModifier, field.center());
    ASSERT_NE(Header().GetMenu(), nullptr);
    EXPECT_EQ(Header().GetMenu()->objectName(), QString("Trigger Menu"));
    EXPECT_NE(Header().GetMenu()->findChild<QAction*>("35448"), nullptr);
    EXPECT_NE(Header().GetMenu()->findChild<QAction*>("35447"), nullptr);
    Header().GetMenu()->close();
}

TEST_F(CvxCompareHeaderTest, TheTriggerLineAndTheMeasuredWidthFollowWhatTheHeaderShows)
{
    CvxGiveData(Model(), CvxMakeTestData({{u"A_BUS_WITH_A_LONG_NAME", 8, {1, 2}}, {u"S", 1, {0, 1}}}));
    const CvxCompareColumn bus(CvxLabelChannel(CvxTestLabel(u"A_BUS_WITH_A_LONG_NAME")));
    const CvxCompareColumn signal(CvxLabelChannel(CvxTestLabel(u"S")));
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    bool simple = true;
    bool valid = true;
    ifaces.SetSimpleTriggerQuery([&] { return simple; });
    ifaces.SetTriggerLabelQuery([&](const CvxLabelChannel&) { return valid; });
    using Field = CvxCompareTriggerField;
    struct Case {
        bool shown, simple, valid;
        Field::Kind bus, signal;
    };
    for (const Case& c : {Case{false, true, true, Field::kNone, Field::kNone}, Case{true, true, true, Field::kBus, Field::kSignal},
                          Case{true, true, false, Field::kNone, Field::kNone}, Case{true, false, true, Field::kMenu, Field::kMenu},
                          Case{true, false, false, Field::kMenu, Field::kMenu}}) {
        simple = c.simple;
        valid = c.valid;
        EXPECT_EQ(Field::KindOf(bus, c.shown), c.bus) << c.shown << c.simple << c.valid;
        EXPECT_EQ(Field::KindOf(signal, c.shown), c.signal) << c.shown << c.simple << c.valid;
    }
    EXPECT_EQ(CvxQt(Field::PatternOf(bus).GetText()), QString("XX"));
    EXPECT_EQ(Field::LevelText(Field::PatternOf(signal)), QString("X"));

    // Each shown line can widen the column: the indicator, a marker-relative base, the
    // trigger field; and nothing is narrower than 10.
    valid = false;
    CvxCompareProperties properties = Model().GetProperties();
    properties.SetBaseDisplayed(false);
    properties.SetTriggerDisplayed(false);
    properties.SetActivityIndicatorDisplayed(false);
    Model().SetProperties(properties);
    CvxCompareColumn relative = bus;
    relative.SetBase(CvxBase(kBaseTimeRelative));
    relative.SetActivityIndicatorSupported(true);
    const int plain = CvxCompareColumnWidth::Measure(Model(), relative);
    EXPECT_GE(plain, CvxCompareColumn::kMinWidth);
    properties.SetActivityIndicatorDisplayed(true);
    Model().SetProperties(properties);
    const int withIndicator = CvxCompareColumnWidth::Measure(Model(), relative);
    properties.SetBaseDisplayed(true);
    Model().SetProperties(properties);
    const int withBase = CvxCompareColumnWidth::Measure(Model(), relative);
    const QFontMetrics label(Header().GetHeader().LabelFont());
    EXPECT_GE(withBase, label.horizontalAdvance("Time Relative [M1]"));
    valid = true;
    properties.SetTriggerDisplayed(true);
    Model().SetProperties(properties);
    CvxCompareColumn wide(CvxLabelChannel(CvxTestLabel(u"A_BUS_WITH_A_LONG_NAME")));
    const int beforeTrigger = CvxCompareColumnWidth::Measure(Model(), wide);
    EXPECT_GE(beforeTrigger, Field::Width(Field::kBus, Field::PatternOf(wide), label));
    EXPECT_GT(withIndicator, plain);
    EXPECT_GE(withBase, withIndicator);
}

namespace {

// The plug-in that made the test's labels: renames them.
class CvxRenamingCreator : public CvxStdToolCmdIFace {
public:
    explicit CvxRenamingCreator(const CvxID& id) : m_id(id) {}
    CvxID GetInstanceID() const override { return m_id; }
    bool CanRenameLabel(const CvxID&) const override { return true; }
    int RenameLabel(const CvxID& label, const std::u16string& name) override
    {
        CvxLabelMgr::GetInstance().IDToLabel(label)->SetName(name);
        return kRenameDone;
    }

private:
    CvxID m_id;
};

// Answers the next modal dialog: lets `fill` work on it, then accepts it.
void AnswerNextDialog(std::function<void(QDialog&)> fill)
{
    QTimer::singleShot(50, [fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(*dialog);
        dialog->accept();
    });
}

} // namespace

TEST_F(CvxCompareHeaderTest, RenameAndInsertGoThroughTheHostDialogs)
{
    GiveColumns();
    CvxLabelBase* b = CvxLabelMgr::GetInstance().IDToLabel(CvxTestLabel(u"B"));
    const CvxID creator = CvxID::New();
    b->SetCreatorInstanceID(creator);
    CvxRenamingCreator renamer(creator);
    CvxStdCmdIFaceMgr::GetInstance().Register(creator, &renamer);
    // A double click on a name renames its bus/signal; undo brings the name back.
    const QRect name = Header().GetHeader().GetHotSpots().GetRect(Model().GetColumns()[1].GetID(), Spots::kName);
    ASSERT_FALSE(name.isEmpty());
    AnswerNextDialog([](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setText("BUS_B");
    });
    QTest::mouseDClick(&Header(), Qt::LeftButton, Qt::NoModifier, name.center());
    QTest::qWait(300);
    EXPECT_EQ(Names()[1], QString("BUS_B"));
    Model().Undo();
    EXPECT_EQ(Names()[1], QString("B"));

    // Insert Column After... on A: the chosen buses come after it, selected and sized.
    CvxSystemMgr::GetInstance().SetLabelProvider([](const CvxID&) {
        return std::vector<CvxID>{CvxTestLabel(u"A"), CvxTestLabel(u"B"), CvxTestLabel(u"C"), CvxTestLabel(u"D")};
    });
    Model().DeleteColumns({Model().GetColumns()[2].GetID(), Model().GetColumns()[3].GetID()});
    Header().GetHeader().Invalidate();
    Header().repaint();
    Header().GetHeaderController().ShowContextMenu(CellPoint(0));
    QAction* insert = Header().GetMenu()->findChild<QAction*>("35401");
    ASSERT_TRUE(insert->isEnabled());
    AnswerNextDialog([](QDialog& dialog) {
        auto* select = qobject_cast<CvxLabelSelectionDlg*>(&dialog);
        ASSERT_NE(select, nullptr);
        select->Select({CvxTestLabel(u"C"), CvxTestLabel(u"D")});
    });
    insert->trigger();
    EXPECT_EQ(Names(), (std::vector<QString>{"A", "C", "D", "B"}));
    EXPECT_EQ(Model().GetSelectedColumns().size(), 2U);
    EXPECT_GT(Model().GetColumns()[1].GetWidth(), 0);
}

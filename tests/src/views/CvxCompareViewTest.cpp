// The Compare window's frame as real widgets on the offscreen platform: the initial update
// from the fonts, the display toggles of the corner menu reshaping the header row and the
// side columns (and Undo bringing them back), the counters of a real comparison, columns a
// load makes sized at once, the splitter bars under mouse and keyboard, and Tab cycling
// through the panes that take keys.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareContextMenu.h"
#include "CvxCompareControlsDlg.h"
#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxCompareEmptyView.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareMenuCmd.h"
#include "CvxCompareMessage.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxCompareStatusBar.h"
#include "CvxCompareStatusViewport.h"
#include "CvxCompareView.h"
#include "CvxPropertySheet.h"
#include "CvxCompareViewMetrics.h"
#include "CvxFontMgr.h"
#include "CvxMessageLoad.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"
#include "CvxUiServices.h"

#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QFontMetrics>
#include <QJsonArray>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Layout = CvxCompareSplitterLayout;
using Menu = CvxCompareContextMenu;

class CvxCompareViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxUiServices::Install();
        m_view = std::make_unique<CvxCompareView>();
        ASSERT_TRUE(m_view->Create(m_doc));
        m_view->resize(900, 500);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void TearDown() override
    {
        m_view.reset();
        CvxUiServices::Uninstall();
    }

    CvxCompareModel& Model() { return m_doc.GetModel(); }
    CvxCompareSplitterWnd& Splitter() { return *m_view->GetSplitter(); }
    CvxCompareEmptyView& Corner() { return *Splitter().findChild<CvxCompareEmptyView*>("CvxCompareEmptyViewLeft"); }
    QRect PaneGeometry(const char* name) { return Splitter().findChild<QWidget*>(name)->geometry(); }

    CvxCompareDoc m_doc;
    std::unique_ptr<CvxCompareView> m_view;
};

} // namespace

TEST_F(CvxCompareViewTest, TheInitialUpdateDerivesSizesFromTheFontsAndLaysOutTheFrame)
{
    const CvxCompareProperties& properties = Model().GetProperties();
    const QFontMetrics label(CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get());
    const int a = label.averageCharWidth();
    EXPECT_EQ(properties.GetDefColWidth(), 20 * a);
    EXPECT_EQ(properties.GetMinDefColWidth(), a + a / 2);
    EXPECT_EQ(properties.GetHeaderRowHeight(), label.height() + label.leading() + 10);
    EXPECT_EQ(Splitter().GetLayout().GetRowHeight(), CvxCompareViewMetrics::HeaderHeight(properties));

    const CvxFontInfo standard = CvxFontMgr::GetInstance().GetFontInfo(0);
    const int b = QFontMetrics(CvxFont(CvxQt(standard.GetFaceName()), standard.GetPointSize()).Get()).averageCharWidth();
    EXPECT_EQ(PaneGeometry("CvxCompareSystemMarkerLeftView").width(), 6 * b);
    EXPECT_EQ(PaneGeometry("CvxCompareSystemMarkerRightView").width() + PaneGeometry("CvxCompareOverView").width(), 12 * b);
    EXPECT_EQ(PaneGeometry("CvxCompareHeaderView").left(), PaneGeometry("CvxCompareDataViewScrollBars").left());
    EXPECT_EQ(PaneGeometry("CvxCompareHeaderView").width(), PaneGeometry("CvxCompareDataViewScrollBars").width());

    // The bar on top keeps its height, the status bar its own at the bottom, the splitter the rest.
    const QRect bar = m_view->GetControlsBar()->geometry();
    const QRect status = m_view->GetStatusBar()->geometry();
    EXPECT_GT(bar.height(), 0);
    EXPECT_EQ(bar.top(), 0);
    EXPECT_EQ(status.bottom(), m_view->height() - 1);
    EXPECT_EQ(Splitter().geometry(), QRect(0, bar.height(), 900, 500 - bar.height() - status.height()));
    m_view->resize(700, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view->GetStatusBar()->geometry().bottom(), 399);
    EXPECT_EQ(Splitter().height(), 400 - bar.height() - status.height());
}

TEST_F(CvxCompareViewTest, DisplayTogglesReshapeTheHeaderRowAndSideColumnsAndUndoBringsThemBack)
{
    const int line = Model().GetProperties().GetHeaderRowHeight();
    const int lines = CvxCompareViewMetrics::HeaderLines(Model().GetProperties());
    Corner().ShowContextMenu({5, 5});
    QMenu* menu = Corner().GetContextMenu();
    ASSERT_NE(menu, nullptr);
    const auto action = [&](int id) { return menu->findChild<QAction*>(QString::number(id)); };
    EXPECT_FALSE(action(Menu::kUndo)->isEnabled()); // nothing to undo yet
    EXPECT_TRUE(action(Menu::kShowMarkers)->isChecked());
    EXPECT_EQ(action(Menu::kShowBase)->isChecked(), Model().GetProperties().IsBaseDisplayed());
    menu->close();

    const bool base = Model().GetProperties().IsBaseDisplayed();
    ASSERT_TRUE(Corner().ExecuteCommand(Menu::kShowBase));
    EXPECT_EQ(Splitter().GetLayout().GetRowHeight(), line * (lines + (base ? -1 : 1)));
    ASSERT_TRUE(Corner().ExecuteCommand(Menu::kShowMarkers));
    EXPECT_EQ(PaneGeometry("CvxCompareDataViewScrollBars").left(), 0);
    EXPECT_EQ(PaneGeometry("CvxCompareDataViewScrollBars").width(), Splitter().width());
    EXPECT_FALSE(Splitter().findChild<QWidget*>("CvxCompareOverView")->isVisible());

    Corner().ShowContextMenu({5, 5});
    menu = Corner().GetContextMenu();
    EXPECT_TRUE(action(Menu::kUndo)->isEnabled());
    EXPECT_FALSE(action(Menu::kShowMarkers)->isChecked());
    menu->close();
    ASSERT_TRUE(Corner().ExecuteCommand(Menu::kUndo));
    ASSERT_TRUE(Corner().ExecuteCommand(Menu::kUndo));
    EXPECT_EQ(Splitter().GetLayout().GetRowHeight(), line * lines);
    EXPECT_GT(PaneGeometry("CvxCompareDataViewScrollBars").left(), 0);
    EXPECT_TRUE(Splitter().findChild<QWidget*>("CvxCompareOverView")->isVisible());
    EXPECT_FALSE(Corner().ExecuteCommand(Menu::kUndo));
}

TEST_F(CvxCompareViewTest, TheCountersShowTheLastComparison)
{
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4}}, {u"B", 8, {5, 6, 7, 8}}}));
    Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A")), CvxLabelChannel(CvxTestLabel(u"B"))}, CvxCompareRange());
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 9, 4}}, {u"B", 8, {5, 6, 7, 8}}}), 2);

    const CvxCompareResults& results = Model().GetResults();
    const QJsonArray shown = m_view->Describe()["counters"].toArray();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].toString(), QString("Samples Compared: %1").arg(results.GetSamplesCompared()));
    EXPECT_EQ(shown[1].toString(), QString("Columns Compared: 2"));
    EXPECT_EQ(shown[2].toString(), QString("Comparisons: %1").arg(results.GetComparisons()));
    EXPECT_EQ(shown[3].toString(), QString("Differences: 1"));
    EXPECT_GT(results.GetSamplesCompared(), 0);
    // The status bar paints them in parts that hold a sample value.
    CvxCompareStatusViewport& status = m_view->GetStatusBar()->GetStatus();
    const CvxCompareStatusLayout parts = status.GetLayout();
    EXPECT_EQ(parts.GetWidth(4), status.GetCounterWidth(CvxCompareStatusViewport::kDifferences));
    EXPECT_GE(parts.GetWidth(1), QFontMetrics(status.GetFont()).horizontalAdvance("Samples Compared: 999999999"));
}

// A load that leaves the model of an open window with default columns (the host offers none
// of the setup's buses/signals) sizes them at once: no data message comes before the next run.
TEST_F(CvxCompareViewTest, ColumnsALoadMakesAreSizedAtOnce)
{
    const std::shared_ptr<CvxData> data = CvxMakeTestData({{u"A", 8, {1, 2}}, {u"WIDE", 64, {3, 4}}});
    const std::vector<CvxID> offered{CvxTestLabel(u"A"), CvxTestLabel(u"WIDE")};
    CvxSystemMgr::GetInstance().SetLabelProvider([offered](const CvxID&) { return offered; });
    Model().Load(CvxMessageLoad(nullptr, nullptr, CvxID::New()));
    ASSERT_EQ(Model().GetColumnCount(), 2);
    for (const CvxCompareColumn& column : Model().GetColumns()) {
        EXPECT_GT(column.GetWidth(), 0);
    }
}

TEST_F(CvxCompareViewTest, SplitterBarsDragWithTheMouseAndTrackWithTheKeyboard)
{
    const int row = Splitter().GetLayout().GetRowHeight();
    const QPoint grip = Splitter().GetLayout().GetBar(Layout::kRowBar).center();
    QTest::mousePress(&Splitter(), Qt::LeftButton, Qt::NoModifier, grip);
    EXPECT_TRUE(Splitter().IsTracking());
    QTest::mouseMove(&Splitter(), grip + QPoint(0, 30));
    QTest::mouseRelease(&Splitter(), Qt::LeftButton, Qt::NoModifier, grip + QPoint(0, 30));
    EXPECT_FALSE(Splitter().IsTracking());
    EXPECT_EQ(Splitter().GetLayout().GetRowHeight(), row + 30);
    EXPECT_EQ(PaneGeometry("CvxCompareHeaderView").height(), row + 30);

    // Keyboard: 16 pixels an arrow, 1 with Ctrl; Esc restores, Enter applies.
    Splitter().StartTracking(Layout::kRowBar);
    QTest::keyClick(&Splitter(), Qt::Key_Down);
    QTest::keyClick(&Splitter(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Splitter().GetTrackerPosition(), row + 30 + 17);
    QTest::keyClick(&Splitter(), Qt::Key_Escape);
    EXPECT_FALSE(Splitter().IsTracking());
    EXPECT_EQ(Splitter().GetLayout().GetRowHeight(), row + 30);

    const int left = Splitter().GetLayout().GetLeftWidth();
    Splitter().StartTracking(Layout::kLeftBar);
    QTest::keyClick(&Splitter(), Qt::Key_Right);
    QTest::keyClick(&Splitter(), Qt::Key_Down); // not this bar's direction
    QTest::keyClick(&Splitter(), Qt::Key_Return);
    EXPECT_EQ(Splitter().GetLayout().GetLeftWidth(), left + 16);
    EXPECT_EQ(PaneGeometry("CvxCompareSystemMarkerLeftView").width(), left + 16);

    // The tracker stays within its limits however far it is pushed.
    Splitter().StartTracking(Layout::kRowBar);
    for (int i = 0; i < 100; ++i) {
        QTest::keyClick(&Splitter(), Qt::Key_Up);
    }
    EXPECT_EQ(Splitter().GetTrackerPosition(), 0);
    QTest::keyClick(&Splitter(), Qt::Key_Escape);
}

TEST_F(CvxCompareViewTest, TabCyclesThroughThePanesThatTakeKeysAndTheHeaderFollowsTheGrid)
{
    m_view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    auto* header = m_view->GetHeader();
    auto* grid = m_view->GetGrid();
    const auto tab = [&](int type) {
        CvxCompareKbTabMessage forward;
        CvxCompareMessage* message = &forward;
        CvxCompareTypedMessage<kCvxCompareKbReverseTabType> backward;
        if (type != CvxCompareKbTabMessage::kType) {
            message = &backward;
        }
        auto* command = new CvxCompareMenuCmd(60, Model(), message);
        command->Execute();
        command->Release();
        return QApplication::focusWidget();
    };
    // Not in the list: the first listed pane gets the focus; then on, wrapping both ways.
    if (QWidget* focused = QApplication::focusWidget()) {
        focused->clearFocus();
    }
    EXPECT_EQ(tab(CvxCompareKbTabMessage::kType), header);
    EXPECT_EQ(tab(CvxCompareKbTabMessage::kType), grid);
    EXPECT_EQ(tab(CvxCompareKbTabMessage::kType), header);
    EXPECT_EQ(tab(kCvxCompareKbReverseTabType), grid);

    // Horizontal scrolling: the header follows the grid, within the columns' width; the side
    // panes stay.
    std::vector<CvxTestBus> wide;
    for (int i = 0; i < 20; ++i) {
        const std::u16string name = CvxStringConvert::FromUtf8("W" + std::to_string(i));
        wide.push_back(CvxTestBus(name, 64, {1, 2}));
    }
    CvxGiveData(Model(), CvxMakeTestData(wide));
    std::vector<CvxCompareColumn> columns;
    for (const CvxTestBus& bus : wide) {
        columns.emplace_back(CvxLabelChannel(CvxTestLabel(bus.name)));
    }
    Model().ReplaceColumns(columns);
    CvxCompareColumnsChangedMessage changed;
    Model().Broadcast(changed); // as the insert command tells the window
    ASSERT_EQ(Model().GetColumnCount(), 20);
    ASSERT_GT(Model().GetColumns().back().GetWidth(), 0);
    ASSERT_GT(grid->GetGrid().GetColumnsWidth(), grid->width() + 120);
    Splitter().ScrollHorizontally(grid, 120);
    EXPECT_EQ(header->GetHorizontalOrigin(), 120);
    EXPECT_EQ(grid->GetHorizontalOrigin(), 120);
    Splitter().ScrollHorizontally(header, 1000000);
    EXPECT_LT(grid->GetHorizontalOrigin(), 1000000);
    EXPECT_EQ(header->GetHorizontalOrigin(), grid->GetHorizontalOrigin());
    EXPECT_EQ(Splitter().findChild<CvxComparePaneView*>("CvxCompareOverView")->GetHorizontalOrigin(), 0);
}

// The grid under the mouse and keys: a drag outlines cells of the clicked column, its menu
// copies their text to the real clipboard (with the names first when asked) and then the
// selection goes; Ctrl+A and Ctrl+U select all columns or none; Esc ends an outline; the
// context menu on a column selects it and goes to its last sample.
TEST_F(CvxCompareViewTest, OutlinedCellsCopyTheirTextAndKeysSelectColumns)
{
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6}}, {u"B", 8, {7, 7, 7, 7, 7, 7}}}));
    Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A"))),
                            CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"B")))});
    CvxCompareColumnsChangedMessage changed;
    Model().Broadcast(changed);
    Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 9, 3, 4, 5, 6}}, {u"B", 8, {7, 7, 7, 7, 7, 7}}}), 2);
    Model().GotoFirst();
    CvxCompareDataView& grid = *m_view->GetGrid();
    grid.repaint();
    const int rowHeight = grid.GetGrid().GetRowHeight();
    const QPoint first(5, grid.height() / 2);

    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_EQ(Model().GetSelectedColumns().size(), 1U);
    QTest::mouseMove(&grid, first + QPoint(0, 2 * rowHeight));
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, first + QPoint(0, 2 * rowHeight));
    QMenu* menu = grid.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QString("DragOutline"));
    EXPECT_TRUE(menu->findChild<QAction*>("35409")->isEnabled()); // A is a trigger label for this host
    EXPECT_TRUE(menu->findChild<QAction*>("35458")->isEnabled());
    menu->findChild<QAction*>("35457")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString("A\n01\t01\n09\t02\n03\t03\n"));
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Model().GetSelectedColumns().empty());
    EXPECT_FALSE(grid.GetGrid().HasOutline());

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Model().GetSelectedColumns().size(), 2U);
    QTest::keyClick(&grid, Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(Model().GetSelectedColumns().empty());
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, first);
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_FALSE(grid.GetGrid().HasOutline());
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, first);

    grid.ShowContextMenu(first);
    menu = grid.GetMenu();
    EXPECT_EQ(menu->objectName(), QString("InsideColumn"));
    EXPECT_EQ(Model().GetSelectedColumns().size(), 1U);
    ASSERT_TRUE(menu->findChild<QAction*>("35463")->isEnabled());
    menu->findChild<QAction*>("35463")->trigger();
    EXPECT_EQ(Model().GetCenter().AsSample(), 5);
    menu->close();
}

namespace {

// Answers the next modal dialog: fills its fields, then accepts it.
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

// The model's marker and go-to messages (the host's Markers and Edit menus) open the host's
// dialogs from the event loop, after the broadcast; what they answer moves the window.
TEST_F(CvxCompareViewTest, MarkerAndGotoMessagesOpenTheHostDialogsAndMoveTheCentre)
{
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6, 7, 8}}}));
    Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
    Model().GotoFirst();
    CvxCompareDataView& grid = *m_view->GetGrid();

    AnswerNextDialog([](QDialog& dialog) { dialog.findChild<QLineEdit*>("Sample")->setText("6"); });
    CvxCompareDisplayGotoDlgMessage gotoDialog;
    Model().Dispatch(gotoDialog);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // not inside the broadcast
    QTest::qWait(200);
    EXPECT_EQ(Model().GetCenter().AsSample(), 6);

    const std::size_t markers = Model().GetMarkerMgr().GetMarkers(false).size();
    AnswerNextDialog([](QDialog&) {});
    CvxCompareMarkerNewMessage newMarker;
    Model().Dispatch(newMarker);
    QTest::qWait(200);
    ASSERT_EQ(Model().GetMarkerMgr().GetMarkers(false).size(), markers + 1);

    // The marker list of Go To Marker takes the new one (the last listed by position).
    Model().GotoFirst();
    AnswerNextDialog([](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>();
        list->setCurrentRow(list->count() - 1);
    });
    CvxCompareMarkerGotoMessage gotoMarker;
    Model().Dispatch(gotoMarker);
    QTest::qWait(200);
    EXPECT_EQ(Model().GetCenter().AsSample(), 7); // the data's end marker comes last
    EXPECT_TRUE(grid.IsCommandEnabled(CvxCompareContextMenu::kGoto));
    EXPECT_TRUE(grid.IsCommandEnabled(CvxCompareContextMenu::kProperties));

    // Marker properties open the properties on the marker page.
    int page = -1;
    QTimer::singleShot(50, [&page] {
        auto* sheet = qobject_cast<CvxPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        page = sheet->GetActiveIndex();
        sheet->reject();
    });
    CvxCompareMarkerPropertiesMessage markerProperties;
    Model().Dispatch(markerProperties);
    QTest::qWait(200);
    EXPECT_EQ(page, 2);
}

// Dragging beyond the pane scrolls the grid a row a tick and the outline follows; a drag that
// starts on a marker's row moves the marker; Ctrl with keypad plus sizes every column to its
// content as one undoable change.
TEST_F(CvxCompareViewTest, DragsScrollAtTheEdgeMoveMarkersAndKeypadPlusSizesColumns)
{
    std::vector<std::int64_t> values(400);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<std::int64_t>(i % 256);
    }
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, values}}));
    Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
    CvxCompareColumnsChangedMessage changed;
    Model().Broadcast(changed);
    Model().GotoFirst();
    CvxCompareDataView& grid = *m_view->GetGrid();
    grid.repaint();
    const QPoint centre(5, grid.height() / 2);

    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseMove(&grid, QPoint(5, grid.height() + 20)); // well below: a row a turn
    QTest::qWait(150);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, QPoint(5, grid.height() + 20));
    EXPECT_GT(Model().GetCenter().AsSample(), 3);
    EXPECT_GT(grid.GetGrid().GetOutlineLast().AsSample(), Model().GetCenter().AsSample());
    grid.GetMenu()->close();
    QCoreApplication::processEvents();

    // A user marker on the centre row, dragged three rows down.
    Model().GotoFirst();
    CvxMarker* marker = Model().GetMarkerMgr().AddUserMarker(Model().GetCenter());
    ASSERT_NE(marker, nullptr);
    grid.GetGrid().Invalidate(); // as the marker dialogs do
    grid.repaint();
    const std::vector<CvxID> onRow = grid.GetGrid().MarkersAt(centre.y()); // with the data's begin marker
    ASSERT_NE(std::find(onRow.begin(), onRow.end(), marker->GetID()), onRow.end());
    const int rowHeight = grid.GetGrid().GetRowHeight();
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseMove(&grid, centre + QPoint(0, 3 * rowHeight));
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, centre + QPoint(0, 3 * rowHeight));
    EXPECT_EQ(marker->GetPosition().AsSample(), 3);
    EXPECT_FALSE(grid.GetGrid().HasOutline()); // a marker drag is no outline
    // Esc during a marker drag puts the marker back where the drag took it from.
    grid.repaint();
    const QPoint markerRow = centre + QPoint(0, 3 * rowHeight);
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, markerRow);
    QTest::mouseMove(&grid, markerRow + QPoint(0, 2 * rowHeight));
    EXPECT_EQ(marker->GetPosition().AsSample(), 5);
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(marker->GetPosition().AsSample(), 3);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, markerRow);

    Model().SetColumnWidth(Model().GetColumns().front().GetID(), 300);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    const int sized = Model().GetColumns().front().GetWidth();
    EXPECT_LT(sized, 300);
    ASSERT_TRUE(Model().Undo());
    EXPECT_EQ(Model().GetColumns().front().GetWidth(), 300);
}

// The side panes ask the grid for its window and for the rows it shows.
TEST_F(CvxCompareViewTest, TheGridAnswersWithItsWindowAndTheRowsItShows)
{
    std::vector<std::int64_t> values(1000, 5);
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, values}}));
    Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A")))});
    CvxCompareColumnsChangedMessage changed;
    Model().Broadcast(changed);
    Model().GotoFirst();
    Model().StepForward(500, true);

    CvxCompareWindowHandleMessage handle;
    Model().Dispatch(handle);
    EXPECT_EQ(handle.GetWindow(), static_cast<QWidget*>(m_view->GetGrid()));
    CvxCompareWindowRangeMessage range;
    Model().Dispatch(range);
    EXPECT_EQ(range.GetCenterPosition().AsSample(), 500);
    const std::int64_t rows = m_view->GetGrid()->height() / m_view->GetGrid()->GetGrid().GetRowHeight();
    EXPECT_LT(range.GetStartPosition().AsSample(), 500);
    EXPECT_GT(range.GetEndPosition().AsSample(), 500);
    EXPECT_GE(range.GetEndPosition().AsSample() - range.GetStartPosition().AsSample() + 1, rows);
    EXPECT_LE(range.GetEndPosition().AsSample() - range.GetStartPosition().AsSample() + 1, rows + 4);
}

// The Compare window's context menus as the panes open them: every menu's items, ids,
// separators and submenus written out; every menu in every state of the window (no data,
// data, a selection before the click, something to undo, long work running) with the items
// it enables and checks; the keys the panes keep for themselves although the window binds
// the same keys, and the keyboard's menus kept inside their pane.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCancelMgr.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxCompareEmptyView.h"
#include "CvxCompareHeaderController.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareMessage.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxCompareView.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxUiServices.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Menu = CvxCompareContextMenu;

// "text id" per item ("*" after a checkable one), "-" per separator, "title [...]" per
// submenu, joined by "; ".
QString LayoutOf(const QMenu& menu)
{
    QStringList parts;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            parts << "-";
        } else if (action->menu() != nullptr) {
            parts << action->text() + " [" + LayoutOf(*action->menu()) + "]";
        } else {
            parts << action->text() + " " + action->objectName() + (action->isCheckable() ? " *" : "");
        }
    }
    return parts.join("; ");
}

// One character per item, submenus' items in place: "x" enabled, "." disabled; a checked item
// "X" when enabled, ":" when disabled.
QString StatesOf(const QMenu& menu)
{
    QString states;
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            states += StatesOf(*action->menu());
        } else if (!action->isSeparator()) {
            const bool checked = action->isCheckable() && action->isChecked();
            states += action->isEnabled() ? (checked ? 'X' : 'x') : (checked ? ':' : '.');
        }
    }
    return states;
}

enum Where { kHeaderOnA, kHeaderOnS, kHeaderOutside, kCorner, kGridOnA, kGridOnS, kGridOutside, kTrigger, kOutline };
enum State { kNoData, kData, kSelection, kUndo, kBusy };

class CvxCompareMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxUiServices::Install();
        Open();
    }
    void TearDown() override
    {
        CvxCancelMgr::GetInstance().Reset();
        m_view.reset();
        m_doc.reset();
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxUiServices::Uninstall();
    }

    // A window of its own, with activity indicators and the trigger line off, the base line
    // and the markers on.
    void Open()
    {
        m_view.reset();
        m_doc = std::make_unique<CvxCompareDoc>();
        m_view = std::make_unique<CvxCompareView>();
        ASSERT_TRUE(m_view->Create(*m_doc));
        m_view->resize(900, 500);
        m_view->show();
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
        CvxCompareProperties properties = Model().GetProperties();
        properties.SetActivityIndicatorDisplayed(false);
        properties.SetBaseDisplayed(true);
        properties.SetTriggerDisplayed(false);
        properties.SetMarkersDisplayed(true);
        Model().SetProperties(properties);
    }

    // Buses A and B and the string label S, one column each, 100 pixels wide.
    void GiveColumns()
    {
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6}},
                                               {u"B", 8, {7, 8, 9, 10, 11, 12}},
                                               {u"S", {u"p", u"q", u"r", u"s", u"t", u"u"}}}));
        std::vector<CvxCompareColumn> columns;
        for (const char16_t* name : {u"A", u"B", u"S"}) {
            columns.emplace_back(CvxLabelChannel(CvxTestLabel(name)));
            columns.back().SetWidth(100);
        }
        Model().ReplaceColumns(columns);
        CvxCompareColumnsChangedMessage changed;
        Model().Broadcast(changed);
        Model().GotoFirst();
        Model().ClearHistory(); // the window starts with nothing to undo
        Header().repaint();
        Grid().repaint();
    }

    void Arrange(State state)
    {
        if (state == kNoData) {
            return;
        }
        GiveColumns();
        if (state == kSelection || state == kBusy) {
            Model().SetColumnSelection({Model().GetColumns()[1].GetID()});
        }
        if (state == kUndo) {
            CvxCompareProperties properties = Model().GetProperties();
            properties.SetBaseDisplayed(false);
            ASSERT_TRUE(Model().RequestProperties(properties));
            Header().repaint();
        }
        if (state == kBusy) {
            CvxCancelMgr::GetInstance().Enable();
        }
    }

    QMenu* OpenMenu(Where where)
    {
        const int row = Grid().height() / 2;
        const QPoint rightOfColumns(std::min(Grid().width(), Header().width()) - 10, 0);
        switch (where) {
        case kHeaderOnA: Header().GetHeaderController().ShowContextMenu({50, 4}); return Header().GetMenu();
        case kHeaderOnS: Header().GetHeaderController().ShowContextMenu({250, 4}); return Header().GetMenu();
        case kHeaderOutside: Header().GetHeaderController().ShowContextMenu(rightOfColumns + QPoint(0, 4)); return Header().GetMenu();
        case kCorner: Corner().ShowContextMenu({5, 5}); return Corner().GetContextMenu();
        case kGridOnA: Grid().ShowContextMenu({50, row}); return Grid().GetMenu();
        case kGridOnS: Grid().ShowContextMenu({250, row}); return Grid().GetMenu();
        case kGridOutside: Grid().ShowContextMenu(rightOfColumns + QPoint(0, row)); return Grid().GetMenu();
        case kTrigger: Header().ShowMenu(Menu::kTriggerMenu, {5, 5}); return Header().GetMenu();
        case kOutline:
            QTest::mousePress(&Grid(), Qt::LeftButton, Qt::NoModifier, {50, row});
            QTest::mouseMove(&Grid(), {50, row + 2 * Grid().GetGrid().GetRowHeight()});
            QTest::mouseRelease(&Grid(), Qt::LeftButton, Qt::NoModifier, {50, row + 2 * Grid().GetGrid().GetRowHeight()});
            return Grid().GetMenu();
        }
        return nullptr;
    }

    CvxCompareModel& Model() { return m_doc->GetModel(); }
    CvxCompareHeaderView& Header() { return *m_view->GetHeader(); }
    CvxCompareDataView& Grid() { return *m_view->GetGrid(); }
    CvxCompareEmptyView& Corner()
    {
        return *m_view->GetSplitter()->findChild<CvxCompareEmptyView*>("CvxCompareEmptyViewLeft");
    }

    std::unique_ptr<CvxCompareDoc> m_doc;
    std::unique_ptr<CvxCompareView> m_view;
};

} // namespace

TEST_F(CvxCompareMenusTest, EveryMenuShowsItsItemsIdsSeparatorsAndSubmenus)
{
    const QString display = "Display [Activity Indicators 35451 *; Column Base 35453 *; Simple Trigger 35452 *; Markers 35460 *]";
    const QString column = "Undo 35404; -; Go To... 35410; Go To First Sample 35462; Go To Last Sample 35463; "
                           "Place Marker... 35411; -; Find... 35454; Find Next 35455; Find Previous 35456; -; "
                           "Properties... 35407";
    const struct {
        Where where;
        const char* name;
        QString layout;
    } menus[] = {
        {kHeaderOnA, "InsideHeader",
         "Undo 35404; -; Insert Column Before... 35400; Insert Column After... 35401; Delete Column 35406; -; "
         "Assign Channels... 35450; Rename... 35403; Symbols... 35446; -; Find... 35454; Find Next 35455; "
         "Find Previous 35456; Find Bus/Signal... 35464; -; "
             + display + "; -; Properties... 35407"},
        {kHeaderOutside, "OutsideHeader",
         "Undo 35404; -; Insert Column... 35405; Delete Column 35406; -; Assign Channels... 35450; Symbols... 35446; -; "
         "Find... 35454; Find Next 35455; Find Previous 35456; Find Bus/Signal... 35464; -; "
             + display + "; -; Properties... 35407"},
        {kCorner, "EmptyHeader", "Undo 35404; -; Insert Column... 35405; Assign Channels... 35450; -; " + display + "; -; Properties... 35407"},
        {kGridOnA, "InsideColumn", column},
        {kGridOutside, "OutSideColumn", column},
        {kOutline, "DragOutline",
         "Set Quick Trigger 35409; Find Next 35458; Find Prev 35459; -; "
         "Copy Text [Without Bus/Signal Name 35408; With Bus/Signal Name 35457]"},
        {kTrigger, "Trigger Menu", "Simple Trigger... 35448; Advanced Trigger... 35447"},
    };
    GiveColumns();
    for (const auto& expected : menus) {
        QMenu* menu = OpenMenu(expected.where);
        ASSERT_NE(menu, nullptr) << expected.name;
        EXPECT_EQ(menu->objectName(), QString(expected.name));
        EXPECT_EQ(LayoutOf(*menu).toStdString(), expected.layout.toStdString()) << expected.name;
        for (QMenu* sub : menu->findChildren<QMenu*>()) {
            EXPECT_TRUE(sub->objectName() == "Display" || sub->objectName() == "CopyText") << sub->objectName().toStdString();
        }
        menu->close();
        QCoreApplication::processEvents();
    }
}

// Each row: where the menu opens, in which state, and its items' states in menu order.
TEST_F(CvxCompareMenusTest, EachMenuEnablesAndChecksItsItemsByTheWindowsState)
{
    const struct {
        Where where;
        State state;
        const char* states;
    } rows[] = {
        // Undo, Insert Before/After, Delete, Assign Channels, Rename, Symbols, Find, Find Next,
        // Find Previous, Find Bus/Signal, the four Display toggles, Properties (whenever no long
        // work runs). No bus/signal here has a source that takes symbols.
        {kHeaderOnA, kData, ".xxxxx.xxxxxXxXx"},
        {kHeaderOnA, kSelection, ".xxxxx.xxxxxXxXx"},
        {kHeaderOnA, kUndo, "xxxxxx.xxxxxxxXx"},
        {kHeaderOnA, kBusy, ".xxx......x.:.:."},
        {kHeaderOnS, kData, ".xxx...xxxxxXxXx"}, // a string label: no channels, no new name
        // Undo, Insert Column, Delete, Assign Channels, Symbols, Find, Find Next, Find
        // Previous, Find Bus/Signal, Display, Properties.
        {kHeaderOutside, kNoData, ".........xXxXx"},
        {kHeaderOutside, kData, ".x...xxxxxXxXx"},
        {kHeaderOutside, kSelection, ".xx..xxxxxXxXx"},
        {kHeaderOutside, kUndo, "xx...xxxxxxxXx"},
        {kHeaderOutside, kBusy, ".xx.....x.:.:."},
        // Undo, Insert Column, Assign Channels, Display, Properties.
        {kCorner, kNoData, "...xXxXx"},
        {kCorner, kData, ".x.xXxXx"},
        {kCorner, kSelection, ".x.xXxXx"},
        {kCorner, kUndo, "xx.xxxXx"},
        {kCorner, kBusy, ".x.xXxX."},
        // Undo, Go To, First Sample, Last Sample, Place Marker, Find, Find Next, Find
        // Previous, Properties.
        {kGridOnA, kData, ".xxxxxxxx"},
        {kGridOnA, kSelection, ".xxxxxxxx"},
        {kGridOnA, kUndo, "xxxxxxxxx"},
        {kGridOnA, kBusy, ".xxxx...."},
        {kGridOnS, kData, ".xxxx.xxx"}, // nothing to find in strings
        {kGridOutside, kNoData, "........x"},
        {kGridOutside, kData, ".xxxx.xxx"},
        {kGridOutside, kSelection, ".xxxx.xxx"},
        {kGridOutside, kUndo, "xxxxx.xxx"},
        {kGridOutside, kBusy, ".xxxx...."},
        // Set Quick Trigger, Find Next, Find Prev, the two Copy Text entries.
        {kOutline, kData, "xxxxx"},
        {kOutline, kBusy, "x..xx"},
        {kTrigger, kNoData, "xx"},
        {kTrigger, kBusy, "xx"},
    };
    for (const auto& row : rows) {
        Open();
        Arrange(row.state);
        QMenu* menu = OpenMenu(row.where);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(StatesOf(*menu).toStdString(), row.states) << menu->objectName().toStdString() << " in state " << row.state;
        if (row.state == kBusy) {
            CvxCancelMgr::GetInstance().Disable();
        }
        menu->close();
        QCoreApplication::processEvents();
    }
}

// The header row's menus decide what a click chose: the corners and the outside menus clear
// the selection, a menu on an unselected column makes it the only one.
TEST_F(CvxCompareMenusTest, MenusSelectWhatTheyWereOpenedOn)
{
    GiveColumns();
    const std::vector<CvxID> b{Model().GetColumns()[1].GetID()};
    for (const Where where : {kCorner, kHeaderOutside, kGridOutside}) {
        Model().SetColumnSelection(b);
        OpenMenu(where)->close();
        EXPECT_TRUE(Model().GetSelectedColumns().empty()) << where;
    }
    for (const Where where : {kHeaderOnA, kGridOnA}) {
        Model().SetColumnSelection(b);
        OpenMenu(where)->close();
        EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[0].GetID()}) << where;
    }
}

namespace {

// A shortcut of the window, as a host binds its keys within the Compare window: counts how
// often it fires.
struct WindowKey {
    WindowKey(QWidget& window, const QKeySequence& keys)
    {
        action.setShortcut(keys);
        action.setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window.addAction(&action);
        QObject::connect(&action, &QAction::triggered, [this] { ++fired; });
    }
    QAction action;
    int fired = 0;
};

} // namespace

// The host binds Esc, Delete, Ctrl+A and the arrows within the window; the panes keep the keys
// they handle themselves: Esc only while a drag goes on.
TEST_F(CvxCompareMenusTest, PanesKeepTheirOwnKeysFromTheWindowsShortcuts)
{
    GiveColumns();
    WindowKey esc(*m_view, QKeySequence(Qt::Key_Escape));
    WindowKey del(*m_view, QKeySequence(Qt::Key_Delete));
    WindowKey all(*m_view, QKeySequence(Qt::CTRL | Qt::Key_A));
    WindowKey down(*m_view, QKeySequence(Qt::Key_Down));
    const int row = Grid().height() / 2;

    Grid().setFocus();
    QTest::mousePress(&Grid(), Qt::LeftButton, Qt::NoModifier, {50, row});
    QTest::mouseMove(&Grid(), {50, row + Grid().GetGrid().GetRowHeight()});
    QTest::keyClick(&Grid(), Qt::Key_Escape);
    EXPECT_FALSE(Grid().GetGrid().HasOutline());
    EXPECT_EQ(esc.fired, 0);
    QTest::mouseRelease(&Grid(), Qt::LeftButton, Qt::NoModifier, {50, row});
    QTest::keyClick(&Grid(), Qt::Key_Escape); // no drag: the window's
    EXPECT_EQ(esc.fired, 1);
    QTest::keyClick(&Grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Model().GetSelectedColumns().size(), 3U);
    EXPECT_EQ(all.fired, 0);
    QTest::keyClick(&Grid(), Qt::Key_Delete); // the grid deletes nothing itself
    EXPECT_EQ(del.fired, 1);
    EXPECT_EQ(Model().GetColumnCount(), 3);

    // The header deletes the selected columns itself, and Esc ends its resize drag.
    Header().setFocus();
    Model().SetColumnSelection({Model().GetColumns()[2].GetID()});
    QTest::keyClick(&Header(), Qt::Key_Delete);
    EXPECT_EQ(Model().GetColumnCount(), 2);
    EXPECT_EQ(del.fired, 1);
    Header().repaint();
    const int y = Header().height() / 2;
    QTest::mousePress(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(99, y));
    QTest::mouseMove(&Header(), QPoint(160, y));
    ASSERT_EQ(Model().GetColumns()[0].GetWidth(), 161);
    QTest::keyClick(&Header(), Qt::Key_Escape);
    EXPECT_EQ(Model().GetColumns()[0].GetWidth(), 100);
    EXPECT_EQ(esc.fired, 1);
    QTest::mouseRelease(&Header(), Qt::LeftButton, Qt::NoModifier, QPoint(160, y));

    // A splitter bar moved with the keyboard takes the arrows until it is let go.
    CvxCompareSplitterWnd& splitter = *m_view->GetSplitter();
    const int before = splitter.GetLayout().GetRowHeight();
    splitter.StartTracking(CvxCompareSplitterLayout::kRowBar);
    QTest::keyClick(&splitter, Qt::Key_Down);
    QTest::keyClick(&splitter, Qt::Key_Return);
    EXPECT_EQ(splitter.GetLayout().GetRowHeight(), before + 16);
    EXPECT_EQ(down.fired, 0);
    EXPECT_EQ(esc.fired, 1);
}

// The context-menu key and Shift+F10 open the pane's menu where the mouse cursor is, kept
// inside the pane: far below the grid over column A it opens on A's last shown row, far to the
// right outside the columns, far above the header over B on B.
TEST_F(CvxCompareMenusTest, KeyboardMenusOpenAtTheCursorKeptInsideThePane)
{
    GiveColumns();
    Grid().setFocus();
    QCursor::setPos(Grid().mapToGlobal(QPoint(50, Grid().height() + 300)));
    QTest::keyClick(&Grid(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(Grid().GetMenu(), nullptr);
    EXPECT_EQ(Grid().GetMenu()->objectName(), QString("InsideColumn"));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[0].GetID()});
    Grid().GetMenu()->close();

    QCursor::setPos(Grid().mapToGlobal(QPoint(Grid().width() + 300, Grid().height() / 2)));
    QTest::keyClick(&Grid(), Qt::Key_Menu);
    EXPECT_EQ(Grid().GetMenu()->objectName(), QString("OutSideColumn"));
    Grid().GetMenu()->close();

    // The platform's own context-menu event from the keyboard: the cursor's place counts.
    QCursor::setPos(Grid().mapToGlobal(QPoint(150, -300)));
    QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(0, 0), Grid().mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(&Grid(), &fromKeyboard);
    EXPECT_EQ(Grid().GetMenu()->objectName(), QString("InsideColumn"));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[1].GetID()});
    Grid().GetMenu()->close();

    Header().setFocus();
    QCursor::setPos(Header().mapToGlobal(QPoint(150, -300)));
    QTest::keyClick(&Header(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(Header().GetMenu(), nullptr);
    EXPECT_EQ(Header().GetMenu()->objectName(), QString("InsideHeader"));
    EXPECT_EQ(Model().GetSelectedColumns(), std::vector<CvxID>{Model().GetColumns()[1].GetID()});
    Header().GetMenu()->close();
    QCursor::setPos(Header().mapToGlobal(QPoint(Header().width() + 300, 4)));
    QTest::keyClick(&Header(), Qt::Key_Menu);
    EXPECT_EQ(Header().GetMenu()->objectName(), QString("OutsideHeader"));
    Header().GetMenu()->close();
}

// The host's standard commands and the Compare tool's named entries in cvx-host, with the real
// module, on a Compare window over two captures (one table, a difference at row 150): each
// runs from its menu item and from its keys, the message it sends is heard on the tool's
// model, and what it does is seen in the windows: the centre or the columns moved, the focus
// moved, a dialog opened (and cancelled), columns copied, pasted or deleted, a change undone.
// Tab and Shift+Tab walk the panes from outside the window and wrap at either end; the UI dump
// shows the menu bar with its keys and an open context menu with its items.

#include "../ui/CvxQtTestApp.h"

#include "CvxDefObserver.h"
#include "CvxDialog.h"
#include "CvxFindMgr.h"
#include "CvxHostCommands.h"
#include "CvxHostMainWindow.h"
#include "CvxHostSession.h"
#include "CvxLabelMgr.h"
#include "CvxMvcDefMsg.h"
#include "CvxMvcModel.h"
#include "CvxPlugInView.h"
#include "CvxPlugInViewerBase.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxToolWindow.h"
#include "CvxUiDump.h"
#include "CvxUiServices.h"
#include "CvxVcdSource.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QContextMenuEvent>
#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <bitset>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace {

constexpr int kRows = 200;
constexpr int kDifferenceRow = 150;

// Ten 32-bit buses d0..d9 over 200 rows 10 ns apart; d0 counts the rows, except at `faultRow`.
void WriteCapture(const std::filesystem::path& path, int faultRow)
{
    std::ofstream vcd(path);
    vcd << "$timescale 1ns $end\n$scope module top $end\n";
    for (int k = 0; k < 10; ++k) {
        vcd << "$var wire 32 " << static_cast<char>('!' + k) << " d" << k << " $end\n";
    }
    vcd << "$upscope $end\n$enddefinitions $end\n";
    for (int r = 0; r < kRows; ++r) {
        vcd << '#' << r * 10 << '\n';
        for (int k = 0; k < 10; ++k) {
            const unsigned value = k == 0 ? (r == faultRow ? 0xFFFFu : static_cast<unsigned>(r)) : static_cast<unsigned>(r * (k + 1) + k);
            vcd << 'b' << std::bitset<32>(value).to_string() << ' ' << static_cast<char>('!' + k) << '\n';
        }
    }
}

class Recorder : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
    int Count(int type) const { return static_cast<int>(std::count(types.begin(), types.end(), type)); }
    std::vector<int> types;
};

// What a row prepares before its command runs.
enum Arrange : unsigned {
    kMiddle = 1,          // the centre and the columns scrolled half way
    kSelect = 2,          // d0's column selected
    kChange = 4,          // an undoable change made (Column Base off)
    kClipboard = 8,       // d0's column copied
    kUserMarker = 16,     // a user marker made through New Marker...
    kFindAhead = 32,      // the host's find looks for d0 = 107
    kFindBehind = 64,     // ... for d0 = 93
    kFocusHeader = 128,   // the header has the focus
    kFocusGrid = 256,     // the grid has the focus
    kAtStart = 512,       // the centre on the first row
    kAtEnd = 1024,        // ... on the last
};

enum Effect {
    kNothing,
    kDialog,
    kCentreFirst,
    kCentreLast,
    kCentreUp,
    kCentreDown,
    kPageUp,
    kPageDown,
    kFound,
    kDifference,
    kOriginZero,
    kOriginEnd,
    kOriginLeft,
    kOriginRight,
    kFocusToGrid,
    kFocusToHeader,
    kUndone,
    kCopied,
    kPasted,
    kDeleted,
};

struct Snapshot {
    qint64 centre = -1;
    int originX = 0;
    int cells = 0;
    int lines = 0;
};

class CvxHostCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        QStandardPaths::setTestModeEnabled(true);
        CvxUiServices::Install();
        ASSERT_TRUE(m_session.LoadModule()) << m_session.GetLastError();
        // A folder of this process's own: the tests run side by side.
        ASSERT_TRUE(m_folder.isValid());
        m_dir = m_folder.path().toStdString();
        WriteCapture(m_dir / "golden.vcd", -1);
        WriteCapture(m_dir / "faulty.vcd", kDifferenceRow);
        m_window = std::make_unique<CvxHostMainWindow>(m_session);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_compare = m_window->NewCompareWindow();
        ASSERT_NE(m_compare, nullptr);
        // Both captures read into one table, so that the second is compared with the first.
        auto source = std::make_unique<CvxVcdSource>();
        std::string error;
        ASSERT_TRUE(source->SetOption("table", "capture", error)) << error;
        ASSERT_TRUE(source->SetOption("file", (m_dir / "golden.vcd").string(), error)) << error;
        m_session.SetSource(std::move(source));
        ASSERT_TRUE(m_window->RunOnce());
        ASSERT_TRUE(m_compare->GetTool().ExecuteCommand(u"CopyReference"));
        ASSERT_TRUE(m_session.GetSource()->SetOption("file", (m_dir / "faulty.vcd").string(), error)) << error;
        ASSERT_TRUE(m_window->RunOnce());
        m_model = dynamic_cast<CvxPlugInViewerBase&>(m_compare->GetPlugIn()).GetDocument()->GetMvcModel();
        m_model->AddObserver(&m_recorder);
        CvxFindMgr::GetInstance().SetModel(CvxFindModel());
    }
    void TearDown() override
    {
        CvxDialog::PopDownAll();
        if (m_model != nullptr) {
            m_model->RemoveObserver(&m_recorder);
        }
        m_window.reset();
        m_session.RemoveAllTools();
        CvxFindMgr::GetInstance().SetModel(CvxFindModel());
        CvxUiServices::Uninstall();
    }

    QWidget* Pane(const char* name) const { return m_compare->findChild<QWidget*>(name); }
    QJsonObject Content(const char* name) const { return CvxUiDump::Dump(Pane(name), QString())["content"].toObject(); }
    Snapshot Look() const
    {
        Pane("CvxCompareDataView")->repaint();
        Pane("CvxCompareHeaderView")->repaint();
        Snapshot seen;
        const QJsonObject grid = Content("CvxCompareDataView");
        for (const QJsonValue& row : grid["rows"].toArray()) {
            if (row.toObject()["centre"].toBool()) {
                seen.centre = row.toObject()["sample"].toInteger();
            }
        }
        seen.originX = grid["originX"].toInt();
        const QJsonObject header = Content("CvxCompareHeaderView");
        seen.cells = static_cast<int>(header["cells"].toArray().size());
        seen.lines = header["lines"].toInt();
        return seen;
    }

    // Runs `action`, turning the event loop until a dialog shows (then answered: cancelled, or
    // accepted with `accept`) or a moment passes. The dialog's object name, empty for none.
    static QString DialogOf(const std::function<void()>& action, bool accept = false)
    {
        QString seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(window);
                if (dialog != nullptr && dialog->isVisible() && seen.isEmpty()) {
                    seen = dialog->objectName();
                    accept ? dialog->accept() : dialog->reject();
                }
            }
        });
        poll.start(5);
        action();
        for (int i = 0; i < 20 && seen.isEmpty(); ++i) {
            QTest::qWait(5);
        }
        QTest::qWait(10);
        return seen;
    }

    QAction* MenuItem(int number, const QString& title) const
    {
        const char* menu = "Compare";
        for (const CvxHostCommand& command : CvxHostCommands::Table()) {
            menu = command.number == number ? command.menu : menu;
        }
        auto* shown = m_window->findChild<QMenu*>(menu);
        emit shown->aboutToShow(); // enabled as the tool lists its commands now
        return shown->findChild<QAction*>(number != 0 ? QString::number(number) : title);
    }
    void RunQuietly(int number)
    {
        QAction* item = MenuItem(number, QString());
        ASSERT_TRUE(item->isEnabled()) << number;
        item->trigger();
    }
    CvxID BusD0() const
    {
        const CvxDataTable& table = m_session.GetData()->GetTable(0);
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(table.GetColumn(c).GetLabelID());
            if (label != nullptr && label->GetName() == u"top.d0") {
                return label->GetID();
            }
        }
        return CvxID();
    }
    void Prepare(unsigned arrange)
    {
        QWidget* header = Pane("CvxCompareHeaderView");
        QWidget* grid = Pane("CvxCompareDataView");
        if (arrange & kMiddle) {
            for (const char* name : {"VerticalScrollBar", "HorizontalScrollBar"}) {
                auto* bar = m_compare->findChild<QScrollBar*>(name);
                bar->setValue((bar->minimum() + bar->maximum()) / 2);
            }
        }
        if (arrange & (kAtStart | kAtEnd)) {
            RunQuietly(arrange & kAtStart ? 13 : 15);
        }
        if (arrange & (kSelect | kClipboard)) {
            header->repaint();
            const QJsonObject first = Content("CvxCompareHeaderView")["cells"].toArray()[0].toObject();
            const int x = first["left"].toInt() - Look().originX + 10;
            QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(std::max(1, x), header->height() - 3));
        }
        if (arrange & kClipboard) {
            RunQuietly(3);
            RunQuietly(7); // pasted back, it is a column again
            QCoreApplication::processEvents();
        }
        if (arrange & kChange) {
            m_linesBeforeChange = Look().lines;
            QWidget* corner = Pane("CvxCompareEmptyViewLeft");
            QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), corner->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(corner, &open);
            auto* menu = corner->findChild<QMenu*>("EmptyHeader");
            menu->findChild<QAction*>("35453")->trigger();
            menu->close();
        }
        if (arrange & kUserMarker) {
            EXPECT_EQ(DialogOf([&] { RunQuietly(30); }, true), QString("MarkerNewDlg"));
        }
        if (arrange & (kFindAhead | kFindBehind)) {
            CvxPatternModel pattern(CvxLabelChannel(BusD0()), 32, kBaseHex);
            std::string error;
            EXPECT_TRUE(pattern.Parse(arrange & kFindAhead ? u"6B" : u"5D", error)) << error; // 107, 93
            CvxFindModel find;
            find.AddPattern(pattern);
            CvxFindMgr::GetInstance().SetModel(find);
        }
        m_window->activateWindow(); // back from a menu or the dialog of the row before
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        if (arrange & kFocusHeader) {
            header->setFocus();
        }
        if (arrange & kFocusGrid) {
            grid->setFocus();
        }
        QCoreApplication::processEvents();
    }

    CvxHostSession m_session;
    QTemporaryDir m_folder;
    std::filesystem::path m_dir;
    std::unique_ptr<CvxHostMainWindow> m_window;
    CvxToolWindow* m_compare = nullptr;
    CvxMvcModel* m_model = nullptr;
    Recorder m_recorder;
    int m_linesBeforeChange = 0; // of the header, before the change a row undoes
};

} // namespace

TEST_F(CvxHostCommandsTest, EveryCommandSendsItsMessageAndShowsItsEffectFromItsMenuItemAndItsKeys)
{
    const struct Row {
        int number;          // the host command, or 0 for a named entry
        const char* title;   // the named entry
        int message;         // what reaches the model
        unsigned arrange;
        Effect effect;
        const char* dialog;  // the dialog it opens
    } rows[] = {
        {1, "", 114, kChange, kUndone, ""},
        {3, "", 160, kSelect, kCopied, ""},
        {4, "", 161, kClipboard, kPasted, ""},
        {6, "", 111, 0, kDialog, "LabelSelectionDlg"},
        {7, "", 112, kSelect, kDeleted, ""},
        {8, "", 113, kMiddle, kDialog, "ComparePropertySheet"},
        {9, "", 126, kSelect, kDialog, "SymbolsDlg"},
        {10, "", 147, kSelect, kDialog, "FindDlg"},
        {11, "", 148, kMiddle | kFindAhead, kFound, ""},
        {12, "", 149, kMiddle | kFindBehind, kFound, ""},
        {13, "", 132, kMiddle, kCentreFirst, ""},
        {14, "", 133, kMiddle, kCentreFirst, ""}, // a capture's trigger is its start
        {15, "", 134, kMiddle, kCentreLast, ""},
        {16, "", 127, 0, kDialog, "ViewerGotoDlg"},
        {30, "", 121, 0, kDialog, "MarkerNewDlg"},
        {31, "", 128, 0, kDialog, "MarkerPlaceDlg"},
        {32, "", 122, 0, kDialog, "MarkerGotoDlg"},
        {34, "", 130, kMiddle, kDialog, "ComparePropertySheet"},
        {35, "", 150, kUserMarker, kDialog, "MarkerDeleteDlg"},
        {50, "", 135, kMiddle, kCentreFirst, ""},
        {51, "", 136, kMiddle, kCentreLast, ""},
        {52, "", 137, kMiddle, kOriginZero, ""},
        {53, "", 138, kMiddle, kOriginEnd, ""},
        {54, "", 139, kMiddle, kPageUp, ""},
        {55, "", 140, kMiddle, kPageDown, ""},
        {56, "", 143, kMiddle, kOriginLeft, ""},
        {57, "", 144, kMiddle, kOriginRight, ""},
        {58, "", 141, kMiddle, kCentreUp, ""},
        {59, "", 142, kMiddle, kCentreDown, ""},
        {60, "", 158, kFocusHeader, kFocusToGrid, ""},
        {146, "", 158, kFocusGrid, kFocusToHeader, ""},
        {0, "Copy...", 170, 0, kDialog, "3430"},
        {0, "Range & Offset...", 173, 0, kDialog, "3424"},
        {0, "Next Difference", 171, kAtStart, kDifference, ""},
        {0, "Previous Difference", 172, kAtEnd, kDifference, ""},
    };
    QWidget* header = Pane("CvxCompareHeaderView");
    QWidget* grid = Pane("CvxCompareDataView");
    for (const Row& row : rows) {
        QKeySequence keys;
        for (const CvxHostCommand& command : CvxHostCommands::Table()) {
            keys = command.number == row.number ? command.keys : keys;
        }
        // From the menu item, then (where the command has keys) from the keys in the pane
        // that has the focus.
        for (const bool byKeys : {false, true}) {
            if (byKeys && keys.isEmpty()) {
                continue;
            }
            const std::string what = (row.number != 0 ? std::to_string(row.number) : row.title) + (byKeys ? " by its keys" : "");
            const bool focusGiven = (row.arrange & (kFocusHeader | kFocusGrid)) != 0;
            Prepare(focusGiven ? row.arrange : row.arrange | kFocusGrid);
            const Snapshot before = Look();
            m_recorder.types.clear();
            if (row.effect == kCopied) {
                QApplication::clipboard()->clear();
            }
            const QString dialog = DialogOf([&] {
                if (byKeys) {
                    QTest::keySequence(QApplication::focusWidget(), keys);
                    return;
                }
                QAction* item = MenuItem(row.number, row.title);
                ASSERT_NE(item, nullptr) << what;
                ASSERT_TRUE(item->isEnabled()) << what;
                item->trigger();
            });
            EXPECT_EQ(m_recorder.Count(row.message), 1) << what;
            EXPECT_EQ(dialog.toStdString(), row.dialog) << what;
            const Snapshot after = Look();
            switch (row.effect) {
            case kNothing:
            case kDialog: EXPECT_EQ(after.centre, before.centre) << what; break;
            case kCentreFirst: EXPECT_EQ(after.centre, 0) << what; break;
            case kCentreLast: EXPECT_EQ(after.centre, kRows - 1) << what; break;
            case kCentreUp: EXPECT_EQ(after.centre, before.centre - 1) << what; break;
            case kCentreDown: EXPECT_EQ(after.centre, before.centre + 1) << what; break;
            case kPageUp: EXPECT_LT(after.centre, before.centre - 1) << what; break;
            case kPageDown: EXPECT_GT(after.centre, before.centre + 1) << what; break;
            case kFound: EXPECT_EQ(after.centre, row.number == 11 ? 107 : 93) << what; break;
            case kDifference: EXPECT_EQ(after.centre, kDifferenceRow) << what; break;
            case kOriginZero: EXPECT_EQ(after.originX, 0) << what; break;
            case kOriginEnd: EXPECT_GT(after.originX, before.originX) << what; break;
            case kOriginLeft: EXPECT_LT(after.originX, before.originX) << what; break;
            case kOriginRight: EXPECT_GT(after.originX, before.originX) << what; break;
            case kFocusToGrid: EXPECT_EQ(QApplication::focusWidget(), grid) << what; break;
            case kFocusToHeader: EXPECT_EQ(QApplication::focusWidget(), header) << what; break;
            case kUndone:
                EXPECT_NE(before.lines, m_linesBeforeChange) << what;
                EXPECT_EQ(after.lines, m_linesBeforeChange) << what;
                break;
            case kCopied: EXPECT_TRUE(QApplication::clipboard()->text().contains("<Viewer")) << what; break;
            case kPasted: EXPECT_EQ(after.cells, before.cells + 1) << what; break;
            case kDeleted: EXPECT_EQ(after.cells, before.cells - 1) << what; break;
            }
            CvxDialog::PopDownAll();
        }
    }
}

namespace {

void Nodes(const QJsonObject& node, std::vector<QJsonObject>& all)
{
    all.push_back(node);
    for (const QJsonValue& child : node["children"].toArray()) {
        Nodes(child.toObject(), all);
    }
}

std::vector<QJsonObject> DumpedNodes()
{
    std::vector<QJsonObject> all;
    for (const QJsonValue& window : CvxUiDump::DumpAll()) {
        Nodes(window.toObject(), all);
    }
    return all;
}

} // namespace

// Tab is the Listing's own there; the View menu's Next Pane from outside the Compare window
// focuses its first listed pane (the header), and from there Tab and Shift+Tab (also as the
// Backtab key X11 sends) walk the header and the grid, wrapping both ways.
TEST_F(CvxHostCommandsTest, TabAndShiftTabWalkThePanesFromOutsideTheWindowAndWrap)
{
    QWidget* header = Pane("CvxCompareHeaderView");
    QWidget* grid = Pane("CvxCompareDataView");
    m_window->ShowListing();
    auto* listing = m_window->findChild<QTableView*>("ListingTable");
    listing->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), listing);
    m_recorder.types.clear();
    QTest::keyClick(listing, Qt::Key_Tab);
    EXPECT_EQ(m_recorder.Count(158), 0);
    EXPECT_EQ(QApplication::focusWidget(), listing);

    MenuItem(60, QString())->trigger();
    EXPECT_EQ(QApplication::focusWidget(), header);
    QTest::keyClick(header, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab); // from the last pane to the first
    EXPECT_EQ(QApplication::focusWidget(), header);
    QTest::keyClick(header, Qt::Key_Backtab, Qt::ShiftModifier); // from the first back to the last
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), header);
    EXPECT_EQ(m_recorder.Count(158), 5);

    listing->setFocus();
    MenuItem(146, QString())->trigger(); // outside the window Previous Pane starts at the first too
    EXPECT_EQ(QApplication::focusWidget(), header);
}

// A remote client reads the menu bar with the commands' keys, and an open context menu with
// its items in order (ids, texts, separators, enabled and checked), whose items it clicks by
// the menu's path.
TEST_F(CvxHostCommandsTest, TheUiDumpShowsTheMenuBarAndAnOpenContextMenu)
{
    std::map<QString, QJsonObject> byPath;
    for (const QJsonObject& node : DumpedNodes()) {
        byPath[node["path"].toString()] = node;
    }
    for (const CvxHostCommand& command : CvxHostCommands::Table()) {
        const QString path = QString("MainWindow/%1/%2").arg(command.menu).arg(command.number);
        ASSERT_EQ(byPath.count(path), 1U) << path.toStdString();
        EXPECT_EQ(byPath[path]["text"].toString(), QString(command.text));
        EXPECT_EQ(byPath[path]["shortcut"].toString(), command.keys.toString(QKeySequence::PortableText));
    }
    EXPECT_EQ(byPath["MainWindow/View/146"]["shortcut"].toString(), QString("Shift+Tab"));
    EXPECT_TRUE(byPath["MainWindow/View/52"]["enabled"].toBool()); // Ctrl+Home, with data

    QWidget* grid = Pane("CvxCompareDataView");
    grid->setFocus();
    QCursor::setPos(grid->mapToGlobal(QPoint(10, grid->height() / 2)));
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    const std::vector<QJsonObject> nodes = DumpedNodes();
    const auto menu = std::find_if(nodes.begin(), nodes.end(), [](const QJsonObject& n) { return n["name"] == "InsideColumn"; });
    ASSERT_NE(menu, nodes.end());
    EXPECT_TRUE((*menu)["path"].toString().endsWith("/CvxCompareDataView/InsideColumn")) << (*menu)["path"].toString().toStdString();
    QStringList items;
    for (const QJsonValue& item : (*menu)["children"].toArray()) {
        const QJsonObject i = item.toObject();
        const bool undo = i["name"] == "35404"; // enabled as the tool's history has it
        items << (i["separator"].toBool() ? QString("-")
                                          : i["name"].toString() + (i["enabled"].toBool() && !undo ? "+" : "") + (i["checked"].toBool() ? "*" : ""));
    }
    EXPECT_EQ(items.join(" "), QString("35404 - 35410+ 35462+ 35463+ 35411+ - 35454+ 35455+ 35456+ - 35407+"));

    auto* last = qobject_cast<QAction*>(CvxUiDump::Find("InsideColumn/35463"));
    ASSERT_NE(last, nullptr);
    last->trigger();
    EXPECT_EQ(Look().centre, kRows - 1);
    grid->findChild<QMenu*>("InsideColumn")->close();
}

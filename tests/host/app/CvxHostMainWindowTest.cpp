// The desktop host's main window with the real module and the simulated analyzer, on the
// offscreen platform: the menus and their keys, a run that fills the Listing and the status
// bar, a Compare window that copies a reference and counts an injected fault, a repetitive run
// that stops, a damaged setup that is told and leaves the session, a Compare window made after
// a setup load and a run that sizes its columns, and the source dialog that takes every option
// or none; preferences checked whole.

#include "../ui/CvxQtTestApp.h"

#include "CvxBase.h"
#include "CvxHostCommands.h"
#include "CvxHostMainWindow.h"
#include "CvxHostOptions.h"
#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxDefObserver.h"
#include "CvxListingLock.h"
#include "CvxListingModel.h"
#include "CvxMessageLockPosition.h"
#include "CvxMvcDefMsg.h"
#include "CvxMvcModel.h"
#include "CvxPlugInViewerBase.h"
#include "CvxSystemMgr.h"
#include "CvxMapi.h"
#include "CvxPreferencesDlg.h"
#include "CvxPrintCtrlBase.h"
#include "CvxPrintLayoutCtrl.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSourceDlg.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxVcdSource.h"
#include "CvxPlugInView.h"
#include "CvxToolWindow.h"
#include "CvxUiDump.h"
#include "CvxUiServices.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class CvxHostMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        QStandardPaths::setTestModeEnabled(true); // recent setups go to a test settings file
        ASSERT_TRUE(m_session.LoadModule()) << m_session.GetLastError();
        auto source = std::make_unique<CvxSimulatedAnalyzer>();
        std::string error;
        ASSERT_TRUE(source->SetOption("samples", "2000", error)) << error;
        m_session.SetSource(std::move(source));
        m_window = std::make_unique<CvxHostMainWindow>(m_session);
    }
    void TearDown() override
    {
        m_window.reset();
        m_session.RemoveAllTools();
    }
    QString Status(const char* name) const { return m_window->findChild<QLabel*>(name)->text(); }
    // A counter of the Compare window's status bar, as its view describes it.
    static QString Counter(const CvxToolWindow& window, int counter)
    {
        return window.GetView()->Describe()["counters"].toArray()[counter].toString();
    }
    bool SetSourceOption(const std::string& key, const std::string& value)
    {
        std::string error;
        return m_session.GetSource()->SetOption(key, value, error);
    }

    CvxHostSession m_session;
    std::unique_ptr<CvxHostMainWindow> m_window;
};

} // namespace

TEST_F(CvxHostMainWindowTest, MenusCarryTheirNamesAndKeys)
{
    for (const char* name : {"File", "Edit", "View", "Acquisition", "Markers", "Compare", "Window", "Help"}) {
        EXPECT_NE(m_window->findChild<QMenu*>(name), nullptr) << name;
    }
    const auto action = [&](const char* name) { return m_window->findChild<QAction*>(name); };
    for (const char* name : {"NewCompare", "OpenSetup", "SaveSetup", "SaveSetupAs", "OpenCaptures", "Quit", "Source",
                             "Run", "RepetitiveRun", "Stop", "Listing", "Tile", "Cascade", "Split", "About", "Preferences",
                             "HelpContents"}) {
        EXPECT_NE(action(name), nullptr) << name;
    }
    EXPECT_EQ(action("Run")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(action("RepetitiveRun")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
}

// The module's window library makes the tool's print controller, and File > Print and its
// neighbours act on the active Compare window through it.
TEST_F(CvxHostMainWindowTest, PrintEntriesActOnTheActiveCompareWindowsPrintController)
{
    auto* file = m_window->findChild<QMenu*>("File");
    const auto action = [&](const char* name) { return m_window->findChild<QAction*>(name); };
    for (const char* name : {"Print", "PrintPreview", "ExportPdf"}) {
        ASSERT_NE(action(name), nullptr) << name;
    }
    emit file->aboutToShow();
    EXPECT_FALSE(action("Print")->isEnabled());

    ASSERT_NE(m_window->NewCompareWindow(), nullptr);
    CvxPrintCtrlBase* controller = m_window->GetActivePrintCtrl();
    ASSERT_NE(controller, nullptr);
    EXPECT_NE(dynamic_cast<CvxPrintLayoutCtrl*>(controller), nullptr);
    emit file->aboutToShow();
    EXPECT_TRUE(action("ExportPdf")->isEnabled());
}

TEST_F(CvxHostMainWindowTest, RunFillsTheListingAndACompareWindowCountsAFault)
{
    CvxToolWindow* compare = m_window->NewCompareWindow();
    ASSERT_NE(compare, nullptr);
    m_window->findChild<QAction*>("Run")->trigger();
    EXPECT_EQ(Status("StatusAcquisitions"), QString("Acquisitions: 1"));
    EXPECT_EQ(m_window->GetListingModel()->rowCount(), static_cast<int>(m_session.GetData()->GetTable(0).GetRowCount()));
    EXPECT_EQ(m_window->GetListingModel()->headerData(0, Qt::Horizontal).toString(), QString("Time"));

    compare->GetTool().ExecuteCommand(u"CopyReference");
    ASSERT_TRUE(SetSourceOption("faults", "flip:DATA8:100:3"));
    ASSERT_TRUE(m_window->RunOnce());
    EXPECT_EQ(Counter(*compare, 3), QString("Differences: 1"));
}

TEST_F(CvxHostMainWindowTest, ARepetitiveRunGoesOnBetweenEventsUntilStopped)
{
    ASSERT_TRUE(SetSourceOption("interval", "0"));
    m_window->StartRepetitiveRun();
    EXPECT_EQ(Status("StatusRun"), QString("Running"));
    QTest::qWait(200);
    EXPECT_GE(m_session.GetRunCount(), 2); // the window took events in between
    m_window->findChild<QAction*>("Stop")->trigger();
    const std::int64_t runs = m_session.GetRunCount();
    QTest::qWait(50);
    EXPECT_EQ(m_session.GetRunCount(), runs);
    EXPECT_EQ(Status("StatusRun"), QString("Stopped"));
}

TEST_F(CvxHostMainWindowTest, ADamagedSetupIsToldAndLeavesTheSessionAsItWas)
{
    m_window->NewCompareWindow();
    ASSERT_TRUE(m_window->RunOnce());
    const std::filesystem::path bad = std::filesystem::temp_directory_path() / "cvx-host-test-damaged.cvxsetup";
    std::ofstream(bad) << "not a zip archive";
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    EXPECT_FALSE(m_window->OpenSetup(QString::fromStdString(bad.string())));
    std::filesystem::remove(bad);
    const auto recent = CvxInfoMgr::GetInstance().GetRecentMessages();
    ASSERT_FALSE(recent.empty());
    EXPECT_NE(recent.back().text.find(u"cvx-host-test-damaged.cvxsetup"), std::u16string::npos);
    EXPECT_EQ(m_session.GetToolCount(), 1U);
    EXPECT_EQ(m_window->GetToolWindows().size(), 1);
}

// A remote client's setup load and run reach the windows together, after both: the Compare
// window made then never saw the run's data message, and must still size the columns that the
// setup gives no width (a setup saved without a window has none).
TEST_F(CvxHostMainWindowTest, AWindowMadeAfterALoadAndARunSizesEveryColumn)
{
    CvxPlugInBase* tool = m_session.AddCompareTool();
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(m_session.Run());
    m_session.GetToolIFace(tool)->ExecuteCommand(u"CopyReference");
    const std::filesystem::path setup = std::filesystem::temp_directory_path() / "cvx-host-test-unsized.cvxsetup";
    ASSERT_TRUE(m_session.SaveSetup(setup)) << m_session.GetLastError();
    ASSERT_TRUE(m_session.LoadSetup(setup)) << m_session.GetLastError();
    std::filesystem::remove(setup);
    ASSERT_TRUE(m_session.Run());
    m_window->SyncWithSession();

    const QList<CvxToolWindow*> windows = m_window->GetToolWindows();
    ASSERT_EQ(windows.size(), 1);
    auto* header = windows.front()->findChild<QWidget*>("CvxCompareHeaderView");
    ASSERT_NE(header, nullptr);
    const QJsonObject dumped = CvxUiDump::Dump(header, QString());
    const QJsonArray cells = dumped["content"].toObject()["cells"].toArray();
    ASSERT_FALSE(cells.isEmpty());
    for (const QJsonValue& cell : cells) {
        EXPECT_GT(cell.toObject()["width"].toInt(), 0) << cell.toObject()["name"].toString().toStdString();
    }
}

TEST_F(CvxHostMainWindowTest, TheSourceDialogTakesEveryOptionOrNone)
{
    CvxSourceDlg dialog(m_session.GetSource(), m_window.get());
    auto* options = dialog.findChild<QTableWidget*>("Options");
    ASSERT_NE(options, nullptr);
    int samplesRow = -1;
    for (int row = 0; row < options->rowCount(); ++row) {
        if (options->item(row, 0)->text() == "samples") {
            samplesRow = row;
        }
    }
    ASSERT_GE(samplesRow, 0);
    EXPECT_EQ(options->item(samplesRow, 1)->text(), QString("2000")); // the current source's value

    options->item(samplesRow, 1)->setText("many");
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box->inherits("QMessageBox")) {
            static_cast<QDialog*>(box)->accept();
        }
    });
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open: nothing applied

    options->item(samplesRow, 1)->setText("3000");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    std::unique_ptr<CvxAcquisitionSource> source = dialog.TakeSource();
    ASSERT_NE(source, nullptr);
    bool found = false;
    for (const CvxSourceOption& option : source->GetOptions()) {
        found = found || (option.key == "samples" && option.value == "3000");
    }
    EXPECT_TRUE(found);
}

// Preferences are checked whole before any is applied, and OK hands them to the mail service
// and the host options (kept in a test-mode settings file).
TEST(CvxPreferencesDlg, RefusesBadValuesAndAppliesGoodOnesWhole)
{
    CvxQtTestApp();
    QStandardPaths::setTestModeEnabled(true);
    EXPECT_FALSE(CvxPreferencesDlg::Check("http://mail.example.org", "", "/tmp/cvx.log").isEmpty());
    EXPECT_TRUE(CvxPreferencesDlg::Check("", "/no/such/folder", "/tmp/cvx.log").contains("/no/such/folder"));
    EXPECT_TRUE(CvxPreferencesDlg::Check("", "", "/no/such/folder/cvx.log").contains("/no/such/folder/cvx.log"));
    EXPECT_TRUE(CvxPreferencesDlg::Check("smtps://mail.example.org:465", "/tmp", "/tmp/cvx.log").isEmpty());

    const CvxMailSettings before = CvxMapi::GetSettings();
    CvxPreferencesDlg dialog;
    dialog.findChild<QLineEdit*>("MailServer")->setText("ftp://nowhere");
    dialog.findChild<QLineEdit*>("MailSender")->setText("rig7@example.org");
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box->inherits("QMessageBox")) {
            static_cast<QDialog*>(box)->accept();
        }
    });
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(CvxMapi::GetSettings().sender, before.sender); // nothing applied

    dialog.findChild<QLineEdit*>("MailServer")->setText("smtp://127.0.0.1:2525");
    dialog.findChild<QCheckBox*>("GotoTriggerOnRun")->setChecked(false);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CvxMapi::GetSettings().serverUrl, "smtp://127.0.0.1:2525");
    EXPECT_EQ(CvxMapi::GetSettings().sender, "rig7@example.org");
    EXPECT_FALSE(CvxHostOptions::GetInstance().GetGotoTriggerOnRun());
    EXPECT_EQ(QSettings().value("mail/sender").toString(), QString("rig7@example.org"));

    QSettings().clear();
    CvxMapi::SetSettings(before);
    CvxHostOptions::GetInstance().Reset();
}

// Capture files are compared one per run; a repetitive run goes through them and stops after
// the last, and the status bar names the capture.
TEST_F(CvxHostMainWindowTest, CaptureFilesAreComparedOnePerRun)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "cvx-host-test-captures";
    std::filesystem::create_directories(dir);
    QStringList files;
    for (int f = 0; f < 3; ++f) {
        const std::filesystem::path path = dir / ("run" + std::to_string(f) + ".vcd");
        std::ofstream vcd(path);
        vcd << "$timescale 1ns $end\n$scope module top $end\n$var wire 8 ! data $end\n$upscope $end\n$enddefinitions $end\n";
        for (int t = 0; t < 50; ++t) {
            vcd << '#' << t * 10 << "\nb" << ((f == 1 && t == 20) ? "11111111" : (t % 2 != 0 ? "1010" : "101")) << " !\n";
        }
        files << QString::fromStdString(path.string());
    }
    CvxToolWindow* compare = m_window->NewCompareWindow();
    ASSERT_TRUE(m_window->OpenCaptures(files));
    compare->GetTool().ExecuteCommand(u"CopyReference");
    EXPECT_TRUE(Status("StatusSource").contains("capture 1 of 3 (run0.vcd)")) << Status("StatusSource").toStdString();

    m_window->StartRepetitiveRun();
    for (int i = 0; i < 100 && m_window->IsRepetitiveRunning(); ++i) {
        QTest::qWait(20);
    }
    EXPECT_FALSE(m_window->IsRepetitiveRunning());
    EXPECT_EQ(m_session.GetRunCount(), 3);
    EXPECT_TRUE(Status("StatusSource").contains("capture 3 of 3 (run2.vcd)")) << Status("StatusSource").toStdString();
    EXPECT_EQ(Counter(*compare, 3), QString("Differences: 0"));
    std::filesystem::remove_all(dir);
}

// The host's menus offer every command of the table; each is enabled exactly when the active
// Compare tool lists it enabled now, and runs through the tool's own command object.
TEST_F(CvxHostMainWindowTest, ToolMenusFollowWhatTheActiveToolListsNow)
{
    const auto action = [&](const QString& name) { return m_window->findChild<QAction*>(name); };
    for (const CvxHostCommand& command : CvxHostCommands::Table()) {
        auto* menu = m_window->findChild<QMenu*>(command.menu);
        ASSERT_NE(menu, nullptr) << command.menu;
        EXPECT_NE(menu->findChild<QAction*>(QString::number(command.number)), nullptr) << command.number;
    }
    for (const QString& entry : CvxHostCommands::ViewerEntries()) {
        EXPECT_NE(action(entry), nullptr) << entry.toStdString();
    }
    auto* compareMenu = m_window->findChild<QMenu*>("Compare");
    auto* markersMenu = m_window->findChild<QMenu*>("Markers");
    emit compareMenu->aboutToShow();
    EXPECT_FALSE(action("Copy...")->isEnabled()); // no Compare window yet

    CvxToolWindow* compare = m_window->NewCompareWindow();
    emit compareMenu->aboutToShow();
    emit markersMenu->aboutToShow();
    EXPECT_FALSE(action("Copy...")->isEnabled()); // no data yet
    EXPECT_FALSE(markersMenu->findChild<QAction*>("30")->isEnabled());
    ASSERT_TRUE(m_window->RunOnce());
    emit compareMenu->aboutToShow();
    emit markersMenu->aboutToShow();
    EXPECT_TRUE(action("Copy...")->isEnabled());
    EXPECT_FALSE(action("Range & Offset...")->isEnabled()); // the reference is empty
    EXPECT_TRUE(markersMenu->findChild<QAction*>("30")->isEnabled());
    EXPECT_FALSE(markersMenu->findChild<QAction*>("35")->isEnabled()); // no user marker to delete

    compare->GetTool().ExecuteCommand(u"CopyReference");
    emit compareMenu->aboutToShow();
    EXPECT_TRUE(action("Range & Offset...")->isEnabled());
    EXPECT_TRUE(m_window->ExecuteToolCommand(0, "Copy..."));
    EXPECT_FALSE(m_window->ExecuteToolCommand(4711, QString()));
}

// The tools learn from the host whether the trigger can be edited and on which buses/signals:
// the simulated analyzer's, not a capture file's. A trigger set through the session is the
// next acquisition's.
TEST_F(CvxHostMainWindowTest, TheTriggerIsTheSourcesOwn)
{
    ASSERT_TRUE(m_window->RunOnce());
    CvxID data8;
    const CvxDataTable& table = m_session.GetData()->GetTable(0);
    for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(table.GetColumn(c).GetLabelID());
        if (label != nullptr && label->GetName() == u"DATA8") {
            data8 = label->GetID();
        }
    }
    ASSERT_FALSE(data8.IsNull());
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_TRUE(ifaces.IsValidTriggerLabel(CvxLabelChannel(data8)));

    CvxPatternModel pattern{CvxLabelChannel(data8), 8, kBaseHex};
    std::string error;
    ASSERT_TRUE(pattern.Parse(u"5B", error));
    // A tool's quick trigger reaches the source through the host's trigger setter: one term.
    EXPECT_FALSE(ifaces.SetSimpleTrigger({pattern, pattern}, error));
    EXPECT_NE(error.find("one bus/signal at a time"), std::string::npos) << error;
    ASSERT_TRUE(ifaces.SetSimpleTrigger({pattern}, error)) << error;
    ASSERT_TRUE(m_window->RunOnce());
    const CvxDataTable& next = m_session.GetData()->GetTable(0);
    const CvxDataColumnComponent* column = m_session.GetData()->GetColumnWithLabelID(data8);
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetValue(next.GetTriggerRow()).Low64(), 0x5BU);

    // A capture file has no trigger at all, so none that is advanced; no bus/signal carries one.
    m_session.SetSource(std::make_unique<CvxVcdSource>());
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_FALSE(ifaces.IsValidTriggerLabel(CvxLabelChannel(data8)));
    EXPECT_FALSE(m_session.SetTrigger(pattern));
    EXPECT_NE(m_session.GetLastError().find("has no trigger"), std::string::npos) << m_session.GetLastError();
}

// A Compare window is the module's own view, made from the tool's view class; a setup that
// replaces the tools replaces their windows before the old tools go, and Tab (host command 60)
// moves the focus through the panes the window lists.
TEST_F(CvxHostMainWindowTest, CompareWindowsAreTheModulesViewsAndFollowTheTools)
{
    CvxToolWindow* compare = m_window->NewCompareWindow();
    ASSERT_NE(compare, nullptr);
    ASSERT_NE(compare->GetView(), nullptr) << compare->GetError().toStdString();
    EXPECT_STREQ(compare->GetView()->metaObject()->className(), "CvxCompareView");
    ASSERT_TRUE(m_window->RunOnce());

    // The windowed focus service, which the Tab command moves the focus with.
    struct Services {
        Services() { CvxUiServices::Install(); }
        ~Services() { CvxUiServices::Uninstall(); }
    } services;
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    auto* header = compare->findChild<QWidget*>("CvxCompareHeaderView");
    auto* grid = compare->findChild<QWidget*>("CvxCompareDataView");
    header->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), header);
    ASSERT_TRUE(m_window->ExecuteToolCommand(60, QString()));
    EXPECT_EQ(QApplication::focusWidget(), grid);
    ASSERT_TRUE(m_window->ExecuteToolCommand(60, QString()));
    EXPECT_EQ(QApplication::focusWidget(), header);

    const std::filesystem::path setup = std::filesystem::temp_directory_path() / "cvx-host-test-views.cvxsetup";
    ASSERT_TRUE(m_window->SaveSetup(QString::fromStdString(setup.string())));
    ASSERT_TRUE(m_window->OpenSetup(QString::fromStdString(setup.string())));
    std::filesystem::remove(setup);
    const QList<CvxToolWindow*> windows = m_window->GetToolWindows();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(&windows.front()->GetPlugIn(), m_session.GetTool(0));
    EXPECT_NE(windows.front()->GetView(), nullptr);
}

// The Listing locked to a Compare window: a row chosen in the Listing moves the Compare
// window's centre (the tool takes the Listing's position as a locked viewer's), and the
// tool's centre moves make the Listing's current row that sample. Unlocked, neither follows.
TEST_F(CvxHostMainWindowTest, TheListingLockedToACompareWindowMovesWithIt)
{
    CvxToolWindow* compare = m_window->NewCompareWindow();
    ASSERT_TRUE(m_window->RunOnce());
    m_window->ShowListing();
    auto* listing = m_window->findChild<QTableView*>("ListingTable");
    ASSERT_NE(listing, nullptr);
    struct Recorder : CvxDefObserver {
        void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
        std::vector<int> types;
    } recorder;
    CvxMvcModel* model = dynamic_cast<CvxPlugInViewerBase&>(compare->GetPlugIn()).GetDocument()->GetMvcModel();
    model->AddObserver(&recorder);
    constexpr int kCenterMoved = 11;
    const auto centreMoves = [&] { return std::count(recorder.types.begin(), recorder.types.end(), kCenterMoved); };

    listing->setCurrentIndex(m_window->GetListingModel()->index(40, 1));
    EXPECT_EQ(centreMoves(), 0); // not locked yet

    m_window->GetWorkspace()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(compare->parentWidget()));
    m_window->findChild<QAction*>("LockListing")->trigger();
    EXPECT_TRUE(m_window->findChild<QAction*>("LockListing")->isChecked());
    EXPECT_EQ(m_window->GetListingLock().GetLockedTool(), compare->GetPlugIn().GetInstanceID());
    listing->setCurrentIndex(m_window->GetListingModel()->index(300, 1));
    EXPECT_EQ(centreMoves(), 1);

    // The tool's centre move, as the tool announces it to the viewers locked to it.
    const CvxListingModel& rows = *m_window->GetListingModel();
    CvxMessageLockPosition moved(compare->GetPlugIn().GetInstanceID(), rows.PositionOfRow(1234));
    CvxSystemMgr::GetInstance().SendLockPosition(moved);
    EXPECT_EQ(listing->currentIndex().row(), 1234);
    EXPECT_EQ(centreMoves(), 1); // following sends nothing back

    m_window->findChild<QAction*>("LockListing")->trigger();
    EXPECT_TRUE(m_window->GetListingLock().GetLockedTool().IsNull());
    listing->setCurrentIndex(m_window->GetListingModel()->index(10, 1));
    CvxSystemMgr::GetInstance().SendLockPosition(moved);
    EXPECT_EQ(listing->currentIndex().row(), 10);
    EXPECT_EQ(centreMoves(), 1);
    model->RemoveObserver(&recorder);
}

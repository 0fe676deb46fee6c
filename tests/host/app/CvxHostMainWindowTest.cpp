// The desktop host's main window with the real module and the simulated analyzer, on the
// offscreen platform: the menus and their keys, a run that fills the Listing and the status
// bar, a Compare window that copies a reference and counts an injected fault, a repetitive run
// that stops, a damaged setup that is told and leaves the session, and the source dialog that
// takes every option or none.

#include "../ui/CvxQtTestApp.h"

#include "CvxHostMainWindow.h"
#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxListingModel.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSourceDlg.h"
#include "CvxToolWindow.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QTableWidget>
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
    for (const char* name : {"File", "Acquisition", "Window", "Help"}) {
        EXPECT_NE(m_window->findChild<QMenu*>(name), nullptr) << name;
    }
    const auto action = [&](const char* name) { return m_window->findChild<QAction*>(name); };
    for (const char* name : {"NewCompare", "OpenSetup", "SaveSetup", "SaveSetupAs", "OpenCaptures", "Quit", "Source",
                             "Run", "RepetitiveRun", "Stop", "Listing", "Tile", "Cascade", "About"}) {
        EXPECT_NE(action(name), nullptr) << name;
    }
    EXPECT_EQ(action("Run")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(action("RepetitiveRun")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
}

TEST_F(CvxHostMainWindowTest, RunFillsTheListingAndACompareWindowCountsAFault)
{
    CvxToolWindow* compare = m_window->NewCompareWindow();
    ASSERT_NE(compare, nullptr);
    m_window->findChild<QAction*>("Run")->trigger();
    EXPECT_EQ(Status("StatusAcquisitions"), QString("Acquisitions: 1"));
    EXPECT_EQ(m_window->GetListingModel()->rowCount(), static_cast<int>(m_session.GetData()->GetTable(0).GetRowCount()));
    EXPECT_EQ(m_window->GetListingModel()->headerData(0, Qt::Horizontal).toString(), QString("Time"));

    compare->Execute("CopyReference");
    ASSERT_TRUE(SetSourceOption("faults", "flip:DATA8:100:3"));
    ASSERT_TRUE(m_window->RunOnce());
    const QString counts = compare->findChild<QLabel*>("Counts")->text();
    EXPECT_TRUE(counts.contains(", 1 differences")) << counts.toStdString();
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

// The windowed host services on the offscreen platform: the clipboard both ways, the wait
// cursor and its delay, the cancel dialog that appears during long work and cancels it,
// message dialogs that also reach the host log, the desktop, the fonts and the help window.

#include "CvxQtTestApp.h"

#include "CvxCancelMgr.h"
#include "CvxClipboard.h"
#include "CvxDesktop.h"
#include "CvxFontMgr.h"
#include "CvxHelpMgr.h"
#include "CvxHelpWindow.h"
#include "CvxInfoDlg.h"
#include "CvxInfoMgr.h"
#include "CvxUiServices.h"
#include "CvxWaitCursor.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CvxUiServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxUiServices::Install();
    }
    void TearDown() override
    {
        CvxUiServices::Uninstall();
        CvxCancelMgr::GetInstance().Reset();
    }
    // Runs the event loop for `ms` milliseconds, as long work does through its event pumps.
    static void Pump(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    static QProgressDialog* CancelDialog()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog != nullptr && dialog->objectName() == "CancelDlg") {
                return dialog;
            }
        }
        return nullptr;
    }
};

} // namespace

TEST_F(CvxUiServicesTest, ClipboardTextGoesBothWays)
{
    CvxClipboard::SetText(u"DATA8\tADDR16\n5B\t00DF");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("DATA8\tADDR16\n5B\t00DF"));
    QGuiApplication::clipboard()->setText(QString::fromUtf8("pasted \xC2\xB5s"));
    EXPECT_EQ(CvxClipboard::GetText(), u"pasted \u00B5s");
}

TEST_F(CvxUiServicesTest, WaitCursorShowsAfterItsDelayAndOnlyOnceNested)
{
    {
        const CvxWaitCursor outer(50);
        const CvxWaitCursor inner(0); // nested: the outer one's delay holds
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        Pump(120);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        const CvxWaitCursor quick(1000); // over before its delay: never shown
    }
    Pump(20);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CvxUiServicesTest, LongWorkShowsACancelDialogWhoseButtonCancelsIt)
{
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    cancel.Enable();
    ASSERT_NE(CancelDialog(), nullptr);
    EXPECT_FALSE(CancelDialog()->isVisible()); // quick work shows nothing
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 700 && !cancel.IsCancelled()) {
    }
    ASSERT_TRUE(CancelDialog()->isVisible());
    EXPECT_FALSE(cancel.IsCancelledNoUpdate());
    auto* button = CancelDialog()->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(cancel.IsCancelled());
    cancel.Disable();
    Pump(10);
    EXPECT_EQ(CancelDialog(), nullptr);
}

TEST_F(CvxUiServicesTest, MessagesAreShownInABoxAndKeptInTheLog)
{
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    QString shown;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    CvxInfoDlg::Show(CvxInfoDlg::kDialogError, u"golden.cvxsetup: not a setup");
    EXPECT_EQ(shown, QString("golden.cvxsetup: not a setup"));
    const auto recent = CvxInfoMgr::GetInstance().GetRecentMessages();
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent.back().text, u"golden.cvxsetup: not a setup");
}

TEST_F(CvxUiServicesTest, DesktopAndFontsComeFromTheApplication)
{
    EXPECT_GT(CvxDesktop::GetInstance().GetWidth(), 0);
    const QString family = QApplication::font().family();
    const std::u16string face = CvxFontMgr::GetInstance().GetFontInfo(0).GetFaceName();
    EXPECT_EQ(QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size())), family);
}

TEST_F(CvxUiServicesTest, HelpShowsTopicsAndTheContentsForAnUnknownOne)
{
    CvxHelpMgr::ShowTopic(u"");
    CvxHelpWindow& help = CvxHelpWindow::Get();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.GetCurrentPage(), QString("index.html"));
    auto* page = help.findChild<QTextBrowser*>("HelpPage");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->toPlainText().contains("Contents"));

    CvxHelpMgr::ShowTopic(u"setups.htm");
    EXPECT_EQ(help.GetCurrentPage(), QString("setups.htm"));
    CvxHelpMgr::ShowTopic(u"no_such_page.htm");
    EXPECT_EQ(help.GetCurrentPage(), QString("index.html"));
    EXPECT_TRUE(page->toPlainText().contains("There is no help page no_such_page.htm."));
    help.close();
}

#include "CvxUiServices.h"

#include "CvxQtText.h"
#include "CvxCancelDialog.h"
#include "CvxCancelMgr.h"
#include "CvxClipboard.h"
#include "CvxDesktop.h"
#include "CvxFocusMgr.h"
#include "CvxFontMgr.h"
#include "CvxHelpMgr.h"
#include "CvxHelpWindow.h"
#include "CvxInfoDlg.h"
#include "CvxInfoMgr.h"
#include "CvxWaitCursor.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {

// 0x00BBGGRR, as the host's colours are kept.
int ColorRef(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}



struct State {
    std::unique_ptr<CvxCancelDialog> cancel;
    QPointer<QTimer> waitTimer;
    bool waitCursorShown = false;
};

State& TheState()
{
    static State state;
    return state;
}

void ShowMessage(int type, const std::u16string& text)
{
    // The log keeps what the user was told, also when the box is closed unread.
    CvxInfoMgr::GetInstance().LogMessage(type == CvxInfoDlg::kDialogError ? kMessageError : kMessageWarning, text);
    const QMessageBox::Icon icon = type == CvxInfoDlg::kDialogError     ? QMessageBox::Critical
                                   : type == CvxInfoDlg::kDialogWarning ? QMessageBox::Warning
                                                                         : QMessageBox::Information;
    QMessageBox box(icon, QApplication::applicationDisplayName(), CvxQt(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName("InfoDlg");
    box.exec();
}

int AskQuestion(const std::u16string& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), CvxQt(text),
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setObjectName("QuestionDlg");
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? CvxInfoDlg::kAnswerOk : CvxInfoDlg::kAnswerCancel;
}

void BeginWait(int delayMs)
{
    State& state = TheState();
    auto show = [] {
        State& s = TheState();
        if (!s.waitCursorShown && CvxWaitCursor::GetDepth() > 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            s.waitCursorShown = true;
        }
    };
    if (delayMs <= 0) {
        show();
        return;
    }
    // Long work keeps the event loop busy: the timer fires at the work's next event pump.
    state.waitTimer = new QTimer(qApp);
    state.waitTimer->setSingleShot(true);
    QObject::connect(state.waitTimer, &QTimer::timeout, qApp, show);
    state.waitTimer->start(delayMs);
}

void EndWait()
{
    State& state = TheState();
    delete state.waitTimer.data();
    if (state.waitCursorShown) {
        QApplication::restoreOverrideCursor();
        state.waitCursorShown = false;
    }
}

void ReadDesktop()
{
    CvxDesktop& desktop = CvxDesktop::GetInstance();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        desktop.SetWidth(screen->virtualGeometry().width());
    }
    const QPalette palette = QApplication::palette();
    desktop.SetSysColor(kSysColorWindow, ColorRef(palette.color(QPalette::Base)));
    desktop.SetSysColor(kSysColorWindowText, ColorRef(palette.color(QPalette::Text)));
    desktop.SetSysColor(kSysColorHighlight, ColorRef(palette.color(QPalette::Highlight)));
    desktop.SetSysColor(kSysColorHighlightText, ColorRef(palette.color(QPalette::HighlightedText)));
    desktop.SetSysColor(kSysColorGrayText, ColorRef(palette.color(QPalette::Disabled, QPalette::Text)));
}

void ReadFonts()
{
    // Font 0 is the application font; the label and data fonts are the system's fixed font.
    CvxFontMgr& fonts = CvxFontMgr::GetInstance();
    const QFont app = QApplication::font();
    fonts.SetFontInfo(0, CvxFontInfo(CvxU16(app.family()), app.pointSize()));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const int number : {CvxFontMgr::kLabelFont, CvxFontMgr::kDataFont}) {
        fonts.SetFontInfo(number, CvxFontInfo(CvxU16(fixed.family()), fixed.pointSize() > 0 ? fixed.pointSize() : 9));
    }
}

} // namespace

void CvxUiServices::Install()
{
    CvxInfoDlg::SetHook(ShowMessage);
    CvxInfoDlg::SetQuestionHook(AskQuestion);
    CvxHelpMgr::SetHook([](const std::u16string& topic) { CvxHelpWindow::Get().ShowTopic(CvxQt(topic)); });
    CvxWaitCursor::SetHooks(BeginWait, EndWait);
    CvxFocusMgr::GetInstance().SetHooks([] { return static_cast<void*>(QApplication::focusWidget()); },
                                        [](void* window) {
                                            if (auto* widget = static_cast<QWidget*>(window)) {
                                                widget->setFocus(Qt::OtherFocusReason);
                                            }
                                        });
    CvxClipboard::SetHooks([](const std::u16string& text) { QGuiApplication::clipboard()->setText(CvxQt(text)); },
                           [] { return CvxU16(QGuiApplication::clipboard()->text()); });
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    cancel.SetPumpHook([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
    cancel.SetWatchHooks([] { TheState().cancel = std::make_unique<CvxCancelDialog>(QApplication::activeWindow()); },
                         [] { TheState().cancel.reset(); });
    ReadDesktop();
    ReadFonts();
}

void CvxUiServices::Uninstall()
{
    CvxInfoDlg::SetHook({});
    CvxInfoDlg::SetQuestionHook({});
    CvxHelpMgr::SetHook({});
    CvxWaitCursor::SetHooks({}, {});
    CvxFocusMgr::GetInstance().Reset();
    CvxClipboard::SetHooks({}, {});
    CvxCancelMgr::GetInstance().SetPumpHook({});
    CvxCancelMgr::GetInstance().SetWatchHooks({}, {});
    TheState().cancel.reset();
    EndWait();
    CvxDesktop::GetInstance().Reset();
    CvxFontMgr::GetInstance().Reset();
}

#include "CvxHostRemote.h"

#include "CvxCancelMgr.h"
#include "CvxHostCommands.h"
#include "CvxHostMainWindow.h"
#include "CvxHostSession.h"
#include "CvxMenuCmd.h"
#include "CvxPlugInBase.h"
#include "CvxRemoteServer.h"
#include "CvxScpiErrorQueue.h"
#include "CvxScpiParser.h"
#include "CvxStringConvert.h"
#include "CvxToolWindow.h"
#include "CvxUiDump.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using Outcome = CvxRemoteCommands::EvxOutcome;
using Client = CvxRemoteCommands::Client;

namespace {

constexpr int kTurnMs = 15;

bool Arguments(const CvxScpiCommand& command, std::size_t least, std::size_t most, Client& client)
{
    if (command.arguments.size() < least) {
        client.errors.Push(CvxScpiErrorQueue::kMissingParameter, command.header);
        return false;
    }
    if (command.arguments.size() > most) {
        client.errors.Push(CvxScpiErrorQueue::kParameterNotAllowed, command.header);
        return false;
    }
    return true;
}

QString Text(const CvxScpiArgument& argument)
{
    return QString::fromStdString(argument.text);
}

void Refuse(Client& client, const std::string& why)
{
    client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue, why);
}

// The enabled action whose shortcut is `keys` and acts where `widget` has the focus, as Qt's
// shortcut map would pick it: an action of the widget or of a parent up to its window (one
// bound to the widget alone only on the widget), or one of the window's menus that acts in the
// whole window (a menu's display-only keys do not). None while a modal dialog other than the
// widget's window is open.
QAction* ShortcutFor(QWidget* widget, const QKeySequence& keys)
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != widget->window()) {
        return nullptr;
    }
    const auto matches = [&](QAction* action) { return action->isEnabled() && action->shortcut() == keys; };
    std::function<QAction*(QMenu*)> inMenu = [&](QMenu* menu) -> QAction* {
        for (QAction* action : menu->actions()) {
            const Qt::ShortcutContext context = action->shortcutContext();
            if (matches(action) && (context == Qt::WindowShortcut || context == Qt::ApplicationShortcut)) {
                return action;
            }
            if (QAction* found = action->menu() != nullptr ? inMenu(action->menu()) : nullptr) {
                return found;
            }
        }
        return nullptr;
    };
    for (QWidget* w = widget; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
        for (QAction* action : w->actions()) {
            if (matches(action) && (action->shortcutContext() != Qt::WidgetShortcut || w == widget)) {
                return action;
            }
        }
        for (QObject* child : w->children()) {
            QAction* found = nullptr;
            if (auto* menu = qobject_cast<QMenu*>(child)) {
                found = inMenu(menu);
            } else if (auto* bar = qobject_cast<QMenuBar*>(child)) {
                for (QAction* top : bar->actions()) {
                    found = found == nullptr && top->menu() != nullptr ? inMenu(top->menu()) : found;
                }
            }
            if (found != nullptr) {
                return found;
            }
        }
    }
    return nullptr;
}

bool SetValue(QObject* target, const QString& value)
{
    // A composite control (a numeric or text edit with its keypad button) takes the value in
    // its edit.
    if (auto* widget = qobject_cast<QWidget*>(target); widget != nullptr && widget->metaObject() == &QWidget::staticMetaObject) {
        if (auto* inner = widget->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
            target = inner;
        } else if (auto* text = widget->findChild<QPlainTextEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
            text->setPlainText(value);
            return true;
        }
    }
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->setText(value);
        emit edit->editingFinished();
        return true;
    }
    if (auto* check = qobject_cast<QCheckBox*>(target)) {
        const QString v = value.toLower();
        check->setChecked(v == "1" || v == "true" || v == "t" || v == "on");
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(target)) {
        const int index = combo->findText(value);
        if (index < 0 && !combo->isEditable()) {
            return false;
        }
        index >= 0 ? combo->setCurrentIndex(index) : combo->setEditText(value);
        return true;
    }
    if (auto* spin = qobject_cast<QSpinBox*>(target)) {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < spin->minimum() || v > spin->maximum()) {
            return false;
        }
        spin->setValue(v);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(target)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == value) {
                tabs->setCurrentIndex(i);
                return true;
            }
        }
        return false;
    }
    if (auto* list = qobject_cast<QListWidget*>(target)) {
        const auto items = list->findItems(value, Qt::MatchExactly);
        if (items.isEmpty()) {
            return false;
        }
        list->setCurrentItem(items.front());
        return true;
    }
    return false;
}

} // namespace

CvxHostRemote::CvxHostRemote(CvxHostSession& session, CvxHostMainWindow& window, QObject* parent)
    : QObject(parent), m_session(session), m_window(window), m_server(std::make_unique<CvxRemoteServer>(session))
{
    m_server->SetModel("cvx-host");
    AddWindowCommands();
    // While a dialog is open, what would replace the tools or the data it shows waits.
    m_server->SetGate([](const CvxScpiCommand& command) -> std::string {
        if (QApplication::activeModalWidget() == nullptr) {
            return {};
        }
        for (const char* pattern : {"RUN", "RUN:REPetitive", "SYSTem:SETup:LOAD", "TOOL:NEW", "TOOL:COMMand", "TOOL:MENU"}) {
            if (CvxScpiParser::Matches(pattern, command.header)) {
                return "a dialog is open (" + QApplication::activeModalWidget()->objectName().toStdString()
                       + "): close it first";
            }
        }
        return {};
    });
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CvxHostRemote::Turn);
}

CvxHostRemote::~CvxHostRemote() = default;

bool CvxHostRemote::Listen(int port, std::string& error)
{
    if (!m_server->Listen("127.0.0.1", port, &error)) {
        return false;
    }
    m_timer->start(kTurnMs);
    return true;
}

int CvxHostRemote::GetPort() const
{
    return m_server->GetPort();
}

void CvxHostRemote::Turn()
{
    if (m_inTurn || m_session.IsRunning() || CvxCancelMgr::GetInstance().IsEnabled()) {
        return;
    }
    m_inTurn = true;
    m_server->Turn(0);
    m_inTurn = false;
    CatchUp();
}

void CvxHostRemote::CatchUp()
{
    // Runs, setups and tools a client made show in the windows.
    if (m_session.GetRunCount() != m_seenRuns || m_session.GetToolGeneration() != m_seenTools) {
        m_seenRuns = m_session.GetRunCount();
        m_seenTools = m_session.GetToolGeneration();
        m_window.SyncWithSession();
    }
}

void CvxHostRemote::AddWindowCommands()
{
    // Window commands see the windows of what the commands before them in the same turn did.
    m_server->AddCommand("SYSTem:UI:DUMP?", [this](const CvxScpiCommand& command, Client& client) {
        CatchUp();
        if (Arguments(command, 0, 0, client)) {
            const QByteArray json = QJsonDocument(CvxUiDump::DumpAll()).toJson(QJsonDocument::Compact);
            client.replies.push_back(CvxScpiParser::FormatBlock(std::string_view(json.constData(), static_cast<std::size_t>(json.size()))));
        }
        return Outcome::Done;
    });
    m_server->AddCommand("SYSTem:UI:SCReenshot", [this](const CvxScpiCommand& command, Client& client) {
        CatchUp();
        if (!Arguments(command, 1, 2, client)) {
            return Outcome::Done;
        }
        QWidget* window = &m_window;
        if (command.arguments.size() == 2) {
            auto* found = qobject_cast<QWidget*>(CvxUiDump::Find(Text(command.arguments[1])));
            if (found == nullptr) {
                Refuse(client, "no window " + CvxScpiParser::QuoteString(command.arguments[1].text));
                return Outcome::Done;
            }
            window = found;
        }
        if (!window->grab().save(Text(command.arguments[0]), "PNG")) {
            client.errors.Push(CvxScpiErrorQueue::kMassStorageError, "cannot write " + command.arguments[0].text);
        }
        return Outcome::Done;
    });
    m_server->AddCommand("SYSTem:UI:KEY", [this](const CvxScpiCommand& command, Client& client) {
        if (!Arguments(command, 1, 1, client)) {
            return Outcome::Done;
        }
        const QKeySequence keys = QKeySequence::fromString(Text(command.arguments[0]), QKeySequence::PortableText);
        if (keys.isEmpty()) {
            Refuse(client, "not a key sequence: " + CvxScpiParser::QuoteString(command.arguments[0].text));
            return Outcome::Done;
        }
        // Posted: a key may open a dialog, whose loop must not run inside this command.
        QTimer::singleShot(0, &m_window, [this, keys] {
            // An open menu takes the keys, as it takes them from the keyboard.
            if (QWidget* popup = QApplication::activePopupWidget()) {
                QTest::keySequence(popup, keys);
                return;
            }
            QWidget* target = QApplication::focusWidget();
            target = target != nullptr ? target : QApplication::activeModalWidget();
            target = target != nullptr ? target : QApplication::activeWindow();
            // With no window active (an X server without a window manager), the widget that
            // has the focus within the main window.
            target = target != nullptr ? target : m_window.focusWidget();
            target = target != nullptr ? target : &m_window;
            // A shortcut of the focused widget or one of its windows takes the keys first, as
            // it does when they are typed.
            if (QAction* action = ShortcutFor(target, keys)) {
                action->trigger();
            } else {
                QTest::keySequence(target, keys);
            }
        });
        return Outcome::Done;
    });
    m_server->AddCommand("SYSTem:UI:CLICk", [this](const CvxScpiCommand& command, Client& client) {
        CatchUp();
        if (!Arguments(command, 1, 1, client)) {
            return Outcome::Done;
        }
        QObject* target = CvxUiDump::Find(Text(command.arguments[0]));
        auto* widget = qobject_cast<QWidget*>(target);
        auto* action = qobject_cast<QAction*>(target);
        QWidget* modal = QApplication::activeModalWidget();
        const bool blocked = modal != nullptr && (widget == nullptr || widget->window() != modal);
        if (target == nullptr || blocked || (widget != nullptr && !widget->isEnabled()) || (action != nullptr && !action->isEnabled())) {
            Refuse(client, (target == nullptr ? "no control " : blocked ? "behind an open dialog: " : "disabled: ")
                               + CvxScpiParser::QuoteString(command.arguments[0].text));
            return Outcome::Done;
        }
        QTimer::singleShot(0, target, [target] {
            if (auto* button = qobject_cast<QAbstractButton*>(target)) {
                button->click();
            } else if (auto* act = qobject_cast<QAction*>(target)) {
                // An open menu closes first, as a click on its item closes it.
                while (QWidget* popup = QApplication::activePopupWidget()) {
                    popup->close();
                }
                act->trigger();
            } else if (auto* w = qobject_cast<QWidget*>(target)) {
                QTest::mouseClick(w, Qt::LeftButton);
            }
        });
        return Outcome::Done;
    });
    m_server->AddCommand("SYSTem:UI:SET", [this](const CvxScpiCommand& command, Client& client) {
        CatchUp();
        if (!Arguments(command, 2, 2, client)) {
            return Outcome::Done;
        }
        QObject* target = CvxUiDump::Find(Text(command.arguments[0]));
        if (target == nullptr || !SetValue(target, Text(command.arguments[1]))) {
            Refuse(client, "cannot set " + CvxScpiParser::QuoteString(command.arguments[0].text) + " to "
                               + CvxScpiParser::QuoteString(command.arguments[1].text));
        }
        return Outcome::Done;
    });
    m_server->AddCommand("SYSTem:EXIT", [this](const CvxScpiCommand& command, Client& client) {
        if (Arguments(command, 0, 0, client)) {
            QTimer::singleShot(0, &m_window, [this] { m_window.close(); });
        }
        return Outcome::Done;
    });
    m_server->AddCommand("TOOL:NEW", [this](const CvxScpiCommand& command, Client& client) {
        if (!Arguments(command, 1, 1, client)) {
            return Outcome::Done;
        }
        if (command.arguments[0].text != "Compare") {
            Refuse(client, "no tool kind " + CvxScpiParser::QuoteString(command.arguments[0].text) + " (Compare)");
        } else if (m_window.NewCompareWindow(false) == nullptr) {
            client.errors.Push(CvxScpiErrorQueue::kExecutionError, "no Compare window: " + m_session.GetLastError());
        }
        return Outcome::Done;
    });
    const auto toolCommand = [this](const CvxScpiCommand& command, Client& client, bool byNumber) {
        if (!Arguments(command, 2, 2, client)) {
            return Outcome::Done;
        }
        CvxPlugInBase* tool = m_session.FindTool(CvxStringConvert::FromUtf8(command.arguments[0].text));
        if (tool == nullptr) {
            Refuse(client, "no tool named " + CvxScpiParser::QuoteString(command.arguments[0].text));
            return Outcome::Done;
        }
        bool ok = true;
        const int number = byNumber ? Text(command.arguments[1]).toInt(&ok) : 0;
        CvxMenuCmd* cmd = ok ? CvxHostCommands::Find(*tool, number, byNumber ? QString() : Text(command.arguments[1])) : nullptr;
        if (cmd == nullptr || !cmd->IsEnabled()) {
            Refuse(client, "the tool lists no enabled command " + CvxScpiParser::QuoteString(command.arguments[1].text) + " now");
            return Outcome::Done;
        }
        // Posted: the command may open a dialog. It is looked up again then, since what runs
        // before it (the rest of this message) may have replaced the tool.
        const std::u16string toolName = CvxStringConvert::FromUtf8(command.arguments[0].text);
        const QString title = byNumber ? QString() : Text(command.arguments[1]);
        QTimer::singleShot(0, &m_window, [this, toolName, number, title] {
            CvxPlugInBase* now = m_session.FindTool(toolName);
            if (CvxMenuCmd* again = now != nullptr ? CvxHostCommands::Find(*now, number, title) : nullptr;
                again != nullptr && again->IsEnabled()) {
                again->Execute();
            }
            m_window.SyncWithSession();
        });
        return Outcome::Done;
    };
    m_server->AddCommand("TOOL:COMMand", [toolCommand](const CvxScpiCommand& c, Client& cl) { return toolCommand(c, cl, true); });
    m_server->AddCommand("TOOL:MENU", [toolCommand](const CvxScpiCommand& c, Client& cl) { return toolCommand(c, cl, false); });
}

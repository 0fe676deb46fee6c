#include "CvxHostMainWindow.h"

#include "CvxQtText.h"
#include "CvxAcquisitionSource.h"
#include "CvxCancelMgr.h"
#include "CvxHelpMgr.h"
#include "CvxHostCommands.h"
#include "CvxDialog.h"
#include "CvxHostSession.h"
#include "CvxInfoDlg.h"
#include "CvxInfoMgr.h"
#include "CvxListingLock.h"
#include "CvxListingModel.h"
#include "CvxLogPane.h"
#include "CvxHostPrintMenu.h"
#include "CvxMenuCmd.h"
#include "CvxPreferencesDlg.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInView.h"
#include "CvxSourceDlg.h"
#include "CvxStringConvert.h"
#include "CvxToolWindow.h"
#include "CvxWaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

constexpr int kRecentSetups = 6;

} // namespace

CvxHostMainWindow::CvxHostMainWindow(CvxHostSession& session, QWidget* parent)
    : QMainWindow(parent), m_session(session)
{
    setObjectName("MainWindow");
    setWindowTitle(QApplication::applicationDisplayName());
    m_workspace = new QMdiArea(this);
    m_workspace->setObjectName("Workspace");
    m_workspace->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_workspace);
    connect(m_workspace, &QMdiArea::subWindowActivated, this, [this] { Refresh(); });
    m_listing = new CvxListingModel(this);
    m_lock = std::make_unique<CvxListingLock>(*m_listing);

    auto* log = new QDockWidget(tr("Log"), this);
    log->setObjectName("LogPane");
    log->setWidget(new CvxLogPane(log));
    addDockWidget(Qt::BottomDockWidgetArea, log);
    resizeDocks({log}, {110}, Qt::Vertical);

    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName("StatusSource");
    m_runLabel = new QLabel(this);
    m_runLabel->setObjectName("StatusRun");
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName("StatusAcquisitions");
    statusBar()->addWidget(m_sourceLabel, 1);
    statusBar()->addPermanentWidget(m_runLabel);
    statusBar()->addPermanentWidget(m_countLabel);

    m_repetitive = new QTimer(this);
    m_repetitive->setSingleShot(false);
    connect(m_repetitive, &QTimer::timeout, this, &CvxHostMainWindow::RepetitiveTurn);

    BuildMenus();
    resize(1280, 800);
    // A tool's window observes the tool's model: it closes before the tool goes.
    m_session.SetToolRemovalHook([this](CvxPlugInBase& tool) {
        CvxDialog::PopDownAll(); // no dialog outlives the window it works on
        CloseToolWindow(tool);
        m_lock->ToolRemoved(tool);
        findChild<QAction*>("LockListing")->setChecked(!m_lock->GetLockedTool().IsNull());
    });
    Refresh();
}

CvxHostMainWindow::~CvxHostMainWindow()
{
    m_session.SetToolRemovalHook({});
    m_lock.reset();
    for (QMdiSubWindow* sub : m_workspace->subWindowList()) {
        delete sub;
    }
}

void CvxHostMainWindow::CloseToolWindow(CvxPlugInBase& tool)
{
    for (QMdiSubWindow* sub : m_workspace->subWindowList()) {
        if (auto* window = qobject_cast<CvxToolWindow*>(sub->widget()); window != nullptr && &window->GetPlugIn() == &tool) {
            delete sub;
        }
    }
}

QMdiSubWindow* CvxHostMainWindow::AddToolWindow(CvxPlugInBase& tool, CvxStdToolCmdIFace& iface, bool tell)
{
    const QString name = CvxQt(tool.GetName());
    auto* window = new CvxToolWindow(name, tool, iface);
    if (window->GetView() == nullptr) {
        const QString error = tr("%1: %2").arg(name, window->GetError());
        delete window;
        if (tell) {
            CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(error));
        } else {
            CvxInfoMgr::GetInstance().LogMessage(kMessageError, CvxU16(error));
        }
        return nullptr;
    }
    connect(window, &CvxToolWindow::CommandExecuted, this, [this] { Refresh(); });
    QMdiSubWindow* sub = m_workspace->addSubWindow(window);
    sub->setObjectName(name + " Window");
    sub->resize(760, 420);
    sub->show();
    return sub;
}

bool CvxHostMainWindow::DoLongWork(const std::function<bool()>& work)
{
    // The wait cursor after a moment, and the cancel service enabled, so that the progress
    // dialog with its Cancel button appears when the work takes long. What arrives through its
    // event pumps meanwhile (a second Run, a remote command) sees the window busy.
    // The menus and windows take no input meanwhile; the cancel dialog is a window of its own.
    struct Busy {
        explicit Busy(CvxHostMainWindow& w) : window(w)
        {
            window.m_busy = true;
            window.menuBar()->setEnabled(false);
            window.m_workspace->setEnabled(false);
            CvxCancelMgr::GetInstance().Enable();
        }
        ~Busy()
        {
            CvxCancelMgr::GetInstance().Disable();
            window.m_workspace->setEnabled(true);
            window.menuBar()->setEnabled(true);
            window.m_busy = false;
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        CvxHostMainWindow& window;
    } busy(*this);
    const CvxWaitCursor wait(300);
    return work();
}

QMenu* CvxHostMainWindow::AddMenu(const QString& name, const QString& title)
{
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

void CvxHostMainWindow::BuildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
        }
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = AddMenu("File", tr("&File"));
    add(file, "NewCompare", tr("&New Compare Window"), QKeySequence::New, [this] { NewCompareWindow(); });
    add(file, "OpenSetup", tr("&Open Setup..."), QKeySequence::Open, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Setup"), QString(), tr("Setups (*.cvxsetup)"));
        if (!path.isEmpty()) {
            OpenSetup(path);
        }
    });
    add(file, "SaveSetup", tr("&Save Setup"), QKeySequence::Save, [this] {
        const QString path = m_setupPath.isEmpty()
                                 ? QFileDialog::getSaveFileName(this, tr("Save Setup"), QString(), tr("Setups (*.cvxsetup)"))
                                 : m_setupPath;
        if (!path.isEmpty()) {
            SaveSetup(path);
        }
    });
    add(file, "SaveSetupAs", tr("Save Setup &As..."), QKeySequence::SaveAs, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save Setup As"), m_setupPath, tr("Setups (*.cvxsetup)"));
        if (!path.isEmpty()) {
            SaveSetup(path);
        }
    });
    add(file, "OpenCaptures", tr("Open &Capture Files..."), QKeySequence(), [this] {
        const QStringList paths = QFileDialog::getOpenFileNames(this, tr("Open Capture Files"), QString(),
                                                                tr("Captures (*.vcd *.sr *.csv);;All files (*)"));
        if (!paths.isEmpty()) {
            OpenCaptures(paths);
        }
    });
    m_recent = file->addMenu(tr("&Recent Setups"));
    m_recent->setObjectName("RecentSetups");
    FillRecentMenu();
    file->addSeparator();
    CvxHostPrintMenu::Add(*file, *this, [this] { return GetActivePrintCtrl(); });
    file->addSeparator();
    add(file, "Preferences", tr("Pr&eferences..."), QKeySequence(), [this] {
        CvxPreferencesDlg dialog(this);
        dialog.exec();
    });
    file->addSeparator();
    add(file, "Quit", tr("&Quit"), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = AddMenu("Edit", tr("&Edit"));
    AddToolCommands(edit);
    QMenu* view = AddMenu("View", tr("&View"));
    AddToolCommands(view);

    QMenu* acquisition = AddMenu("Acquisition", tr("&Acquisition"));
    add(acquisition, "Source", tr("&Source..."), QKeySequence(), [this] {
        CvxSourceDlg dialog(m_session.GetSource(), this);
        if (dialog.exec() == QDialog::Accepted && !m_busy) {
            m_session.SetSource(dialog.TakeSource());
            m_captures.clear();
            Refresh();
        }
    });
    acquisition->addSeparator();
    add(acquisition, "Run", tr("&Run"), QKeySequence(Qt::Key_F5), [this] { RunOnce(); });
    add(acquisition, "RepetitiveRun", tr("Re&petitive Run"), QKeySequence(Qt::SHIFT | Qt::Key_F5),
        [this] { StartRepetitiveRun(); });
    add(acquisition, "Stop", tr("S&top"), QKeySequence(Qt::Key_Escape), [this] { StopRun(); });

    QMenu* markers = AddMenu("Markers", tr("&Markers"));
    AddToolCommands(markers);
    QMenu* compare = AddMenu("Compare", tr("&Compare"));
    for (const QString& entry : CvxHostCommands::ViewerEntries()) {
        QAction* action = compare->addAction(QString(entry).replace("&", "&&"));
        action->setObjectName(entry);
        connect(action, &QAction::triggered, this, [this, entry] { ExecuteToolCommand(0, entry); });
    }
    connect(compare, &QMenu::aboutToShow, this, [this, compare] { EnableToolCommands(compare); });

    QMenu* window = AddMenu("Window", tr("&Window"));
    add(window, "Listing", tr("&Listing"), QKeySequence(), [this] { ShowListing(); });
    window->addSeparator();
    add(window, "Tile", tr("&Tile"), QKeySequence(), [this] { m_workspace->tileSubWindows(); });
    add(window, "Cascade", tr("&Cascade"), QKeySequence(), [this] { m_workspace->cascadeSubWindows(); });
    QAction* lock = add(window, "LockListing", tr("Lock Listing to &Compare Window"), QKeySequence(),
                        [this] { LockListing(findChild<QAction*>("LockListing")->isChecked()); });
    lock->setCheckable(true);
    add(window, "Split", tr("S&plit"), QKeySequence(), [this] {
        if (CvxToolWindow* tool = GetActiveToolWindow(); tool != nullptr && tool->GetView() != nullptr) {
            tool->GetView()->StartSplit();
        }
    });

    QMenu* help = AddMenu("Help", tr("&Help"));
    add(help, "HelpContents", tr("&Contents"), QKeySequence::HelpContents, [] { CvxHelpMgr::ShowTopic(u""); });
    add(help, "About", tr("&About"), QKeySequence(), [this] {
        QMessageBox::about(this, tr("About %1").arg(QApplication::applicationDisplayName()),
                           tr("<b>%1</b> %2<p>Compares logic-analyzer acquisitions against a reference.")
                               .arg(QApplication::applicationDisplayName(), QApplication::applicationVersion()));
    });
}

void CvxHostMainWindow::AddToolCommands(QMenu* menu)
{
    for (const CvxHostCommand& command : CvxHostCommands::Table()) {
        if (command.menu == nullptr || menu->objectName() != command.menu) {
            continue;
        }
        QAction* action = menu->addAction(tr(command.text));
        action->setObjectName(QString::number(command.number));
        // The menu shows the keys; they act through the Compare windows' own actions, within
        // the window that has the focus (CvxToolWindow), never in the Listing or a dialog.
        action->setShortcut(command.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const int number = command.number;
        connect(action, &QAction::triggered, this, [this, number] { ExecuteToolCommand(number, QString()); });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { EnableToolCommands(menu); });
}

CvxToolWindow* CvxHostMainWindow::GetActiveToolWindow() const
{
    if (QMdiSubWindow* active = m_workspace->activeSubWindow()) {
        if (auto* tool = qobject_cast<CvxToolWindow*>(active->widget())) {
            return tool;
        }
    }
    const QList<CvxToolWindow*> tools = GetToolWindows();
    return tools.isEmpty() ? nullptr : tools.front();
}

void CvxHostMainWindow::EnableToolCommands(QMenu* menu)
{
    CvxToolWindow* tool = GetActiveToolWindow();
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        const int number = name.toInt(); // a host command's number; 0 for a named entry
        const CvxMenuCmd* cmd = tool == nullptr ? nullptr : CvxHostCommands::Find(tool->GetPlugIn(), number, number == 0 ? name : QString());
        action->setEnabled(cmd != nullptr && cmd->IsEnabled());
    }
}

bool CvxHostMainWindow::ExecuteToolCommand(int number, const QString& title)
{
    CvxToolWindow* tool = GetActiveToolWindow();
    return tool != nullptr && tool->ExecuteCommand(number, title); // refreshed by CommandExecuted
}

CvxToolWindow* CvxHostMainWindow::NewCompareWindow(bool tell)
{
    if (m_busy) {
        return nullptr;
    }
    // "Compare", "Compare 2", ...: the first name no tool has (a setup may have brought some).
    QString name = "Compare";
    for (int n = 2; m_session.FindTool(CvxU16(name)) != nullptr; ++n) {
        name = QString("Compare %1").arg(n);
    }
    CvxPlugInBase* tool = m_session.AddCompareTool(CvxU16(name));
    m_toolGeneration = m_session.GetToolGeneration();
    CvxStdToolCmdIFace* iface = tool != nullptr ? m_session.GetToolIFace(tool) : nullptr;
    if (iface == nullptr) {
        if (tell) {
            CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(tr("The Compare module made no tool: %1").arg(Q(m_session.GetLastError()))));
        }
        return nullptr;
    }
    QMdiSubWindow* sub = AddToolWindow(*tool, *iface, tell);
    return sub != nullptr ? qobject_cast<CvxToolWindow*>(sub->widget()) : nullptr;
}

void CvxHostMainWindow::ArrangeWindows()
{
    const QSize area = m_workspace->viewport()->size();
    QList<QMdiSubWindow*> tools;
    QMdiSubWindow* listing = nullptr;
    for (QMdiSubWindow* sub : m_workspace->subWindowList()) {
        if (qobject_cast<CvxToolWindow*>(sub->widget()) != nullptr) {
            tools.push_back(sub);
        } else if (sub->isVisible()) {
            listing = sub;
        }
    }
    const int left = listing != nullptr && !tools.isEmpty() ? area.width() * 2 / 5 : (listing != nullptr ? area.width() : 0);
    if (listing != nullptr) {
        listing->setGeometry(0, 0, left, area.height());
    }
    for (int i = 0; i < tools.size(); ++i) {
        const int top = area.height() * i / static_cast<int>(tools.size());
        const int bottom = area.height() * (i + 1) / static_cast<int>(tools.size());
        tools[i]->setGeometry(left, top, area.width() - left, bottom - top);
    }
}

QList<CvxToolWindow*> CvxHostMainWindow::GetToolWindows() const
{
    QList<CvxToolWindow*> windows;
    for (QMdiSubWindow* sub : m_workspace->subWindowList()) {
        if (auto* tool = qobject_cast<CvxToolWindow*>(sub->widget())) {
            windows.push_back(tool);
        }
    }
    return windows;
}

bool CvxHostMainWindow::RunOnce()
{
    if (m_busy) {
        return false;
    }
    if (!m_captures.isEmpty()) {
        m_nextCapture = m_nextCapture < m_captures.size() ? m_nextCapture : 0;
        std::string error;
        if (!CvxHostSession::SetSourceFile(*m_session.GetSource(), m_captures[m_nextCapture].toStdString(), error)) {
            CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(Q(error)));
            return false;
        }
        ++m_nextCapture;
    }
    const bool ok = DoLongWork([&] { return m_session.Run(); });
    if (!ok) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(tr("The acquisition failed: %1").arg(Q(m_session.GetLastError()))));
    }
    Refresh();
    return ok;
}

void CvxHostMainWindow::StartRepetitiveRun()
{
    if (!m_captures.isEmpty() && m_nextCapture >= m_captures.size()) {
        m_nextCapture = 0; // through the files again
    }
    m_session.ClearStopRequest();
    m_repeating = true;
    m_repetitive->start(0);
    Refresh();
}

void CvxHostMainWindow::RepetitiveTurn()
{
    if (m_busy) {
        return; // the timer fired in an event pump of the acquisition itself
    }
    // The run-until rule, Stop or the end of the capture files ends the run between acquisitions.
    const bool filesDone = !m_captures.isEmpty() && m_nextCapture >= m_captures.size();
    // The timer waits while this run (and an error box it may show) runs its own event loops.
    m_repetitive->stop();
    if (m_session.IsStopRequested() || filesDone || !RunOnce()) {
        StopRun();
        return;
    }
    const auto interval = m_session.GetSource() != nullptr ? m_session.GetSource()->GetRepeatInterval().count() : 0;
    m_repetitive->start(static_cast<int>(interval));
}

void CvxHostMainWindow::StopRun()
{
    m_repeating = false;
    m_repetitive->stop();
    m_session.StopRepetitiveRun();
    Refresh();
}

bool CvxHostMainWindow::IsRepetitiveRunning() const
{
    return m_repeating;
}

bool CvxHostMainWindow::OpenSetup(const QString& path)
{
    if (m_busy) {
        return false;
    }
    const bool ok = DoLongWork([&] { return m_session.LoadSetup(path.toStdString()); });
    if (!ok) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(tr("%1: %2").arg(path, Q(m_session.GetLastError()))));
    } else {
        m_setupPath = path;
        m_captures.clear();
        RememberSetup(path);
    }
    RebuildToolWindows();
    Refresh();
    return ok;
}

bool CvxHostMainWindow::SaveSetup(const QString& path)
{
    if (m_busy) {
        return false;
    }
    const bool ok = DoLongWork([&] { return m_session.SaveSetup(path.toStdString()); });
    if (!ok) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(tr("%1: %2").arg(path, Q(m_session.GetLastError()))));
        return false;
    }
    m_setupPath = path;
    RememberSetup(path);
    Refresh();
    return true;
}

bool CvxHostMainWindow::OpenCaptures(const QStringList& paths)
{
    if (paths.isEmpty()) {
        return false;
    }
    std::string error;
    std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::SourceForFile(paths.front().toStdString(), error);
    if (source == nullptr) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogError, CvxU16(Q(error)));
        return false;
    }
    // The session keeps its source and capture list unless the first capture reads.
    std::unique_ptr<CvxAcquisitionSource> previous = m_session.ReleaseSource();
    const QStringList previousCaptures = m_captures;
    const int previousNext = m_nextCapture;
    m_session.SetSource(std::move(source));
    m_captures = paths;
    m_nextCapture = 0;
    if (!RunOnce()) {
        m_session.SetSource(std::move(previous));
        m_captures = previousCaptures;
        m_nextCapture = previousNext;
        Refresh();
        return false;
    }
    return true;
}

void CvxHostMainWindow::LockListing(bool locked)
{
    CvxToolWindow* tool = locked ? GetActiveToolWindow() : nullptr;
    m_lock->LockTo(tool != nullptr ? &tool->GetPlugIn() : nullptr);
    findChild<QAction*>("LockListing")->setChecked(tool != nullptr);
}

void CvxHostMainWindow::ShowListing()
{
    if (m_listingWindow == nullptr) {
        auto* view = new QTableView;
        view->setObjectName("ListingTable");
        view->setModel(m_listing);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
        view->setFont(QFont(QStringLiteral("monospace")));
        m_lock->SetView(view);
        m_listingWindow = m_workspace->addSubWindow(view);
        m_listingWindow->setObjectName("Listing");
        m_listingWindow->setWindowTitle(tr("Listing"));
        m_listingWindow->setAttribute(Qt::WA_DeleteOnClose, false);
        m_listingWindow->resize(520, 360);
    }
    m_listingWindow->show();
    m_workspace->setActiveSubWindow(m_listingWindow);
}

void CvxHostMainWindow::SyncWithSession()
{
    if (m_session.GetToolGeneration() != m_toolGeneration) {
        RebuildToolWindows();
    }
    Refresh();
}

void CvxHostMainWindow::RebuildToolWindows()
{
    for (QMdiSubWindow* sub : m_workspace->subWindowList()) {
        if (qobject_cast<CvxToolWindow*>(sub->widget()) != nullptr) {
            sub->close();
            delete sub;
        }
    }
    m_toolGeneration = m_session.GetToolGeneration();
    for (std::size_t i = 0; i < m_session.GetToolCount(); ++i) {
        CvxPlugInBase* tool = m_session.GetTool(i);
        if (CvxStdToolCmdIFace* iface = m_session.GetToolIFace(tool)) {
            AddToolWindow(*tool, *iface, false);
        }
    }
}

void CvxHostMainWindow::Refresh()
{
    if (m_listing->GetData() != m_session.GetData().get()) {
        m_listing->SetData(m_session.GetData());
    }
    for (const char* name : {"Edit", "View", "Markers", "Compare"}) {
        if (auto* menu = findChild<QMenu*>(name)) {
            EnableToolCommands(menu);
        }
    }
    const CvxAcquisitionSource* source = m_session.GetSource();
    QString sourceText = source != nullptr ? tr("Source: %1").arg(Q(source->GetName())) : tr("No source");
    if (!m_captures.isEmpty() && m_nextCapture > 0) {
        sourceText += tr(", capture %1 of %2 (%3)")
                          .arg(m_nextCapture)
                          .arg(m_captures.size())
                          .arg(QFileInfo(m_captures[m_nextCapture - 1]).fileName());
    }
    m_sourceLabel->setText(sourceText);
    m_runLabel->setText(IsRepetitiveRunning() ? tr("Running") : tr("Stopped"));
    m_countLabel->setText(tr("Acquisitions: %1").arg(m_session.GetRunCount()));
    setWindowTitle(m_setupPath.isEmpty() ? QApplication::applicationDisplayName()
                                         : QFileInfo(m_setupPath).fileName() + " - " + QApplication::applicationDisplayName());
}

void CvxHostMainWindow::RememberSetup(const QString& path)
{
    QSettings settings;
    QStringList recent = settings.value("recentSetups").toStringList();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    recent.prepend(QFileInfo(path).absoluteFilePath());
    while (recent.size() > kRecentSetups) {
        recent.removeLast();
    }
    settings.setValue("recentSetups", recent);
    FillRecentMenu();
}

void CvxHostMainWindow::FillRecentMenu()
{
    m_recent->clear();
    const QStringList recent = QSettings().value("recentSetups").toStringList();
    for (const QString& path : recent) {
        QAction* action = m_recent->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenSetup(path); });
    }
    m_recent->setEnabled(!recent.isEmpty());
}

void CvxHostMainWindow::closeEvent(QCloseEvent* event)
{
    StopRun();
    event->accept();
}

CvxPrintCtrlBase* CvxHostMainWindow::GetActivePrintCtrl() const
{
    CvxToolWindow* tool = GetActiveToolWindow();
    return tool == nullptr ? nullptr : tool->GetPlugIn().GetPrintCtrl();
}

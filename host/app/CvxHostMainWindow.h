#pragma once
// The desktop host's main window: Compare windows and the Listing in a multi-document area,
// the File, Edit, View, Acquisition, Markers, Compare, Window and Help menus (Edit, View,
// Markers and Compare hold the active Compare window's commands, CvxHostCommands), a status
// bar (source, run state, number of acquisitions) and the host log in a pane. Acquisition runs on the GUI thread between
// events: a repetitive run is one acquisition per turn of the event loop, so that the window
// stays responsive and Stop is taken between runs.

#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class CvxHostSession;
class CvxPlugInBase;
class CvxPrintCtrlBase;
class CvxStdToolCmdIFace;
class CvxListingLock;
class CvxListingModel;
class CvxToolWindow;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

class CvxHostMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CvxHostMainWindow(CvxHostSession& session, QWidget* parent = nullptr);
    ~CvxHostMainWindow() override;

    // ---- What the menus do, also for the command line and tests ----
    // A new Compare tool in a window of its own; null when the module makes none (told in a
    // message box when `tell`) or the window is busy.
    CvxToolWindow* NewCompareWindow(bool tell = true);
    bool RunOnce();
    void StartRepetitiveRun();
    void StopRun();
    bool IsRepetitiveRunning() const;
    // Inside a run, a setup load or save (whose event pumps let the window paint).
    bool IsBusy() const { return m_busy; }
    // Loads a setup; a setup that does not load is told in a message box naming the file.
    bool OpenSetup(const QString& path);
    bool SaveSetup(const QString& path);
    // Makes capture files the source, one per run (the first one's kind decides the reader),
    // and runs the first. Later runs take the next file; a repetitive run ends after the last,
    // and a single run after the last starts over at the first.
    bool OpenCaptures(const QStringList& paths);
    void ShowListing();
    // The start-up arrangement: the Listing on the left, the Compare windows stacked on the
    // right with the larger share, since their status bars need the width.
    void ArrangeWindows();

    // Catches up with changes made to the session from elsewhere (remote commands): tool
    // windows for the session's tools, the Listing, the counts and the status bar.
    void SyncWithSession();

    QMdiArea* GetWorkspace() const { return m_workspace; }
    CvxListingModel* GetListingModel() const { return m_listing; }
    CvxListingLock& GetListingLock() const { return *m_lock; }
    // Locks the Listing to the active Compare window (Window > Lock Listing), or unlocks it.
    void LockListing(bool locked);
    QList<CvxToolWindow*> GetToolWindows() const;
    // The Compare window the tool menus act on: the active one, else the first.
    CvxToolWindow* GetActiveToolWindow() const;
    // The print controller of the active Compare window's tool; null when there is none.
    CvxPrintCtrlBase* GetActivePrintCtrl() const;
    // A host command (number) or named viewer-menu entry (title) on the active tool, as its
    // menu item does; false when the tool lists no such enabled command now.
    bool ExecuteToolCommand(int number, const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    // Runs a run, a setup load or save as long work (wait cursor, cancel dialog, busy).
    bool DoLongWork(const std::function<bool()>& work);
    QMenu* AddMenu(const QString& name, const QString& title);
    // The host commands of the menu's table, enabled as the active tool lists them.
    void AddToolCommands(QMenu* menu);
    void EnableToolCommands(QMenu* menu);
    // After anything that changes the data, the tools or the source.
    void Refresh();
    void RebuildToolWindows();
    // The window of the tool's view in the workspace; null (told or logged) when the tool
    // makes no view.
    QMdiSubWindow* AddToolWindow(CvxPlugInBase& tool, CvxStdToolCmdIFace& iface, bool tell);
    void CloseToolWindow(CvxPlugInBase& tool);
    void RepetitiveTurn();
    void RememberSetup(const QString& path);
    void FillRecentMenu();

    CvxHostSession& m_session;
    QMdiArea* m_workspace = nullptr;
    CvxListingModel* m_listing = nullptr;
    QMdiSubWindow* m_listingWindow = nullptr;
    std::unique_ptr<CvxListingLock> m_lock;
    QLabel* m_sourceLabel = nullptr;
    QLabel* m_runLabel = nullptr;
    QLabel* m_countLabel = nullptr;
    QTimer* m_repetitive = nullptr;
    QMenu* m_recent = nullptr;
    QString m_setupPath;
    QStringList m_captures; // the capture files compared one per run (empty: the source acquires)
    int m_nextCapture = 0;
    bool m_busy = false; // inside a run, a setup load or save
    bool m_repeating = false; // a repetitive run goes on (between its runs too)
    std::uint64_t m_toolGeneration = 0; // of the session's tools the tool windows show
};

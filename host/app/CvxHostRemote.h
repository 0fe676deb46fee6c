#pragma once
// The remote-control server inside the desktop host: the same commands as `cvx-compare
// serve`, served a turn at a time from the Qt event loop (also while a modal dialog runs its
// own loop), plus the commands for the windows: the UI dump, screenshots, keys, clicks, values,
// new Compare windows, tool commands by number or menu text, and exit. Commands that may open a
// dialog post their action and answer at once. A turn is skipped while the host is inside an
// acquisition or long work, so that no command runs in the middle of another.

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CvxHostMainWindow;
class CvxHostSession;
class CvxRemoteServer;
class QTimer;

class CvxHostRemote : public QObject {
    Q_OBJECT
public:
    CvxHostRemote(CvxHostSession& session, CvxHostMainWindow& window, QObject* parent = nullptr);
    ~CvxHostRemote() override;

    // Listens on loopback; port 0 picks a free port. False with `error` set.
    bool Listen(int port, std::string& error);
    int GetPort() const;

private:
    void Turn();
    // Shows in the windows what clients changed in the session (runs, setups, tools).
    void CatchUp();
    void AddWindowCommands();

    CvxHostSession& m_session;
    CvxHostMainWindow& m_window;
    std::unique_ptr<CvxRemoteServer> m_server;
    QTimer* m_timer = nullptr;
    bool m_inTurn = false;
    std::int64_t m_seenRuns = 0;
    std::uint64_t m_seenTools = 0; // the session's tool generation
};

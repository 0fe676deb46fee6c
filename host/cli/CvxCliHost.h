#pragma once
// The host as cvx-compare runs it: a host session with the Compare module loaded, the
// labels it offers its tools (the buses/signals the session offers, or a chosen list; time and
// sample-number labels are left out, the time of a difference is printed apart), whether a
// tool's run-until rule stopped a repetitive run, and the signals that end a long command.

#include "CvxCliTool.h"
#include "CvxHostSession.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

class CvxCliHost {
public:
    // Loads the module (throws CvxCliError when it cannot).
    CvxCliHost();
    ~CvxCliHost();
    CvxCliHost(const CvxCliHost&) = delete;
    CvxCliHost& operator=(const CvxCliHost&) = delete;

    CvxHostSession& GetSession() { return m_session; }
    // The labels offered to tools made from now on; empty: the buses/signals the session
    // offers (a loaded setup's until the source acquires).
    void OfferLabels(std::vector<CvxID> labels) { m_offered = std::move(labels); }
    // Loads a setup; throws CvxCliError when it cannot be loaded or when its reference is
    // damaged (a data stream shorter or longer than its rows): a comparison against part of a
    // reference would mislead.
    void LoadSetup(const std::string& path);
    // A new Compare tool; throws when the module makes none.
    CvxCliTool AddTool();
    // The command interface of the first tool (of a loaded setup); throws when there is none.
    CvxCliTool GetTool(const std::string& what);
    // A tool's run-until rule asked to stop the repetitive run.
    bool IsStoppedByRule() const { return m_stoppedByRule.load(); }

    // Calls `stop` (on another thread) on SIGINT or SIGTERM until the host is destroyed.
    void OnInterrupt(std::function<void()> stop);

private:
    std::vector<CvxID> m_offered;
    std::atomic<bool> m_stoppedByRule{false};
    std::atomic<bool> m_done{false};
    std::function<void()> m_stop;
    std::thread m_signals;
    CvxHostSession m_session;
};

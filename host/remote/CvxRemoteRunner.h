#pragma once
// A repetitive run started by a remote client, driven one acquisition at a time by the
// server's loop so that requests are served between runs. It keeps the source's pause between
// runs and ends at its count, at STOP, at an acquisition error or when a tool's run-until rule
// asks the session to stop.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CvxHostSession;

class CvxRemoteRunner {
public:
    using Clock = std::chrono::steady_clock;

    explicit CvxRemoteRunner(CvxHostSession& session) : m_session(session) {}

    // `runs` acquisitions, 0 for no limit; the first one is due at once.
    void Start(std::int64_t runs);
    void Stop() { m_active = false; }
    bool IsActive() const { return m_active; }
    // The runs made since the last Start.
    std::int64_t GetRunsDone() const { return m_done; }
    // The tools whose last comparison compared nothing (see CvxHostSession).
    std::vector<std::string> ToolsThatComparedNothing() const;

    // Acquires when a run is due. False when that acquisition failed (the run has then ended
    // and `error` says why).
    bool Step(Clock::time_point now, std::string& error);
    // When the next acquisition is due; empty when no run is going.
    std::optional<Clock::time_point> GetNextDue() const;

private:
    CvxHostSession& m_session;
    bool m_active = false;
    std::int64_t m_limit = 0;
    std::int64_t m_done = 0;
    Clock::time_point m_due;
};

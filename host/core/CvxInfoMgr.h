#pragma once
// The host's single information manager: the host log and the host base directory.
//
// LogMessage appends one line per message to the host log file (default <base>/cvx-host.log)
// and keeps the most recent messages in memory, so that tests and the GUI's log pane can
// read them back; it can also echo every line to stderr. The base directory holds the host's
// own files (log, temporary store files); by default it is a per-user directory under
// $XDG_STATE_HOME (or ~/.local/state), made when first asked for. Safe to call from any thread.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

enum EvxMessageType : int {
    kMessageInformation = 1,
    kMessageWarning = 2,
    kMessageError = 3,
};

class CvxInfoMgr {
public:
    struct Entry {
        int type = kMessageInformation;
        std::u16string text;
    };

    static CvxInfoMgr& GetInstance();

    CvxInfoMgr(const CvxInfoMgr&) = delete;
    CvxInfoMgr& operator=(const CvxInfoMgr&) = delete;

    // Types other than 1 to 3 are logged as information.
    void LogMessage(int type, std::u16string text);

    // The host base directory, made on demand (UTF-16, as the module builds file names from it).
    std::u16string GetBasePath();
    void SetBasePath(const std::u16string& path);
    // The log file; empty means <base>/cvx-host.log.
    std::filesystem::path GetLogFilePath();
    void SetLogFilePath(const std::filesystem::path& path);
    void SetEchoToStderr(bool echo);

    // The messages logged since the last clear, oldest first, at most GetRecentLimit of them.
    std::vector<Entry> GetRecentMessages() const;
    // Messages logged since the start (or the last Reset), so that a log pane can tell how
    // many of the recent ones are new to it.
    std::uint64_t GetMessageCount() const;
    void ClearRecentMessages();
    std::size_t GetRecentLimit() const { return kRecentLimit; }

    // Back to the defaults: default paths, no echo, no recent messages.
    void Reset();

private:
    static constexpr std::size_t kRecentLimit = 1000;

    CvxInfoMgr() = default;
    std::filesystem::path BasePathLocked();
    std::filesystem::path LogPathLocked();

    mutable std::mutex m_mutex;
    std::filesystem::path m_basePath;
    std::filesystem::path m_logPath;
    bool m_echo = false;
    std::deque<Entry> m_recent;
    std::uint64_t m_count = 0;
};

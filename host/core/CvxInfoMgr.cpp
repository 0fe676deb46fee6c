#include "CvxInfoMgr.h"

#include "CvxStringConvert.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace {

const char* TypeWord(int type)
{
    switch (type) {
    case kMessageWarning: return "warning";
    case kMessageError: return "error";
    default: return "info";
    }
}

std::filesystem::path DefaultBasePath()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        return std::filesystem::path(state) / "cvx";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / ".local" / "state" / "cvx";
    }
    return std::filesystem::temp_directory_path() / ("cvx-state-" + std::to_string(getuid()));
}

// "2024-05-01T12:00:00.123Z"
std::string Timestamp()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(ms));
    return text;
}

// One message is one line of the log: line breaks inside it are written as "\n".
std::string OneLine(const std::u16string& text)
{
    std::string out;
    for (const char c : CvxStringConvert::ToUtf8(text)) {
        if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace

CvxInfoMgr& CvxInfoMgr::GetInstance()
{
    static CvxInfoMgr instance;
    return instance;
}

void CvxInfoMgr::LogMessage(int type, std::u16string text)
{
    if (type != kMessageWarning && type != kMessageError) {
        type = kMessageInformation;
    }
    const std::string line = Timestamp() + " " + TypeWord(type) + ": " + OneLine(text) + "\n";
    std::lock_guard lock(m_mutex);
    m_recent.push_back({type, std::move(text)});
    ++m_count;
    if (m_recent.size() > kRecentLimit) {
        m_recent.pop_front();
    }
    // A log that cannot be written must not stop the host: the message stays in memory.
    std::ofstream out(LogPathLocked(), std::ios::app | std::ios::binary);
    out << line;
    if (m_echo) {
        std::fputs(line.c_str(), stderr);
    }
}

std::u16string CvxInfoMgr::GetBasePath()
{
    std::lock_guard lock(m_mutex);
    return CvxStringConvert::FromUtf8(BasePathLocked().string());
}

void CvxInfoMgr::SetBasePath(const std::u16string& path)
{
    std::lock_guard lock(m_mutex);
    m_basePath = CvxStringConvert::ToUtf8(path);
}

std::filesystem::path CvxInfoMgr::GetLogFilePath()
{
    std::lock_guard lock(m_mutex);
    return LogPathLocked();
}

void CvxInfoMgr::SetLogFilePath(const std::filesystem::path& path)
{
    std::lock_guard lock(m_mutex);
    m_logPath = path;
}

void CvxInfoMgr::SetEchoToStderr(bool echo)
{
    std::lock_guard lock(m_mutex);
    m_echo = echo;
}

std::uint64_t CvxInfoMgr::GetMessageCount() const
{
    std::lock_guard lock(m_mutex);
    return m_count;
}

std::vector<CvxInfoMgr::Entry> CvxInfoMgr::GetRecentMessages() const
{
    std::lock_guard lock(m_mutex);
    return {m_recent.begin(), m_recent.end()};
}

void CvxInfoMgr::ClearRecentMessages()
{
    std::lock_guard lock(m_mutex);
    m_recent.clear();
}

void CvxInfoMgr::Reset()
{
    std::lock_guard lock(m_mutex);
    m_basePath.clear();
    m_logPath.clear();
    m_echo = false;
    m_recent.clear();
    m_count = 0;
}

std::filesystem::path CvxInfoMgr::BasePathLocked()
{
    if (m_basePath.empty()) {
        m_basePath = DefaultBasePath();
    }
    std::error_code ec;
    std::filesystem::create_directories(m_basePath, ec);
    return m_basePath;
}

std::filesystem::path CvxInfoMgr::LogPathLocked()
{
    return m_logPath.empty() ? BasePathLocked() / "cvx-host.log" : m_logPath;
}

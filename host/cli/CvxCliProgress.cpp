#include "CvxCliProgress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

CvxCliProgress::CvxCliProgress(std::string what, std::vector<std::string> paths)
    : m_what(std::move(what)), m_paths(std::move(paths))
{
    if (::isatty(STDERR_FILENO) == 0) {
        return;
    }
    for (std::string& path : m_paths) {
        std::error_code ec;
        path = std::filesystem::weakly_canonical(path, ec).string();
        const auto size = std::filesystem::file_size(path, ec);
        m_size += ec ? 0 : static_cast<long long>(size);
    }
    m_thread = std::thread([this] { Show(); });
}

CvxCliProgress::~CvxCliProgress()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

long long CvxCliProgress::Position() const
{
    long long total = 0;
    bool open = false;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        std::error_code linkError;
        const std::string target = std::filesystem::read_symlink(entry.path(), linkError).string();
        if (std::find(m_paths.begin(), m_paths.end(), target) == m_paths.end()) {
            continue;
        }
        std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
        std::string key;
        long long pos = 0;
        if (info >> key >> pos && key == "pos:") {
            total += pos;
            open = true;
        }
    }
    return open ? total : -1;
}

void CvxCliProgress::Show()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    bool shown = false;
    std::unique_lock<std::mutex> lock(m_mutex);
    // Quick steps print nothing.
    if (m_wake.wait_for(lock, std::chrono::milliseconds(400), [this] { return m_done; })) {
        return;
    }
    do {
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const long long pos = m_size > 0 ? Position() : -1;
        if (pos >= 0) {
            std::fprintf(stderr, "\rcvx-compare: %s  %3lld%% of %lld MiB  %.0f s ", m_what.c_str(),
                         std::min(100LL, pos * 100 / m_size), m_size >> 20, seconds);
        } else {
            std::fprintf(stderr, "\rcvx-compare: %s  %.0f s ", m_what.c_str(), seconds);
        }
        std::fflush(stderr);
        shown = true;
    } while (!m_wake.wait_for(lock, std::chrono::milliseconds(250), [this] { return m_done; }));
    if (shown) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    }
}

#pragma once
// A progress line on standard error while a long step runs (reading a capture file,
// comparing), only when standard error is a terminal and only once the step has taken a
// moment. For a file, the share read is the position of the process's own descriptor on it
// (/proc/self/fdinfo), so the sources need no progress hooks. The line is erased at the end.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class CvxCliProgress {
public:
    // `what` is shown ("reading ref.vcd", "comparing"); `path` (may be empty) is the file read.
    CvxCliProgress(std::string what, std::string path);
    ~CvxCliProgress();
    CvxCliProgress(const CvxCliProgress&) = delete;
    CvxCliProgress& operator=(const CvxCliProgress&) = delete;

private:
    void Show();
    // Bytes read so far from `m_path` through any descriptor of this process; -1 when none.
    long long Position() const;

    std::string m_what;
    std::string m_path;
    long long m_size = 0;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

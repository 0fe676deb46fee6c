#pragma once
// A progress line on standard error while a long step runs (reading a capture file,
// comparing), only when standard error is a terminal and only once the step has taken a
// moment. For files, the share read is the position of the process's own descriptors on
// them (/proc/self/fdinfo), so the sources need no progress hooks. The line is erased at the end.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CvxCliProgress {
public:
    // `what` is shown ("reading ref.vcd", "comparing"); `paths` are the files read (none
    // for a step that reads no file).
    CvxCliProgress(std::string what, std::vector<std::string> paths);
    ~CvxCliProgress();
    CvxCliProgress(const CvxCliProgress&) = delete;
    CvxCliProgress& operator=(const CvxCliProgress&) = delete;

private:
    void Show();
    // Bytes read so far from the files through the descriptors of this process; -1 when none
    // is open.
    long long Position() const;

    std::string m_what;
    std::vector<std::string> m_paths;
    long long m_size = 0; // of all files
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

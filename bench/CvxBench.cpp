#include "CvxBench.h"

#include "CvxInfoMgr.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

CvxBenchRegistry& CvxBenchRegistry::Get()
{
    static CvxBenchRegistry registry;
    return registry;
}

double CvxBenchBestSeconds(int repeats, const std::function<void()>& fn)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

CvxBenchTimes CvxBenchBestPair(int rounds, const std::function<void()>& run, const std::function<void()>& baseline)
{
    CvxBenchTimes best{1e300, 1e300};
    for (int i = 0; i < rounds; ++i) {
        best.seconds = std::min(best.seconds, CvxBenchBestSeconds(1, run));
        best.baselineSeconds = std::min(best.baselineSeconds, CvxBenchBestSeconds(1, baseline));
    }
    return best;
}

namespace {

std::int64_t StatusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            return std::stoll(line.substr(length)) * 1024;
        }
    }
    return 0;
}

} // namespace

std::int64_t CvxBenchCurrentRss()
{
    return StatusField("VmRSS:");
}

std::int64_t CvxBenchPeakRss()
{
    return StatusField("VmHWM:");
}

void CvxBenchResetPeakRss()
{
    // Writing 5 to clear_refs resets the peak resident set size of the process.
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

CvxBenchBaseDir::CvxBenchBaseDir()
{
    char pattern[] = "/tmp/cvx-bench-XXXXXX";
    m_dir = ::mkdtemp(pattern) != nullptr ? pattern : std::filesystem::temp_directory_path().string();
    m_oldBase = CvxInfoMgr::GetInstance().GetBasePath();
    CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir));
}

CvxBenchBaseDir::~CvxBenchBaseDir()
{
    CvxInfoMgr::GetInstance().SetBasePath(m_oldBase);
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

std::uint64_t CvxBenchCountLines(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    std::vector<char> block(1 << 20);
    std::uint64_t lines = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got <= 0) {
            break;
        }
        const char* p = block.data();
        const char* end = p + got;
        while (const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            ++lines;
            p = static_cast<const char*>(hit) + 1;
        }
    }
    ::close(fd);
    return lines;
}

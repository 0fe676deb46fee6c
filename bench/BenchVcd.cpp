// Reading a large VCD file: the streaming reader against scanning the same bytes for line
// ends with memchr (both from the page cache), and its peak memory against the table it makes.
//
// The case runs in a child process: there the heap keeps the memory an acquisition frees,
// so that timed reads after the first reuse it as the memchr scan reuses its buffer, and
// that setting cannot touch the other cases. The first (cold) read, which maps all of its
// memory anew, is measured for peak memory and reported as cold_parse_mib_per_s.

#include "CvxBench.h"
#include "CvxVcdGenerator.h"
#include "CvxVcdSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t kFileBytes = 256ULL << 20;

struct Figures {
    double ok = 0;
    double rows = 0;
    double tableBytes = 0;
    double peakBytes = 0;
    double coldSeconds = 0;
    double seconds = 0;
    double baselineSeconds = 0;
};

Figures Measure(const std::string& path)
{
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    Figures f;
    CvxVcdSource source(path);
    CvxBenchCountLines(path);
    CvxBenchResetPeakRss();
    const std::int64_t before = CvxBenchCurrentRss();
    f.coldSeconds = CvxBenchBestSeconds(1, [&] {
        const auto data = source.Acquire();
        f.ok = data != nullptr && source.GetWarnings().empty() ? 1 : 0;
        if (data != nullptr) {
            f.rows = static_cast<double>(data->GetTable(0).GetRowCount());
            f.tableBytes = static_cast<double>(data->MemoryBytes());
        }
    });
    f.peakBytes = static_cast<double>(CvxBenchPeakRss() - before);
    for (const std::string& warning : source.GetWarnings()) {
        std::fprintf(stderr, "vcd_read: %s\n", warning.c_str());
    }
    if (f.ok == 0) {
        std::fprintf(stderr, "vcd_read: %s\n", source.GetLastError().c_str());
        return f;
    }
    std::uint64_t lines = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        3, [&] { f.ok = source.Acquire() != nullptr ? f.ok : 0; }, [&] { lines = CvxBenchCountLines(path); });
    CvxBenchKeep(lines);
    f.seconds = times.seconds;
    f.baselineSeconds = times.baselineSeconds;
    return f;
}

CvxBenchResult VcdRead()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp != nullptr ? tmp : "/tmp") + "/cvx-bench-" + std::to_string(::getpid()) + ".vcd";
    CvxVcdGeneratorOptions options;
    options.targetBytes = kFileBytes;
    const std::uint64_t bytes = CvxVcdGenerator::Write(path, options);
    CvxBenchResult r;
    int pipeFds[2];
    if (bytes == 0 || ::pipe(pipeFds) != 0) {
        std::fprintf(stderr, "vcd_read: cannot write %s\n", path.c_str());
        std::remove(path.c_str());
        return r;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const Figures measured = Measure(path);
        const bool sent = ::write(pipeFds[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFds[1]);
    Figures f;
    const bool received = child > 0 && ::read(pipeFds[0], &f, sizeof f) == static_cast<ssize_t>(sizeof f);
    ::close(pipeFds[0]);
    if (child > 0) {
        ::waitpid(child, nullptr, 0);
    }
    std::remove(path.c_str());
    if (!received || f.ok == 0 || f.seconds <= 0 || f.baselineSeconds <= 0) {
        return r;
    }

    const double mib = 1024.0 * 1024.0;
    const double bound = 2.0 * f.tableBytes + 64 * mib;
    r.itemsPerS = static_cast<double>(bytes) / f.seconds;
    r.baselineItemsPerS = static_cast<double>(bytes) / f.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("file_mib", static_cast<double>(bytes) / mib);
    r.extra.emplace_back("rows", f.rows);
    r.extra.emplace_back("table_mib", f.tableBytes / mib);
    r.extra.emplace_back("peak_mib", f.peakBytes / mib);
    r.extra.emplace_back("peak_bound_mib", bound / mib);
    r.Check("peak_within_bound", f.peakBytes < bound);
    r.extra.emplace_back("parse_mib_per_s", r.itemsPerS / mib);
    r.extra.emplace_back("cold_parse_mib_per_s", static_cast<double>(bytes) / f.coldSeconds / mib);
    r.extra.emplace_back("memchr_mib_per_s", r.baselineItemsPerS / mib);
    return r;
}

const CvxBenchRegistrar kVcdRead("vcd_read", &VcdRead, 0.35, 0);

} // namespace

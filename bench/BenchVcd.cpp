// Reading a large VCD file: the streaming reader against scanning the same bytes for line
// ends with memchr (both from the page cache), and its peak memory against the table it makes.

#include "CvxBench.h"
#include "CvxVcdGenerator.h"
#include "CvxVcdSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t kFileBytes = 256ULL << 20;

std::uint64_t CountLines(const std::string& path)
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

CvxBenchResult VcdRead()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp != nullptr ? tmp : "/tmp") + "/cvx-bench-" + std::to_string(::getpid()) + ".vcd";
    CvxVcdGeneratorOptions options;
    options.targetBytes = kFileBytes;
    const std::uint64_t bytes = CvxVcdGenerator::Write(path, options);
    CvxBenchResult r;
    if (bytes == 0) {
        std::fprintf(stderr, "vcd_read: cannot write %s\n", path.c_str());
        return r;
    }
    CvxVcdSource source(path);
    std::int64_t rows = 0;
    std::size_t tableBytes = 0;
    bool ok = true;

    // Peak memory of one read, from a settled start.
    CountLines(path);
    CvxBenchResetPeakRss();
    const std::int64_t before = CvxBenchCurrentRss();
    {
        const auto data = source.Acquire();
        ok = data != nullptr && source.GetWarnings().empty();
        for (const std::string& warning : source.GetWarnings()) {
            std::fprintf(stderr, "vcd_read: %s\n", warning.c_str());
        }
        if (!ok) {
            std::fprintf(stderr, "vcd_read: %s\n", source.GetLastError().c_str());
        }
        if (data != nullptr) {
            rows = data->GetTable(0).GetRowCount();
            tableBytes = data->MemoryBytes();
        }
    }
    const std::int64_t peak = CvxBenchPeakRss() - before;

    std::uint64_t lines = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        3, [&] { ok = ok && source.Acquire() != nullptr; }, [&] { lines = CountLines(path); });
    CvxBenchKeep(lines);
    std::remove(path.c_str());

    const double mib = 1024.0 * 1024.0;
    const double bound = 2.0 * static_cast<double>(tableBytes) + 64 * mib;
    r.itemsPerS = ok ? static_cast<double>(bytes) / times.seconds : 0;
    r.baselineItemsPerS = static_cast<double>(bytes) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("file_mib", static_cast<double>(bytes) / mib);
    r.extra.emplace_back("rows", static_cast<double>(rows));
    r.extra.emplace_back("table_mib", static_cast<double>(tableBytes) / mib);
    r.extra.emplace_back("peak_mib", static_cast<double>(peak) / mib);
    r.extra.emplace_back("peak_bound_mib", bound / mib);
    r.extra.emplace_back("peak_within_bound", static_cast<double>(peak) < bound ? 1 : 0);
    r.extra.emplace_back("parse_mib_per_s", r.itemsPerS / mib);
    r.extra.emplace_back("memchr_mib_per_s", r.baselineItemsPerS / mib);
    return r;
}

const CvxBenchRegistrar kVcdRead("vcd_read", &VcdRead, 0.25, 0);

} // namespace

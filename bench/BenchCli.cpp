// cvx-compare on a pair of large VCD captures (1 million bus cycles each, or 10 million,
// 10 injected differences), run as a process the way users run it, against scanning both
// files for line ends with memchr in the same run (both from the page cache). The case checks
// that exactly the 10 differences are reported and measures the program's peak memory against
// the size of the two tables it loads (of the two files, for 10 million cycles).

#include "CvxBench.h"
#include "CvxVcdBusGenerator.h"
#include "CvxSourceText.h"
#include "CvxTime.h"
#include "CvxVcdSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {


// Runs the program with its output in `out`; answers its exit status, its peak memory in `peakBytes`.
int Spawn(const std::vector<std::string>& args, const std::string& out, std::int64_t& peakBytes)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(fd, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return -1;
    }
    peakBytes = static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Exactly the injected differences: 10 differing samples, each the rising edge of a flipped
// cycle, in the 32-bit bus only.
bool ReportsExactly(const std::string& out, const std::vector<std::int64_t>& cycles)
{
    std::ifstream in(out);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.find(",10,0,0,") == std::string::npos) {
        return false;
    }
    std::size_t lines = 0;
    for (std::size_t at = text.find("\nsample,"); (at = text.find('\n', at + 1)) != std::string::npos && at + 1 < text.size();) {
        ++lines;
    }
    if (lines != cycles.size()) {
        return false;
    }
    for (const std::int64_t cycle : cycles) {
        const CvxInt128 fs = CvxTime::kNs * CvxVcdBusGenerator::CycleTimeNs(cycle);
        const std::string line = "\n" + std::to_string(2 * cycle) + "," + CvxSourceText::FormatTime(fs) + ",bus.data32,";
        if (text.find(line) == std::string::npos) {
            return false;
        }
    }
    return true;
}

// `peakShareOfFiles` > 0 bounds the peak by that share of the two files' size instead of by
// the loaded tables.
CvxBenchResult CliCompareVcd(const std::string& align, std::int64_t cycles, double peakShareOfFiles)
{
    CvxBenchResult r;
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = std::string(tmp != nullptr ? tmp : "/tmp") + "/cvx-bench-cli-" + std::to_string(::getpid());
    const std::string reference = base + "-ref.vcd";
    const std::string input = base + "-in.vcd";
    const std::string out = base + ".out";
    const std::string program =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "cvx-compare").string();

    CvxVcdBusOptions options;
    options.cycles = cycles;
    const std::uint64_t referenceBytes = CvxVcdBusGenerator::Write(reference, options);
    for (std::int64_t i = 0; i < 10; ++i) {
        options.flippedCycles.push_back(1000 + i * (cycles / 10 - 223));
    }
    const std::uint64_t inputBytes = CvxVcdBusGenerator::Write(input, options);
    const auto cleanup = [&] {
        std::remove(reference.c_str());
        std::remove(input.c_str());
        std::remove(out.c_str());
    };
    if (referenceBytes == 0 || inputBytes == 0 || !std::filesystem::exists(program)) {
        std::fprintf(stderr, "cli_compare_vcd: cannot write %s or find %s\n", reference.c_str(), program.c_str());
        cleanup();
        return r;
    }

    // The size of one loaded table, read here once.
    double tableBytes = 0;
    if (peakShareOfFiles <= 0) {
        CvxVcdSource source(reference);
        const auto data = source.Acquire();
        tableBytes = data != nullptr ? static_cast<double>(data->MemoryBytes()) : 0;
    }

    const std::vector<std::string> args{program, "compare", "--align", align, "--format", "csv", "--differences", "20",
                                        reference, input};
    std::int64_t peak = 0;
    bool correct = true;
    std::uint64_t lines = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        3,
        [&] {
            std::int64_t runPeak = 0;
            correct = correct && Spawn(args, out, runPeak) == 1 && ReportsExactly(out, options.flippedCycles);
            peak = std::max(peak, runPeak);
        },
        [&] { lines = CvxBenchCountLines(reference) + CvxBenchCountLines(input); });
    CvxBenchKeep(lines);
    if (!correct) {
        std::ifstream in(out);
        std::fprintf(stderr, "cli_compare_vcd: cvx-compare did not report exactly the 10 differences:\n%s\n",
                     std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()).c_str());
        cleanup();
        return r;
    }
    cleanup();

    const double bytes = static_cast<double>(referenceBytes + inputBytes);
    const double mib = 1024.0 * 1024.0;
    const double bound = peakShareOfFiles > 0 ? peakShareOfFiles * bytes : 4.0 * 2.0 * tableBytes + 64 * mib;
    r.itemsPerS = bytes / times.seconds;
    r.baselineItemsPerS = bytes / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("files_mib", bytes / mib);
    r.extra.emplace_back("wall_s", times.seconds);
    r.extra.emplace_back("memchr_s", times.baselineSeconds);
    if (tableBytes > 0) {
        r.extra.emplace_back("tables_mib", 2.0 * tableBytes / mib);
    }
    r.extra.emplace_back("peak_mib", static_cast<double>(peak) / mib);
    r.extra.emplace_back("peak_bound_mib", bound / mib);
    r.Check("peak_within_bound", static_cast<double>(peak) < bound);
    return r;
}

// The default pairing by time, and pairing by order.
const CvxBenchRegistrar kCliCompareVcd("cli_compare_vcd", [] { return CliCompareVcd("time", 1'000'000, 0); }, 0.25, 0);
const CvxBenchRegistrar kCliCompareVcdOrder("cli_compare_vcd_order", [] { return CliCompareVcd("order", 1'000'000, 0); },
                                            0.25, 0);
// Ten times as large (two files of 1.6 GB): run by name only.
const CvxBenchRegistrar kCliCompareVcd10m("cli_compare_vcd_10m", [] { return CliCompareVcd("time", 10'000'000, 0.4); },
                                          0.2, 0, true);

} // namespace

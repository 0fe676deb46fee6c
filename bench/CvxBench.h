#pragma once
// The benchmark harness: cases register themselves by name; each run prints one JSON line
// {"case", "items_per_s", "baseline_items_per_s", "ratio", ...} with its bound and verdict.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct CvxBenchResult {
    double itemsPerS = 0;
    double baselineItemsPerS = 0;
    double ratio = 0;
    // Further figures worth printing (name, value).
    std::vector<std::pair<std::string, double>> extra;
    // False when a check the case makes besides its speed (results agree, memory within its
    // bound) failed: the case fails whatever its ratio.
    bool checksHold = true;

    // Prints the check as name: 1 or 0 among the figures.
    void Check(const char* name, bool holds)
    {
        extra.emplace_back(name, holds ? 1 : 0);
        checksHold = checksHold && holds;
    }
};

struct CvxBenchCase {
    std::string name;
    std::function<CvxBenchResult()> run;
    double minRatio = 0; // 0: no lower bound
    double maxRatio = 0; // 0: no upper bound
    bool byNameOnly = false; // left out of a run of every case (too large to run by default)
};

class CvxBenchRegistry {
public:
    static CvxBenchRegistry& Get();
    void Add(CvxBenchCase benchCase) { m_cases.push_back(std::move(benchCase)); }
    const std::vector<CvxBenchCase>& Cases() const { return m_cases; }

private:
    std::vector<CvxBenchCase> m_cases;
};

struct CvxBenchRegistrar {
    CvxBenchRegistrar(std::string name, std::function<CvxBenchResult()> run, double minRatio, double maxRatio,
                      bool byNameOnly = false)
    {
        CvxBenchRegistry::Get().Add({std::move(name), std::move(run), minRatio, maxRatio, byNameOnly});
    }
};

// Seconds taken by fn, best of `repeats` runs.
double CvxBenchBestSeconds(int repeats, const std::function<void()>& fn);
// Best seconds of a case and of its baseline, run alternately `rounds` times, so that a
// busy machine slows both alike.
struct CvxBenchTimes {
    double seconds;
    double baselineSeconds;
};
CvxBenchTimes CvxBenchBestPair(int rounds, const std::function<void()>& run, const std::function<void()>& baseline);
// Resident memory of the process now and at its peak, in bytes (from /proc/self/status).
std::int64_t CvxBenchCurrentRss();
std::int64_t CvxBenchPeakRss();
// Resets the peak resident memory mark, so that a case measures its own peak.
void CvxBenchResetPeakRss();

// Lines of a file, counted with memchr over 1 MiB reads: the physical baseline of text readers.
std::uint64_t CvxBenchCountLines(const std::string& path);

// A fresh host base directory (paging files, outbox) for one case, removed afterwards.
class CvxBenchBaseDir {
public:
    CvxBenchBaseDir();
    ~CvxBenchBaseDir();
    CvxBenchBaseDir(const CvxBenchBaseDir&) = delete;
    CvxBenchBaseDir& operator=(const CvxBenchBaseDir&) = delete;

    std::string Path(const char* name) const { return m_dir + "/" + name; }

private:
    std::string m_dir;
    std::u16string m_oldBase;
};

// Keeps a value alive so that the compiler cannot drop the work that made it.
template <typename T>
inline void CvxBenchKeep(const T& value)
{
    asm volatile("" : : "r,m"(value) : "memory");
}

// cvx-bench [case ...]: runs every case, or the named ones, and prints one JSON line each.
// Exit status 1 when a case misses its bound, 2 for an unknown case name.

#include "CvxBench.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

namespace {

void PrintNumber(const char* name, double value)
{
    if (std::isfinite(value)) {
        std::printf(", \"%s\": %.6g", name, value);
    } else {
        std::printf(", \"%s\": null", name);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto& cases = CvxBenchRegistry::Get().Cases();
    std::set<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            for (const auto& c : cases) {
                std::printf("%s%s\n", c.name.c_str(), c.byNameOnly ? " (run by name only)" : "");
            }
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: cvx-bench [--list] [case ...]\n(no case: every case but those run by name only)\n");
            return 0;
        }
        bool known = false;
        for (const auto& c : cases) {
            known = known || c.name == arg;
        }
        if (!known) {
            std::fprintf(stderr, "cvx-bench: unknown case '%s' (cvx-bench --list shows them)\n", arg.c_str());
            return 2;
        }
        wanted.insert(arg);
    }
    int failures = 0;
    for (const auto& c : cases) {
        if (wanted.empty() ? c.byNameOnly : wanted.count(c.name) == 0) {
            continue;
        }
        const CvxBenchResult r = c.run();
        bool pass = r.checksHold;
        if (c.minRatio > 0 && !(r.ratio >= c.minRatio)) {
            pass = false;
        }
        if (c.maxRatio > 0 && !(r.ratio <= c.maxRatio)) {
            pass = false;
        }
        std::printf("{\"case\": \"%s\"", c.name.c_str());
        PrintNumber("items_per_s", r.itemsPerS);
        PrintNumber("baseline_items_per_s", r.baselineItemsPerS);
        PrintNumber("ratio", r.ratio);
        for (const auto& [name, value] : r.extra) {
            PrintNumber(name.c_str(), value);
        }
        if (c.minRatio > 0) {
            PrintNumber("min_ratio", c.minRatio);
        }
        if (c.maxRatio > 0) {
            PrintNumber("max_ratio", c.maxRatio);
        }
        std::printf(", \"pass\": %s}\n", pass ? "true" : "false");
        std::fflush(stdout);
        failures += pass ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}

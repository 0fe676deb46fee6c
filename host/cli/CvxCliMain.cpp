// cvx-compare: the headless host. It loads the Compare module through its exported Create
// and drives it only through host messages and the tool's standard command interface.

#include "CvxCliArgs.h"
#include "CvxCliCompare.h"
#include "CvxCliDemo.h"
#include "CvxCliInfo.h"
#include "CvxCliReference.h"
#include "CvxCliRun.h"
#include "CvxInfoMgr.h"
#ifdef CVX_CLI_SERVE
#include "CvxCliServe.h"
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: cvx-compare COMMAND [OPTIONS] [ARGUMENTS]\n\n"
    "Commands:\n"
    "  demo                       compare two runs of the built-in simulated analyzer, one with faults\n"
    "  compare REFERENCE INPUT    compare two captures (VCD, .sr, CSV) or a setup's reference and a capture\n"
    "  info CAPTURE|SETUP         what a capture holds, or what a setup keeps\n"
    "  reference [CAPTURE]        acquire once (a capture file or --source) and save it as a setup's reference\n"
    "  run SETUP                  repetitive run against a setup's reference, with its run-until rule\n"
#ifdef CVX_CLI_SERVE
    "  serve                      the remote-control server, headless\n"
#endif
    "\n'cvx-compare COMMAND --help' describes each command; --verbose with any command shows the host log.\n"
    "Exit status: 0 no differences, 1 differences, 2 trouble.\n";

int Dispatch(const std::string& command, const std::vector<std::string>& args)
{
    if (command == "demo") {
        return CvxCliDemo::Run(args);
    }
    if (command == "compare") {
        return CvxCliCompare::Run(args);
    }
    if (command == "info") {
        return CvxCliInfo::Run(args);
    }
    if (command == "reference") {
        return CvxCliReference::Run(args);
    }
    if (command == "run") {
        return CvxCliRun::Run(args);
    }
#ifdef CVX_CLI_SERVE
    if (command == "serve") {
        return CvxCliServe::Run(args);
    }
#endif
    throw CvxCliError("unknown command '" + command + "' (see cvx-compare --help)");
}

// Loaded captures fill hundreds of MiB of column chunks, and faulting them in page by page
// costs a fifth of a large comparison. Where transparent huge pages are given on request
// (madvise), glibc requests them only with the hugetlb tunable, which it reads at start-up: so
// the program starts itself again once with it set. Chunks must then come from the heap,
// where the huge pages are (not from mmap of their own, as chunks over 128 KiB would), and
// from one heap, also those of the thread that reads the second capture (the arenas of other
// threads get no huge pages): a sixth of the page faults of a large comparison remain. Nothing
// changes where the restart fails; a GLIBC_TUNABLES that sets hugetlb itself is left alone.
void RequestHugePages(char** argv)
{
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables != nullptr && std::strstr(tunables, "glibc.malloc.hugetlb") != nullptr) {
        return;
    }
    const std::string value =
        (tunables != nullptr && *tunables != '\0' ? std::string(tunables) + ":" : std::string()) + "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=33554432:glibc.malloc.arena_max=1";
    if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) == 0) {
        ::execv("/proc/self/exe", argv);
    }
}

} // namespace

int main(int argc, char** argv)
{
    RequestHugePages(argv);
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? kCliExitTrouble : kCliExitSame;
    }
    try {
        // --verbose, anywhere: the host log (libsigrok's own lines among it) goes to the terminal too.
        std::vector<std::string> args(argv + 2, argv + argc);
        const auto verbose = std::remove(args.begin(), args.end(), std::string("--verbose"));
        if (verbose != args.end()) {
            args.erase(verbose, args.end());
            CvxInfoMgr::GetInstance().SetEchoToStderr(true);
        }
        const int status = Dispatch(argv[1], args);
        std::fflush(stdout);
        return status;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "cvx-compare: %s\n", e.what());
        return kCliExitTrouble;
    }
}

#pragma once
// cvx-compare run SETUP: a repetitive run against the reference of a setup. Acquires again
// and again from a source (the setup's, another one, or a list of files read one per run),
// compares each run, prints one summary line per run, and stops after N runs, at the end of
// the file list, on SIGINT/SIGTERM, or when the tool's run-until rule stops it. The rule
// (threshold, stop comparing, stop the repetitive run, e-mail) comes from the setup or from
// the options; the mail service's settings come from the options.

#include <string>
#include <vector>

class CvxCliRun {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

#pragma once
// cvx-compare serve: the host's remote-control server without windows, on a session with a
// source (and a Compare tool) or a setup, until SIGINT or SIGTERM.

#include <string>
#include <vector>

class CvxCliServe {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

#pragma once
// cvx-compare demo: the main job on the built-in simulated analyzer. Acquire, copy every
// bus/signal into the reference buffer, acquire again with injected faults, compare, and
// print the four counts and the first differences.

#include <string>
#include <vector>

class CvxCliDemo {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

#pragma once
// cvx-compare reference: acquires once from any source (the simulated analyzer, a libsigrok
// device, a capture file) and saves a setup holding that acquisition as the reference, over
// chosen buses/signals and a range; `compare` and `run` then take the setup.

#include <string>
#include <vector>

class CvxCliReference {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

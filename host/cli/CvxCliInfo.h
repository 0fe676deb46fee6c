#pragma once
// cvx-compare info CAPTURE|SETUP: what a capture holds (tables, buses/signals with their
// widths and kinds, samples, time span, trigger, the source options it was read with) or what
// a setup keeps (its source, its reference and range, the capture it keeps).

#include <string>
#include <vector>

class CvxCliInfo {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

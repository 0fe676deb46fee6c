#pragma once
// cvx-compare compare REFERENCE INPUT: compares two captures (VCD, .sr, CSV or any libsigrok
// input, or a setup that holds a reference). Both captures are read under one table name, so
// that labels of the same name are one bus/signal to the tool; the reference is copied from
// the first and the second is compared against it.

#include <string>
#include <vector>

class CvxCliCompare {
public:
    // Answers the exit status; throws CvxCliError on trouble.
    static int Run(const std::vector<std::string>& args);
};

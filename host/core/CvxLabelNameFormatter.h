#pragma once
// The name under which a bus/signal (or one channel of it) is shown.

#include "CvxID.h"

#include <string>

class CvxLabelNameFormatter {
public:
    // The label's name with "[c]" for a single channel; with `withPath`, preceded by the
    // names of the folders above it (below the root), each followed by "/".
    // An unknown label gives an empty text.
    static std::u16string Format(const CvxID& label, int channel, bool withPath);
};

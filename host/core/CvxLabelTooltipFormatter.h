#pragma once
// The tool-tip text of a bus/signal (or one channel of it), as views show it over a column:
// its name, what it is (signal, N-bit bus, text), its acquisition channels, its base, whether
// it carries X/Z, its comment and whether it is locked, and the table it comes from. Lines
// are separated by "\n"; a label the label manager does not hold gives an empty text.

#include "CvxLabelChannel.h"

#include <string>

class CvxLabelTooltipFormatter {
public:
    static std::u16string Format(const CvxLabelChannel& label);
};

#pragma once
// Bus definitions that group libsigrok channels into buses, kept as one line of text that
// the host persists with its setup:
//   ADDR=D0-D7,D9; DATA=D10-D15
// Definitions are separated by ';' or line ends; each is NAME=ITEM,ITEM,... where an item is
// a channel name or a range of names with one prefix (D0-D7, or D7-D0 to reverse). Channels
// are listed least significant first: ADDR bit 0 is D0, bit 8 is D9. A bus has 1 to 128 bits.

#include <string>
#include <string_view>
#include <vector>

struct CvxSigrokBus {
    std::string name;
    std::vector<std::string> channels; // bit 0 first

    friend bool operator==(const CvxSigrokBus&, const CvxSigrokBus&) = default;
};

class CvxSigrokBusDefinitions {
public:
    static constexpr int kMaxWidth = 128;

    // False with `error` naming the definition and what was expected.
    static bool Parse(std::string_view text, std::vector<CvxSigrokBus>& out, std::string& error);
    // The text Parse reads back to the same buses.
    static std::string Format(const std::vector<CvxSigrokBus>& buses);
};

#pragma once
// The trigger of a libsigrok device: a pattern on one bus (of the source's bus definitions) or
// one logic channel, as the text NAME=0b10X1 (binary digits, most significant first, X where
// any level will do; fewer digits than the bus has are zeros on the left). It becomes the
// device's trigger stage of level matches, so only drivers that offer trigger matches take it.

#include "CvxSigrokBusDefinitions.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sr_dev_inst;
struct sr_trigger;

class CvxSigrokTrigger {
public:
    // Reads the option text (empty: no trigger); false with `error` naming the problem.
    bool Parse(std::string_view text, const std::vector<CvxSigrokBus>& buses, std::string& error);
    const std::string& GetText() const { return m_text; }
    bool IsEmpty() const { return m_matches.empty(); }
    // Each cared-for channel with its level, bit 0 of the bus first.
    const std::vector<std::pair<std::string, bool>>& GetMatches() const { return m_matches; }

    // Whether the opened device offers level trigger matches (drivers tell only for a device).
    static bool DeviceHasTrigger(const sr_dev_inst* device);
    // The trigger for the opened device, to be freed with sr_trigger_free; null without
    // matches. Throws CvxSourceError for a channel the device does not have enabled.
    sr_trigger* Make(const sr_dev_inst* device) const;

private:
    std::string m_text;
    std::vector<std::pair<std::string, bool>> m_matches;
};

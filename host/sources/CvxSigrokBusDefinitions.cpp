#include "CvxSigrokBusDefinitions.h"

#include "CvxSourceText.h"

#include <algorithm>
#include <cctype>

namespace {

// Splits "D12" into "D" and 12; false when the name does not end in digits.
bool SplitNumbered(std::string_view name, std::string_view& prefix, std::int64_t& number)
{
    std::size_t at = name.size();
    while (at > 0 && std::isdigit(static_cast<unsigned char>(name[at - 1])) != 0) {
        --at;
    }
    if (at == name.size() || name.size() - at > 9) {
        return false;
    }
    prefix = name.substr(0, at);
    number = std::stoll(std::string(name.substr(at)));
    return true;
}

} // namespace

bool CvxSigrokBusDefinitions::Parse(std::string_view text, std::vector<CvxSigrokBus>& out, std::string& error)
{
    std::string normalized(text);
    std::replace(normalized.begin(), normalized.end(), '\n', ';');
    std::vector<CvxSigrokBus> buses;
    for (const std::string_view definition : CvxSourceText::Split(normalized, ';')) {
        if (definition.empty()) {
            continue;
        }
        const std::string quoted = "bus definition '" + std::string(definition) + "': ";
        const std::size_t eq = definition.find('=');
        if (eq == std::string_view::npos) {
            error = quoted + "expected NAME=CHANNELS (ADDR=D0-D7,D9)";
            return false;
        }
        CvxSigrokBus bus;
        bus.name = std::string(CvxSourceText::Trim(definition.substr(0, eq)));
        if (bus.name.empty()) {
            error = quoted + "expected a bus name before '='";
            return false;
        }
        if (std::any_of(buses.begin(), buses.end(), [&](const CvxSigrokBus& b) { return b.name == bus.name; })) {
            error = quoted + "the bus " + bus.name + " is defined twice";
            return false;
        }
        for (const std::string_view item : CvxSourceText::Split(definition.substr(eq + 1), ',')) {
            if (item.empty()) {
                error = quoted + "expected a channel name or a range such as D0-D7 between commas";
                return false;
            }
            const std::size_t dash = item.find('-');
            std::string_view firstPrefix;
            std::string_view lastPrefix;
            std::int64_t first = 0;
            std::int64_t last = 0;
            if (dash != std::string_view::npos
                && SplitNumbered(CvxSourceText::Trim(item.substr(0, dash)), firstPrefix, first)
                && SplitNumbered(CvxSourceText::Trim(item.substr(dash + 1)), lastPrefix, last)) {
                if (firstPrefix != lastPrefix) {
                    error = quoted + "range '" + std::string(item) + "': expected the same prefix at both ends";
                    return false;
                }
                if (std::abs(last - first) >= kMaxWidth) {
                    error = quoted + "range '" + std::string(item) + "': expected at most " + std::to_string(kMaxWidth) + " channels";
                    return false;
                }
                const std::int64_t step = last >= first ? 1 : -1;
                for (std::int64_t n = first;; n += step) {
                    bus.channels.push_back(std::string(firstPrefix) + std::to_string(n));
                    if (n == last) {
                        break;
                    }
                }
            } else {
                bus.channels.emplace_back(item);
            }
            if (bus.channels.size() > static_cast<std::size_t>(kMaxWidth)) {
                error = quoted + "expected at most " + std::to_string(kMaxWidth) + " channels";
                return false;
            }
        }
        std::vector<std::string> sorted = bus.channels;
        std::sort(sorted.begin(), sorted.end());
        const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
        if (twice != sorted.end()) {
            error = quoted + "channel " + *twice + " is listed twice";
            return false;
        }
        buses.push_back(std::move(bus));
    }
    out = std::move(buses);
    return true;
}

std::string CvxSigrokBusDefinitions::Format(const std::vector<CvxSigrokBus>& buses)
{
    std::string text;
    for (const CvxSigrokBus& bus : buses) {
        text += (text.empty() ? "" : "; ") + bus.name + "=";
        for (std::size_t i = 0; i < bus.channels.size(); ++i) {
            text += (i == 0 ? "" : ",") + bus.channels[i];
        }
    }
    return text;
}

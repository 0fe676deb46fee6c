#include "CvxSimFaultPlan.h"

#include "CvxSourceText.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint64_t SplitMix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

int FindTarget(std::string_view name, const std::vector<CvxSimFaultTarget>& targets)
{
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

bool CvxSimFaultPlan::Parse(std::string_view text, const std::vector<CvxSimFaultTarget>& targets,
                            std::vector<CvxSimFault>& out, std::string& error)
{
    std::vector<CvxSimFault> faults;
    if (!CvxSourceText::Trim(text).empty()) {
        for (const std::string_view item : CvxSourceText::Split(text, ',')) {
            const std::vector<std::string_view> parts = CvxSourceText::Split(item, ':');
            const std::string_view kind = parts.front();
            CvxSimFault fault;
            std::string_view rowText;
            if (kind == "flip" && parts.size() == 4) {
                fault.kind = EvxSimFault::BitFlip;
                rowText = parts[2];
                std::int64_t bit = 0;
                fault.label = FindTarget(parts[1], targets);
                if (fault.label >= 0
                    && (!CvxSourceText::ParseInt(parts[3], bit) || bit < 0 || bit >= targets[static_cast<std::size_t>(fault.label)].width)) {
                    error = "fault '" + std::string(item) + "': expected a bit number below "
                        + std::to_string(targets[static_cast<std::size_t>(fault.label)].width);
                    return false;
                }
                fault.bit = static_cast<int>(bit);
            } else if (kind == "glitch" && parts.size() == 3) {
                fault.kind = EvxSimFault::Glitch;
                rowText = parts[2];
                fault.label = FindTarget(parts[1], targets);
                if (fault.label >= 0 && targets[static_cast<std::size_t>(fault.label)].width != 1) {
                    error = "fault '" + std::string(item) + "': a glitch needs a 1-bit signal";
                    return false;
                }
            } else if ((kind == "missing" || kind == "extra") && parts.size() == 2) {
                fault.kind = kind == "missing" ? EvxSimFault::Missing : EvxSimFault::Extra;
                rowText = parts[1];
            } else {
                error = "fault '" + std::string(item)
                    + "': expected flip:LABEL:ROW:BIT, glitch:LABEL:ROW, missing:ROW or extra:ROW";
                return false;
            }
            if ((fault.kind == EvxSimFault::BitFlip || fault.kind == EvxSimFault::Glitch) && fault.label < 0) {
                std::string names;
                for (const CvxSimFaultTarget& t : targets) {
                    names += (names.empty() ? "" : ", ") + t.name;
                }
                error = "fault '" + std::string(item) + "': expected one of the labels " + names;
                return false;
            }
            if (!CvxSourceText::ParseInt(rowText, fault.row) || fault.row < 0) {
                error = "fault '" + std::string(item) + "': expected a row number (0 or more)";
                return false;
            }
            faults.push_back(fault);
        }
    }
    std::stable_sort(faults.begin(), faults.end(), [](const CvxSimFault& a, const CvxSimFault& b) { return a.row < b.row; });
    out = std::move(faults);
    return true;
}

std::string CvxSimFaultPlan::Format(const std::vector<CvxSimFault>& faults, const std::vector<CvxSimFaultTarget>& targets)
{
    std::string text;
    for (const CvxSimFault& f : faults) {
        text += text.empty() ? "" : ", ";
        const std::string row = std::to_string(f.row);
        switch (f.kind) {
        case EvxSimFault::BitFlip:
            text += "flip:" + targets[static_cast<std::size_t>(f.label)].name + ":" + row + ":" + std::to_string(f.bit);
            break;
        case EvxSimFault::Glitch: text += "glitch:" + targets[static_cast<std::size_t>(f.label)].name + ":" + row; break;
        case EvxSimFault::Missing: text += "missing:" + row; break;
        case EvxSimFault::Extra: text += "extra:" + row; break;
        }
    }
    return text;
}

std::vector<CvxSimFault> CvxSimFaultPlan::Seeded(std::uint64_t seed, std::int64_t run, double perMillion,
                                                 std::int64_t rows, const std::vector<CvxSimFaultTarget>& targets)
{
    std::vector<CvxSimFault> faults;
    if (!(perMillion > 0) || rows <= 0 || targets.empty()) {
        return faults;
    }
    const auto count = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::floor(static_cast<double>(rows) * perMillion / 1e6)));
    std::uint64_t state = SplitMix(seed ^ SplitMix(static_cast<std::uint64_t>(run) + 0x5EEDULL));
    std::vector<int> oneBit;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].width == 1) {
            oneBit.push_back(static_cast<int>(i));
        }
    }
    for (std::int64_t i = 0; i < count; ++i) {
        state = SplitMix(state);
        CvxSimFault fault;
        fault.row = static_cast<std::int64_t>(state % static_cast<std::uint64_t>(rows));
        const std::uint64_t pick = SplitMix(state ^ 0xFA017ULL);
        fault.kind = static_cast<EvxSimFault>(pick % 4);
        if (fault.kind == EvxSimFault::Glitch && oneBit.empty()) {
            fault.kind = EvxSimFault::BitFlip;
        }
        if (fault.kind == EvxSimFault::Glitch) {
            fault.label = oneBit[static_cast<std::size_t>((pick >> 8) % oneBit.size())];
        } else if (fault.kind == EvxSimFault::BitFlip) {
            fault.label = static_cast<int>((pick >> 8) % targets.size());
            fault.bit = static_cast<int>((pick >> 24) % static_cast<std::uint64_t>(targets[static_cast<std::size_t>(fault.label)].width));
        }
        faults.push_back(fault);
    }
    std::stable_sort(faults.begin(), faults.end(), [](const CvxSimFault& a, const CvxSimFault& b) { return a.row < b.row; });
    return faults;
}

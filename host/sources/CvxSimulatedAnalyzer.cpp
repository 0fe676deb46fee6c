#include "CvxSimulatedAnalyzer.h"

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"

#include <array>
#include <cstring>

namespace {

// About 60 bytes a timing sample: the largest run fits the host's memory.
constexpr std::int64_t kMaxSamples = 200'000'000;

// Timing label indices (into GetTimingTargets()).
enum : int { kClk, kRd, kWr, kData8, kAddr16, kData32, kData64, kWide96, kTargets };

// The table of the timing buses/signals (the trigger's table).
constexpr char16_t kTimingTable[] = u"Timing";

inline std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

inline std::uint64_t Hash(std::uint64_t seed, std::uint64_t index, std::uint64_t lane)
{
    return Mix(seed * 0xD1B54A32D192ED03ULL ^ Mix(index * 8 + lane));
}

// The values of one timing sample.
struct Sample {
    std::uint64_t v[kTargets];
    std::uint64_t wideHigh; // bits 64-95 of WIDE96
    int command;            // 0 IDLE, 1 READ, 2 WRITE
};

// The bus cycle a timing sample belongs to (4 samples each): a command, an address that
// counts up from a seeded start, and seeded data held over the cycle; strobes on phases 1-2.
Sample MakeSample(std::uint64_t seed, std::int64_t g)
{
    const auto cycle = static_cast<std::uint64_t>(g >> 2);
    const int phase = static_cast<int>(g & 3);
    Sample s{};
    const std::uint64_t h = Hash(seed, cycle, 0);
    s.command = static_cast<int>(h % 3);
    const bool strobe = phase == 1 || phase == 2;
    s.v[kClk] = static_cast<std::uint64_t>(g & 1);
    s.v[kRd] = s.command == 1 && strobe ? 1 : 0;
    s.v[kWr] = s.command == 2 && strobe ? 1 : 0;
    s.v[kAddr16] = (cycle + (Mix(seed) & 0xFF)) & 0xFFFF;
    s.v[kData8] = (h >> 8) & 0xFF;
    s.v[kData32] = Hash(seed, cycle, 1) & 0xFFFFFFFF;
    s.v[kData64] = Hash(seed, cycle, 2);
    s.v[kWide96] = Hash(seed, cycle, 3);
    s.wideHigh = Hash(seed, cycle, 4) & 0xFFFFFFFF;
    return s;
}

std::u16string CommandText(const Sample& s)
{
    if (s.command == 0) {
        return u"IDLE";
    }
    std::u16string text = s.command == 1 ? u"READ 0x" : u"WRITE 0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text.push_back(u"0123456789ABCDEF"[(s.v[kAddr16] >> shift) & 0xF]);
    }
    return text;
}

// Parses "LABEL=VALUE": hex (0x, digits or X), binary (0b, digits or X) or decimal.
bool ParsePattern(std::string_view text, int& label, std::uint64_t& value, std::uint64_t& care, std::string& error)
{
    const std::size_t eq = text.find('=');
    const std::string_view name = CvxSourceText::Trim(text.substr(0, eq));
    std::string_view digits = eq == std::string_view::npos ? std::string_view() : CvxSourceText::Trim(text.substr(eq + 1));
    const auto& targets = CvxSimulatedAnalyzer::GetTimingTargets();
    label = -1;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].name == name && targets[i].width <= 64) {
            label = static_cast<int>(i);
        }
    }
    if (label < 0 || digits.empty()) {
        error = "trigger: expected LABEL=VALUE on a timing bus of up to 64 bits (ADDR16=0x0100), found '"
            + std::string(text) + "'";
        return false;
    }
    const int width = targets[static_cast<std::size_t>(label)].width;
    const std::uint64_t all = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    value = 0;
    care = all;
    int bitsPerDigit = 0;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        bitsPerDigit = 4;
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'b' || digits[1] == 'B')) {
        bitsPerDigit = 1;
    }
    if (bitsPerDigit == 0) {
        if (!CvxSourceText::ParseUInt(digits, value) || (value & ~all) != 0) {
            error = "trigger: expected a value that fits " + std::to_string(width) + " bits, found '" + std::string(digits) + "'";
            return false;
        }
        return true;
    }
    digits.remove_prefix(2);
    care = 0;
    for (const char c : digits) {
        const int digitMax = (1 << bitsPerDigit) - 1;
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        const bool dontCare = c == 'x' || c == 'X';
        if ((digit < 0 || digit > digitMax) && !dontCare) {
            error = "trigger: '" + std::string(1, c) + "' is not a digit of the pattern";
            return false;
        }
        value = (value << bitsPerDigit) | static_cast<std::uint64_t>(dontCare ? 0 : digit);
        care = (care << bitsPerDigit) | static_cast<std::uint64_t>(dontCare ? 0 : digitMax);
    }
    if ((value & ~all) != 0 || static_cast<int>(digits.size()) * bitsPerDigit > 64) {
        error = "trigger: the pattern is wider than " + std::to_string(width) + " bits";
        return false;
    }
    care &= all;
    return true;
}

} // namespace

const std::vector<CvxSimFaultTarget>& CvxSimulatedAnalyzer::GetTimingTargets()
{
    static const std::vector<CvxSimFaultTarget> targets{
        {"CLK", 1}, {"RD_STRB", 1}, {"WR_STRB", 1}, {"DATA8", 8},
        {"ADDR16", 16}, {"DATA32", 32}, {"DATA64", 64}, {"WIDE96", 96},
    };
    return targets;
}

CvxSimulatedAnalyzer::CvxSimulatedAnalyzer()
{
    std::string error;
    ParsePattern(m_trigger, m_triggerLabel, m_triggerValue, m_triggerCare, error);
}

std::vector<CvxSourceOption> CvxSimulatedAnalyzer::GetOptions() const
{
    return {
        {"seed", std::to_string(m_seed), "seed of the generated data and of seeded faults"},
        {"samples", std::to_string(m_samples), "timing samples per run (1 to 200000000)"},
        {"state_samples", std::to_string(m_stateSamples), "state samples per run; 0 for a quarter of the timing samples"},
        {"period", CvxSourceText::FormatTime(m_periodFs), "timing sample period (the state period is 4 times it)"},
        {"trigger", m_trigger, "trigger pattern LABEL=VALUE on a timing bus; hex or binary digits may be X"},
        {"trigger_row", std::to_string(m_triggerRow), "fixed trigger row, or -1 to trigger on the pattern"},
        {"faults", CvxSimFaultPlan::Format(m_faults, GetTimingTargets()),
         "faults at chosen rows: flip:LABEL:ROW:BIT, glitch:LABEL:ROW, missing:ROW, extra:ROW"},
        {"fault_rate", std::to_string(m_faultRate), "seeded faults per million timing samples, new places each run"},
        {"interval", std::to_string(m_interval.count()), "pause between repetitive runs in ms"},
    };
}

bool CvxSimulatedAnalyzer::SetOption(std::string_view key, std::string_view value, std::string& error)
{
    std::int64_t number = 0;
    const bool isNumber = CvxSourceText::ParseInt(value, number);
    const auto bad = [&](const std::string& expected) {
        error = std::string(key) + ": expected " + expected + ", found '" + std::string(value) + "'";
        return false;
    };
    if (key == "seed") {
        std::uint64_t seed = 0;
        if (!CvxSourceText::ParseUInt(value, seed)) {
            return bad("a number");
        }
        m_seed = seed;
    } else if (key == "samples") {
        if (!isNumber || number < 1 || number > kMaxSamples) {
            return bad("a count from 1 to " + std::to_string(kMaxSamples));
        }
        m_samples = number;
    } else if (key == "state_samples") {
        if (!isNumber || number < 0 || number > kMaxSamples) {
            return bad("a count from 0 to " + std::to_string(kMaxSamples));
        }
        m_stateSamples = number;
    } else if (key == "period") {
        CvxInt128 fs = 0;
        if (!CvxSourceText::ParseTime(value, fs) || fs <= 0 || fs > CvxInt128{1} << 80) {
            return bad("a positive time such as 10ns");
        }
        m_periodFs = fs;
    } else if (key == "trigger") {
        int label = -1;
        std::uint64_t v = 0;
        std::uint64_t care = 0;
        if (!ParsePattern(value, label, v, care, error)) {
            return false;
        }
        m_trigger = std::string(CvxSourceText::Trim(value));
        m_triggerLabel = label;
        m_triggerValue = v;
        m_triggerCare = care;
    } else if (key == "trigger_row") {
        if (!isNumber || number < -1) {
            return bad("a row number, or -1 for the pattern");
        }
        m_triggerRow = number;
    } else if (key == "faults") {
        std::vector<CvxSimFault> faults;
        if (!CvxSimFaultPlan::Parse(value, GetTimingTargets(), faults, error)) {
            return false;
        }
        m_faults = std::move(faults);
    } else if (key == "fault_rate") {
        std::string text(CvxSourceText::Trim(value));
        char* end = nullptr;
        const double rate = std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size() || !(rate >= 0) || rate > 1e6) {
            return bad("faults per million samples (0 to 1000000)");
        }
        m_faultRate = rate;
    } else if (key == "interval") {
        if (!isNumber || number < 0 || number > 3'600'000) {
            return bad("a pause in ms (0 to 3600000)");
        }
        m_interval = std::chrono::milliseconds(number);
    } else {
        error = UnknownOption(key, "the simulated analyzer");
        return false;
    }
    return true;
}

std::shared_ptr<CvxData> CvxSimulatedAnalyzer::DoAcquire(std::int64_t run)
{
    const std::vector<CvxSimFaultTarget>& targets = GetTimingTargets();
    std::vector<CvxSimFault> faults;
    for (const CvxSimFault& fault : m_faults) {
        if (fault.row < m_samples) {
            faults.push_back(fault);
        } else {
            AddWarning("fault " + CvxSimFaultPlan::Format({fault}, targets) + " lies beyond the "
                       + std::to_string(m_samples) + " samples and is not applied");
        }
    }
    const std::vector<CvxSimFault> seeded = CvxSimFaultPlan::Seeded(m_seed, run, m_faultRate, m_samples, targets);
    faults.insert(faults.end(), seeded.begin(), seeded.end());
    std::stable_sort(faults.begin(), faults.end(), [](const CvxSimFault& a, const CvxSimFault& b) { return a.row < b.row; });

    CvxDataBuilder builder(GetInstanceID());
    CvxDataTable& timing = builder.AddTable(kTimingTable);
    builder.AddTime(timing);
    std::array<CvxDataColumnComponent*, kTargets> columns{};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        std::u16string name(targets[i].name.begin(), targets[i].name.end());
        columns[i] = &builder.AddBus(timing, std::move(name), targets[i].width);
    }
    CvxDataColumnComponent& command = builder.AddString(timing, u"CMD");

    std::int64_t trigger = -1;
    std::int64_t g = 0; // index of the sample the simulated bus puts out, before missing/extra ones
    std::size_t next = 0;
    std::int64_t cachedCycle = -1;
    Sample cycle{};
    std::u16string cycleText;
    for (std::int64_t row = 0; row < m_samples; ++row) {
        bool extra = false;
        bool touched = false;
        for (std::size_t f = next; f < faults.size() && faults[f].row == row; ++f) {
            g += faults[f].kind == EvxSimFault::Missing ? 1 : 0;
            extra = extra || faults[f].kind == EvxSimFault::Extra;
        }
        if ((g >> 2) != cachedCycle) {
            cachedCycle = g >> 2;
            cycle = MakeSample(m_seed, g);
            cycleText = CommandText(cycle);
        }
        Sample s = cycle;
        const int phase = static_cast<int>(g & 3);
        const bool strobe = phase == 1 || phase == 2;
        s.v[kClk] = static_cast<std::uint64_t>(g & 1);
        s.v[kRd] = cycle.command == 1 && strobe ? 1 : 0;
        s.v[kWr] = cycle.command == 2 && strobe ? 1 : 0;
        for (; next < faults.size() && faults[next].row == row; ++next) {
            const CvxSimFault& fault = faults[next];
            if (fault.kind == EvxSimFault::BitFlip || fault.kind == EvxSimFault::Glitch) {
                touched = true;
                if (fault.label == kWide96 && fault.bit >= 64) {
                    s.wideHigh ^= std::uint64_t{1} << (fault.bit - 64);
                } else {
                    s.v[fault.label] ^= std::uint64_t{1} << fault.bit;
                }
            }
        }
        if (trigger < 0 && m_triggerRow < 0 && (s.v[m_triggerLabel] & m_triggerCare) == m_triggerValue) {
            trigger = row;
        }
        for (int i = 0; i < kWide96; ++i) {
            columns[static_cast<std::size_t>(i)]->Append(s.v[i]);
        }
        columns[kWide96]->Append(CvxUInt::FromU128(static_cast<CvxUInt128>(s.v[kWide96]) | (static_cast<CvxUInt128>(s.wideHigh) << 64)));
        // The command is decoded from the bus as captured, so a hit address decodes anew.
        command.AppendString(touched ? CommandText(s) : cycleText);
        g += extra ? 0 : 1;
    }
    if (m_triggerRow >= 0) {
        trigger = std::min(m_triggerRow, m_samples - 1);
        if (trigger != m_triggerRow) {
            AddWarning("trigger row " + std::to_string(m_triggerRow) + " lies beyond the samples; the trigger is on the last row");
        }
    } else if (trigger < 0) {
        AddWarning("the trigger pattern " + m_trigger + " did not occur in " + std::to_string(m_samples)
                   + " samples; the trigger is on the first row");
        trigger = 0;
    }
    timing.SetUniformTimeBase(CvxTime(m_periodFs));
    timing.SetTriggerRow(trigger);
    BuildState(builder, trigger);
    return builder.Finish();
}

void CvxSimulatedAnalyzer::BuildState(CvxDataBuilder& builder, std::int64_t timingTriggerRow) const
{
    static constexpr std::array<std::u16string_view, 4> kOps{u"RD", u"WR", u"RMW", u"NOP"};
    const std::int64_t rows = m_stateSamples > 0 ? m_stateSamples : std::max<std::int64_t>(1, m_samples / 4);
    CvxDataTable& state = builder.AddTable(u"State");
    builder.AddTime(state);
    CvxDataColumnComponent& address = builder.AddBus(state, u"ST_ADDR", 32);
    CvxDataColumnComponent& data = builder.AddBus(state, u"ST_DATA", 16, true);
    CvxDataColumnComponent& op = builder.AddString(state, u"ST_OP", true);
    CvxDataColumnComponent& flags = builder.AddBus(state, u"ST_FLAGS", 4);
    const std::uint64_t seed = m_seed ^ 0x57A7E57A7EULL;
    for (std::int64_t row = 0; row < rows; ++row) {
        const std::uint64_t h = Hash(seed, static_cast<std::uint64_t>(row), 0);
        const int slots = 1 + static_cast<int>(h % 4);
        address.Append((0x10000000ULL + static_cast<std::uint64_t>(row) * 4) & 0xFFFFFFFFULL);
        data.AppendRow(slots);
        op.AppendRow(slots);
        for (int j = 0; j < slots; ++j) {
            data.AppendSubRow(j, Hash(seed, static_cast<std::uint64_t>(row) * 4 + static_cast<std::uint64_t>(j), 5) & 0xFFFF);
            op.AppendSubRowString(j, kOps[(h >> (8 + 2 * j)) & 3]);
        }
        flags.Append((h >> 40) & 0xF);
    }
    state.SetUniformTimeBase(CvxTime(m_periodFs * 4));
    state.SetTriggerRow(std::min(timingTriggerRow / 4, rows - 1));
}

namespace {

// The timing target a label of the analyzer's timing table names, or -1. The table, not the
// label's creator, decides: labels outlive the source instance that first made them.
int TriggerTarget(const CvxID& label)
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    const CvxLabelBase* base = mgr.IDToLabel(label);
    const CvxLabelBase* folder = base != nullptr ? mgr.IDToLabel(base->GetParentID()) : nullptr;
    if (folder == nullptr || folder->GetName() != kTimingTable) {
        return -1;
    }
    const auto& targets = CvxSimulatedAnalyzer::GetTimingTargets();
    const std::string name = CvxStringConvert::ToUtf8(base->GetSourceName());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].name == name && targets[i].width <= 64) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

bool CvxSimulatedAnalyzer::IsTriggerLabel(const CvxID& label) const
{
    return TriggerTarget(label) >= 0;
}

bool CvxSimulatedAnalyzer::SetTrigger(const CvxPatternModel& pattern, std::string& error)
{
    const int target = TriggerTarget(pattern.GetLabel().GetLabelID());
    if (target < 0 || pattern.GetLabel().GetChannel() >= 0) {
        error = "the simulated analyzer triggers on a whole timing bus of up to 64 bits";
        return false;
    }
    const CvxSimFaultTarget& bus = GetTimingTargets()[static_cast<std::size_t>(target)];
    // Binary digits, X where the pattern does not care: the option's own form.
    std::string text = bus.name + "=0b";
    for (int bit = bus.width - 1; bit >= 0; --bit) {
        const bool care = ((pattern.GetCareBits() >> bit) & 1) != 0;
        text += !care ? 'X' : ((pattern.GetValueBits() >> bit) & 1) != 0 ? '1' : '0';
    }
    return SetOption("trigger", text, error) && SetOption("trigger_row", "-1", error);
}


bool CvxSimulatedAnalyzer::GetTrigger(CvxPatternModel& pattern) const
{
    if (m_triggerRow >= 0 || m_triggerLabel < 0) {
        return false;
    }
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    std::vector<CvxID> candidates = GetOfferedLabels();
    if (candidates.empty()) {
        candidates = labels.GetLabelsBelow(labels.GetLabelRootID());
    }
    for (const CvxID& label : candidates) {
        if (TriggerTarget(label) == m_triggerLabel) {
            const int width = GetTimingTargets()[static_cast<std::size_t>(m_triggerLabel)].width;
            pattern = MakeTriggerPattern(label, width, m_triggerValue, m_triggerCare);
            return true;
        }
    }
    return false;
}

bool CvxSimulatedAnalyzer::SetTriggerRow(std::int64_t row, std::string& error)
{
    if (row < 0) {
        error = "the trigger row must be 0 or more, not " + std::to_string(row);
        return false;
    }
    return SetOption("trigger_row", std::to_string(row), error);
}

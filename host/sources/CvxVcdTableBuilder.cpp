#include "CvxVcdTableBuilder.h"

#include "CvxStringConvert.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace {

// Binary digits, most significant first, x and z for masked bits.
std::u16string BinaryText(const std::uint64_t* value, const std::uint64_t* mask, int width)
{
    std::u16string text(static_cast<std::size_t>(width), u'0');
    for (int bit = 0; bit < width; ++bit) {
        const bool v = ((value[bit / 64] >> (bit % 64)) & 1U) != 0;
        const bool m = ((mask[bit / 64] >> (bit % 64)) & 1U) != 0;
        text[static_cast<std::size_t>(width - 1 - bit)] = m ? (v ? u'z' : u'x') : (v ? u'1' : u'0');
    }
    return text;
}

// A real value in its shortest form that reads back as the same number ("2.0" and "2e0" are
// "2"), so that reals are compared as numbers; text that is no number stays as it is.
std::string CanonicalReal(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [parsed, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || parsed != end) {
        return text;
    }
    char out[32];
    const auto [written, failed] = std::to_chars(out, out + sizeof out, value == 0 ? 0.0 : value);
    return failed == std::errc() ? std::string(out, written) : text;
}

} // namespace

CvxVcdTableBuilder::CvxVcdTableBuilder(const CvxVcdParser& parser, CvxDataBuilder& builder, CvxDataTable& table,
                                       bool regroup, std::vector<std::string>& warnings)
    : m_parser(parser), m_builder(builder), m_table(table), m_warnings(warnings)
{
    m_builder.AddTime(m_table);
    m_usedNames.push_back(u"Time");
    PlanColumns(regroup);
}

CvxVcdTableBuilder::~CvxVcdTableBuilder() = default;

std::u16string CvxVcdTableBuilder::UniqueName(const std::string& name)
{
    const std::u16string wide = CvxStringConvert::FromUtf8(name);
    std::u16string candidate = wide;
    for (int n = 2; std::find(m_usedNames.begin(), m_usedNames.end(), candidate) != m_usedNames.end(); ++n) {
        candidate = wide + u" (" + CvxStringConvert::FromUtf8(std::to_string(n)) + u")";
    }
    if (candidate != wide) {
        m_warnings.push_back(m_parser.GetPath() + ": the name '" + name + "' is declared more than once; it is shown as '"
                             + CvxStringConvert::ToUtf8(candidate) + "'");
    }
    m_usedNames.push_back(candidate);
    return candidate;
}

void CvxVcdTableBuilder::PlanColumns(bool regroup)
{
    const std::vector<CvxVcdVar>& vars = m_parser.GetVars();
    const std::vector<CvxVcdSignal>& signals = m_parser.GetSignals();
    // Split bits that may form a bus: single-bit variables with an index, by name.
    std::map<std::string, std::vector<std::size_t>> candidates;
    if (regroup) {
        for (std::size_t i = 0; i < vars.size(); ++i) {
            const CvxVcdSignal& s = signals[static_cast<std::size_t>(vars[i].signal)];
            if (vars[i].bitIndex >= 0 && s.kind == EvxVcdSignalKind::Bits && s.width == 1) {
                candidates[vars[i].baseName].push_back(i);
            }
        }
        for (auto it = candidates.begin(); it != candidates.end();) {
            std::vector<int> indices;
            for (const std::size_t i : it->second) {
                indices.push_back(vars[i].bitIndex);
            }
            std::sort(indices.begin(), indices.end());
            const bool unique = std::adjacent_find(indices.begin(), indices.end()) == indices.end();
            const int span = indices.back() - indices.front() + 1;
            const bool nameFree = std::none_of(vars.begin(), vars.end(),
                                               [&](const CvxVcdVar& v) { return v.name == it->first; });
            std::string why;
            if (indices.size() < 2) {
                why = "it has a single bit";
            } else if (!unique || span != static_cast<int>(indices.size())) {
                why = "its bits do not form one contiguous range";
            } else if (span > 64) {
                why = "it would be wider than 64 bits";
            } else if (!nameFree) {
                why = "a variable of that name exists";
            }
            if (!why.empty()) {
                m_warnings.push_back(m_parser.GetPath() + ": the bits of '" + it->first + "' are not regrouped: " + why);
                it = candidates.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (std::size_t i = 0; i < vars.size(); ++i) {
        const CvxVcdVar& var = vars[i];
        const CvxVcdSignal& s = signals[static_cast<std::size_t>(var.signal)];
        if (s.kind == EvxVcdSignalKind::Ignored) {
            continue;
        }
        const auto group = var.bitIndex >= 0 ? candidates.find(var.baseName) : candidates.end();
        if (group != candidates.end()) {
            if (group->second.front() != i) {
                continue; // the bus is made at its first bit
            }
            int low = vars[group->second.front()].bitIndex;
            for (const std::size_t member : group->second) {
                low = std::min(low, vars[member].bitIndex);
            }
            Group planned{nullptr, {}, 0};
            std::vector<std::u16string> channelNames(group->second.size());
            for (const std::size_t member : group->second) {
                const int position = vars[member].bitIndex - low;
                planned.bits.emplace_back(vars[member].signal, position);
                channelNames[static_cast<std::size_t>(position)] = CvxStringConvert::FromUtf8(vars[member].name);
            }
            const auto width = static_cast<int>(planned.bits.size());
            planned.column = &m_builder.AddBus(m_table, UniqueName(group->first), width);
            m_builder.GetLabel(*planned.column).SetChannelNames(std::move(channelNames));
            m_groups.push_back(std::move(planned));
        } else if (s.kind == EvxVcdSignalKind::Bits && s.width <= 64) {
            m_numeric.push_back({&m_builder.AddBus(m_table, UniqueName(var.name), s.width),
                                 m_parser.GetValueWords(var.signal), m_parser.GetMaskWords(var.signal), 0});
        } else {
            Text text{&m_builder.AddString(m_table, UniqueName(var.name)), var.signal, {}, {},
                      s.kind == EvxVcdSignalKind::Bits, s.kind == EvxVcdSignalKind::Real, false, {}};
            m_texts.push_back(std::move(text));
        }
    }
}

void CvxVcdTableBuilder::AppendText(Text& text)
{
    if (text.bits) {
        const CvxVcdSignal& s = m_parser.GetSignals()[static_cast<std::size_t>(text.signal)];
        const std::uint64_t* value = m_parser.GetValueWords(text.signal);
        const std::uint64_t* mask = m_parser.GetMaskWords(text.signal);
        const auto words = static_cast<std::size_t>(s.words);
        if (text.lastWords.size() != 2 * words || !std::equal(value, value + words, text.lastWords.begin())
            || !std::equal(mask, mask + words, text.lastWords.begin() + static_cast<std::ptrdiff_t>(words))) {
            text.lastWords.assign(value, value + words);
            text.lastWords.insert(text.lastWords.end(), mask, mask + words);
            text.lastWide = BinaryText(value, mask, s.width);
            text.xz = text.xz || std::any_of(mask, mask + words, [](std::uint64_t m) { return m != 0; });
        }
        text.column->AppendString(text.lastWide);
        return;
    }
    if (!m_parser.HasText(text.signal)) {
        text.column->AppendMissing(kStatusNoSample);
        return;
    }
    const std::string& current = m_parser.GetText(text.signal);
    if (current != text.last || text.lastWide.empty()) {
        text.last = current;
        text.lastWide = CvxStringConvert::FromUtf8(text.real ? CanonicalReal(current) : current);
    }
    text.column->AppendString(text.lastWide);
}

void CvxVcdTableBuilder::OnRow(std::int64_t ticks)
{
    m_table.AppendRowTime(ticks);
    for (Numeric& n : m_numeric) {
        n.column->Append(*n.value, *n.mask);
        n.xz |= *n.mask;
    }
    for (Group& g : m_groups) {
        std::uint64_t value = 0;
        std::uint64_t mask = 0;
        for (const auto& [signal, position] : g.bits) {
            value |= (m_parser.GetValue(signal) & 1U) << position;
            mask |= (m_parser.GetMask(signal) & 1U) << position;
        }
        g.column->Append(value, mask);
        g.xz |= mask;
    }
    for (Text& text : m_texts) {
        AppendText(text);
    }
}

void CvxVcdTableBuilder::Finish()
{
    for (const Numeric& n : m_numeric) {
        m_builder.GetLabel(*n.column).SetFourState(n.xz != 0);
    }
    for (const Group& g : m_groups) {
        m_builder.GetLabel(*g.column).SetFourState(g.xz != 0);
    }
    for (const Text& text : m_texts) {
        m_builder.GetLabel(*text.column).SetFourState(text.xz);
    }
}

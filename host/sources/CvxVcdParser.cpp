#include "CvxVcdParser.h"

#include "CvxAcquisitionSource.h"
#include "CvxSourceText.h"
#include "CvxTime.h"

#include <array>
#include <cstring>

namespace {

constexpr int kCodeChars = 94; // printable ASCII '!' to '~'
constexpr std::size_t kShortCodeSlots = kCodeChars + kCodeChars * kCodeChars + kCodeChars * kCodeChars * kCodeChars;

// Slot of a code of 1 to 3 printable characters, or -1.
inline std::int64_t ShortSlot(std::string_view code)
{
    std::int64_t slot = 0;
    std::int64_t base = 0;
    std::int64_t span = 1;
    for (const char c : code) {
        const int digit = static_cast<unsigned char>(c) - 33;
        if (digit < 0 || digit >= kCodeChars) {
            return -1;
        }
        slot = slot * kCodeChars + digit;
        base += span;
        span *= kCodeChars;
    }
    return base - 1 + slot;
}

struct TypeInfo {
    std::string_view name;
    EvxVcdSignalKind kind;
    bool fourState;
};

constexpr std::array<TypeInfo, 28> kTypes{{
    {"wire", EvxVcdSignalKind::Bits, true},      {"reg", EvxVcdSignalKind::Bits, true},
    {"integer", EvxVcdSignalKind::Bits, true},   {"time", EvxVcdSignalKind::Bits, true},
    {"parameter", EvxVcdSignalKind::Bits, true}, {"event", EvxVcdSignalKind::Bits, true},
    {"tri", EvxVcdSignalKind::Bits, true},       {"triand", EvxVcdSignalKind::Bits, true},
    {"trior", EvxVcdSignalKind::Bits, true},     {"trireg", EvxVcdSignalKind::Bits, true},
    {"tri0", EvxVcdSignalKind::Bits, true},      {"tri1", EvxVcdSignalKind::Bits, true},
    {"wand", EvxVcdSignalKind::Bits, true},      {"wor", EvxVcdSignalKind::Bits, true},
    {"supply0", EvxVcdSignalKind::Bits, true},   {"supply1", EvxVcdSignalKind::Bits, true},
    {"logic", EvxVcdSignalKind::Bits, true},     {"port", EvxVcdSignalKind::Bits, true},
    {"bit", EvxVcdSignalKind::Bits, false},      {"int", EvxVcdSignalKind::Bits, false},
    {"shortint", EvxVcdSignalKind::Bits, false}, {"longint", EvxVcdSignalKind::Bits, false},
    {"byte", EvxVcdSignalKind::Bits, false},     {"real", EvxVcdSignalKind::Real, false},
    {"realtime", EvxVcdSignalKind::Real, false}, {"shortreal", EvxVcdSignalKind::Real, false},
    {"string", EvxVcdSignalKind::String, false}, {"enum", EvxVcdSignalKind::Bits, true},
}};

// Value and mask bits of one digit; false for a character that is no digit.
inline bool Digit(char c, std::uint64_t& value, std::uint64_t& mask)
{
    switch (c) {
    case '0': value = 0; mask = 0; return true;
    case '1': value = 1; mask = 0; return true;
    case 'x': case 'X': value = 0; mask = 1; return true;
    case 'z': case 'Z': value = 1; mask = 1; return true;
    default: return false;
    }
}

// Parses up to 64 digits, most significant first.
inline bool ParseDigits64(std::string_view digits, std::uint64_t& value, std::uint64_t& mask)
{
    std::uint64_t v = 0;
    std::uint64_t m = 0;
    std::size_t i = 0;
    // Eight 0/1 digits at a time: bit 0 of each byte, gathered in reading order.
    for (; i + 8 <= digits.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, digits.data() + i, 8);
        if ((w & 0xFEFEFEFEFEFEFEFEULL) != 0x3030303030303030ULL) {
            break;
        }
        v = (v << 8) | (((w & 0x0101010101010101ULL) * 0x8040201008040201ULL) >> 56);
        m <<= 8;
    }
    for (; i < digits.size(); ++i) {
        std::uint64_t dv = 0;
        std::uint64_t dm = 0;
        if (!Digit(digits[i], dv, dm)) {
            return false;
        }
        v = (v << 1) | dv;
        m = (m << 1) | dm;
    }
    value = v;
    mask = m;
    return true;
}

} // namespace

CvxVcdParser::CvxVcdParser(std::string path, std::vector<std::string>& warnings)
    : m_tokens(std::move(path)), m_warnings(warnings)
{
}

CvxVcdParser::~CvxVcdParser() = default;

void CvxVcdParser::SkipToEnd(std::string_view section)
{
    for (;;) {
        const std::string_view token = m_tokens.Next();
        if (token == "$end") {
            return;
        }
        if (token.empty()) {
            m_tokens.Fail("$end to close " + std::string(section), token);
        }
    }
}

void CvxVcdParser::ParseTimescale()
{
    std::string text;
    for (;;) {
        const std::string_view token = m_tokens.Next();
        if (token == "$end") {
            break;
        }
        if (token.empty()) {
            m_tokens.Fail("$end to close $timescale", token);
        }
        text += token;
    }
    CvxInt128 fs = 0;
    if (!CvxSourceText::ParseTime(text, fs) || fs <= 0) {
        m_tokens.Fail("a timescale such as 1 ns, 100ps or 6666ps", text);
    }
    m_timescale = fs;
}

int CvxVcdParser::AddSignal(std::string_view type, int width, std::string_view name)
{
    CvxVcdSignal signal;
    signal.kind = EvxVcdSignalKind::Ignored;
    for (const TypeInfo& info : kTypes) {
        if (info.name == type) {
            signal.kind = info.kind;
            signal.fourState = info.fourState;
        }
    }
    const std::string where = m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine()) + ": ";
    if (signal.kind == EvxVcdSignalKind::Ignored) {
        m_warnings.push_back(where + "variable '" + std::string(name) + "' has the unsupported type '"
                             + std::string(type) + "' and is not read");
    } else if (signal.kind == EvxVcdSignalKind::Bits && width > kMaxWidth) {
        m_warnings.push_back(where + "variable '" + std::string(name) + "' is " + std::to_string(width)
                             + " bits wide, more than " + std::to_string(kMaxWidth) + ", and is not read");
        signal.kind = EvxVcdSignalKind::Ignored;
    }
    if (signal.kind == EvxVcdSignalKind::Bits) {
        signal.width = width;
        signal.words = (width + 63) / 64;
        signal.word = m_values.size();
        for (int w = 0; w < signal.words; ++w) {
            const int bits = std::min(64, width - 64 * w);
            const std::uint64_t all = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
            m_values.push_back(0);
            m_masks.push_back(signal.fourState ? all : 0);
        }
    } else if (signal.kind != EvxVcdSignalKind::Ignored) {
        signal.text = m_texts.size();
        m_texts.emplace_back();
        m_hasText.push_back(0);
    }
    m_signals.push_back(signal);
    return static_cast<int>(m_signals.size() - 1);
}

int CvxVcdParser::Lookup(std::string_view code) const
{
    if (code.size() <= 3) {
        const std::int64_t slot = ShortSlot(code);
        return slot < 0 || code.empty() ? -1 : m_shortCodes[static_cast<std::size_t>(slot)];
    }
    const auto it = m_longCodes.find(code);
    return it == m_longCodes.end() ? -1 : it->second;
}

void CvxVcdParser::Define(std::string_view code, int signal)
{
    if (code.size() <= 3) {
        m_shortCodes[static_cast<std::size_t>(ShortSlot(code))] = signal;
    } else {
        m_longCodes.emplace(std::string(code), signal);
    }
}

void CvxVcdParser::ParseVar()
{
    const std::string type(m_tokens.Next());
    if (type.empty() || type.front() == '$') {
        m_tokens.Fail("a variable type after $var", type);
    }
    const std::string_view sizeText = m_tokens.Next();
    std::int64_t width = 0;
    if (!CvxSourceText::ParseInt(sizeText, width) || width < 1 || width > (std::int64_t{1} << 30)
        || sizeText.find_first_not_of("0123456789") != std::string_view::npos) {
        m_tokens.Fail("the size of variable (a positive number)", sizeText);
    }
    const std::string code(m_tokens.Next());
    if (code.empty() || code == "$end") {
        m_tokens.Fail("an identifier code", code);
    }
    for (const char c : code) {
        if (static_cast<unsigned char>(c) < 33 || static_cast<unsigned char>(c) > 126) {
            m_tokens.Fail("an identifier code of printable characters", code);
        }
    }
    const std::int64_t line = m_tokens.GetLine();
    std::string reference;
    for (;;) {
        const std::string_view token = m_tokens.Next();
        if (token == "$end") {
            break;
        }
        if (token.empty()) {
            m_tokens.Fail("$end to close $var", token);
        }
        if (!reference.empty() && token.front() != '[') {
            reference += ' ';
        }
        reference += token;
    }
    if (reference.empty()) {
        m_tokens.Fail("a variable name before $end", "$end");
    }
    CvxVcdVar var;
    std::string prefix;
    for (const std::string& scope : m_scopes) {
        prefix += scope + ".";
    }
    // A range select gives the vector's extent and is left out of the name; a single index
    // tells split bits apart and stays.
    const std::size_t bracket = reference.find('[');
    std::string base = reference.substr(0, bracket);
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    var.baseName = prefix + base;
    var.name = var.baseName;
    if (bracket != std::string::npos && reference.back() == ']') {
        const std::string select = reference.substr(bracket + 1, reference.size() - bracket - 2);
        std::int64_t index = 0;
        if (select.find(':') == std::string::npos && CvxSourceText::ParseInt(select, index) && index >= 0
            && index < (std::int64_t{1} << 30)) {
            var.bitIndex = width == 1 ? static_cast<int>(index) : -1;
            var.name += "[" + select + "]";
        }
    } else if (bracket != std::string::npos) {
        var.name = prefix + reference;
    }
    var.line = line;
    int signal = Lookup(code);
    if (signal < 0) {
        signal = AddSignal(type, static_cast<int>(width), var.name);
        Define(code, signal);
    } else if (m_signals[static_cast<std::size_t>(signal)].kind == EvxVcdSignalKind::Bits
               && m_signals[static_cast<std::size_t>(signal)].width != width) {
        m_warnings.push_back(m_tokens.GetPath() + ":" + std::to_string(line) + ": variable '" + var.name
                             + "' shares the code '" + code + "' but not the width; it takes the width "
                             + std::to_string(m_signals[static_cast<std::size_t>(signal)].width));
    }
    var.signal = signal;
    m_vars.push_back(std::move(var));
}

void CvxVcdParser::ReadHeader()
{
    m_shortCodes = std::make_unique<std::int32_t[]>(kShortCodeSlots);
    std::fill_n(m_shortCodes.get(), kShortCodeSlots, -1);
    for (;;) {
        const std::string_view token = m_tokens.Next();
        if (token.empty()) {
            m_tokens.Fail("$enddefinitions (the header is incomplete)", token);
        }
        if (token == "$enddefinitions") {
            const std::string_view end = m_tokens.Next();
            if (end != "$end") {
                m_tokens.Fail("$end after $enddefinitions", end);
            }
            break;
        }
        if (token == "$var") {
            ParseVar();
        } else if (token == "$scope") {
            const std::string_view kind = m_tokens.Next();
            const std::string name(m_tokens.Next());
            if (kind.empty() || name.empty() || name.front() == '$') {
                m_tokens.Fail("a scope type and name after $scope", name);
            }
            m_scopes.push_back(name);
            SkipToEnd("$scope");
        } else if (token == "$upscope") {
            if (m_scopes.empty()) {
                m_tokens.Fail("a $scope before $upscope", token);
            }
            m_scopes.pop_back();
            SkipToEnd("$upscope");
        } else if (token == "$timescale") {
            ParseTimescale();
        } else if (token == "$date" || token == "$version" || token == "$comment") {
            SkipToEnd(token);
        } else if (token.front() == '$' && token != "$end") {
            const std::string section(token);
            m_warnings.push_back(m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine()) + ": section "
                                 + section + " is not understood and was skipped");
            SkipToEnd(section);
        } else {
            m_tokens.Fail("a declaration such as $scope, $var or $enddefinitions", token);
        }
    }
    if (m_timescale == 0) {
        m_warnings.push_back(m_tokens.GetPath() + ": the file has no $timescale; times are taken as 1 ns");
        m_timescale = CvxTime::kNs;
    }
    if (m_vars.empty()) {
        m_warnings.push_back(m_tokens.GetPath() + ": the file declares no variables");
    }
}

bool CvxVcdParser::SetBits(int signalIndex, std::uint64_t value, std::uint64_t mask, int digits, char lead)
{
    CvxVcdSignal& signal = m_signals[static_cast<std::size_t>(signalIndex)];
    if (digits > signal.width) {
        WarnLong(signal);
        const std::uint64_t keep = (std::uint64_t{1} << signal.width) - 1; // width < digits <= 64
        value &= keep;
        mask &= keep;
        digits = signal.width;
    }
    // Left extension: 0 after a leading 0 or 1, else the leading x or z.
    std::uint64_t fillValue = 0;
    std::uint64_t fillMask = 0;
    Digit(lead, fillValue, fillMask);
    fillValue &= fillMask;
    const std::uint64_t high = digits == 64 ? 0 : ~((std::uint64_t{1} << digits) - 1);
    for (int w = 0; w < signal.words; ++w) {
        const int bits = std::min(64, signal.width - 64 * w);
        const std::uint64_t all = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
        std::uint64_t v = fillValue != 0 ? all : 0;
        std::uint64_t m = fillMask != 0 ? all : 0;
        if (w == 0) {
            v = (v & high & all) | value;
            m = (m & high & all) | mask;
        }
        const std::size_t at = signal.word + static_cast<std::size_t>(w);
        if (v != m_values[at] || m != m_masks[at]) {
            m_values[at] = v;
            m_masks[at] = m;
            m_dirty = true;
        }
    }
    return true;
}

void CvxVcdParser::WarnLong(CvxVcdSignal& signal)
{
    if (!signal.warnedLong) {
        signal.warnedLong = true;
        m_warnings.push_back(m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine())
                             + ": a value has more bits than its variable (" + std::to_string(signal.width)
                             + "); its high bits are dropped here and at later such values");
    }
}

bool CvxVcdParser::SetBits(int signalIndex, std::string_view digits)
{
    CvxVcdSignal& signal = m_signals[static_cast<std::size_t>(signalIndex)];
    if (digits.empty()) {
        return false;
    }
    if (static_cast<std::int64_t>(digits.size()) > signal.width) {
        WarnLong(signal);
        digits.remove_prefix(digits.size() - static_cast<std::size_t>(signal.width));
    }
    std::uint64_t fillValue = 0;
    std::uint64_t fillMask = 0;
    if (!Digit(digits.front(), fillValue, fillMask)) {
        return false;
    }
    fillValue &= fillMask;
    // Wide vectors: digit k from the right is bit k.
    bool changed = false;
    const std::size_t n = digits.size();
    for (int w = 0; w < signal.words; ++w) {
        std::uint64_t value = 0;
        std::uint64_t mask = 0;
        const int bits = std::min(64, signal.width - 64 * w);
        for (int b = bits - 1; b >= 0; --b) {
            const std::size_t k = static_cast<std::size_t>(64 * w + b);
            std::uint64_t dv = fillValue;
            std::uint64_t dm = fillMask;
            if (k < n && !Digit(digits[n - 1 - k], dv, dm)) {
                return false;
            }
            value = (value << 1) | dv;
            mask = (mask << 1) | dm;
        }
        const std::size_t at = signal.word + static_cast<std::size_t>(w);
        if (value != m_values[at] || mask != m_masks[at]) {
            m_values[at] = value;
            m_masks[at] = mask;
            changed = true;
        }
    }
    m_dirty = m_dirty || changed;
    return true;
}

void CvxVcdParser::SetText(int signalIndex, std::string_view text)
{
    const CvxVcdSignal& signal = m_signals[static_cast<std::size_t>(signalIndex)];
    std::string& old = m_texts[signal.text];
    if (m_hasText[signal.text] == 0 || old != text) {
        old.assign(text);
        m_hasText[signal.text] = 1;
        m_dirty = true;
    }
}

std::int64_t CvxVcdParser::ReadBody(CvxVcdRowSink& sink)
{
    std::int64_t rows = 0;
    std::int64_t now = 0;
    std::int64_t lastRow = 0;
    bool haveTime = false;
    std::string problem;
    std::string warnedSections;
    for (;;) {
        const std::string_view token = m_tokens.Next();
        if (token.empty()) {
            break;
        }
        const char first = token.front();
        if (first == '#') {
            std::uint64_t t = 0;
            bool ok = token.size() > 1 && token.size() <= 19;
            for (std::size_t i = 1; ok && i < token.size(); ++i) {
                ok = token[i] >= '0' && token[i] <= '9';
                t = t * 10 + static_cast<std::uint64_t>(token[i] - '0');
            }
            if (!ok) {
                problem = m_tokens.Describe("a timestamp (# and up to 18 digits)", token);
                break;
            }
            const auto ticks = static_cast<std::int64_t>(t);
            if (haveTime && ticks < now) {
                problem = m_tokens.Describe("a time not before #" + std::to_string(now), token);
                break;
            }
            if (m_dirty && ticks != now) {
                sink.OnRow(now);
                lastRow = now;
                ++rows;
                m_dirty = false;
            }
            now = ticks;
            haveTime = true;
            continue;
        }
        if (first == '$') {
            if (token == "$dumpvars" || token == "$dumpall" || token == "$dumpon" || token == "$dumpoff"
                || token == "$end") {
                continue;
            }
            const std::string section(token);
            if (section != "$comment" && warnedSections.find(section + " ") == std::string::npos) {
                warnedSections += section + " ";
                m_warnings.push_back(m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine()) + ": section "
                                     + section + " is not understood and was skipped");
            }
            bool closed = false;
            for (std::string_view t = m_tokens.Next(); !t.empty(); t = m_tokens.Next()) {
                if (t == "$end") {
                    closed = true;
                    break;
                }
            }
            if (!closed) {
                problem = m_tokens.Describe("$end to close " + section, {});
                break;
            }
            continue;
        }
        std::string_view valueText;
        std::string_view code;
        // Vectors of up to 64 digits are parsed before their code is read (which may move the
        // buffer under the token); longer values and texts are copied first.
        std::uint64_t shortValue = 0;
        std::uint64_t shortMask = 0;
        int shortDigits = 0;
        const bool scalar = first == '0' || first == '1' || first == 'x' || first == 'X' || first == 'z' || first == 'Z';
        const bool vector = first == 'b' || first == 'B';
        if (scalar) {
            Digit(first, shortValue, shortMask);
            shortDigits = 1;
            code = token.substr(1);
        } else if (vector && token.size() >= 2 && token.size() <= 65) {
            if (!ParseDigits64(token.substr(1), shortValue, shortMask)) {
                problem = m_tokens.Describe("binary digits (0, 1, x or z)", token);
                break;
            }
            shortDigits = static_cast<int>(token.size() - 1);
            m_value.assign(1, token[1]);
            code = m_tokens.Next();
        } else if (vector || first == 'r' || first == 'R' || first == 's' || first == 'S') {
            m_value.assign(token.substr(1));
            valueText = m_value;
            code = m_tokens.Next();
        } else {
            problem = m_tokens.Describe("a value change or a timestamp", token);
            break;
        }
        const int signal = Lookup(code);
        if (signal < 0) {
            problem = m_tokens.Describe("a declared identifier code", code);
            break;
        }
        const EvxVcdSignalKind kind = m_signals[static_cast<std::size_t>(signal)].kind;
        bool ok = true;
        if (kind == EvxVcdSignalKind::Bits && shortDigits > 0) {
            SetBits(signal, shortValue, shortMask, shortDigits, scalar ? first : m_value.front());
        } else if (kind == EvxVcdSignalKind::Bits) {
            ok = vector && SetBits(signal, valueText);
        } else if (kind == EvxVcdSignalKind::Real) {
            ok = first == 'r' || first == 'R';
            if (ok) {
                SetText(signal, valueText);
            }
        } else if (kind == EvxVcdSignalKind::String) {
            ok = first == 's' || first == 'S';
            if (ok) {
                SetText(signal, valueText);
            }
        }
        if (!ok) {
            problem = m_tokens.Describe("a value of the variable's type (0, 1, x or z digits, r<real> or s<text>)",
                                        token);
            break;
        }
    }
    const std::string stopped = " (the data ends at the last complete timestamp, #" + std::to_string(lastRow) + ")";
    if (problem.empty() && !m_tokens.EndedWithNewline()) {
        problem = m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine())
            + ": the last line is cut short (expected a line end)";
    }
    if (problem.empty()) {
        if (m_dirty) {
            sink.OnRow(now);
            ++rows;
            m_dirty = false;
        }
        return rows;
    }
    if (rows == 0) {
        throw CvxSourceError(problem + "; no complete timestamp before it");
    }
    m_warnings.push_back(problem + stopped);
    return rows;
}

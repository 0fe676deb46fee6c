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

int CvxVcdParser::LookupLong(std::string_view code) const
{
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

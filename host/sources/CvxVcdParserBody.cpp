// The value section of CvxVcdParser: value changes and timestamps, with a fast path for the
// common lines (timestamps, scalars and vectors of up to 64 digits) that reads them straight
// from the reader's buffer, and the general path for everything else and every error.

#include "CvxVcdParser.h"

#include "CvxAcquisitionSource.h"
#include "CvxCancelMgr.h"

#include <cstring>

namespace {

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

namespace {

constexpr std::size_t kFastWindow = 256;

inline bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Bits 7 of the bytes that are at most 0x20; the lowest one is exact (a borrow can only
// mark bytes above it).
inline std::uint64_t BlankBytes(std::uint64_t w)
{
    return ((w - 0x2121212121212121ULL) & ~w) & 0x8080808080808080ULL;
}

// 0/1 digits of the eight bytes at w (first byte most significant), or false.
inline bool Binary8(std::uint64_t w, std::uint64_t& bits)
{
    if ((w & 0xFEFEFEFEFEFEFEFEULL) != 0x3030303030303030ULL) {
        return false;
    }
    bits = ((w & 0x0101010101010101ULL) * 0x8040201008040201ULL) >> 56;
    return true;
}

// Parses the digits of a vector value that starts at q and ends at a blank, eight bytes at a
// time: the blank before the end, or null when the value is longer than 64 digits, holds no
// digit, holds something else than 0, 1, x or z, or may run past the window.
const char* ParseVectorDigits(const char* q, const char* end, std::uint64_t& value, std::uint64_t& mask, int& digits)
{
    constexpr std::ptrdiff_t kLongest = 72; // 64 digits and the blank, read in whole words
    if (end - q < kLongest) {
        return nullptr;
    }
    int words = 0;
    std::uint64_t w = 0;
    std::uint64_t blanks = 0;
    for (; words < 9; ++words) {
        std::memcpy(&w, q + 8 * words, 8);
        blanks = BlankBytes(w);
        if (blanks != 0) {
            break;
        }
    }
    const int last = __builtin_ctzll(blanks | (std::uint64_t{1} << 63)) / 8; // digits in word `words`
    const int n = 8 * words + last;
    if (words == 9 || n == 0 || n > 64) {
        return nullptr;
    }
    std::uint64_t v = 0;
    bool binary = true;
    for (int i = 0; i < words && binary; ++i) {
        std::uint64_t chunk;
        std::uint64_t bits = 0;
        std::memcpy(&chunk, q + 8 * i, 8);
        binary = Binary8(chunk, bits);
        v = (v << 8) | bits;
    }
    if (binary && last > 0) {
        // The last digits moved to the top bytes, '0' filled in below them.
        const std::uint64_t top = (w << (8 * (8 - last))) | (0x3030303030303030ULL >> (8 * last));
        std::uint64_t bits = 0;
        binary = Binary8(top, bits);
        v = (v << last) | bits;
    }
    if (binary) {
        value = v;
        mask = 0;
    } else if (!ParseDigits64(std::string_view(q, static_cast<std::size_t>(n)), value, mask)) {
        return nullptr;
    }
    digits = n;
    return q + n;
}

} // namespace

void CvxVcdParser::OnTime(std::int64_t ticks)
{
    if (m_dirty && ticks != m_now) {
        m_sink->OnRow(m_now);
        m_lastRow = m_now;
        ++m_rows;
        m_dirty = false;
    }
    m_now = ticks;
    m_haveTime = true;
}

bool CvxVcdParser::FastRun()
{
    const std::string_view window = m_tokens.Window(kFastWindow);
    const char* const begin = window.data();
    const char* const end = begin + window.size();
    const char* p = begin;
    std::int64_t lines = 0;
    for (;;) {
        while (p < end && IsBlank(*p)) {
            lines += *p == '\n' ? 1 : 0;
            ++p;
        }
        const char* const next = p == end ? nullptr : FastItem(p, end, lines);
        if (next == nullptr) {
            break;
        }
        p = next;
    }
    m_tokens.Consume(static_cast<std::size_t>(p - begin), lines);
    return p != begin;
}

inline const char* CvxVcdParser::FastItem(const char* const start, const char* const end, std::int64_t& lines)
{
    const char* p = start;
    const char first = *p;
    if (first == '#') {
        std::uint64_t t = 0;
        const char* q = p + 1;
        while (q < end && *q >= '0' && *q <= '9' && q - p <= 18) {
            t = t * 10 + static_cast<std::uint64_t>(*q - '0');
            ++q;
        }
        const auto ticks = static_cast<std::int64_t>(t);
        if (q == p + 1 || q == end || !IsBlank(*q) || (m_haveTime && ticks < m_now)) {
            return nullptr;
        }
        OnTime(ticks);
        return q;
    }
    std::uint64_t value = 0;
    std::uint64_t mask = 0;
    int digits = 0;
    std::int64_t gapLines = 0;
    if (first == 'b' || first == 'B') {
        const char* q = ParseVectorDigits(p + 1, end, value, mask, digits);
        if (q == nullptr) {
            return nullptr;
        }
        p = q;
        while (p < end && IsBlank(*p)) {
            gapLines += *p == '\n' ? 1 : 0;
            ++p;
        }
    } else if (Digit(first, value, mask)) {
        digits = 1;
        ++p;
    } else {
        return nullptr;
    }
    const char* codeEnd = p;
    while (codeEnd < end && !IsBlank(*codeEnd)) {
        ++codeEnd;
    }
    if (codeEnd == end || codeEnd == p) {
        return nullptr;
    }
    const int signal = Lookup(std::string_view(p, static_cast<std::size_t>(codeEnd - p)));
    if (signal < 0 || m_signals[static_cast<std::size_t>(signal)].kind != EvxVcdSignalKind::Bits) {
        return nullptr;
    }
    const char lead = first == 'b' || first == 'B' ? start[1] : first;
    const CvxVcdSignal& target = m_signals[static_cast<std::size_t>(signal)];
    if (target.words == 1 && digits <= target.width && (lead == '0' || lead == '1')) {
        // The common case: the value fits and extends with zeros.
        std::uint64_t& oldValue = m_values[target.word];
        std::uint64_t& oldMask = m_masks[target.word];
        if (value != oldValue || mask != oldMask) {
            oldValue = value;
            oldMask = mask;
            m_dirty = true;
        }
    } else {
        SetBits(signal, value, mask, digits, lead);
    }
    lines += gapLines;
    return codeEnd;
}

bool CvxVcdParser::SlowStep(std::string_view token)
{
    const char first = token.front();
    if (first == '#') {
        std::uint64_t t = 0;
        bool ok = token.size() > 1 && token.size() <= 19;
        for (std::size_t i = 1; ok && i < token.size(); ++i) {
            ok = token[i] >= '0' && token[i] <= '9';
            t = t * 10 + static_cast<std::uint64_t>(token[i] - '0');
        }
        if (!ok) {
            m_problem = m_tokens.Describe("a timestamp (# and up to 18 digits)", token);
            return false;
        }
        const auto ticks = static_cast<std::int64_t>(t);
        if (m_haveTime && ticks < m_now) {
            m_problem = m_tokens.Describe("a time not before #" + std::to_string(m_now), token);
            return false;
        }
        OnTime(ticks);
        return true;
    }
    if (first == '$') {
        if (token == "$dumpvars" || token == "$dumpall" || token == "$dumpon" || token == "$dumpoff" || token == "$end") {
            return true;
        }
        const std::string section(token);
        if (section != "$comment" && m_warnedSections.find(section + " ") == std::string::npos) {
            m_warnedSections += section + " ";
            m_warnings.push_back(m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine()) + ": section " + section
                                 + " is not understood and was skipped");
        }
        for (std::string_view t = m_tokens.Next(); !t.empty(); t = m_tokens.Next()) {
            if (t == "$end") {
                return true;
            }
        }
        m_problem = m_tokens.Describe("$end to close " + section, {});
        return false;
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
            m_problem = m_tokens.Describe("binary digits (0, 1, x or z)", token);
            return false;
        }
        shortDigits = static_cast<int>(token.size() - 1);
        m_value.assign(1, token[1]);
        code = m_tokens.Next();
    } else if (vector || first == 'r' || first == 'R' || first == 's' || first == 'S') {
        m_value.assign(token.substr(1));
        valueText = m_value;
        code = m_tokens.Next();
    } else {
        m_problem = m_tokens.Describe("a value change or a timestamp", token);
        return false;
    }
    const int signal = Lookup(code);
    if (signal < 0) {
        m_problem = m_tokens.Describe("a declared identifier code", code);
        return false;
    }
    const EvxVcdSignalKind kind = m_signals[static_cast<std::size_t>(signal)].kind;
    bool ok = true;
    if (kind == EvxVcdSignalKind::Bits && shortDigits > 0) {
        SetBits(signal, shortValue, shortMask, shortDigits, scalar ? first : m_value.front());
    } else if (kind == EvxVcdSignalKind::Bits) {
        ok = vector && SetBits(signal, valueText);
    } else if (kind == EvxVcdSignalKind::Real || kind == EvxVcdSignalKind::String) {
        ok = kind == EvxVcdSignalKind::Real ? (first == 'r' || first == 'R') : (first == 's' || first == 'S');
        if (ok) {
            SetText(signal, valueText);
        }
    }
    if (!ok) {
        m_problem = m_tokens.Describe("a value of the variable's type (0, 1, x or z digits, r<real> or s<text>)", token);
    }
    return ok;
}

std::int64_t CvxVcdParser::ReadBody(CvxVcdRowSink& sink)
{
    m_sink = &sink;
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    for (;;) {
        if (FastRun()) {
            // About once a buffered window (1 MiB): long reads can be cancelled.
            if (cancel.IsCancelled()) {
                throw CvxSourceError(m_tokens.GetPath() + ": reading cancelled");
            }
            continue;
        }
        const std::string_view token = m_tokens.Next();
        if (token.empty() || !SlowStep(token)) {
            break;
        }
    }
    // A file that ends inside its last line is cut short, whatever that line's remnant seemed
    // to say ("#2" of "#20" is no time going backwards).
    if (!m_tokens.EndedWithNewline() && m_tokens.Window(1).empty()) {
        m_problem = m_tokens.GetPath() + ":" + std::to_string(m_tokens.GetLine())
            + ": the last line is cut short (expected a line end)";
    }
    if (m_problem.empty()) {
        if (m_dirty) {
            sink.OnRow(m_now);
            ++m_rows;
            m_dirty = false;
        }
        return m_rows;
    }
    if (m_rows == 0) {
        throw CvxSourceError(m_problem + "; no complete timestamp before it");
    }
    m_warnings.push_back(m_problem + " (the data ends at the last complete timestamp, #" + std::to_string(m_lastRow) + ")");
    return m_rows;
}

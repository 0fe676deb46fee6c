#pragma once
// Reads a VCD file in one streaming pass: the header's scopes, timescale and variables, then
// the value changes, keeping the value in force of every identifier code. At each timestamp
// that changed any value it hands a row to its sink, which reads the values from here.
//
// Values: vectors and scalars keep value bits and an X/Z mask per 64-bit word (x: mask 1,
// value 0; z: mask 1, value 1); `real` and `string` variables keep their text. Four-state
// variables start as all X, two-state ones (bit, int, byte, ...) as 0, texts as no value.
// A value shorter than its vector is extended as the format says (0 after a leading 0 or 1,
// else x or z); a longer one keeps its low bits, with a warning.
//
// Bad input: a broken header is an error naming the file, the line and what was expected;
// a broken or cut value section keeps the rows up to the last complete timestamp and adds a
// warning. Unsupported variable types and unknown sections are skipped with a warning.

#include "CvxInt128.h"
#include "CvxVcdTokenizer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class EvxVcdSignalKind : std::uint8_t { Bits, Real, String, Ignored };

struct CvxVcdSignal {
    EvxVcdSignalKind kind = EvxVcdSignalKind::Bits;
    int width = 1;
    bool fourState = true;
    std::size_t word = 0; // first word of value and mask (Bits)
    int words = 1;
    std::size_t text = 0; // index of its text (Real, String)
    bool warnedLong = false;
};

struct CvxVcdVar {
    std::string name;     // dotted scopes and reference; a single-bit select stays ("top.d[3]")
    std::string baseName; // the same without any bit select ("top.d")
    int bitIndex = -1;    // the index of a single-bit select, else -1
    int signal = 0;
    std::int64_t line = 0;
};

class CvxVcdRowSink {
public:
    virtual ~CvxVcdRowSink() = default;
    // A row at `ticks` (timescale units): the parser's values are those in force at it.
    virtual void OnRow(std::int64_t ticks) = 0;
};

class CvxVcdParser {
public:
    // Vectors wider than this are skipped with a warning: every row keeps their whole value.
    static constexpr int kMaxWidth = 4096;

    CvxVcdParser(std::string path, std::vector<std::string>& warnings);
    ~CvxVcdParser();

    // Reads up to and including "$enddefinitions $end"; throws CvxSourceError.
    void ReadHeader();
    // Reads the value changes to the end; answers the number of rows given to the sink.
    std::int64_t ReadBody(CvxVcdRowSink& sink);

    const std::string& GetPath() const { return m_tokens.GetPath(); }
    CvxInt128 GetTimescaleFs() const { return m_timescale; }
    const std::vector<CvxVcdVar>& GetVars() const { return m_vars; }
    const std::vector<CvxVcdSignal>& GetSignals() const { return m_signals; }

    std::uint64_t GetValue(int signal) const { return m_values[m_signals[static_cast<std::size_t>(signal)].word]; }
    std::uint64_t GetMask(int signal) const { return m_masks[m_signals[static_cast<std::size_t>(signal)].word]; }
    const std::uint64_t* GetValueWords(int signal) const { return &m_values[m_signals[static_cast<std::size_t>(signal)].word]; }
    const std::uint64_t* GetMaskWords(int signal) const { return &m_masks[m_signals[static_cast<std::size_t>(signal)].word]; }
    // Text of a real or string variable; false while it has had no value.
    bool HasText(int signal) const { return m_hasText[m_signals[static_cast<std::size_t>(signal)].text] != 0; }
    const std::string& GetText(int signal) const { return m_texts[m_signals[static_cast<std::size_t>(signal)].text]; }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    void SkipToEnd(std::string_view section);
    void ParseVar();
    void ParseTimescale();
    int AddSignal(std::string_view type, int width, std::string_view name);
    int Lookup(std::string_view code) const
    {
        // Codes of 1 to 3 printable characters index m_shortCodes directly (see ShortSlot).
        std::size_t slot = 0;
        std::size_t base = 0;
        std::size_t span = 1;
        if (code.empty() || code.size() > 3) {
            return LookupLong(code);
        }
        for (const char c : code) {
            const unsigned digit = static_cast<unsigned char>(c) - 33U;
            if (digit >= 94U) {
                return -1;
            }
            slot = slot * 94 + digit;
            base += span;
            span *= 94;
        }
        return m_shortCodes[base - 1 + slot];
    }
    int LookupLong(std::string_view code) const;
    void Define(std::string_view code, int signal);
    // Value changes; false when the token is not a valid change (the caller stops there).
    bool SetBits(int signal, std::string_view digits);
    // A value of up to 64 digits, already parsed; `lead` is its first digit.
    bool SetBits(int signal, std::uint64_t value, std::uint64_t mask, int digits, char lead);
    void WarnLong(CvxVcdSignal& signal);
    void SetText(int signal, std::string_view text);
    void OnTime(std::int64_t ticks);
    // The common items read straight from the buffer, as many as the window holds in a row;
    // false when none was (the general path reads the next one).
    bool FastRun();
    // One common item at `start`: the end of it, or null when the general path must read it.
    const char* FastItem(const char* start, const char* end, std::int64_t& lines);
    // One item from its first token; false (with m_problem set) when the file is bad there.
    bool SlowStep(std::string_view token);

    CvxVcdTokenizer m_tokens;
    std::vector<std::string>& m_warnings;
    CvxInt128 m_timescale = 0;
    std::vector<std::string> m_scopes;
    std::vector<CvxVcdVar> m_vars;
    std::vector<CvxVcdSignal> m_signals;
    std::vector<std::uint64_t> m_values;
    std::vector<std::uint64_t> m_masks;
    std::vector<std::string> m_texts;
    std::vector<std::uint8_t> m_hasText;
    // Identifier codes of up to 3 characters index a table directly; longer ones a map.
    std::unique_ptr<std::int32_t[]> m_shortCodes;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_longCodes;
    std::string m_value; // a value (or its first digit) kept while its code is read
    bool m_dirty = false;
    // Value section state.
    CvxVcdRowSink* m_sink = nullptr;
    std::int64_t m_rows = 0;
    std::int64_t m_now = 0;
    std::int64_t m_lastRow = 0;
    bool m_haveTime = false;
    std::string m_problem;
    std::string m_warnedSections;
};

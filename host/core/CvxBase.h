#pragma once
// The number base in which a bus/signal's values are shown.

#include <string>

enum EvxBase : int {
    kBaseNone = 0,
    kBaseHex = 1,
    kBaseBinary = 2,
    kBaseOctal = 3,
    kBaseDecimal = 4,
    kBaseSignedDecimal = 5,
    kBaseAscii = 6,
    kBaseSymbols = 7,
    kBaseTime = 8,
    kBaseSample = 9,
    kBaseTimeRelative = 10, // time relative to a marker
};

enum EvxBaseGroup : int {
    kBaseGroupNumeric = 0, // bases of bus/signal values (hex to symbols)
    kBaseGroupSymbol = 1,  // bases of labels for which symbols can be defined
    kBaseGroupTime = 2,    // time and marker-relative time
    kBaseGroupSample = 3,
};

class CvxBase {
public:
    CvxBase() = default;
    explicit CvxBase(int code) : m_code(IsValidCode(code) ? code : kBaseHex) {}

    int GetCode() const { return m_code; }
    // Codes outside 1..10 are refused (answer false, base unchanged).
    bool SetCode(int code);
    // The display name: "Hex", "Binary", "Octal", "Decimal", "Signed Decimal", "ASCII",
    // "Symbols", "Time", "Sample", "Time Relative".
    std::u16string GetName() const;
    bool IsInGroup(EvxBaseGroup group) const;

    static bool IsValidCode(int code) { return code >= kBaseHex && code <= kBaseTimeRelative; }

    friend bool operator==(const CvxBase&, const CvxBase&) = default;

private:
    int m_code = kBaseHex;
};

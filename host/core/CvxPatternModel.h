#pragma once
// A value pattern on one bus/signal, as find and trigger descriptions use it: digits in a
// base, "X" for a digit (or bit) that may be anything. Hexadecimal ("1X3F"), binary ("10XX"),
// octal ("7X1") and decimal ("1234", no X). A pattern shorter than the bus is extended with
// zeros on the left; a longer one, or one with a digit outside its base, is refused by Parse
// with a clear message. A value bit that is X or Z matches only an X of the pattern.

#include "CvxInt128.h"
#include "CvxLabelChannel.h"
#include "CvxUInt.h"

#include <string>

class CvxPatternModel {
public:
    CvxPatternModel() = default;
    // `width` is the bus's width in bits (1 to 128); `baseCode` one of kBaseHex, kBaseBinary,
    // kBaseOctal, kBaseDecimal.
    CvxPatternModel(const CvxLabelChannel& label, int width, int baseCode);

    const CvxLabelChannel& GetLabel() const { return m_label; }
    int GetWidth() const { return m_width; }
    int GetBaseCode() const { return m_base; }
    const std::u16string& GetText() const { return m_text; }
    // The bits the pattern cares for, and their values (within the width).
    CvxUInt128 GetCareBits() const { return m_care; }
    CvxUInt128 GetValueBits() const { return m_value; }

    // Takes a pattern text; false with `error` set (and the pattern unchanged) when it is not one.
    bool Parse(const std::u16string& text, std::string& error);
    // An exact value (all bits cared for, written in hexadecimal), as the quick trigger takes a
    // sample's value.
    void SetValue(const CvxUInt& value);
    // Takes value and care bits (within the width), written in the pattern's base with one
    // digit for every digit of the width; false (the pattern unchanged) when the base cannot
    // write them: a hexadecimal or octal digit whose bits are partly X, any X in decimal.
    bool SetBits(CvxUInt128 value, CvxUInt128 care);

    // Whether a value of the bus (as its column gives it: for up to 64 bits, words 2-3 are the
    // X/Z mask) matches.
    bool Matches(const CvxUInt& value) const;

private:
    CvxLabelChannel m_label;
    int m_width = 1;
    int m_base = 1;
    std::u16string m_text;
    CvxUInt128 m_value = 0;
    CvxUInt128 m_care = 0;
};

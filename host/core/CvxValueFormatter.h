#pragma once
// Formats bus/signal values in a number base at the label's width: hex, binary, octal,
// decimal, signed decimal, ASCII, symbols, time, sample number and marker-relative time.
// Four-state values (an X/Z mask in words 2-3) show X or Z digits.

#include "CvxBase.h"
#include "CvxTime.h"
#include "CvxUInt.h"

#include <map>
#include <string>

class CvxLabelBase;

class CvxValueFormatter {
public:
    CvxValueFormatter() = default;
    CvxValueFormatter(const CvxBase& base, int width, const CvxLabelBase* label = nullptr);

    const CvxBase& GetBase() const { return m_base; }
    void SetBase(const CvxBase& base) { m_base = base; }
    int GetWidth() const { return m_width; }
    void SetWidth(int width);
    // Symbols of the Symbols base come from this label (null: none).
    void SetLabel(const CvxLabelBase* label) { m_label = label; }
    // The marker time that marker-relative times are measured from.
    void SetReferenceTime(CvxTime t) { m_reference = t; }

    // Writes the text of a value into `out` (its buffer is reused).
    void Format(const CvxUInt& value, std::u16string& out) const;
    std::u16string Format(const CvxUInt& value) const;
    // Characters of the widest text this formatter can produce.
    int GetFormattedWidth() const;

private:
    void FormatDigits(const CvxUInt& value, int bitsPerDigit, std::u16string& out) const;
    void FormatDecimal(const CvxUInt& value, bool isSigned, std::u16string& out) const;
    void FormatAscii(const CvxUInt& value, std::u16string& out) const;
    void FormatTime(CvxTime t, std::u16string& out) const;

    CvxBase m_base{kBaseHex};
    int m_width = 32;
    const CvxLabelBase* m_label = nullptr;
    CvxTime m_reference;
};

#pragma once
// Formats a time in engineering units ("12.5 ns", "-3 us", "0 s") with a number of
// significant digits, never finer than a maximum precision.

#include "CvxTime.h"

#include <string>

class CvxTimeEngineeringFormatter {
public:
    // Significant digits (1 to 38); default 10.
    void SetNumDigitsOfPrecision(int digits);
    // The finest step shown; default 1 fs.
    void SetMaxPrecision(CvxTime precision);
    void SetValue(CvxTime value) { m_value = value; }
    void FormatData();
    const std::u16string& GetResult() const { return m_result; }

    // One call: the formatted text of a time with the current settings.
    std::u16string Format(CvxTime value);

private:
    int m_digits = 10;
    CvxInt128 m_precision = 1;
    CvxTime m_value;
    std::u16string m_result;
};

#include "CvxTimeEngineeringFormatter.h"

#include <algorithm>
#include <string>

namespace {

struct Unit {
    CvxInt128 fs;
    const char16_t* name;
};

constexpr Unit kUnits[] = {
    {CvxTime::kS, u"s"}, {CvxTime::kMs, u"ms"}, {CvxTime::kUs, u"us"},
    {CvxTime::kNs, u"ns"}, {CvxTime::kPs, u"ps"}, {CvxTime::kFs, u"fs"},
};

CvxUInt128 Pow10(int n)
{
    CvxUInt128 p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

int DecimalDigits(CvxUInt128 v)
{
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

std::u16string ToU16(const std::string& s)
{
    return std::u16string(s.begin(), s.end());
}

} // namespace

void CvxTimeEngineeringFormatter::SetNumDigitsOfPrecision(int digits)
{
    m_digits = std::clamp(digits, 1, 38);
}

void CvxTimeEngineeringFormatter::SetMaxPrecision(CvxTime precision)
{
    m_precision = std::max<CvxInt128>(precision.AsInt128(), 1);
}

void CvxTimeEngineeringFormatter::FormatData()
{
    const CvxInt128 value = m_value.AsInt128();
    if (value == 0) {
        m_result = u"0 s";
        return;
    }
    const bool negative = value < 0;
    const CvxUInt128 magnitude = negative ? ~static_cast<CvxUInt128>(value) + 1 : static_cast<CvxUInt128>(value);

    size_t unit = 0;
    while (unit + 1 < std::size(kUnits) && magnitude < static_cast<CvxUInt128>(kUnits[unit].fs)) {
        ++unit;
    }
    while (unit > 0 && kUnits[unit].fs < m_precision) {
        --unit; // no unit finer than the precision
    }
    for (;;) {
        const auto unitFs = static_cast<CvxUInt128>(kUnits[unit].fs);
        // Decimals allowed by the precision: each must stand for at least the precision.
        int maxDecimals = 0;
        while (maxDecimals < 15 && unitFs / Pow10(maxDecimals + 1) >= static_cast<CvxUInt128>(m_precision)
               && unitFs % Pow10(maxDecimals + 1) == 0) {
            ++maxDecimals;
        }
        const int integerDigits = DecimalDigits(magnitude / unitFs);
        const int decimals = std::clamp(m_digits - integerDigits, 0, maxDecimals);
        const CvxUInt128 step = unitFs / Pow10(decimals);
        const CvxUInt128 scaled = (magnitude + step / 2) / step;
        const CvxUInt128 integer = scaled / Pow10(decimals);
        if (integer >= 1000 && unit > 0) {
            --unit; // rounding carried into the next unit up
            continue;
        }
        std::u16string text = negative ? u"-" : u"";
        text += ToU16(CvxUInt128ToString(integer));
        std::string fraction = CvxUInt128ToString(scaled % Pow10(decimals));
        if (decimals > 0) {
            fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
            while (!fraction.empty() && fraction.back() == '0') {
                fraction.pop_back();
            }
            if (!fraction.empty()) {
                text += u"." + ToU16(fraction);
            }
        }
        text += u" ";
        text += kUnits[unit].name;
        m_result = text;
        return;
    }
}

std::u16string CvxTimeEngineeringFormatter::Format(CvxTime value)
{
    SetValue(value);
    FormatData();
    return m_result;
}

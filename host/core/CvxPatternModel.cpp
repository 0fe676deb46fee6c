#include "CvxPatternModel.h"

#include "CvxBase.h"
#include "CvxStringConvert.h"

#include <algorithm>

namespace {

CvxUInt128 WidthMask(int width)
{
    return width >= 128 ? ~CvxUInt128{0} : (CvxUInt128{1} << width) - 1;
}

int DigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

CvxPatternModel::CvxPatternModel(const CvxLabelChannel& label, int width, int baseCode)
    : m_label(label), m_width(std::clamp(width, 1, 128)), m_base(baseCode)
{
    m_care = 0; // matches anything until a pattern is taken
}

bool CvxPatternModel::Parse(const std::u16string& raw, std::string& error)
{
    std::u16string text;
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(text), [](char16_t c) { return c != u' ' && c != u'_'; });
    if (text.empty()) {
        error = "the pattern is empty";
        return false;
    }
    const CvxUInt128 all = WidthMask(m_width);
    CvxUInt128 value = 0;
    CvxUInt128 care = 0;
    if (m_base == kBaseDecimal) {
        for (const char16_t c : text) {
            const int d = DigitValue(c);
            if (d < 0 || d > 9) {
                error = "'" + CvxStringConvert::ToUtf8(text) + "' is not a decimal number (X is not allowed in decimal)";
                return false;
            }
            if (static_cast<CvxUInt128>(d) > all || value > (all - static_cast<CvxUInt128>(d)) / 10) {
                error = CvxStringConvert::ToUtf8(text) + " does not fit in " + std::to_string(m_width) + " bits";
                return false;
            }
            value = value * 10 + static_cast<CvxUInt128>(d);
        }
        care = all;
    } else {
        const int bits = m_base == kBaseBinary ? 1 : m_base == kBaseOctal ? 3 : 4;
        const int radix = 1 << bits;
        const char* name = m_base == kBaseBinary ? "binary" : m_base == kBaseOctal ? "octal" : "hexadecimal";
        int used = 0;
        for (const char16_t c : text) {
            const bool wild = c == u'x' || c == u'X';
            const int d = wild ? 0 : DigitValue(c);
            if (!wild && (d < 0 || d >= radix)) {
                error = "'" + CvxStringConvert::ToUtf8(text) + "' is not a " + name + " pattern (digits and X)";
                return false;
            }
            used += bits;
            // Shifting out a set bit would lose it; zeros beyond 128 bits are only padding.
            if ((value >> (128 - bits)) != 0) {
                error = "the pattern has more digits than " + std::to_string(m_width) + " bits";
                return false;
            }
            value = (value << bits) | static_cast<CvxUInt128>(d);
            care = (care << bits) | (wild ? CvxUInt128{0} : static_cast<CvxUInt128>(radix - 1));
        }
        // Digits that only carry zeros (or X) above the width are fine ("0F" for a 4-bit bus).
        if ((value & care & ~all) != 0) {
            error = "the pattern has more digits than " + std::to_string(m_width) + " bits";
            return false;
        }
        care &= all;
        care |= all & ~WidthMask(std::min(used, 128)); // zeros extend the pattern on the left
    }
    m_text = text;
    m_value = value & all;
    m_care = care;
    return true;
}

void CvxPatternModel::SetValue(const CvxUInt& value)
{
    m_value = (m_width <= 64 ? CvxUInt128{value.Low64()} : value.AsU128()) & WidthMask(m_width);
    m_care = WidthMask(m_width);
    m_base = kBaseHex;
    m_text.clear();
    for (int digit = (m_width + 3) / 4 - 1; digit >= 0; --digit) {
        m_text += u"0123456789ABCDEF"[static_cast<int>((m_value >> (4 * digit)) & 0xF)];
    }
}

bool CvxPatternModel::SetBits(CvxUInt128 value, CvxUInt128 care)
{
    const CvxUInt128 all = WidthMask(m_width);
    value &= all & care;
    care &= all;
    std::u16string text;
    if (m_base == kBaseDecimal) {
        if (care != all) {
            return false;
        }
        CvxUInt128 rest = value;
        do {
            text.insert(text.begin(), static_cast<char16_t>(u'0' + static_cast<int>(rest % 10)));
            rest /= 10;
        } while (rest != 0);
    } else {
        const int bits = m_base == kBaseBinary ? 1 : m_base == kBaseOctal ? 3 : 4;
        const CvxUInt128 digitMask = (CvxUInt128{1} << bits) - 1;
        for (int digit = (m_width + bits - 1) / bits - 1; digit >= 0; --digit) {
            // Bits of the top digit beyond the width count neither way.
            const CvxUInt128 inWidth = (all >> (bits * digit)) & digitMask;
            const CvxUInt128 cared = (care >> (bits * digit)) & digitMask;
            if (cared != 0 && cared != inWidth) {
                return false;
            }
            text += cared == 0 ? u'X' : u"0123456789ABCDEF"[static_cast<int>((value >> (bits * digit)) & digitMask)];
        }
    }
    m_text = std::move(text);
    m_value = value;
    m_care = care;
    return true;
}

bool CvxPatternModel::Matches(const CvxUInt& value) const
{
    const CvxUInt128 bits = m_width <= 64 ? CvxUInt128{value.Low64()} : value.AsU128();
    const CvxUInt128 xz = m_width <= 64 ? CvxUInt128{value.High64()} : 0;
    return (bits & m_care) == m_value && (xz & m_care) == 0;
}

#include "CvxValueFormatter.h"

#include "CvxLabelBase.h"
#include "CvxTimeEngineeringFormatter.h"

#include <algorithm>

namespace {

constexpr char16_t kDigits[] = u"0123456789ABCDEF";

void AppendAscii(std::u16string& out, const std::string& s)
{
    out.append(s.begin(), s.end());
}

// Splits a value of a label of `width` bits into its value bits and its X/Z mask.
void Split(const CvxUInt& value, int width, CvxUInt128& bits, CvxUInt128& mask)
{
    if (width <= 64) {
        const CvxUInt128 keep = width >= 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << width) - 1);
        bits = value.Low64() & keep;
        mask = value.High64() & keep;
    } else {
        bits = value.AsU128();
        if (width < 128) {
            bits &= (CvxUInt128{1} << width) - 1;
        }
        mask = 0;
    }
}

} // namespace

CvxValueFormatter::CvxValueFormatter(const CvxBase& base, int width, const CvxLabelBase* label)
    : m_base(base), m_label(label)
{
    SetWidth(width);
}

void CvxValueFormatter::SetWidth(int width)
{
    m_width = std::clamp(width, 1, 128);
}

std::u16string CvxValueFormatter::Format(const CvxUInt& value) const
{
    std::u16string out;
    Format(value, out);
    return out;
}

void CvxValueFormatter::Format(const CvxUInt& value, std::u16string& out) const
{
    out.clear();
    switch (m_base.GetCode()) {
    case kBaseBinary:
        FormatDigits(value, 1, out);
        break;
    case kBaseOctal:
        FormatDigits(value, 3, out);
        break;
    case kBaseDecimal:
        FormatDecimal(value, false, out);
        break;
    case kBaseSignedDecimal:
        FormatDecimal(value, true, out);
        break;
    case kBaseAscii:
        FormatAscii(value, out);
        break;
    case kBaseSymbols: {
        const std::u16string* symbol = m_label == nullptr ? nullptr : m_label->FindSymbol(value);
        if (symbol != nullptr) {
            out = *symbol;
        } else {
            FormatDigits(value, 4, out);
        }
        break;
    }
    case kBaseTime:
        FormatTime(CvxTime(static_cast<CvxInt128>(value.AsU128())), out);
        break;
    case kBaseTimeRelative:
        FormatTime(CvxTime(static_cast<CvxInt128>(value.AsU128())) - m_reference, out);
        break;
    case kBaseSample:
        AppendAscii(out, std::to_string(static_cast<std::int64_t>(value.Low64())));
        break;
    default:
        FormatDigits(value, 4, out);
        break;
    }
}

void CvxValueFormatter::FormatDigits(const CvxUInt& value, int bitsPerDigit, std::u16string& out) const
{
    CvxUInt128 bits = 0;
    CvxUInt128 mask = 0;
    Split(value, m_width, bits, mask);
    const int digits = (m_width + bitsPerDigit - 1) / bitsPerDigit;
    const CvxUInt128 digitMask = (CvxUInt128{1} << bitsPerDigit) - 1;
    out.resize(static_cast<size_t>(digits));
    for (int d = 0; d < digits; ++d) {
        const int shift = d * bitsPerDigit;
        const auto v = static_cast<unsigned>((bits >> shift) & digitMask);
        const CvxUInt128 m = (mask >> shift) & digitMask;
        char16_t c = kDigits[v];
        if (m != 0) {
            // An X bit (mask set, value 0) anywhere in the digit shows X; only Z bits show Z.
            c = (m & ~static_cast<CvxUInt128>(v)) != 0 ? u'X' : u'Z';
        }
        out[static_cast<size_t>(digits - 1 - d)] = c;
    }
}

void CvxValueFormatter::FormatDecimal(const CvxUInt& value, bool isSigned, std::u16string& out) const
{
    CvxUInt128 bits = 0;
    CvxUInt128 mask = 0;
    Split(value, m_width, bits, mask);
    if (mask != 0) {
        out = (mask & ~bits) != 0 ? u"X" : u"Z";
        return;
    }
    if (isSigned && ((bits >> (m_width - 1)) & 1) != 0) {
        // Two's complement of `width` bits: the magnitude is 2^width - bits.
        const CvxUInt128 magnitude =
            m_width >= 128 ? ~bits + 1 : (CvxUInt128{1} << m_width) - bits;
        out = u"-";
        AppendAscii(out, CvxUInt128ToString(magnitude));
        return;
    }
    AppendAscii(out, CvxUInt128ToString(bits));
}

void CvxValueFormatter::FormatAscii(const CvxUInt& value, std::u16string& out) const
{
    CvxUInt128 bits = 0;
    CvxUInt128 mask = 0;
    Split(value, m_width, bits, mask);
    const int chars = (m_width + 7) / 8;
    out.resize(static_cast<size_t>(chars));
    for (int i = 0; i < chars; ++i) {
        const auto byte = static_cast<unsigned>((bits >> (8 * i)) & 0xFF);
        const bool unknown = ((mask >> (8 * i)) & 0xFF) != 0;
        out[static_cast<size_t>(chars - 1 - i)] =
            unknown ? u'X' : (byte >= 0x20 && byte < 0x7F ? static_cast<char16_t>(byte) : u'.');
    }
}

void CvxValueFormatter::FormatTime(CvxTime t, std::u16string& out) const
{
    CvxTimeEngineeringFormatter formatter;
    out = formatter.Format(t);
}

int CvxValueFormatter::GetFormattedWidth() const
{
    switch (m_base.GetCode()) {
    case kBaseBinary:
        return m_width;
    case kBaseOctal:
        return (m_width + 2) / 3;
    case kBaseDecimal:
        return static_cast<int>(CvxUInt128ToString(m_width >= 128 ? ~CvxUInt128{0} : (CvxUInt128{1} << m_width) - 1).size());
    case kBaseSignedDecimal:
        return 1 + static_cast<int>(CvxUInt128ToString(CvxUInt128{1} << (m_width - 1)).size());
    case kBaseAscii:
        return (m_width + 7) / 8;
    case kBaseSymbols: {
        int widest = (m_width + 3) / 4;
        if (m_label != nullptr) {
            for (const auto& entry : m_label->GetSymbols()) {
                widest = std::max(widest, static_cast<int>(entry.second.size()));
            }
        }
        return widest;
    }
    case kBaseTime:
    case kBaseTimeRelative:
        return 16;
    case kBaseSample:
        return 20;
    default:
        return (m_width + 3) / 4;
    }
}

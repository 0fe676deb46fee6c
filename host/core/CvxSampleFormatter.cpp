#include "CvxSampleFormatter.h"

#include <string>

std::u16string CvxSampleFormatter::Format(std::int64_t sample)
{
    const std::string digits = std::to_string(sample);
    return std::u16string(digits.begin(), digits.end());
}

void CvxSampleFormatter::FormatData()
{
    m_result = Format(m_value);
}

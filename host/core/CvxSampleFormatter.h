#pragma once
// Formats sample numbers and sample distances.

#include <cstdint>
#include <string>

class CvxSampleFormatter {
public:
    void SetValue(std::int64_t sample) { m_value = sample; }
    void FormatData();
    const std::u16string& GetResult() const { return m_result; }

    static std::u16string Format(std::int64_t sample);

private:
    std::int64_t m_value = 0;
    std::u16string m_result;
};

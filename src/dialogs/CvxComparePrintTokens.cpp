#include "CvxComparePrintTokens.h"

#include "CvxComparePrintCtrlCore.h"
#include "CvxStringConvert.h"
#include "CvxTimeEngineeringFormatter.h"

#include <cstdio>
#include <ctime>

namespace {

std::u16string Printed(const char* format, auto... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return CvxStringConvert::FromUtf8(buffer);
}

std::string Time(const CvxPosition& position)
{
    CvxTimeEngineeringFormatter formatter;
    formatter.SetNumDigitsOfPrecision(20);
    formatter.SetMaxPrecision(CvxTime::FromFs(1));
    formatter.SetValue(position.AsTime());
    formatter.FormatData();
    return CvxStringConvert::ToUtf8(formatter.GetResult());
}

std::u16string Strftime(const char* format, const std::tm& moment)
{
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &moment);
    return CvxStringConvert::FromUtf8(std::string(buffer, length));
}

} // namespace

std::u16string CvxComparePrintTokens::PageText(int page, int groups, int group, int pageInGroup)
{
    if (groups <= 1) {
        return Printed("%d", page);
    }
    return Printed("%d  (row %d - col %d)", page, group + 1, pageInGroup + 1);
}

std::u16string CvxComparePrintTokens::SpanText(int rangeMode, const CvxPosition& start, const CvxPosition& end)
{
    if (rangeMode == CvxComparePrintCtrlCore::kRangeModeSamples) {
        return Printed("Samples %lld.%d to %lld.%d", static_cast<long long>(start.AsSample()), start.GetSubrowIndex(),
                       static_cast<long long>(end.AsSample()), end.GetSubrowIndex());
    }
    const std::string from = Time(start);
    const std::string to = Time(end);
    if (start.GetSubrowIndex() != 0 || end.GetSubrowIndex() != 0) {
        return Printed("Time %s (Subrow %d) to %s (Subrow %d)", from.c_str(), start.GetSubrowIndex(), to.c_str(),
                       end.GetSubrowIndex());
    }
    return Printed("Time %s to %s", from.c_str(), to.c_str());
}

void CvxComparePrintTokens::SetDateTime(std::map<std::u16string, std::u16string>& tokens,
                                        std::chrono::system_clock::time_point when)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    tokens[kDate] = Strftime("%x", local);
    tokens[kTime] = Strftime("%X", local);
}

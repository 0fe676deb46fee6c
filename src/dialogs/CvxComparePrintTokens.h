#pragma once
// The values of the tokens in the header and footer texts of a Compare print: "%Name%",
// "%Date%", "%Time%", "%Page%" and "%Span%".

#include "CvxPosition.h"

#include <chrono>
#include <map>
#include <string>

class CvxComparePrintTokens {
public:
    static constexpr const char16_t* kName = u"%Name%";
    static constexpr const char16_t* kDate = u"%Date%";
    static constexpr const char16_t* kTime = u"%Time%";
    static constexpr const char16_t* kPage = u"%Page%";
    static constexpr const char16_t* kSpan = u"%Span%";

    // The bare number with one field group; with more, the group ("row") and the page within
    // it ("col"), both counted from 1.
    static std::u16string PageText(int page, int groups, int group, int pageInGroup);
    // In sample mode (range mode 2) sample numbers with their sub-samples, else times (with
    // their sub-rows when either end lies past sub-row 0).
    static std::u16string SpanText(int rangeMode, const CvxPosition& start, const CvxPosition& end);
    // "%Date%" and "%Time%" of a moment, in the locale's forms.
    static void SetDateTime(std::map<std::u16string, std::u16string>& tokens, std::chrono::system_clock::time_point when);
};

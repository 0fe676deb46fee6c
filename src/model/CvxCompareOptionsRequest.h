#pragma once
// An "Options" request of the remote command vocabulary, read and checked whole before any
// of it is applied: a request with one bad attribute changes nothing.
//
// The "Options" element is the root, or a child of a "Window" root; under any other root there
// is none and nothing changes. Attributes: "MaxDifferences" (int >= 0: 0 clears stop comparing,
// more sets it with that threshold), "Range" ("All" or two marker names joined by ".."),
// "ReferenceOffset" (int), "TimeRange" (two femtosecond counts joined by "..": user markers
// there), and the run-until rule's "Threshold" (int > 0), "StopRepetitiveRun" and "SendEmail"
// (T or F), "Recipient", "Subject" and "MessageBody". Where two attributes say the same
// thing, the later one in this list wins: "TimeRange" over "Range", "Threshold" over the
// number of "MaxDifferences".

#include "CvxID.h"

#include <cstdint>
#include <optional>
#include <string>

class CvxMarkerMgr;

struct CvxCompareOptionsRequest {
    // False when the text has no root element or an attribute is present but invalid: a
    // negative "MaxDifferences", a "Range" whose markers the window lacks, a value that is
    // not of its type, a "TimeRange" that is no pair of times, a "Center" that is no time, a
    // "Threshold" below 1.
    bool Parse(const std::u16string& request, const CvxMarkerMgr& markers);

    std::optional<int> maxDifferences;
    std::optional<bool> rangeAll;         // true: All; false: the two markers below
    CvxID rangeFrom;
    CvxID rangeTo;
    std::optional<int> referenceOffset;
    std::optional<std::int64_t> timeFrom; // with timeTo
    std::int64_t timeTo = 0;
    std::optional<std::int64_t> center; // femtoseconds
    std::optional<int> threshold;
    std::optional<bool> stopRepetitiveRun;
    std::optional<bool> sendEmail;
    std::optional<std::u16string> recipient;
    std::optional<std::u16string> subject;
    std::optional<std::u16string> messageBody;
};

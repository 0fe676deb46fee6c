#include "CvxCompareOptionsRequest.h"

#include "CvxMarkerMgr.h"
#include "CvxMarkupDocument.h"
#include "CvxStringConvert.h"

#include <climits>

namespace {

// An attribute that is there must read as its type: a decimal int, T or F, or any text.
bool Read(const CvxMarkupDocument& doc, std::u16string_view name, std::optional<std::u16string>& out)
{
    std::u16string text;
    if (doc.GetAttribute(name, text)) {
        out = std::move(text);
    }
    return true;
}

bool Read(const CvxMarkupDocument& doc, std::u16string_view name, std::optional<int>& out)
{
    std::optional<std::u16string> text;
    Read(doc, name, text);
    std::int64_t value = 0;
    if (text && (!CvxStringConvert::ParseDecimal(*text, value) || value < INT_MIN || value > INT_MAX)) {
        return false;
    }
    if (text) {
        out = static_cast<int>(value);
    }
    return true;
}

bool Read(const CvxMarkupDocument& doc, std::u16string_view name, std::optional<bool>& out)
{
    std::optional<std::u16string> text;
    Read(doc, name, text);
    if (text && *text != u"T" && *text != u"F") {
        return false;
    }
    if (text) {
        out = *text == u"T";
    }
    return true;
}

} // namespace

bool CvxCompareOptionsRequest::Parse(const std::u16string& request, const CvxMarkerMgr& markers)
{
    *this = CvxCompareOptionsRequest();
    CvxMarkupDocument doc(request);
    if (!doc.HasRoot() || !doc.FindElement()) {
        return false;
    }
    if (doc.GetTagName() == u"Window") {
        if (!doc.FindChildElement(u"Options")) {
            return true;
        }
        doc.EnterElement();
    } else if (doc.GetTagName() != u"Options") {
        return true;
    }

    bool ok = Read(doc, u"MaxDifferences", maxDifferences) && Read(doc, u"ReferenceOffset", referenceOffset)
              && Read(doc, u"Threshold", threshold) && Read(doc, u"StopRepetitiveRun", stopRepetitiveRun)
              && Read(doc, u"SendEmail", sendEmail) && Read(doc, u"Recipient", recipient)
              && Read(doc, u"Subject", subject) && Read(doc, u"MessageBody", messageBody);
    ok = ok && (!maxDifferences || *maxDifferences >= 0) && (!threshold || *threshold > 0);

    std::u16string range;
    if (ok && doc.GetAttribute(u"Range", range)) {
        const std::size_t separator = range.find(u"..");
        const CvxMarker* from = nullptr;
        const CvxMarker* to = nullptr;
        if (range == u"All") {
            rangeAll = true;
        } else if (separator != std::u16string::npos && separator != 0
                   && (from = markers.FindMarkerByName(range.substr(0, separator))) != nullptr
                   && (to = markers.FindMarkerByName(range.substr(separator + 2))) != nullptr) {
            rangeAll = false;
            rangeFrom = from->GetID();
            rangeTo = to->GetID();
        } else {
            ok = false;
        }
    }
    std::u16string times;
    if (ok && doc.GetAttribute(u"TimeRange", times)) {
        // Two decimal femtosecond counts joined by "..".
        const std::size_t separator = times.find(u"..");
        std::int64_t from = 0;
        ok = separator != std::u16string::npos
             && CvxStringConvert::ParseDecimal(std::u16string_view(times).substr(0, separator), from)
             && CvxStringConvert::ParseDecimal(std::u16string_view(times).substr(separator + 2), timeTo);
        if (ok) {
            timeFrom = from;
        }
    }
    std::u16string centre;
    if (ok && doc.GetAttribute(u"Center", centre)) {
        std::int64_t time = 0;
        ok = CvxStringConvert::ParseDecimal(centre, time);
        if (ok) {
            center = time;
        }
    }
    if (!ok) {
        *this = CvxCompareOptionsRequest();
    }
    return ok;
}

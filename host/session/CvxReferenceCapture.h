#pragma once
// The capture a reference was copied from, kept with the setup, so that a later capture whose
// rows are change events (a VCD file) can be put on one common time grid with it and the
// reference copied again from the re-gridded capture: both sides then have rows at the same
// times, and a glitch only the later capture has is reported at its own time, as when two
// files are compared. Captures sampled at a fixed rate need none of this.

#include "CvxData.h"
#include "CvxID.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CvxPersistenceData;

class CvxReferenceCapture {
public:
    // The name of the host data stream of a setup that holds the capture.
    static const char16_t* const kStreamName;

    void Set(std::shared_ptr<CvxData> capture) { m_capture = std::move(capture); }
    const std::shared_ptr<CvxData>& Get() const { return m_capture; }
    // True (the default): pair rows by time; false: by their order.
    void SetAlignByTime(bool byTime) { m_byTime = byTime; }
    bool IsAlignByTime() const { return m_byTime; }

    void Save(CvxPersistenceData& data) const;
    // Reads the capture of a setup (none: cleared); `labelOf` maps the setup's label
    // identifiers to this session's. A damaged capture is dropped with the reason in `warning`.
    void Load(const CvxPersistenceData& data, const std::function<CvxID(const CvxID&)>& labelOf, std::string& warning);

    // Whether a delivery of `input` takes the reference from the kept capture again.
    bool AppliesTo(const CvxData& input) const;

    struct Pair {
        std::shared_ptr<CvxData> reference;
        std::shared_ptr<CvxData> input;
        std::int64_t referenceRowsBefore = 0;
        std::int64_t inputRowsBefore = 0;
    };
    // The kept capture and `input`, on their common time grid when pairing by time.
    Pair PairWith(std::shared_ptr<CvxData> input) const;

private:
    std::shared_ptr<CvxData> m_capture;
    bool m_byTime = true;
};

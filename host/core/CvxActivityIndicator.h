#pragma once
// The activity of a bus/signal as a header shows it: whether its value stayed low, stayed
// high or toggled over the last acquisition. The host works it out from the acquired data;
// drawing the indicator belongs to the GUI.

#include "CvxLabelChannel.h"

class CvxData;

class CvxActivityIndicator {
public:
    enum EvxLevel : int {
        kLevelUnknown = 0, // no data for the label
        kLevelLow = 1,     // every value zero
        kLevelHigh = 2,    // every value the same non-zero value
        kLevelToggling = 3,
    };

    int GetLevel() const { return m_level; }
    void SetLevel(int level) { m_level = level; }
    // Recomputes the level from the label's values in the data (null data: unknown).
    void Update(const CvxData* data, const CvxLabelChannel& label);

    friend bool operator==(const CvxActivityIndicator&, const CvxActivityIndicator&) = default;

private:
    int m_level = kLevelUnknown;
};

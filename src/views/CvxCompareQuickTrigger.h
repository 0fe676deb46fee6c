#pragma once
// The quick trigger of an outline: for each outlined bus/signal (channels of one bus merged),
// its value at the outline's first row as a pattern term and as a line of text
// ("DATA8 = 3F", a signal "Low" or "High"); the heading says whether it can be the
// analyzer's trigger (every bus/signal a valid trigger label) or only a find; the tool tip
// adds the outline's begin, end and length in samples.

#include "CvxPatternModel.h"
#include "CvxPosition.h"

#include <string>
#include <vector>

class CvxCompareColumn;
class CvxCompareModel;

class CvxCompareQuickTrigger {
public:
    void Build(const CvxCompareModel& model, const std::vector<const CvxCompareColumn*>& columns, const CvxPosition& first,
               const CvxPosition& last);

    bool IsTriggerAllowed() const { return m_triggerAllowed; }
    bool IsFindAllowed() const { return m_findAllowed; }
    const std::vector<CvxPatternModel>& GetPatterns() const { return m_patterns; }
    const std::u16string& GetText() const { return m_text; }
    const std::u16string& GetToolTip() const { return m_toolTip; }

private:
    bool m_triggerAllowed = false;
    bool m_findAllowed = false;
    std::vector<CvxPatternModel> m_patterns;
    std::u16string m_text;
    std::u16string m_toolTip;
};

#pragma once
// A find description: the patterns that must all match at one sample (one per bus/signal, of
// one table), which occurrence to find (the Nth match) and in which direction.

#include "CvxPatternModel.h"

#include <vector>

class CvxFindModel {
public:
    void AddPattern(CvxPatternModel pattern) { m_patterns.push_back(std::move(pattern)); }
    std::vector<CvxPatternModel>& GetPatterns() { return m_patterns; }
    const std::vector<CvxPatternModel>& GetPatterns() const { return m_patterns; }

    int GetOccurrence() const { return m_occurrence; }
    void SetOccurrence(int n) { m_occurrence = n < 1 ? 1 : n; }
    bool IsForward() const { return m_forward; }
    void SetForward(bool forward) { m_forward = forward; }
    bool IsEmpty() const { return m_patterns.empty(); }

private:
    std::vector<CvxPatternModel> m_patterns;
    int m_occurrence = 1;
    bool m_forward = true;
};

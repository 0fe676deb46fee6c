#pragma once
// Host messages about a list of labels (buses/signals), in the host's order: labels changed,
// added or deleted, the host's label order, and a deleted connection's labels.

#include "CvxMessageBase.h"

#include <algorithm>
#include <vector>

template <int Type>
class CvxMessageLabels_T : public CvxMessageBase {
public:
    static constexpr int kType = Type;

    CvxMessageLabels_T() : CvxMessageBase(Type) {}
    explicit CvxMessageLabels_T(std::vector<CvxID> labels) : CvxMessageBase(Type), m_labels(std::move(labels)) {}

    const std::vector<CvxID>& GetLabelIDs() const { return m_labels; }
    void AddLabelID(const CvxID& label) { m_labels.push_back(label); }
    bool HasLabelID(const CvxID& label) const { return std::find(m_labels.begin(), m_labels.end(), label) != m_labels.end(); }

private:
    std::vector<CvxID> m_labels;
};

using CvxMessageLabelsChanged = CvxMessageLabels_T<kHostMsgLabelsChanged>;
using CvxMessageLabelsAdded = CvxMessageLabels_T<kHostMsgLabelsAdded>;
using CvxMessageLabelsDeleted = CvxMessageLabels_T<kHostMsgLabelsDeleted>;
using CvxMessageLabelOrder = CvxMessageLabels_T<kHostMsgLabelOrder>;
using CvxMessageDeleteConnection = CvxMessageLabels_T<kHostMsgDeleteConnection>;

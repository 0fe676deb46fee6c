#pragma once
// The host's single label manager: every bus/signal and folder by identifier, in a tree
// under one root folder whose children keep the order in which sources added them.

#include "CvxLabelBase.h"

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class CvxLabelMgr {
public:
    static CvxLabelMgr& GetInstance();

    CvxLabelMgr(const CvxLabelMgr&) = delete;
    CvxLabelMgr& operator=(const CvxLabelMgr&) = delete;

    // Null for an identifier the manager does not hold.
    CvxLabelBase* IDToLabel(const CvxID& id) const;
    const CvxID& GetLabelRootID() const { return m_rootID; }

    // Adds a label under its parent folder (the root when the parent is null or unknown).
    // A label whose identifier is already held is refused: null.
    CvxLabelBase* AddLabel(std::unique_ptr<CvxLabelBase> label);
    // Removes a label and, for a folder, everything below it; the root stays. The identifier
    // is taken by value: callers often pass a reference into a label that this call frees.
    bool RemoveLabel(CvxID id);
    // Removes every label but the root.
    void Clear();

    // Direct children of a folder, in the order they were added.
    std::vector<CvxID> GetChildren(const CvxID& folder) const;
    // Every bus/signal, string, time and sample-number label below a folder, depth first.
    std::vector<CvxID> GetLabelsBelow(const CvxID& folder) const;
    // First label below a folder (depth first) with exactly this name; folders are not matched.
    CvxLabelBase* FindLabelByName(std::u16string_view name, const CvxID& folder) const;
    CvxLabelBase* FindLabelByName(std::u16string_view name) const { return FindLabelByName(name, m_rootID); }
    // Instance identifier of the plug-in that created the label (null when unknown).
    CvxID LabelIDToPlugInInstanceID(const CvxID& id) const;

private:
    CvxLabelMgr();
    void CollectBelow(const CvxID& folder, std::vector<CvxID>& out) const;

    CvxID m_rootID;
    std::unordered_map<CvxID, std::unique_ptr<CvxLabelBase>> m_labels;
    std::unordered_map<CvxID, std::vector<CvxID>> m_children;
};

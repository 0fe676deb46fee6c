#include "CvxLabelMgr.h"

#include <algorithm>

CvxLabelMgr& CvxLabelMgr::GetInstance()
{
    static CvxLabelMgr instance;
    return instance;
}

CvxLabelMgr::CvxLabelMgr()
{
    // A fixed identifier, so that a setup names the same root in every session.
    m_rootID.SetValue("{6C1D2B7A-0F43-4E58-9A61-2D8E5B7C4F10}");
    m_labels.emplace(m_rootID, std::make_unique<CvxLabelBase>(m_rootID, u"Labels", EvxLabelKind::GroupFolder));
}

CvxLabelBase* CvxLabelMgr::IDToLabel(const CvxID& id) const
{
    const auto it = m_labels.find(id);
    return it == m_labels.end() ? nullptr : it->second.get();
}

CvxLabelBase* CvxLabelMgr::AddLabel(std::unique_ptr<CvxLabelBase> label)
{
    if (!label || m_labels.count(label->GetID()) != 0) {
        return nullptr;
    }
    const CvxLabelBase* parent = IDToLabel(label->GetParentID());
    if (parent == nullptr || !parent->IsFolder()) {
        label->SetParentID(m_rootID);
    }
    CvxLabelBase* added = label.get();
    m_children[added->GetParentID()].push_back(added->GetID());
    m_labels.emplace(added->GetID(), std::move(label));
    return added;
}

bool CvxLabelMgr::RemoveLabel(CvxID id)
{
    if (id == m_rootID) {
        return false;
    }
    const auto it = m_labels.find(id);
    if (it == m_labels.end()) {
        return false;
    }
    const auto childrenIt = m_children.find(id);
    if (childrenIt != m_children.end()) {
        const std::vector<CvxID> children = childrenIt->second;
        for (const CvxID& child : children) {
            RemoveLabel(child);
        }
        m_children.erase(id);
    }
    auto& siblings = m_children[it->second->GetParentID()];
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    m_labels.erase(it);
    return true;
}

void CvxLabelMgr::Clear()
{
    const std::vector<CvxID> top = GetChildren(m_rootID);
    for (const CvxID& id : top) {
        RemoveLabel(id);
    }
}

std::vector<CvxID> CvxLabelMgr::GetChildren(const CvxID& folder) const
{
    const auto it = m_children.find(folder);
    return it == m_children.end() ? std::vector<CvxID>{} : it->second;
}

void CvxLabelMgr::CollectBelow(const CvxID& folder, std::vector<CvxID>& out) const
{
    const auto it = m_children.find(folder);
    if (it == m_children.end()) {
        return;
    }
    for (const CvxID& child : it->second) {
        const CvxLabelBase* label = IDToLabel(child);
        if (label == nullptr) {
            continue;
        }
        if (label->IsFolder()) {
            CollectBelow(child, out);
        } else {
            out.push_back(child);
        }
    }
}

std::vector<CvxID> CvxLabelMgr::GetLabelsBelow(const CvxID& folder) const
{
    std::vector<CvxID> out;
    CollectBelow(folder, out);
    return out;
}

CvxLabelBase* CvxLabelMgr::FindLabelByName(std::u16string_view name, const CvxID& folder) const
{
    for (const CvxID& id : GetLabelsBelow(folder)) {
        CvxLabelBase* label = IDToLabel(id);
        if (label->GetName() == name) {
            return label;
        }
    }
    return nullptr;
}

CvxID CvxLabelMgr::LabelIDToPlugInInstanceID(const CvxID& id) const
{
    const CvxLabelBase* label = IDToLabel(id);
    return label == nullptr ? CvxID() : label->GetCreatorInstanceID();
}

#include "CvxSourceLabelRenamer.h"

#include "CvxLabelMgr.h"
#include "CvxStdCmdIFaceMgr.h"

#include <algorithm>

CvxSourceLabelRenamer::CvxSourceLabelRenamer(std::function<void(const CvxID&)> renamed,
                                             std::function<void(const CvxID&)> symbolsChanged)
    : m_renamed(std::move(renamed)), m_symbolsChanged(std::move(symbolsChanged))
{
}

CvxSourceLabelRenamer::~CvxSourceLabelRenamer()
{
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    for (const CvxID& creator : m_creators) {
        if (ifaces.GetIFaceFromInstanceID(creator) == this) {
            ifaces.UnRegister(creator);
        }
    }
}

void CvxSourceLabelRenamer::AddCreator(const CvxID& instance)
{
    if (std::find(m_creators.begin(), m_creators.end(), instance) == m_creators.end()) {
        m_creators.push_back(instance);
    }
    CvxStdCmdIFaceMgr::GetInstance().Register(instance, this);
}

CvxID CvxSourceLabelRenamer::GetInstanceID() const
{
    return m_creators.empty() ? CvxID::NullID() : m_creators.front();
}

bool CvxSourceLabelRenamer::CanRenameLabel(const CvxID& id) const
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    return label != nullptr && (label->IsA(EvxLabelKind::BusSignal) || label->IsA(EvxLabelKind::StringLabel))
           && IsCreatorOf(*label);
}

bool CvxSourceLabelRenamer::IsCreatorOf(const CvxLabelBase& label) const
{
    return std::find(m_creators.begin(), m_creators.end(), label.GetCreatorInstanceID()) != m_creators.end();
}

int CvxSourceLabelRenamer::RenameLabel(const CvxID& id, const std::u16string& name)
{
    CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    CvxLabelBase* label = labels.IDToLabel(id);
    if (label == nullptr || !CanRenameLabel(id)) {
        return kRenameDone;
    }
    if (name.empty()) {
        return kRenameEmptyName;
    }
    if (const CvxLabelBase* other = labels.FindLabelByName(name, label->GetParentID()); other != nullptr && other != label) {
        return kRenameNameNotUnique;
    }
    if (name == label->GetName()) {
        return kRenameDone;
    }
    label->SetSourceName(label->GetSourceName());
    label->SetName(name);
    m_renamed(id);
    return kRenameDone;
}

bool CvxSourceLabelRenamer::CanSetLabelSymbols(const CvxID& id) const
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    return label != nullptr && label->IsA(EvxLabelKind::BusSignal) && label->GetNumberOfChannels() >= 1
           && label->GetNumberOfChannels() <= 64 && IsCreatorOf(*label);
}

bool CvxSourceLabelRenamer::SetLabelSymbols(const CvxID& id, const std::map<CvxUInt, std::u16string>& symbols)
{
    CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    if (label == nullptr || !CanSetLabelSymbols(id)) {
        return false;
    }
    for (const auto& [value, name] : symbols) {
        if (name.empty() || value.Masked(label->GetNumberOfChannels()) != value) {
            return false;
        }
    }
    label->SetSymbols(symbols);
    if (m_symbolsChanged) {
        m_symbolsChanged(id);
    }
    return true;
}

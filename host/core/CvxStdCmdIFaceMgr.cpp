#include "CvxStdCmdIFaceMgr.h"

#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"

#include <algorithm>

namespace {

bool IsKnownBusSignal(const CvxLabelChannel& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    return base != nullptr && base->IsA(EvxLabelKind::BusSignal);
}

} // namespace

CvxStdCmdIFaceMgr& CvxStdCmdIFaceMgr::GetInstance()
{
    static CvxStdCmdIFaceMgr instance;
    return instance;
}

bool CvxStdCmdIFaceMgr::Register(const CvxID& instance, CvxStdToolCmdIFace* iface)
{
    if (instance.IsNull() || iface == nullptr) {
        return false;
    }
    for (auto& entry : m_ifaces) {
        if (entry.first == instance) {
            entry.second = iface;
            return true;
        }
    }
    m_ifaces.emplace_back(instance, iface);
    return true;
}

bool CvxStdCmdIFaceMgr::UnRegister(const CvxID& instance)
{
    return std::erase_if(m_ifaces, [&](const auto& entry) { return entry.first == instance; }) > 0;
}

CvxStdToolCmdIFace* CvxStdCmdIFaceMgr::GetIFaceFromInstanceID(const CvxID& instance) const
{
    for (const auto& entry : m_ifaces) {
        if (entry.first == instance) {
            return entry.second;
        }
    }
    return nullptr;
}

std::vector<CvxID> CvxStdCmdIFaceMgr::GetInstanceIDs() const
{
    std::vector<CvxID> out;
    for (const auto& entry : m_ifaces) {
        out.push_back(entry.first);
    }
    return out;
}

bool CvxStdCmdIFaceMgr::IsValidTriggerLabel(const CvxLabelChannel& label) const
{
    return m_triggerQuery ? m_triggerQuery(label) : IsKnownBusSignal(label);
}

bool CvxStdCmdIFaceMgr::SetSimpleTrigger(const std::vector<CvxPatternModel>& patterns, std::string& error) const
{
    if (!m_triggerSetter) {
        error = "this host has no analyzer whose trigger could be set";
        return false;
    }
    return m_triggerSetter(patterns, error);
}

bool CvxStdCmdIFaceMgr::GetSimpleTrigger(CvxPatternModel& pattern) const
{
    return m_triggerGetter && m_triggerGetter(pattern);
}

bool CvxStdCmdIFaceMgr::SetTriggerRow(std::int64_t row, std::string& error) const
{
    if (!m_triggerRowSetter) {
        error = "this host has no analyzer that could trigger at a fixed sample";
        return false;
    }
    return m_triggerRowSetter(row, error);
}

bool CvxStdCmdIFaceMgr::IsValidActivityIndicatorLabel(const CvxLabelChannel& label) const
{
    return m_activityQuery ? m_activityQuery(label) : IsKnownBusSignal(label);
}

bool CvxStdCmdIFaceMgr::AreAllAnalyzerModuleTriggersSimple() const
{
    return m_simpleQuery ? m_simpleQuery() : false;
}

void CvxStdCmdIFaceMgr::Reset()
{
    m_ifaces.clear();
    m_triggerQuery = nullptr;
    m_activityQuery = nullptr;
    m_simpleQuery = nullptr;
    m_triggerSetter = nullptr;
    m_triggerGetter = nullptr;
    m_triggerRowQuery = nullptr;
    m_triggerRowGetter = nullptr;
    m_triggerRowSetter = nullptr;
}

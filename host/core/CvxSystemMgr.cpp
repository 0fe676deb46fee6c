#include "CvxSystemMgr.h"

#include "CvxMessageLockPosition.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInMgr.h"

#include <algorithm>
#include <utility>

CvxSystemMgr& CvxSystemMgr::GetInstance()
{
    static CvxSystemMgr instance;
    return instance;
}

std::vector<CvxID> CvxSystemMgr::GetLabelsForTool(const CvxID& tool) const
{
    return m_labels ? m_labels(tool) : std::vector<CvxID>();
}

bool CvxSystemMgr::IsLabelProvidedToTool(const CvxID& tool, const CvxID& label) const
{
    const std::vector<CvxID> labels = GetLabelsForTool(tool);
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

void CvxSystemMgr::SetLabelProvider(LabelProvider provider)
{
    m_labels = std::move(provider);
}

bool CvxSystemMgr::IsViewerLockedTo(const CvxID& viewer, const CvxID& tool) const
{
    return m_lockQuery ? m_lockQuery(viewer, tool) : false;
}

std::vector<CvxID> CvxSystemMgr::GetViewersLockedTo(const CvxID& tool) const
{
    std::vector<CvxID> out;
    const CvxPlugInMgr& plugIns = CvxPlugInMgr::GetInstance();
    for (const CvxID& instance : plugIns.GetInstanceIDs()) {
        if (instance != tool && plugIns.GetCategory(instance) == kPlugInCategoryViewer
            && IsViewerLockedTo(instance, tool)) {
            out.push_back(instance);
        }
    }
    return out;
}

void CvxSystemMgr::SetLockQuery(LockQuery query)
{
    m_lockQuery = std::move(query);
}

void CvxSystemMgr::SendLockPosition(CvxMessageLockPosition& message)
{
    if (m_lockSender) {
        m_lockSender(message);
        return;
    }
    DeliverLockPosition(message);
}

void CvxSystemMgr::DeliverLockPosition(CvxMessageLockPosition& message)
{
    const CvxPlugInMgr& plugIns = CvxPlugInMgr::GetInstance();
    for (const CvxID& instance : plugIns.GetInstanceIDs()) {
        // Looked up each time: a receiver may make or delete plug-ins meanwhile.
        CvxPlugInBase* plugIn = plugIns.GetPlugIn(instance);
        if (plugIn != nullptr && instance != message.GetSenderID()) {
            plugIn->OnHostMessage(message);
        }
    }
}

void CvxSystemMgr::SetLockPositionSender(LockPositionSender sender)
{
    m_lockSender = std::move(sender);
}

void CvxSystemMgr::StopRepetitiveRun()
{
    ++m_stopRequests;
    if (m_stop) {
        m_stop();
    }
}

void CvxSystemMgr::SetStopRepetitiveRunHandler(std::function<void()> handler)
{
    m_stop = std::move(handler);
}

bool CvxSystemMgr::IsServiceActive(int service) const
{
    return m_serviceQuery ? m_serviceQuery(service) : false;
}

void CvxSystemMgr::SetServiceQuery(std::function<bool(int service)> query)
{
    m_serviceQuery = std::move(query);
}

void CvxSystemMgr::Reset()
{
    m_labels = nullptr;
    m_lockQuery = nullptr;
    m_lockSender = nullptr;
    m_stop = nullptr;
    m_serviceQuery = nullptr;
    m_stopRequests = 0;
}

#pragma once
// The host's single hub for what tools ask of the host as a whole. The host program fills
// it with providers; without them it answers as a host with no connections would:
//   - the labels a source provides to a tool (by tool instance): none;
//   - whether a viewer is locked to a tool: no (so no viewer is locked to any tool);
//   - lock-position messages: handed to every other plug-in object of the plug-in manager
//     through OnHostMessage (each decides whether it follows the sender);
//   - stopping the repetitive run: nothing to stop, but the request is counted;
//   - whether a host service is active: no.

#include "CvxID.h"

#include <functional>
#include <vector>

class CvxMessageLockPosition;

class CvxSystemMgr {
public:
    using LabelProvider = std::function<std::vector<CvxID>(const CvxID& tool)>;
    using LockQuery = std::function<bool(const CvxID& viewer, const CvxID& tool)>;
    using LockPositionSender = std::function<void(CvxMessageLockPosition& message)>;

    static CvxSystemMgr& GetInstance();

    CvxSystemMgr(const CvxSystemMgr&) = delete;
    CvxSystemMgr& operator=(const CvxSystemMgr&) = delete;

    // The labels (buses/signals) the tool's input provides to it, in the host's order.
    std::vector<CvxID> GetLabelsForTool(const CvxID& tool) const;
    bool IsLabelProvidedToTool(const CvxID& tool, const CvxID& label) const;
    void SetLabelProvider(LabelProvider provider);

    bool IsViewerLockedTo(const CvxID& viewer, const CvxID& tool) const;
    // The registered viewers (plug-in category 3) other than the tool that are locked to it.
    std::vector<CvxID> GetViewersLockedTo(const CvxID& tool) const;
    void SetLockQuery(LockQuery query);

    void SendLockPosition(CvxMessageLockPosition& message);
    // What SendLockPosition does without a sender of the host's: every plug-in but the sender
    // gets the message.
    void DeliverLockPosition(CvxMessageLockPosition& message);
    void SetLockPositionSender(LockPositionSender sender);

    void StopRepetitiveRun();
    int GetStopRequestCount() const { return m_stopRequests; }
    void SetStopRepetitiveRunHandler(std::function<void()> handler);

    bool IsServiceActive(int service) const;
    void SetServiceQuery(std::function<bool(int service)> query);

    // Back to no providers and no counted requests.
    void Reset();

private:
    CvxSystemMgr() = default;

    LabelProvider m_labels;
    LockQuery m_lockQuery;
    LockPositionSender m_lockSender;
    std::function<void()> m_stop;
    std::function<bool(int)> m_serviceQuery;
    int m_stopRequests = 0;
};

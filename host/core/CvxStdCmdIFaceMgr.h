#pragma once
// The host's single register of standard command interfaces, by plug-in instance identifier,
// and the host's answers about labels that tools build trigger and activity-indicator
// controls on. The host fills those answers with its queries; without them a label is valid
// for both when the label manager holds it as a bus/signal, and triggers do not count as
// all simple.

#include "CvxID.h"
#include "CvxPatternModel.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CvxLabelChannel;
class CvxStdToolCmdIFace;

class CvxStdCmdIFaceMgr {
public:
    using LabelQuery = std::function<bool(const CvxLabelChannel&)>;

    static CvxStdCmdIFaceMgr& GetInstance();

    CvxStdCmdIFaceMgr(const CvxStdCmdIFaceMgr&) = delete;
    CvxStdCmdIFaceMgr& operator=(const CvxStdCmdIFaceMgr&) = delete;

    // Registers (or replaces) the interface of an instance; false for a null identifier or
    // interface. Interfaces are not owned.
    bool Register(const CvxID& instance, CvxStdToolCmdIFace* iface);
    bool UnRegister(const CvxID& instance);
    CvxStdToolCmdIFace* GetIFaceFromInstanceID(const CvxID& instance) const;
    // In the order they were registered.
    std::vector<CvxID> GetInstanceIDs() const;

    bool IsValidTriggerLabel(const CvxLabelChannel& label) const;
    bool IsValidActivityIndicatorLabel(const CvxLabelChannel& label) const;
    bool AreAllAnalyzerModuleTriggersSimple() const;
    void SetTriggerLabelQuery(LabelQuery query) { m_triggerQuery = std::move(query); }
    void SetActivityIndicatorLabelQuery(LabelQuery query) { m_activityQuery = std::move(query); }
    void SetSimpleTriggerQuery(std::function<bool()> query) { m_simpleQuery = std::move(query); }
    // Makes the patterns (all to match at one sample) the analyzer's trigger for the next
    // acquisition; false with `error` saying why when the host's analyzer takes no such
    // trigger (or the host has none).
    using TriggerSetter = std::function<bool(const std::vector<CvxPatternModel>& patterns, std::string& error)>;
    bool SetSimpleTrigger(const std::vector<CvxPatternModel>& patterns, std::string& error) const;
    void SetTriggerSetter(TriggerSetter setter) { m_triggerSetter = std::move(setter); }

    // Forgets every interface and query.
    void Reset();

private:
    CvxStdCmdIFaceMgr() = default;

    std::vector<std::pair<CvxID, CvxStdToolCmdIFace*>> m_ifaces;
    LabelQuery m_triggerQuery;
    LabelQuery m_activityQuery;
    std::function<bool()> m_simpleQuery;
    TriggerSetter m_triggerSetter;
};

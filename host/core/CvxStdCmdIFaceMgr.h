#pragma once
// The host's single register of standard command interfaces, by plug-in instance identifier,
// and the host's answers about labels that tools build trigger and activity-indicator
// controls on, and the trigger the host's analyzer has. The host fills those answers with its
// queries; without them a label is valid for both when the label manager holds it as a
// bus/signal, triggers do not count as all simple, and there is no trigger to read or set.

#include "CvxID.h"
#include "CvxPatternModel.h"

#include <cstdint>
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
    // The analyzer's trigger when it is a pattern on one bus/signal; false when the analyzer
    // has no trigger or triggers otherwise (at a fixed sample).
    bool GetSimpleTrigger(CvxPatternModel& pattern) const;
    void SetSimpleTriggerGetter(std::function<bool(CvxPatternModel&)> getter) { m_triggerGetter = std::move(getter); }

    // The advanced trigger: the analyzer triggers at a fixed sample (a row of its
    // acquisition) instead of a pattern. Whether the analyzer can; the row it triggers at (-1
    // when it triggers on a pattern or has no trigger); and the row's setter, false with
    // `error` saying why when it is refused. A pattern set later replaces the row.
    using TriggerRowSetter = std::function<bool(std::int64_t row, std::string& error)>;
    bool CanSetTriggerRow() const { return m_triggerRowQuery && m_triggerRowQuery(); }
    std::int64_t GetTriggerRow() const { return m_triggerRowGetter ? m_triggerRowGetter() : -1; }
    bool SetTriggerRow(std::int64_t row, std::string& error) const;
    void SetTriggerRowQuery(std::function<bool()> query) { m_triggerRowQuery = std::move(query); }
    void SetTriggerRowGetter(std::function<std::int64_t()> getter) { m_triggerRowGetter = std::move(getter); }
    void SetTriggerRowSetter(TriggerRowSetter setter) { m_triggerRowSetter = std::move(setter); }

    // Forgets every interface and query.
    void Reset();

private:
    CvxStdCmdIFaceMgr() = default;

    std::vector<std::pair<CvxID, CvxStdToolCmdIFace*>> m_ifaces;
    LabelQuery m_triggerQuery;
    LabelQuery m_activityQuery;
    std::function<bool()> m_simpleQuery;
    TriggerSetter m_triggerSetter;
    std::function<bool(CvxPatternModel&)> m_triggerGetter;
    std::function<bool()> m_triggerRowQuery;
    std::function<std::int64_t()> m_triggerRowGetter;
    TriggerRowSetter m_triggerRowSetter;
};

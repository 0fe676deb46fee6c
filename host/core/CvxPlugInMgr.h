#pragma once
// The host's single register of plug-in instances: every source, tool and viewer the host
// runs, by instance identifier, in the order they were added, with its name, full name (the
// name shown where plug-ins are listed; the name unless the host sets one) and category.
// Adding and removing an instance fires the host events "plug-in added" (18) and "plug-in
// deleted" (19); renaming one fires event 16.

#include "CvxID.h"

#include <string>
#include <vector>

class CvxPlugInBase;

class CvxPlugInMgr {
public:
    static CvxPlugInMgr& GetInstance();

    CvxPlugInMgr(const CvxPlugInMgr&) = delete;
    CvxPlugInMgr& operator=(const CvxPlugInMgr&) = delete;

    // A plug-in object, under its instance identifier, name and category. False for a null
    // identifier or one already registered.
    bool Add(CvxPlugInBase& plugIn);
    // An instance without a plug-in object in this process (an acquisition source, say).
    bool AddInstance(const CvxID& instance, std::u16string name, int category);
    bool Remove(const CvxID& instance);

    bool IsInstance(const CvxID& instance) const;
    // Empty for an unknown instance.
    std::u16string GetName(const CvxID& instance) const;
    std::u16string GetFullName(const CvxID& instance) const;
    bool SetName(const CvxID& instance, std::u16string name);
    bool SetFullName(const CvxID& instance, std::u16string fullName);
    // 0 for an unknown instance.
    int GetCategory(const CvxID& instance) const;
    // Null for an unknown instance or one without a plug-in object.
    CvxPlugInBase* GetPlugIn(const CvxID& instance) const;
    std::vector<CvxID> GetInstanceIDs() const;

    // Whether the host drives a real analyzer (online) or works on stored data.
    bool GetOnlineStatus() const { return m_online; }
    void SetOnlineStatus(bool online) { m_online = online; }

    // Forgets every instance (no events) and goes offline.
    void Reset();

private:
    struct Record {
        CvxID instance;
        std::u16string name;
        std::u16string fullName;
        int category = 0;
        CvxPlugInBase* plugIn = nullptr;
    };

    CvxPlugInMgr() = default;
    const Record* Find(const CvxID& instance) const;
    Record* Find(const CvxID& instance);

    std::vector<Record> m_records;
    bool m_online = false;
};

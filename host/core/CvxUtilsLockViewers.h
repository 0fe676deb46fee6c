#pragma once
// The viewers locked to one viewer: plug-in instance identifiers in the order they were
// added, each with its locked state (an entry can be listed and unlocked, as a lock list with
// check boxes shows it). It saves itself into the currently open element of a setup:
//
//   key "NumberOfLockViewers" (int), then per entry i a tag "LockViewer<i>" holding the
//   plug-in identifier (CvxID keys) and key "Locked" (int 0 or 1).

#include "CvxID.h"

#include <cstddef>
#include <utility>
#include <vector>

class CvxPersistenceSetup;

class CvxUtilsLockViewers {
public:
    // Adds the plug-in, or sets the state of its entry; false for the null identifier.
    bool Add(const CvxID& plugIn, bool locked = true);
    bool Remove(const CvxID& plugIn);
    // Re-keys the entry of oldID to newID (a duplicated viewer takes over the locks); false
    // when there is no entry of oldID. An entry newID had before is dropped.
    bool Replace(const CvxID& newID, const CvxID& oldID);
    bool Contains(const CvxID& plugIn) const;
    bool IsLocked(const CvxID& plugIn) const;
    std::vector<CvxID> GetPluginIDs() const;
    std::size_t GetCount() const { return m_entries.size(); }
    void Clear() { m_entries.clear(); }

    void Save(CvxPersistenceSetup& setup) const;
    // Replaces the entries with the saved ones; false (entries unchanged) when the setup holds
    // none. A saved count larger than the entries present reads the entries present.
    bool Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxUtilsLockViewers&, const CvxUtilsLockViewers&) = default;

private:
    std::vector<std::pair<CvxID, bool>> m_entries;
};

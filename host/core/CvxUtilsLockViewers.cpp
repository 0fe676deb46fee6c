#include "CvxUtilsLockViewers.h"

#include "CvxPersistHostTypes.h"
#include "CvxPersistenceSetup.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <string>

namespace {

std::u16string EntryTag(std::size_t i)
{
    return u"LockViewer" + CvxStringConvert::CtoW(std::to_string(i));
}

} // namespace

bool CvxUtilsLockViewers::Add(const CvxID& plugIn, bool locked)
{
    if (plugIn.IsNull()) {
        return false;
    }
    for (auto& entry : m_entries) {
        if (entry.first == plugIn) {
            entry.second = locked;
            return true;
        }
    }
    m_entries.emplace_back(plugIn, locked);
    return true;
}

bool CvxUtilsLockViewers::Remove(const CvxID& plugIn)
{
    return std::erase_if(m_entries, [&](const auto& entry) { return entry.first == plugIn; }) > 0;
}

bool CvxUtilsLockViewers::Replace(const CvxID& newID, const CvxID& oldID)
{
    if (newID.IsNull() || !Contains(oldID)) {
        return false;
    }
    if (newID != oldID) {
        Remove(newID);
        for (auto& entry : m_entries) {
            if (entry.first == oldID) {
                entry.first = newID;
            }
        }
    }
    return true;
}

bool CvxUtilsLockViewers::Contains(const CvxID& plugIn) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.first == plugIn; });
}

bool CvxUtilsLockViewers::IsLocked(const CvxID& plugIn) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const auto& e) { return e.first == plugIn && e.second; });
}

std::vector<CvxID> CvxUtilsLockViewers::GetPluginIDs() const
{
    std::vector<CvxID> out;
    for (const auto& entry : m_entries) {
        out.push_back(entry.first);
    }
    return out;
}

void CvxUtilsLockViewers::Save(CvxPersistenceSetup& setup) const
{
    setup.Write(u"NumberOfLockViewers", static_cast<int>(m_entries.size()));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (setup.OpenTag(EntryTag(i))) {
            CvxSave(setup, m_entries[i].first);
            setup.Write(u"Locked", m_entries[i].second ? 1 : 0);
            setup.CloseTag();
        }
    }
}

bool CvxUtilsLockViewers::Load(CvxPersistenceSetup& setup)
{
    int count = 0;
    if (!setup.Read(u"NumberOfLockViewers", count)) {
        return false;
    }
    std::vector<std::pair<CvxID, bool>> entries;
    // The count is not trusted: reading stops at the first entry that is not there (and no
    // entry is made while looking, whatever the setup's mode).
    const bool storing = setup.IsStoring();
    setup.SetStoring(false);
    for (int i = 0; i < count && setup.OpenTag(EntryTag(static_cast<std::size_t>(i))); ++i) {
        CvxID id;
        int locked = 1;
        setup.Read(u"Locked", locked);
        if (CvxLoad(setup, id) && !id.IsNull()
            && std::none_of(entries.begin(), entries.end(), [&](const auto& e) { return e.first == id; })) {
            entries.emplace_back(id, locked != 0);
        }
        setup.CloseTag();
    }
    setup.SetStoring(storing);
    m_entries = std::move(entries);
    return true;
}

#include "CvxPlugInMgr.h"

#include "CvxEvent.h"
#include "CvxEventMgr.h"
#include "CvxPlugInBase.h"

#include <algorithm>
#include <utility>

CvxPlugInMgr& CvxPlugInMgr::GetInstance()
{
    // Never destroyed: plug-ins that outlive static destruction still remove themselves safely.
    static CvxPlugInMgr* const instance = new CvxPlugInMgr;
    return *instance;
}

bool CvxPlugInMgr::Add(CvxPlugInBase& plugIn)
{
    const CvxID instance = plugIn.GetInstanceID();
    if (instance.IsNull() || Find(instance) != nullptr) {
        return false;
    }
    m_records.push_back({instance, plugIn.GetName(), {}, plugIn.GetCategory(), &plugIn});
    CvxEventMgr::GetInstance().Fire(CvxEvent(kEventPlugInAdded, instance));
    return true;
}

bool CvxPlugInMgr::AddInstance(const CvxID& instance, std::u16string name, int category)
{
    if (instance.IsNull() || Find(instance) != nullptr) {
        return false;
    }
    m_records.push_back({instance, std::move(name), {}, category, nullptr});
    CvxEventMgr::GetInstance().Fire(CvxEvent(kEventPlugInAdded, instance));
    return true;
}

bool CvxPlugInMgr::Remove(const CvxID& instance)
{
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [&](const Record& r) { return r.instance == instance; });
    if (it == m_records.end()) {
        return false;
    }
    m_records.erase(it);
    CvxEventMgr::GetInstance().Fire(CvxEvent(kEventPlugInDeleted, instance));
    return true;
}

bool CvxPlugInMgr::IsInstance(const CvxID& instance) const
{
    return Find(instance) != nullptr;
}

std::u16string CvxPlugInMgr::GetName(const CvxID& instance) const
{
    const Record* record = Find(instance);
    return record == nullptr ? std::u16string() : record->name;
}

std::u16string CvxPlugInMgr::GetFullName(const CvxID& instance) const
{
    const Record* record = Find(instance);
    if (record == nullptr) {
        return {};
    }
    return record->fullName.empty() ? record->name : record->fullName;
}

bool CvxPlugInMgr::SetName(const CvxID& instance, std::u16string name)
{
    Record* record = Find(instance);
    if (record == nullptr || name.empty()) {
        return false;
    }
    if (record->name != name) {
        record->name = std::move(name);
        CvxEventMgr::GetInstance().Fire(CvxEvent(kEventPlugInRenamed, instance));
    }
    return true;
}

bool CvxPlugInMgr::SetFullName(const CvxID& instance, std::u16string fullName)
{
    Record* record = Find(instance);
    if (record == nullptr) {
        return false;
    }
    record->fullName = std::move(fullName);
    return true;
}

int CvxPlugInMgr::GetCategory(const CvxID& instance) const
{
    const Record* record = Find(instance);
    return record == nullptr ? 0 : record->category;
}

CvxPlugInBase* CvxPlugInMgr::GetPlugIn(const CvxID& instance) const
{
    const Record* record = Find(instance);
    return record == nullptr ? nullptr : record->plugIn;
}

std::vector<CvxID> CvxPlugInMgr::GetInstanceIDs() const
{
    std::vector<CvxID> out;
    out.reserve(m_records.size());
    for (const Record& record : m_records) {
        out.push_back(record.instance);
    }
    return out;
}

void CvxPlugInMgr::Reset()
{
    m_records.clear();
    m_online = false;
}

const CvxPlugInMgr::Record* CvxPlugInMgr::Find(const CvxID& instance) const
{
    for (const Record& record : m_records) {
        if (record.instance == instance) {
            return &record;
        }
    }
    return nullptr;
}

CvxPlugInMgr::Record* CvxPlugInMgr::Find(const CvxID& instance)
{
    return const_cast<Record*>(std::as_const(*this).Find(instance));
}

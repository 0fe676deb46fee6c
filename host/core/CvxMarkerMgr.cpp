#include "CvxMarkerMgr.h"

#include "CvxData.h"
#include "CvxMvcDefMsg.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Fixed identifiers, so that settings that name a data marker find it in every session.
CvxID FixedID(const char* text)
{
    CvxID id;
    id.SetValue(text);
    return id;
}

const CvxID& BeginID()
{
    static const CvxID id = FixedID("{3F6A1C20-8B4E-4D7A-9C11-0A5E2B7D1001}");
    return id;
}

const CvxID& EndID()
{
    static const CvxID id = FixedID("{3F6A1C20-8B4E-4D7A-9C11-0A5E2B7D1002}");
    return id;
}

const CvxID& TriggerID()
{
    static const CvxID id = FixedID("{3F6A1C20-8B4E-4D7A-9C11-0A5E2B7D1003}");
    return id;
}

// Background colours of user markers, taken in turn (0x00BBGGRR).
constexpr std::array<int, 6> kUserColors = {0x0000FFFF, 0x0000FF00, 0x00FF00FF, 0x00FFFF00, 0x000080FF, 0x00FF8000};

std::u16string UserMarkerName(int n)
{
    return u"M" + CvxStringConvert::CtoW(std::to_string(n));
}

CvxPosition TimeOnly(const CvxPosition& position)
{
    CvxPosition p = CvxPosition::AtTime(position.AsTime());
    p.SetMode(position.GetMode());
    return p;
}

// A user marker keeps its time. Its sample stays only when the new data still holds that
// sample of that table at that time; otherwise the marker stands for the time alone.
CvxPosition FollowTime(const CvxPosition& position, const CvxData& data)
{
    const CvxDataTable* table = data.GetTableByID(position.GetTableID());
    if (table != nullptr && position.HasSample()) {
        const std::int64_t row = table->GetRowOfSample(position.AsSample());
        if (row >= 0 && row < table->GetRowCount() && table->GetRowTime(row) == position.AsTime()) {
            return position;
        }
    }
    return TimeOnly(position);
}

} // namespace

CvxMarkerMgr::CvxMarkerMgr()
{
    auto begin = std::make_unique<CvxMarker>(BeginID(), u"Begin", u"B", kMarkerFlagBeginData);
    auto end = std::make_unique<CvxMarker>(EndID(), u"End", u"E", kMarkerFlagEndData);
    auto trigger = std::make_unique<CvxMarker>(TriggerID(), u"Trigger", u"T", kMarkerFlagTrigger);
    begin->SetBackgroundColor(0x00C0C0C0);
    end->SetBackgroundColor(0x00C0C0C0);
    trigger->SetBackgroundColor(0x000000FF);
    trigger->SetForegroundColor(0x00FFFFFF);
    m_markers.push_back(std::move(begin));
    m_markers.push_back(std::move(end));
    m_markers.push_back(std::move(trigger));
}

CvxMarkerMgr::~CvxMarkerMgr() = default;

bool CvxMarkerMgr::Register(const CvxID& viewerInstance)
{
    if (viewerInstance.IsNull()) {
        return false;
    }
    m_viewer = viewerInstance;
    return true;
}

void CvxMarkerMgr::SetData(const CvxData* data)
{
    const CvxPosition zero = CvxPosition::AtTime(CvxTime());
    CvxPosition first = zero;
    CvxPosition last = zero;
    CvxPosition trigger = zero;
    bool any = false;
    bool triggerChecked = false;
    if (data != nullptr) {
        for (std::size_t i = 0; i < data->GetTableCount(); ++i) {
            const CvxDataTable& table = data->GetTable(i);
            if (table.GetRowCount() <= 0) {
                continue;
            }
            const CvxPosition a = table.GetRowPosition(0);
            const CvxPosition b = table.GetRowPosition(table.GetRowCount() - 1);
            first = any ? std::min(first, a) : a;
            last = any ? std::max(last, b) : b;
            any = true;
            // The trigger marker sits on a sample when the first table has one at "0 s".
            if (!triggerChecked) {
                const std::int64_t row = table.FirstRowAtOrAfter(CvxTime());
                if (row < table.GetRowCount() && table.GetRowTime(row) == CvxTime()) {
                    trigger = table.GetRowPosition(row);
                }
                triggerChecked = true;
            }
        }
    }
    for (const auto& marker : m_markers) {
        const int mode = marker->GetPosition().GetMode();
        CvxPosition p = marker->GetPosition();
        if (marker->IsFlagSet(kMarkerFlagBeginData)) {
            p = first;
        } else if (marker->IsFlagSet(kMarkerFlagEndData)) {
            p = last;
        } else if (marker->IsFlagSet(kMarkerFlagTrigger)) {
            p = trigger;
        } else {
            p = data != nullptr ? FollowTime(p, *data) : TimeOnly(p);
        }
        p.SetMode(mode);
        marker->SetPosition(p);
    }
    NotifyChanged();
}

CvxMarker* CvxMarkerMgr::GetMarker(const CvxID& id) const
{
    for (const auto& marker : m_markers) {
        if (marker->GetID() == id) {
            return marker.get();
        }
    }
    return nullptr;
}

CvxMarker* CvxMarkerMgr::FindMarkerByName(std::u16string_view name) const
{
    for (const auto& marker : m_markers) {
        if (marker->GetName() == name) {
            return marker.get();
        }
    }
    return nullptr;
}

std::vector<CvxMarker*> CvxMarkerMgr::GetMarkers(bool byPosition) const
{
    std::vector<CvxMarker*> out;
    out.reserve(m_markers.size());
    for (const auto& marker : m_markers) {
        out.push_back(marker.get());
    }
    if (byPosition) {
        std::stable_sort(out.begin(), out.end(),
                         [](const CvxMarker* a, const CvxMarker* b) { return a->GetPosition() < b->GetPosition(); });
    }
    return out;
}

const CvxID& CvxMarkerMgr::GetBeginDataMarkerID() const
{
    return BeginID();
}

const CvxID& CvxMarkerMgr::GetEndDataMarkerID() const
{
    return EndID();
}

const CvxID& CvxMarkerMgr::GetTriggerMarkerID() const
{
    return TriggerID();
}

int CvxMarkerMgr::GetNumberOfUserModifiableMarkers() const
{
    return static_cast<int>(
        std::count_if(m_markers.begin(), m_markers.end(), [](const auto& m) { return m->IsUserMarker(); }));
}

CvxMarker* CvxMarkerMgr::AddUserMarker(const CvxPosition& position)
{
    int n = 1;
    while (FindMarkerByName(UserMarkerName(n)) != nullptr) {
        ++n;
    }
    const std::u16string name = UserMarkerName(n);
    auto marker = std::make_unique<CvxMarker>(CvxID::New(), name, name, kMarkerFlagUser);
    marker->SetPosition(position);
    marker->SetBackgroundColor(kUserColors[static_cast<std::size_t>(n - 1) % kUserColors.size()]);
    CvxMarker* added = marker.get();
    m_markers.push_back(std::move(marker));
    NotifyChanged();
    return added;
}

CvxMarker* CvxMarkerMgr::RestoreUserMarker(const CvxID& id, const std::u16string& name, const CvxPosition& position)
{
    if (id.IsNull() || name.empty() || id == BeginID() || id == EndID() || id == TriggerID()) {
        return nullptr;
    }
    std::erase_if(m_markers, [&](const auto& m) { return m->IsUserMarker() && (m->GetID() == id || m->GetName() == name); });
    auto marker = std::make_unique<CvxMarker>(id, name, name, kMarkerFlagUser);
    marker->SetPosition(position);
    const std::size_t users = static_cast<std::size_t>(GetNumberOfUserModifiableMarkers());
    marker->SetBackgroundColor(kUserColors[users % kUserColors.size()]);
    CvxMarker* added = marker.get();
    m_markers.push_back(std::move(marker));
    NotifyChanged();
    return added;
}

bool CvxMarkerMgr::DeleteMarker(const CvxID& id)
{
    const auto it = std::find_if(m_markers.begin(), m_markers.end(),
                                 [&](const auto& m) { return m->GetID() == id && m->IsUserMarker(); });
    if (it == m_markers.end()) {
        return false;
    }
    m_markers.erase(it);
    NotifyChanged();
    return true;
}

bool CvxMarkerMgr::IsDragable(const CvxID& id) const
{
    const CvxMarker* marker = GetMarker(id);
    return marker != nullptr && marker->IsUserMarker();
}

bool CvxMarkerMgr::MoveMarkerPosition(const CvxID& id, const CvxPosition& position)
{
    if (!IsDragable(id)) {
        return false;
    }
    GetMarker(id)->SetPosition(position);
    NotifyChanged();
    return true;
}

void CvxMarkerMgr::NotifyChanged()
{
    CvxMvcDefMsg message(kMarkersChangedMessage);
    UpdateAllObservers(nullptr, &message);
}

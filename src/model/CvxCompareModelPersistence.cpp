#include "CvxCompareModelPersistence.h"

#include "CvxCompareColumnPersistence.h"
#include "CvxCompareConfig.h"
#include "CvxCompareDataPersistence.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareSetupTag.h"
#include "CvxMessageLoad.h"
#include "CvxMessageSave.h"
#include "CvxStringConvert.h"
#include "CvxPersistHostTypes.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInMgr.h"
#include "CvxSystemMgr.h"

#include <algorithm>

namespace {

// Loading must not make elements it looks for, whatever mode the host left the setup in.
class LoadingMode {
public:
    explicit LoadingMode(CvxPersistenceSetup& setup) : m_setup(setup), m_storing(setup.IsStoring())
    {
        setup.SetStoring(false);
    }
    LoadingMode(const LoadingMode&) = delete;
    LoadingMode& operator=(const LoadingMode&) = delete;
    ~LoadingMode() { m_setup.SetStoring(m_storing); }

private:
    CvxPersistenceSetup& m_setup;
    bool m_storing;
};

} // namespace

void CvxCompareModelPersistence::Save(const CvxMessageSave& message)
{
    CvxPersistenceSetup* setup = message.GetSetup();
    if (setup == nullptr) {
        return;
    }
    CvxCompareSetupTag tag(*setup, u"CompareModel");
    if (!tag) {
        return;
    }
    CvxCompareConfig().Save(*setup);
    if (CvxCompareSetupTag center{*setup, u"CenterPosition"}) {
        CvxSave(*setup, m_model.GetCenter());
    }
    if (CvxCompareSetupTag range{*setup, u"CompareRange"}) {
        m_model.GetCompareRange().Save(*setup);
    }
    if (CvxCompareSetupTag range{*setup, u"CompareReferenceRange"}) {
        m_model.GetReferenceRange().Save(*setup);
    }
    m_model.GetProperties().Save(*setup);
    CvxCompareColumnPersistence::SaveColumns(*setup, m_model.GetColumns());
    m_model.GetReferenceOffset().Save(*setup);
    m_model.GetRunUntil().Save(*setup);
    CvxCompareDataPersistence::Save(*setup, message.GetPersistenceData(), m_model.GetReferenceBuffer());
    SaveUserMarkers(*setup);
    CvxUtilsLockViewers locks = m_model.GetLockedViewers();
    if (message.IsDuplicate()) {
        locks.Replace(message.GetNewPluginID(), m_model.GetOwnInstance());
    }
    locks.Save(*setup);
}

void CvxCompareModelPersistence::Load(const CvxMessageLoad& message)
{
    if (CvxPersistenceSetup* setup = message.GetSetup(); setup != nullptr) {
        LoadingMode loading(*setup);
        CvxCompareSetupTag tag(*setup, u"CompareModel");
        if (tag) {
            LoadRecords(*setup, message.GetPersistenceData());
        }
        Reinitialize(message);
        if (tag) {
            LoadLocks(*setup, message.IsDuplicate());
        }
    } else {
        Reinitialize(message);
    }
    DropColumnsNotOffered();
    if (m_model.GetColumnCount() == 0) {
        m_model.CreateDefaultColumns();
    }
    CvxCompareModelLoadedMessage loaded;
    m_model.Broadcast(loaded);
}

void CvxCompareModelPersistence::LoadRecords(CvxPersistenceSetup& setup, CvxPersistenceData* data)
{
    if (CvxCompareSetupTag center{setup, u"CenterPosition"}) {
        CvxPosition position = m_model.GetCenter();
        if (CvxLoad(setup, position)) {
            m_model.SetCenter(position);
        }
    }
    LoadUserMarkers(setup);
    if (CvxCompareSetupTag element{setup, u"CompareRange"}) {
        CvxCompareRange range = m_model.GetCompareRange();
        range.Load(setup);
        m_model.SetCompareRange(range);
    }
    if (CvxCompareSetupTag element{setup, u"CompareReferenceRange"}) {
        CvxCompareRange range = m_model.GetReferenceRange();
        range.Load(setup);
        m_model.SetReferenceRange(range);
    }
    CvxCompareProperties properties = m_model.GetProperties();
    properties.Load(setup);
    m_model.SetProperties(properties);
    std::vector<CvxCompareColumn> columns;
    if (CvxCompareColumnPersistence::LoadColumns(setup, columns)) {
        m_model.ReplaceColumns(columns);
    }
    CvxCompareReferenceOffset offset = m_model.GetReferenceOffset();
    offset.Load(setup);
    m_model.SetReferenceOffset(offset);
    CvxCompareRunUntil runUntil = m_model.GetRunUntil();
    runUntil.Load(setup);
    m_model.SetRunUntil(runUntil);
    CvxCompareDataPersistence::Load(setup, data, m_model.GetReferenceBuffer());
}

// The user markers the ranges may name (the data markers are made anew with every data).
void CvxCompareModelPersistence::SaveUserMarkers(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"UserMarkers");
    if (!tag) {
        return;
    }
    std::vector<const CvxMarker*> users;
    for (const CvxMarker* marker : m_model.GetMarkerMgr().GetMarkers(false)) {
        if (marker->IsUserMarker()) {
            users.push_back(marker);
        }
    }
    setup.Write(u"NumberOfMarkers", static_cast<int>(users.size()));
    for (std::size_t i = 0; i < users.size(); ++i) {
        CvxCompareSetupTag entry(setup, u"Marker" + CvxStringConvert::CtoW(std::to_string(i)));
        if (!entry) {
            continue;
        }
        setup.Write(u"Name", users[i]->GetName());
        CvxSave(setup, users[i]->GetID());
        CvxSave(setup, users[i]->GetPosition());
    }
}

void CvxCompareModelPersistence::LoadUserMarkers(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"UserMarkers");
    if (!tag) {
        return;
    }
    int count = 0;
    setup.Read(u"NumberOfMarkers", count);
    for (const int i : setup.GetIndexedChildren(u"Marker")) {
        if (i >= count) {
            break;
        }
        CvxCompareSetupTag entry(setup, u"Marker" + CvxStringConvert::CtoW(std::to_string(i)));
        if (!entry) {
            continue;
        }
        std::u16string name;
        CvxID id;
        CvxPosition position;
        if (setup.Read(u"Name", name) && CvxLoad(setup, id) && CvxLoad(setup, position)) {
            m_model.GetMarkerMgr().RestoreUserMarker(id, name, position);
        }
    }
}

void CvxCompareModelPersistence::LoadLocks(CvxPersistenceSetup& setup, bool duplicate)
{
    CvxUtilsLockViewers locks;
    if (!locks.Load(setup)) {
        return;
    }
    CvxUtilsLockViewers& current = m_model.GetLockedViewers();
    if (!duplicate) {
        current.Clear();
    }
    for (const CvxID& viewer : locks.GetPluginIDs()) {
        current.Add(viewer, locks.IsLocked(viewer));
    }
}

void CvxCompareModelPersistence::Reinitialize(const CvxMessageLoad& message)
{
    const CvxID instance = message.GetInstanceID().IsNull() ? m_model.GetOwnInstance() : message.GetInstanceID();
    CvxCompareInitializePlugInMessage init(instance, CvxPlugInMgr::GetInstance().GetName(instance));
    m_model.Dispatch(init);
}

void CvxCompareModelPersistence::DropColumnsNotOffered()
{
    const CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    std::vector<CvxID> gone;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        const CvxID& label = column.GetLabel().GetLabelID();
        if (!system.IsLabelProvidedToTool(m_model.GetOwnInstance(), label)
            && std::find(gone.begin(), gone.end(), label) == gone.end()) {
            gone.push_back(label);
        }
    }
    if (!gone.empty()) {
        m_model.OnLabelsDeleted(gone);
    }
}

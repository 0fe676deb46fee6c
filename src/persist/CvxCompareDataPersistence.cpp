#include "CvxCompareDataPersistence.h"

#include "CvxCompareConfig.h"
#include "CvxCompareDataSourceFactory.h"
#include "CvxCompareSetupTag.h"
#include "CvxCompareSourceList.h"
#include "CvxInfoMgr.h"
#include "CvxPersistHostTypes.h"
#include "CvxPersistenceData.h"
#include "CvxStringConvert.h"

#include <string>

namespace {

std::u16string SourceName(int i)
{
    return u"CompareSource" + CvxStringConvert::CtoW(std::to_string(i));
}

} // namespace

void CvxCompareDataPersistence::Save(CvxPersistenceSetup& setup, CvxPersistenceData* data,
                                     const CvxCompareSourceList& sources)
{
    CvxCompareSetupTag tag(setup, u"CompareData");
    if (!tag) {
        return;
    }
    setup.Write(u"NumberOfCompareSources", static_cast<int>(sources.GetCount()));
    int i = 0;
    for (const auto& source : sources) {
        const std::u16string name = SourceName(i++);
        CvxCompareSetupTag entry(setup, name);
        if (!entry) {
            continue;
        }
        CvxCompareConfig config;
        config.SetBool(u"HasSubrows", source->HasSubRows());
        if (const CvxCompareDataSource* store = source->GetDataSource()) {
            // The store's kind, so that a load reads its stream back as it was written, whatever
            // the label looks like in a later session.
            config.SetInt(u"ValueWidth", store->IsString() ? 0 : store->GetValueWidth());
            config.SetBool(u"FourState", store->IsFourState());
        }
        config.Save(setup);
        CvxSave(setup, source->GetLabelChannel());
        CvxPersistenceDataStream* stream =
            data != nullptr ? data->CreateDataStream(name, CvxPersistenceData::kStreamWrite) : nullptr;
        if (stream != nullptr && source->GetDataSource() != nullptr) {
            source->GetDataSource()->Save(*stream);
        }
    }
}

bool CvxCompareDataPersistence::Load(CvxPersistenceSetup& setup, CvxPersistenceData* data,
                                     CvxCompareSourceList& sources)
{
    CvxCompareSetupTag tag(setup, u"CompareData");
    if (!tag) {
        return false;
    }
    sources.Clear();
    int count = 0;
    setup.Read(u"NumberOfCompareSources", count);
    // A missing entry costs only itself; the count never makes more than the elements there.
    for (const int i : setup.GetIndexedChildren(u"CompareSource")) {
        if (i >= count) {
            break;
        }
        const std::u16string name = SourceName(i);
        CvxCompareSetupTag entry(setup, name);
        if (!entry) {
            continue;
        }
        CvxCompareConfig config;
        bool hasSubRows = false;
        int valueWidth = -1;
        bool fourState = false;
        if (config.Load(setup)) {
            config.GetBool(u"HasSubrows", hasSubRows);
            config.GetInt(u"ValueWidth", valueWidth);
            config.GetBool(u"FourState", fourState);
        }
        CvxLabelChannel label;
        CvxLoad(setup, label);
        const bool kindKept = valueWidth == 0 || valueWidth == 1 || valueWidth == 2 || valueWidth == 4
                              || valueWidth == 8 || valueWidth == 16;
        std::unique_ptr<CvxCompareDataSource> store =
            kindKept ? CreateCompareDataSource(CvxCompareStoreKind{valueWidth, fourState}, hasSubRows)
                     : CreateCompareDataSource(label, hasSubRows);
        CvxPersistenceDataStream* stream =
            data != nullptr ? data->GetDataStream(name, CvxPersistenceData::kStreamRead) : nullptr;
        if (stream != nullptr) {
            store->Load(*stream);
        } else {
            store->EndAppend();
            CvxInfoMgr::GetInstance().LogMessage(kMessageWarning, u"Compare data: the data stream \"" + name
                                                                      + u"\" is missing; the reference of "
                                                                      + label.GetName() + u" is empty");
        }
        sources.Add(label, std::move(store));
    }
    return true;
}

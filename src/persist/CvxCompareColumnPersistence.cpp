#include "CvxCompareColumnPersistence.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"
#include "CvxEnumProxy.h"
#include "CvxLabelMgr.h"
#include "CvxPersistHostTypes.h"
#include "CvxStringConvert.h"

#include <string>

namespace {

const CvxEnumProxy& AlignmentWords()
{
    static const CvxEnumProxy words = [] {
        CvxEnumProxy proxy;
        proxy.AddEnum(0, u"Left");
        proxy.AddEnum(1, u"Center");
        proxy.AddEnum(2, u"Right");
        return proxy;
    }();
    return words;
}

std::u16string ColumnTag(int i)
{
    return u"column" + CvxStringConvert::CtoW(std::to_string(i));
}

} // namespace

void CvxCompareColumnPersistence::SaveColumn(CvxPersistenceSetup& setup, const CvxCompareColumn& column)
{
    CvxCompareSetupTag tag(setup, u"CompareColumn");
    if (!tag) {
        return;
    }
    CvxCompareConfig config;
    config.SetInt(u"Width", column.GetWidth());
    config.SetBool(u"ActivityIndicatorSupported", column.IsActivityIndicatorSupported());
    config.SetInt(u"Color", column.GetColor());
    config.SetString(u"Alignment", AlignmentWords().GetValue(column.GetAlignment()));
    config.Save(setup);
    if (CvxCompareSetupTag label{setup, u"LabelInfo"}) {
        CvxSave(setup, column.GetLabel());
    }
    if (CvxCompareSetupTag marker{setup, u"MarkerID"}) {
        CvxSave(setup, column.GetMarkerID());
    }
    if (CvxCompareSetupTag base{setup, u"Base"}) {
        CvxSave(setup, column.GetBase());
    }
    if (CvxCompareSetupTag difference{setup, u"DifferenceDisplay"}) {
        column.GetDifferenceDisplay().Save(setup);
    }
}

bool CvxCompareColumnPersistence::LoadColumn(CvxPersistenceSetup& setup, CvxCompareColumn& column)
{
    if (CvxCompareSetupTag tag{setup, u"CompareColumn"}) {
        CvxCompareConfig config;
        if (config.Load(setup)) {
            int value = 0;
            if (config.GetInt(u"Width", value)) {
                column.SetWidth(value, false);
            }
            bool supported = false;
            if (config.GetBool(u"ActivityIndicatorSupported", supported)) {
                column.SetActivityIndicatorSupported(supported);
            }
            if (config.GetInt(u"Color", value)) {
                column.SetColor(value);
            }
            std::u16string word;
            if (config.GetString(u"Alignment", word) && AlignmentWords().GetKey(word, value)) {
                column.SetAlignment(value);
            }
        }
        if (CvxCompareSetupTag label{setup, u"LabelInfo"}) {
            CvxLabelChannel channel = column.GetLabel();
            if (CvxLoad(setup, channel)) {
                column.SetLabel(channel);
            }
        }
        if (CvxCompareSetupTag marker{setup, u"MarkerID"}) {
            CvxID id = column.GetMarkerID();
            if (CvxLoad(setup, id)) {
                column.SetMarkerID(id);
            }
        }
        if (CvxCompareSetupTag base{setup, u"Base"}) {
            CvxBase loaded = column.GetBase();
            if (CvxLoad(setup, loaded)) {
                column.SetBase(loaded);
            }
        }
        if (CvxCompareSetupTag difference{setup, u"DifferenceDisplay"}) {
            CvxCompareColumnDifference display = column.GetDifferenceDisplay();
            display.Load(setup);
            column.SetDifferenceDisplay(display);
        }
    }
    return CvxLabelMgr::GetInstance().IDToLabel(column.GetLabel().GetLabelID()) != nullptr;
}

void CvxCompareColumnPersistence::SaveColumns(CvxPersistenceSetup& setup, const std::vector<CvxCompareColumn>& columns)
{
    CvxCompareSetupTag tag(setup, u"CompareColumnModel");
    if (!tag) {
        return;
    }
    setup.Write(u"NumberOfColumns", static_cast<int>(columns.size()));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (CvxCompareSetupTag column{setup, ColumnTag(static_cast<int>(i))}) {
            SaveColumn(setup, columns[i]);
        }
    }
}

bool CvxCompareColumnPersistence::LoadColumns(CvxPersistenceSetup& setup, std::vector<CvxCompareColumn>& columns)
{
    CvxCompareSetupTag tag(setup, u"CompareColumnModel");
    if (!tag) {
        return false;
    }
    columns.clear();
    int count = 0;
    setup.Read(u"NumberOfColumns", count);
    // A missing or damaged entry costs only itself; the count never makes more than the
    // elements that are there.
    for (const int i : setup.GetIndexedChildren(u"column")) {
        if (i >= count) {
            break;
        }
        CvxCompareSetupTag element(setup, ColumnTag(i));
        if (!element) {
            continue;
        }
        CvxCompareColumn column;
        if (LoadColumn(setup, column)) {
            columns.push_back(column);
        }
    }
    return true;
}

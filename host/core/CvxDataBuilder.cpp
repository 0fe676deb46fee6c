#include "CvxDataBuilder.h"

#include "CvxLabelMgr.h"

#include <stdexcept>

CvxDataBuilder::CvxDataBuilder(const CvxID& creator) : m_creator(creator), m_data(std::make_shared<CvxData>()) {}

CvxDataTable& CvxDataBuilder::AddTable(std::u16string name)
{
    return m_data->AddTable(std::move(name));
}

CvxLabelBase& CvxDataBuilder::LabelFor(const CvxDataTable& table, const std::u16string& name, EvxLabelKind kind,
                                       int width)
{
    CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    CvxLabelBase* folder = nullptr;
    for (const CvxID& id : mgr.GetChildren(mgr.GetLabelRootID())) {
        CvxLabelBase* candidate = mgr.IDToLabel(id);
        if (candidate != nullptr && candidate->IsA(EvxLabelKind::ModuleFolder) && candidate->GetName() == table.GetName()) {
            folder = candidate;
            break;
        }
    }
    if (folder == nullptr) {
        auto made = std::make_unique<CvxLabelBase>(CvxID::New(), table.GetName(), EvxLabelKind::ModuleFolder);
        made->SetCreatorInstanceID(m_creator);
        folder = mgr.AddLabel(std::move(made));
    }
    for (const CvxID& id : mgr.GetChildren(folder->GetID())) {
        CvxLabelBase* existing = mgr.IDToLabel(id);
        if (existing != nullptr && existing->GetSourceName() == name) {
            if (existing->GetKind() != kind) {
                throw std::invalid_argument("a label of this name but another kind exists");
            }
            existing->SetNumberOfChannels(width);
            return *existing;
        }
    }
    auto label = std::make_unique<CvxLabelBase>(CvxID::New(), name, kind, width);
    label->SetParentID(folder->GetID());
    label->SetCreatorInstanceID(m_creator);
    return *mgr.AddLabel(std::move(label));
}

CvxDataColumnComponent& CvxDataBuilder::AddBus(CvxDataTable& table, std::u16string name, int width, bool subRows)
{
    if (width < 1 || width > 128) {
        throw std::invalid_argument("a bus/signal has 1 to 128 bits");
    }
    CvxLabelBase& label = LabelFor(table, name, EvxLabelKind::BusSignal, width);
    return table.AddColumn(label.GetID(), CvxDataColumnComponent::KindForWidth(width), width, subRows);
}

CvxDataColumnComponent& CvxDataBuilder::AddString(CvxDataTable& table, std::u16string name, bool subRows)
{
    CvxLabelBase& label = LabelFor(table, name, EvxLabelKind::StringLabel, 0);
    return table.AddColumn(label.GetID(), EvxValueKind::String, 0, subRows);
}

CvxDataColumnComponent& CvxDataBuilder::AddTime(CvxDataTable& table, std::u16string name)
{
    CvxLabelBase& label = LabelFor(table, name, EvxLabelKind::TimeLabel, 128);
    return table.AddColumn(label.GetID(), EvxValueKind::Time, 128);
}

CvxDataColumnComponent& CvxDataBuilder::AddSampleNumber(CvxDataTable& table, std::u16string name)
{
    CvxLabelBase& label = LabelFor(table, name, EvxLabelKind::SampleNumberLabel, 64);
    return table.AddColumn(label.GetID(), EvxValueKind::Sample, 64);
}

CvxLabelBase& CvxDataBuilder::GetLabel(const CvxDataColumnComponent& column) const
{
    CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(column.GetLabelID());
    if (label == nullptr) {
        throw std::logic_error("the column's label is gone");
    }
    return *label;
}

std::shared_ptr<CvxData> CvxDataBuilder::Finish(bool valid)
{
    m_data->Finish();
    m_data->SetDataValid(valid);
    std::shared_ptr<CvxData> data = std::move(m_data);
    m_data = std::make_shared<CvxData>();
    return data;
}

#include "CvxData.h"

#include "CvxSampleIter.h"
#include "CvxSampleIntegerIter.h"
#include "CvxSampleStringIter.h"

CvxData::~CvxData() = default;

CvxDataTable& CvxData::AddTable(std::u16string name, const CvxID& id)
{
    m_tables.push_back(std::make_unique<CvxDataTable>(*this, id, std::move(name)));
    return *m_tables.back();
}

const CvxDataTable* CvxData::GetTableByID(const CvxID& id) const
{
    for (const auto& table : m_tables) {
        if (table->GetID() == id) {
            return table.get();
        }
    }
    return nullptr;
}

std::vector<CvxID> CvxData::GetTableIDs() const
{
    std::vector<CvxID> ids;
    ids.reserve(m_tables.size());
    for (const auto& table : m_tables) {
        ids.push_back(table->GetID());
    }
    return ids;
}

void CvxData::BuildLabelIndex() const
{
    m_labelIndex.clear();
    for (const auto& table : m_tables) {
        for (std::size_t i = 0; i < table->GetColumnCount(); ++i) {
            CvxDataColumnComponent& column = table->GetColumn(i);
            m_labelIndex.emplace(column.GetLabelID(), &column);
        }
    }
    m_indexValid = true;
}

CvxDataColumnComponent* CvxData::GetColumnWithLabelID(const CvxID& label) const
{
    if (!m_indexValid) {
        BuildLabelIndex();
    }
    const auto it = m_labelIndex.find(label);
    return it == m_labelIndex.end() ? nullptr : it->second;
}

const CvxDataTable* CvxData::GetTableWithLabelID(const CvxID& label) const
{
    const CvxDataColumnComponent* column = GetColumnWithLabelID(label);
    return column == nullptr ? nullptr : &column->GetTable();
}

std::vector<CvxID> CvxData::FindRepresentedTables(const std::vector<CvxID>& labels) const
{
    std::vector<bool> represented(m_tables.size(), false);
    for (const CvxID& label : labels) {
        const CvxDataTable* table = GetTableWithLabelID(label);
        for (std::size_t i = 0; table != nullptr && i < m_tables.size(); ++i) {
            if (m_tables[i].get() == table) {
                represented[i] = true;
            }
        }
    }
    std::vector<CvxID> ids;
    for (std::size_t i = 0; i < m_tables.size(); ++i) {
        if (represented[i]) {
            ids.push_back(m_tables[i]->GetID());
        }
    }
    return ids;
}

std::unique_ptr<CvxSampleIterBase> CvxData::CreateIter(const CvxLabelChannel& label, int mode) const
{
    const CvxDataColumnComponent* column = GetColumnWithLabelID(label.GetLabelID());
    if (column == nullptr) {
        return nullptr;
    }
    const CvxBitSet& attributes = column->GetAttributes();
    if (attributes.Contains(CvxDataColumnComponent::kAttrGeneric)) {
        return std::make_unique<CvxSampleIter>(*this, label, mode);
    }
    if (attributes.Contains(CvxDataColumnComponent::kAttrString)) {
        return std::make_unique<CvxSampleStringIter>(*this, label, mode);
    }
    return std::make_unique<CvxSampleIntegerIter>(*this, label, mode);
}

void CvxData::Finish()
{
    for (const auto& table : m_tables) {
        table->Finish();
    }
}

std::size_t CvxData::MemoryBytes() const
{
    std::size_t bytes = sizeof(*this);
    for (const auto& table : m_tables) {
        bytes += table->MemoryBytes();
    }
    return bytes;
}

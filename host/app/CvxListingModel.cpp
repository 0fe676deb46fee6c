#include "CvxListingModel.h"

#include "CvxQtText.h"
#include "CvxLabelMgr.h"

#include <algorithm>
#include <limits>

CvxListingModel::CvxListingModel(QObject* parent) : QAbstractTableModel(parent) {}

void CvxListingModel::SetData(std::shared_ptr<const CvxData> data)
{
    beginResetModel();
    m_data = std::move(data);
    m_table = m_data != nullptr && m_data->GetTableCount() > 0 ? &m_data->GetTable(0) : nullptr;
    m_columns.clear();
    m_iters.clear();
    if (m_table != nullptr) {
        for (std::size_t c = 0; c < m_table->GetColumnCount(); ++c) {
            const CvxDataColumnComponent& column = m_table->GetColumn(c);
            m_columns.push_back(&column);
            m_iters.push_back(std::make_unique<CvxSampleIter>(*m_data, CvxLabelChannel(column.GetLabelID()),
                                                              CvxSampleIterBase::kModeSamples));
        }
    }
    endResetModel();
}

int CvxListingModel::RowOfSample(std::int64_t sample) const
{
    if (m_table == nullptr || m_table->GetRowCount() == 0) {
        return -1;
    }
    const std::int64_t row = std::clamp<std::int64_t>(m_table->GetRowOfSample(sample), 0, m_table->GetRowCount() - 1);
    return static_cast<int>(std::min<std::int64_t>(row, std::numeric_limits<int>::max()));
}

std::int64_t CvxListingModel::SampleOfRow(int row) const
{
    return m_table == nullptr ? 0 : m_table->GetSampleNumber(row);
}

CvxPosition CvxListingModel::PositionOfRow(int row) const
{
    return m_table == nullptr ? CvxPosition() : m_table->GetRowPosition(row);
}

int CvxListingModel::RowOfPosition(const CvxPosition& position) const
{
    if (m_table == nullptr || m_table->GetRowCount() == 0) {
        return -1;
    }
    if (position.GetTableID() == m_table->GetID() && position.HasSample()) {
        return RowOfSample(position.AsSample());
    }
    const std::int64_t row = std::min(m_table->FirstRowAtOrAfter(position.AsTime()), m_table->GetRowCount() - 1);
    return static_cast<int>(std::min<std::int64_t>(row, std::numeric_limits<int>::max()));
}

int CvxListingModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_table == nullptr) {
        return 0;
    }
    return static_cast<int>(std::min<std::int64_t>(m_table->GetRowCount(), std::numeric_limits<int>::max()));
}

int CvxListingModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CvxListingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.column()) >= m_iters.size()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    CvxSampleIter& it = *m_iters[static_cast<std::size_t>(index.column())];
    it.GotoRow(index.row());
    std::u16string text;
    it.GetValue(text);
    return CvxQt(text);
}

QVariant CvxListingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString::number(SampleOfRow(section));
    }
    if (static_cast<std::size_t>(section) >= m_columns.size()) {
        return {};
    }
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(m_columns[static_cast<std::size_t>(section)]->GetLabelID());
    return label != nullptr ? CvxQt(label->GetName()) : QString();
}

#pragma once
// The rows of an acquisition as a table model for the Listing window: one column per
// bus/signal of the first table (time first), one row per sample, each value formatted by the
// host's formatter in its label's base. Columns read the data directly, so that millions of
// rows cost nothing until they are shown.

#include "CvxData.h"
#include "CvxSampleIter.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

class CvxListingModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CvxListingModel(QObject* parent = nullptr);

    // The acquisition shown (null for none).
    void SetData(std::shared_ptr<const CvxData> data);
    const CvxData* GetData() const { return m_data.get(); }
    // The row of a sample number (the nearest row in the table), -1 without data.
    int RowOfSample(std::int64_t sample) const;
    std::int64_t SampleOfRow(int row) const;
    // The place of a row in the data, and the row at a place (a sample of the shown table, or
    // the first row at or after a time); -1 without data.
    CvxPosition PositionOfRow(int row) const;
    int RowOfPosition(const CvxPosition& position) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const CvxData> m_data;
    const CvxDataTable* m_table = nullptr;
    std::vector<const CvxDataColumnComponent*> m_columns;
    // One iterator per column, moved to the row a cell asks for (they format in the label's base).
    mutable std::vector<std::unique_ptr<CvxSampleIter>> m_iters;
};

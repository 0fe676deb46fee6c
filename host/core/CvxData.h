#pragma once
// One acquisition: its tables, and whether the host considers the data valid.

#include "CvxDataTable.h"
#include "CvxID.h"
#include "CvxLabelChannel.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CvxSampleIterBase;

class CvxData {
public:
    CvxData() = default;
    CvxData(const CvxData&) = delete;
    CvxData& operator=(const CvxData&) = delete;
    ~CvxData();

    CvxDataTable& AddTable(std::u16string name, const CvxID& id = CvxID::New());
    std::size_t GetTableCount() const { return m_tables.size(); }
    CvxDataTable& GetTable(std::size_t i) { return *m_tables[i]; }
    const CvxDataTable& GetTable(std::size_t i) const { return *m_tables[i]; }
    const CvxDataTable* GetTableByID(const CvxID& id) const;
    std::vector<CvxID> GetTableIDs() const;

    bool IsDataValid() const { return m_valid; }
    void SetDataValid(bool valid) { m_valid = valid; }

    CvxDataColumnComponent* GetColumnWithLabelID(const CvxID& label) const;
    const CvxDataTable* GetTableWithLabelID(const CvxID& label) const;
    // The tables that hold any of the labels, in table order, each once.
    std::vector<CvxID> FindRepresentedTables(const std::vector<CvxID>& labels) const;

    // A sample iterator of the kind the label's column calls for (generic, string or integer),
    // in mode 1 (sub-rows) or 6 (samples); null when the data has no column for the label.
    std::unique_ptr<CvxSampleIterBase> CreateIter(const CvxLabelChannel& label, int mode) const;

    // Ends filling of every table (see CvxDataTable::Finish).
    void Finish();
    std::size_t MemoryBytes() const;

    // Called by tables when columns are added.
    void InvalidateLabelIndex() { m_indexValid = false; }

private:
    void BuildLabelIndex() const;

    std::vector<std::unique_ptr<CvxDataTable>> m_tables;
    bool m_valid = false;
    mutable bool m_indexValid = false;
    mutable std::unordered_map<CvxID, CvxDataColumnComponent*> m_labelIndex;
};

#include "CvxFindMgr.h"

#include "CvxCancelMgr.h"
#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

#include <algorithm>

CvxFindMgr& CvxFindMgr::GetInstance()
{
    static CvxFindMgr instance;
    return instance;
}

bool CvxFindMgr::Find(const CvxData& data, const CvxPosition& from, bool forward, CvxPosition& found,
                      std::string& error) const
{
    const std::vector<CvxPatternModel>& patterns = m_model.GetPatterns();
    if (patterns.empty()) {
        error = "nothing to find";
        return false;
    }
    const CvxDataTable* table = data.GetTableWithLabelID(patterns.front().GetLabel().GetLabelID());
    std::vector<const CvxDataColumnComponent*> columns;
    for (const CvxPatternModel& pattern : patterns) {
        const CvxDataColumnComponent* column = data.GetColumnWithLabelID(pattern.GetLabel().GetLabelID());
        if (column == nullptr || &column->GetTable() != table || column->HasSubRows()) {
            const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(pattern.GetLabel().GetLabelID());
            error = (label != nullptr ? CvxStringConvert::ToUtf8(label->GetName()) : std::string("a bus/signal"))
                    + " is not in the data searched";
            return false;
        }
        columns.push_back(column);
    }
    const std::int64_t rows = table->GetRowCount();
    // The first row after (or before) the position: rows at its very time count as at it.
    std::int64_t row = table->FirstRowAtOrAfter(from.AsTime());
    if (forward) {
        while (row < rows && !(from < table->GetRowPosition(row))) {
            ++row;
        }
    } else {
        --row;
    }
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    int left = m_model.GetOccurrence();
    for (std::int64_t n = 0; row >= 0 && row < rows; row += forward ? 1 : -1, ++n) {
        if ((n & 0xFFFF) == 0xFFFF && cancel.IsCancelled()) {
            error = "cancelled";
            return false;
        }
        bool all = true;
        for (std::size_t i = 0; i < columns.size() && all; ++i) {
            const int status = columns[i]->GetStatus(row);
            all = (status == kStatusValid || status == kStatusUncertain) && patterns[i].Matches(columns[i]->GetValue(row));
        }
        if (all && --left == 0) {
            found = table->GetRowPosition(row);
            return true;
        }
    }
    error = "not found";
    return false;
}

bool CvxFindMgr::FindNext(const CvxData& data, const CvxPosition& from, CvxPosition& found, std::string& error) const
{
    return Find(data, from, m_model.IsForward(), found, error);
}

bool CvxFindMgr::FindPrevious(const CvxData& data, const CvxPosition& from, CvxPosition& found, std::string& error) const
{
    return Find(data, from, !m_model.IsForward(), found, error);
}

#include "CvxFindMgr.h"

#include "CvxCancelMgr.h"
#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

#include <algorithm>

namespace {

// The value a pattern is matched against: the bus's, or one channel's bit with its X/Z bit.
CvxUInt ValueOf(const CvxDataColumnComponent& column, int channel, std::int64_t row)
{
    const CvxUInt value = column.GetValue(row);
    if (channel < 0) {
        return value;
    }
    if (column.GetWidth() > 64) {
        return CvxUInt(static_cast<std::uint64_t>((value.AsU128() >> channel) & 1));
    }
    return CvxUInt::FourState((value.Low64() >> channel) & 1, (value.High64() >> channel) & 1);
}

} // namespace

CvxFindMgr& CvxFindMgr::GetInstance()
{
    static CvxFindMgr instance;
    return instance;
}

bool CvxFindMgr::Find(const CvxData& data, const CvxPosition& from, bool forward, CvxPosition& found,
                      std::string& error) const
{
    // A copy: the cancel service's event pump may let a caller set another description.
    const CvxFindModel model = m_model;
    const std::vector<CvxPatternModel>& patterns = model.GetPatterns();
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
    // The first row strictly after (or before) the position, by time and then sample.
    std::int64_t row = table->FirstRowAtOrAfter(from.AsTime());
    if (forward) {
        while (row < rows && !(from < table->GetRowPosition(row))) {
            ++row;
        }
    } else {
        while (row < rows && table->GetRowPosition(row) < from) {
            ++row;
        }
        --row;
    }
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    int left = model.GetOccurrence();
    for (std::int64_t n = 0; row >= 0 && row < rows; row += forward ? 1 : -1, ++n) {
        if ((n & 0xFFFF) == 0xFFFF && cancel.IsCancelled()) {
            error = "cancelled";
            return false;
        }
        bool all = true;
        for (std::size_t i = 0; i < columns.size() && all; ++i) {
            const int status = columns[i]->GetStatus(row);
            all = (status == kStatusValid || status == kStatusUncertain)
                  && patterns[i].Matches(ValueOf(*columns[i], patterns[i].GetLabel().GetChannel(), row));
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

#pragma once
// Moves columns, in their display order, next to a target column: before it, or after it.
// Undo restores the column list as it was when the command was made.

#include "CvxCompareColumn.h"
#include "CvxCompareCommand.h"

#include <vector>

class CvxCompareMoveColumnsCommand : public CvxCompareCommand {
public:
    // Where the moved columns go relative to the target (a null or unknown target: the end).
    static constexpr int kBeforeTarget = 0;
    static constexpr int kAfterTarget = 1;

    CvxCompareMoveColumnsCommand(CvxCompareModel& model, std::vector<CvxID> columns, const CvxID& target,
                                 int position);
    bool Execute() override;
    bool Undo() override;

private:
    std::vector<CvxID> m_columns;
    CvxID m_target;
    int m_position;
    std::vector<CvxCompareColumn> m_snapshot;
};

#include "CvxCompareMoveColumnsCommand.h"

#include "CvxCompareColumnListCommands.h"
#include "CvxCompareModel.h"

#include <algorithm>

CvxCompareMoveColumnsCommand::CvxCompareMoveColumnsCommand(CvxCompareModel& model, std::vector<CvxID> columns,
                                                           const CvxID& target, int position)
    : CvxCompareCommand(kMoveColumns, model)
    , m_columns(std::move(columns))
    , m_target(target)
    , m_position(position)
    , m_snapshot(model.GetColumns())
{
}

bool CvxCompareMoveColumnsCommand::Execute()
{
    // The model moves before a column; after the target means before the first column
    // behind it that stays where it is (or to the end).
    CvxID before = m_target;
    if (m_position == kAfterTarget) {
        const std::vector<CvxCompareColumn>& list = Model().GetColumns();
        auto it = std::find_if(list.begin(), list.end(), [&](const CvxCompareColumn& c) { return c.GetID() == m_target; });
        before = CvxID::NullID();
        if (it != list.end()) {
            it = std::find_if(it + 1, list.end(), [&](const CvxCompareColumn& c) {
                return std::find(m_columns.begin(), m_columns.end(), c.GetID()) == m_columns.end();
            });
            before = it != list.end() ? it->GetID() : CvxID::NullID();
        }
    }
    Model().MoveColumns(m_columns, before);
    return true;
}

bool CvxCompareMoveColumnsCommand::Undo()
{
    CvxCompareRestoreModelCommand(Model(), m_snapshot).Execute();
    return true;
}

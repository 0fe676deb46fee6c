#pragma once
// Commands that change the column list as a whole: insert, delete, restore and store. Their
// undo restores a snapshot of the column list taken when the command was made.

#include "CvxCompareColumn.h"
#include "CvxCompareCommand.h"

#include <vector>

class CvxCompareRestoreModelCommand : public CvxCompareCommand {
public:
    // Restores `columns`; the current list is kept for the undo.
    CvxCompareRestoreModelCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> columns);
    bool Execute() override;
    bool Undo() override;

private:
    std::vector<CvxCompareColumn> m_columns;
    std::vector<CvxCompareColumn> m_snapshot;
};

class CvxCompareInsertCommand : public CvxCompareCommand {
public:
    // Inserts before `position` (after it when `after`; a null position: at the end); `select`
    // makes the new columns the selected ones.
    CvxCompareInsertCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> columns, const CvxID& position,
                            bool after, bool select);
    bool Execute() override;
    bool Undo() override;

private:
    std::vector<CvxCompareColumn> m_columns;
    CvxID m_position;
    bool m_after;
    bool m_select;
    std::vector<CvxCompareColumn> m_snapshot;
};

class CvxCompareDeleteCommand : public CvxCompareCommand {
public:
    CvxCompareDeleteCommand(CvxCompareModel& model, std::vector<CvxID> columns);
    bool Execute() override;
    bool Undo() override;

private:
    std::vector<CvxID> m_columns;
    std::vector<CvxCompareColumn> m_snapshot;
};

// Records a column list that the caller changed by other means, so that undo brings it back.
class CvxCompareStoreModelCommand : public CvxCompareCommand {
public:
    CvxCompareStoreModelCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> columns);
    bool Execute() override { return true; }
    bool Undo() override;

private:
    std::vector<CvxCompareColumn> m_columns;
};

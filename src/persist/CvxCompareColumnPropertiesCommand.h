#pragma once
// Replaces the records of some columns (widths after a reference copy, the property sheet's
// column page); undo puts the old records back.

#include "CvxCompareColumn.h"
#include "CvxCompareCommand.h"

#include <vector>

class CvxCompareColumnPropertiesCommand : public CvxCompareCommand {
public:
    // The old records are the model's current records of the same columns.
    CvxCompareColumnPropertiesCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> newRecords);
    CvxCompareColumnPropertiesCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> newRecords,
                                      std::vector<CvxCompareColumn> oldRecords);
    bool Execute() override;
    bool Undo() override;

private:
    std::vector<CvxCompareColumn> m_new;
    std::vector<CvxCompareColumn> m_old;
};

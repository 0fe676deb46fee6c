#pragma once
// Sets one column's width; the model recomputes every left edge and tells the observers.
// Undo sets the old width back. A column that no longer exists is left alone.

#include "CvxCompareCommand.h"
#include "CvxID.h"

class CvxCompareColumnWidthCommand : public CvxCompareCommand {
public:
    CvxCompareColumnWidthCommand(CvxCompareModel& model, const CvxID& column, int newWidth, int oldWidth);
    bool Execute() override;
    bool Undo() override;

private:
    CvxID m_column;
    int m_new;
    int m_old;
};

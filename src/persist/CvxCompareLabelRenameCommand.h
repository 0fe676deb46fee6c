#pragma once
// Renames the bus/signal of a column through the standard command interface of the plug-in
// that created it; refusals are shown to the user ("Bus/Signal name can't be empty.",
// "Bus/Signal name must be unique.") and leave the name as it was. Undo renames it back.

#include "CvxCompareCommand.h"
#include "CvxID.h"

#include <string>

class CvxCompareLabelRenameCommand : public CvxCompareCommand {
public:
    CvxCompareLabelRenameCommand(CvxCompareModel& model, const CvxID& column, std::u16string newName,
                                 std::u16string oldName);
    bool Execute() override;
    bool Undo() override;

private:
    CvxID m_column;
    std::u16string m_new;
    std::u16string m_old;
};

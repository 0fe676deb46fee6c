#pragma once
// The undoable commands of the Compare window. Each command keeps what it needs to apply and
// revert itself: Undo never restores fields itself but builds the opposite command (the same
// class with new and old exchanged, or a restore command with a snapshot), runs its Execute
// and drops it, so the opposite never enters the undo history. Commands travel to observers as
// model messages with their own type numbers 1 to 11.

#include "CvxMvcCommand.h"

class CvxCompareModel;

class CvxCompareCommand : public CvxMvcCommand {
public:
    enum EvxType : int {
        kInsert = 1,
        kDelete = 2,
        kColumnWidth = 3,
        kMoveColumns = 4,
        kRestoreModel = 5,
        kLabelRename = 6,
        kStoreModel = 7,
        kColumnProperties = 8,
        kProperties = 9,
        kMoveOrigin = 10,
        kCenterDelay = 11,
    };

    CvxCompareCommand(int type, CvxCompareModel& model) : CvxMvcCommand(type), m_model(&model) {}

protected:
    CvxCompareModel& Model() const { return *m_model; }

private:
    CvxCompareModel* m_model;
};

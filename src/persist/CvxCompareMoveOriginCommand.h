#pragma once
// Scrolls the grid: the command itself travels to the observers, and the grid and header
// take the new origin from it. Undo sends the old origin the same way.

#include "CvxCompareCommand.h"

class CvxCompareMoveOriginCommand : public CvxCompareCommand {
public:
    CvxCompareMoveOriginCommand(CvxCompareModel& model, int newX, int newY, int oldX, int oldY);
    bool Execute() override;
    bool Undo() override;

    int GetOriginX() const { return m_newX; }
    int GetOriginY() const { return m_newY; }
    int GetOldOriginX() const { return m_oldX; }
    int GetOldOriginY() const { return m_oldY; }

private:
    int m_newX;
    int m_newY;
    int m_oldX;
    int m_oldY;
};

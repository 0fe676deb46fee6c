#include "CvxCompareMoveOriginCommand.h"

#include "CvxCompareModel.h"

CvxCompareMoveOriginCommand::CvxCompareMoveOriginCommand(CvxCompareModel& model, int newX, int newY, int oldX,
                                                         int oldY)
    : CvxCompareCommand(kMoveOrigin, model), m_newX(newX), m_newY(newY), m_oldX(oldX), m_oldY(oldY)
{
}

bool CvxCompareMoveOriginCommand::Execute()
{
    Model().Broadcast(*this);
    return true;
}

bool CvxCompareMoveOriginCommand::Undo()
{
    CvxCompareMoveOriginCommand(Model(), m_oldX, m_oldY, m_newX, m_newY).Execute();
    return true;
}

#include "CvxCompareCenterDelayCommand.h"

#include "CvxCompareModel.h"
#include "CvxMessageLockPosition.h"
#include "CvxSystemMgr.h"

CvxCompareCenterDelayCommand::CvxCompareCenterDelayCommand(CvxCompareModel& model, const CvxPosition& newCenter,
                                                           const CvxPosition& oldCenter, bool broadcast)
    : CvxCompareCommand(kCenterDelay, model), m_new(newCenter), m_old(oldCenter), m_broadcast(broadcast)
{
}

bool CvxCompareCenterDelayCommand::Execute()
{
    Model().SetCenter(m_new);
    if (m_broadcast) {
        CvxMessageLockPosition message(Model().GetOwnInstance(), m_new);
        CvxSystemMgr::GetInstance().SendLockPosition(message);
    }
    Model().Broadcast(*this);
    return true;
}

bool CvxCompareCenterDelayCommand::Undo()
{
    CvxCompareCenterDelayCommand(Model(), m_old, m_new, m_broadcast).Execute();
    return true;
}

#include "CvxPrintMgr.h"

#include <algorithm>

CvxPrintMgr& CvxPrintMgr::GetInstance()
{
    static CvxPrintMgr instance;
    return instance;
}

bool CvxPrintMgr::RegisterPrintController(CvxPrintCtrlBase* controller)
{
    if (controller == nullptr || IsRegistered(controller)) {
        return false;
    }
    m_controllers.push_back(controller);
    return true;
}

bool CvxPrintMgr::UnRegisterPrintController(CvxPrintCtrlBase* controller)
{
    return std::erase(m_controllers, controller) > 0;
}

bool CvxPrintMgr::IsRegistered(const CvxPrintCtrlBase* controller) const
{
    return std::find(m_controllers.begin(), m_controllers.end(), controller) != m_controllers.end();
}

#include "CvxFocusMgr.h"

CvxFocusMgr& CvxFocusMgr::GetInstance()
{
    static CvxFocusMgr instance;
    return instance;
}

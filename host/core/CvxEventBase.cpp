#include "CvxEventBase.h"

#include "CvxEventMgr.h"

CvxEventBase::~CvxEventBase()
{
    CvxEventMgr::GetInstance().UnRegisterAll(this);
}

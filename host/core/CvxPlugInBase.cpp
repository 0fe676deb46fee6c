#include "CvxPlugInBase.h"

#include "CvxMessageBase.h"
#include "CvxPlugInMgr.h"

CvxPlugInBase::CvxPlugInBase(int category, const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID,
                             const CvxID& addInClassID, std::u16string name)
    : m_category(category), m_nameID(nameID), m_instance(instanceID), m_type(typeID), m_addInClass(addInClassID),
      m_name(std::move(name))
{
}

CvxPlugInBase::~CvxPlugInBase()
{
    CvxPlugInMgr& manager = CvxPlugInMgr::GetInstance();
    if (manager.GetPlugIn(m_instance) == this) {
        manager.Remove(m_instance);
    }
}

bool CvxPlugInBase::SetName(std::u16string name)
{
    if (name.empty()) {
        return false;
    }
    m_name = std::move(name);
    CvxPlugInMgr& manager = CvxPlugInMgr::GetInstance();
    if (manager.GetPlugIn(m_instance) == this) {
        manager.SetName(m_instance, m_name);
    }
    return true;
}

std::vector<CvxMenuCmd*> CvxPlugInBase::GetMenuCmdList(int menuKind)
{
    static_cast<void>(menuKind);
    return {};
}

bool CvxPlugInBase::Execute(CvxMessageBase& message)
{
    OnHostMessage(message);
    return true;
}

void CvxPlugInBase::OnHostMessage(CvxMessageBase& message)
{
    static_cast<void>(message);
}

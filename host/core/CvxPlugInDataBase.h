#pragma once
// What the host hands a module's Create: the identifiers of the plug-in to make. The name
// identifier names the plug-in kind's name resource, the type identifier says which plug-in
// kind the host asks for (Create checks it), the add-in class identifier the module.

#include "CvxID.h"

class CvxPlugInDataBase {
public:
    CvxPlugInDataBase(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID)
        : m_name(nameID), m_instance(instanceID), m_type(typeID), m_addInClass(addInClassID)
    {
    }
    CvxPlugInDataBase(const CvxPlugInDataBase&) = default;
    CvxPlugInDataBase& operator=(const CvxPlugInDataBase&) = default;
    virtual ~CvxPlugInDataBase() = default;

    const CvxID& GetNameID() const { return m_name; }
    const CvxID& GetInstanceID() const { return m_instance; }
    const CvxID& GetTypeID() const { return m_type; }
    const CvxID& GetAddInClassID() const { return m_addInClass; }

private:
    CvxID m_name;
    CvxID m_instance;
    CvxID m_type;
    CvxID m_addInClass;
};

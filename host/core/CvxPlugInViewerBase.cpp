#include "CvxPlugInViewerBase.h"

CvxPlugInViewerBase::CvxPlugInViewerBase(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID,
                                         const CvxID& addInClassID, int resourceID, std::u16string name,
                                         const CvxRuntimeClass* frameClass, const CvxRuntimeClass* viewClass,
                                         const CvxRuntimeClass_T<CvxDocument>& documentClass)
    : CvxPlugInToolBase(nameID, instanceID, typeID, addInClassID, std::move(name), kPlugInCategoryViewer),
      m_resourceID(resourceID), m_frameClass(frameClass), m_viewClass(viewClass), m_document(documentClass.CreateObject())
{
}

CvxPlugInViewerBase::~CvxPlugInViewerBase() = default;

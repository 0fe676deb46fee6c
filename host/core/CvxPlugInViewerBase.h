#pragma once
// A viewer: a tool with a window. The base makes the viewer's document from the document
// run-time class while it is constructed, so the document (and the model it holds) exists
// before the derived viewer's constructor runs; the view and frame run-time classes are kept
// for the GUI host, which makes the window from them. The resource number names the viewer's
// resources (its name string, menus, icon).

#include "CvxDocument.h"
#include "CvxPlugInToolBase.h"
#include "CvxRuntimeClass.h"

#include <memory>

class CvxPlugInViewerBase : public CvxPlugInToolBase {
public:
    CvxPlugInViewerBase(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID,
                        int resourceID, std::u16string name, const CvxRuntimeClass* frameClass,
                        const CvxRuntimeClass* viewClass, const CvxRuntimeClass_T<CvxDocument>& documentClass);
    ~CvxPlugInViewerBase() override;

    // The viewer's document; null only when the document class made none.
    CvxDocument* GetDocument() const { return m_document.get(); }
    int GetResourceID() const { return m_resourceID; }
    const CvxRuntimeClass* GetFrameClass() const { return m_frameClass; }
    const CvxRuntimeClass* GetViewClass() const { return m_viewClass; }

private:
    int m_resourceID;
    const CvxRuntimeClass* m_frameClass;
    const CvxRuntimeClass* m_viewClass;
    std::unique_ptr<CvxDocument> m_document;
};

#pragma once
// The plug-in data the host hands Create for a viewer: the identifiers and the run-time class
// of the frame window the viewer's window lives in (opaque here; the GUI host knows it).

#include "CvxPlugInDataBase.h"

class CvxRuntimeClass;

class CvxPlugInViewerData : public CvxPlugInDataBase {
public:
    CvxPlugInViewerData(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID,
                        const CvxRuntimeClass* frameClass = nullptr)
        : CvxPlugInDataBase(nameID, instanceID, typeID, addInClassID), m_frame(frameClass)
    {
    }

    const CvxRuntimeClass* GetFrameRtcPtr() const { return m_frame; }

private:
    const CvxRuntimeClass* m_frame;
};

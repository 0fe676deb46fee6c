// The module's one exported function: the host calls Create with the plug-in data of the
// viewer it wants; only the Compare tool's type identifier makes a tool.

#include "CvxCompare.h"
#include "CvxInfoMgr.h"
#include "CvxPlugInViewerData.h"

extern "C" __attribute__((visibility("default"))) CvxPlugInBase* Create(CvxPlugInDataBase* data)
{
    const auto* viewerData = dynamic_cast<const CvxPlugInViewerData*>(data);
    if (viewerData == nullptr) {
        return nullptr;
    }
    CvxID typeID;
    typeID.SetValue(CvxCompare::kTypeID);
    if (viewerData->GetTypeID() != typeID) {
        std::u16string text = u"Compare DLL Create() - no matching typeID found!";
        CvxInfoMgr::GetInstance().LogMessage(kMessageError, text);
        return nullptr;
    }
    return new CvxCompare(viewerData->GetNameID(), viewerData->GetInstanceID(), viewerData->GetTypeID(),
                          viewerData->GetAddInClassID(), viewerData->GetFrameRtcPtr());
}

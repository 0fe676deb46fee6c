// A small viewer module for the plug-in loader's tests, built twice: with CVX_TEST_MODULE_CREATE
// it exports Create, as every real module does; without it, it exports no entry point.

#include "CvxPlugInBase.h"
#include "CvxPlugInDataBase.h"

#ifdef CVX_TEST_MODULE_CREATE

#include "CvxDocument.h"
#include "CvxInfoMgr.h"
#include "CvxMessageRun.h"
#include "CvxPlugInViewerBase.h"
#include "CvxPlugInViewerData.h"
#include "CvxRuntimeClass.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdViewerToolCmdIFace.h"

#include <string>

namespace {

class CvxTestDoc : public CvxDocument {
public:
    bool IsModified() const override { return false; }
    int runs = -1;
};

const CvxRuntimeClass_T<CvxDocument> kDocClass = CvxRuntimeClass_T<CvxDocument>::Of<CvxTestDoc>("CvxTestDoc");

class CvxTestViewer : public CvxPlugInViewerBase, public CvxStdViewerToolCmdIFace {
public:
    explicit CvxTestViewer(const CvxPlugInViewerData& data)
        : CvxPlugInViewerBase(data.GetNameID(), data.GetInstanceID(), data.GetTypeID(), data.GetAddInClassID(), 3400,
                              u"Tester", data.GetFrameRtcPtr(), nullptr, kDocClass)
    {
        CvxStdCmdIFaceMgr::GetInstance().Register(GetInstanceID(), this);
    }
    ~CvxTestViewer() override { CvxStdCmdIFaceMgr::GetInstance().UnRegister(GetInstanceID()); }

    CvxID GetInstanceID() const override { return CvxPlugInViewerBase::GetInstanceID(); }
    std::u16string GetToolIFaceName() const override { return u"TestViewerTool"; }
    bool ExecuteCommand(const std::u16string& command) override { return command == u"Ping"; }

    void OnHostMessage(CvxMessageBase& message) override
    {
        if (auto* run = dynamic_cast<CvxMessageRun*>(&message)) {
            static_cast<CvxTestDoc*>(GetDocument())->runs = run->GetNumberOfRuns();
        }
    }
};

} // namespace

extern "C" CvxPlugInBase* Create(CvxPlugInDataBase* data)
{
    auto* viewerData = dynamic_cast<CvxPlugInViewerData*>(data);
    CvxID type;
    type.SetValue("{0D5B7E3A-6C21-4F08-B9A4-5E3C2D1F7A90}");
    if (viewerData == nullptr || viewerData->GetTypeID() != type) {
        CvxInfoMgr::GetInstance().LogMessage(kMessageError, u"Test module Create() - no matching typeID found!");
        return nullptr;
    }
    return new CvxTestViewer(*viewerData);
}

#else

// The entry point under another name: the loader must not take it.
extern "C" CvxPlugInBase* CreatePlugIn(CvxPlugInDataBase* data)
{
    static_cast<void>(data);
    return nullptr;
}

#endif

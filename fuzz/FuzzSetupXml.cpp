// Fuzz target: setup.xml, and a Compare tool loading its part of it. The input is the text of
// setup.xml, optionally followed by a NUL and the bytes of the data streams it lists, taken one
// after another in the sizes it declares, as far as the bytes go (the setup file keeps them as
// archive entries; here they come without the archive so that every mutation reaches them).
// A text the reader takes becomes the loading setup; a Compare tool made through Create is
// initialised, gets the load message positioned at Host/Tools/Tool0 with the streams named
// "Tool0/...", then compares a small capture and copies it as its reference.

#include "CvxFuzzEnvironment.h"

#include "CvxCompare.h"
#include "CvxMessageLoad.h"
#include "CvxMessageRun.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceDataStream.h"
#include "CvxPersistenceElement.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInMgr.h"
#include "CvxPlugInViewerData.h"
#include "CvxSetupXmlReader.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxSystemMgr.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern "C" CvxPlugInBase* Create(CvxPlugInDataBase* data);

namespace {

constexpr std::u16string_view kToolPrefix = u"Tool0/";

struct Capture {
    CvxSimulatedAnalyzer source;
    std::shared_ptr<CvxData> data;
};

Capture& SmallCapture()
{
    static Capture* capture = [] {
        auto* made = new Capture;
        std::string error;
        made->source.SetOption("samples", "300", error);
        made->source.SetOption("state_samples", "100", error);
        made->data = made->source.Acquire();
        if (made->data == nullptr) {
            std::abort();
        }
        CvxSystemMgr::GetInstance().SetLabelProvider([made](const CvxID&) { return made->source.GetOfferedLabels(); });
        CvxFuzzEnvironment::GetInstance().KeepCurrentLabels();
        return made;
    }();
    return *capture;
}

void LoadTool(CvxPersistenceSetup& setup, CvxPersistenceData& toolData)
{
    CvxID type;
    type.SetValue(CvxCompare::kTypeID);
    CvxPlugInViewerData viewerData(CvxID::New(), CvxID::New(), type, CvxID::New());
    std::unique_ptr<CvxPlugInBase> tool(Create(&viewerData));
    if (tool == nullptr) {
        std::abort();
    }
    CvxPlugInMgr::GetInstance().Add(*tool);
    CvxMessageBase initialize(kHostMsgInitialize);
    tool->OnHostMessage(initialize);
    CvxMessageLoad load(&setup, &toolData, tool->GetInstanceID());
    tool->OnHostMessage(load);

    CvxMessageRun run(SmallCapture().data, 1);
    tool->OnHostMessage(run);
    if (CvxStdToolCmdIFace* iface = CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(tool->GetInstanceID())) {
        std::u16string reply;
        iface->GetDataValue(u"GetNumberOfDifferences", reply);
        iface->GetDataWithArgs(u"<GetDifference Index='0'/>", reply);
        iface->ExecuteCommand(u"CopyReference");
        tool->OnHostMessage(run);
    }
    CvxPlugInMgr::GetInstance().Remove(tool->GetInstanceID());
}

} // namespace

// The one-time set-up (module, session, first capture) before the first timed input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SmallCapture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SmallCapture();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(input.find('\0'), input.size());
    std::unique_ptr<CvxPersistenceElement> root;
    std::vector<CvxSetupStreamEntry> streams;
    std::string error;
    if (!CvxSetupXmlReader::Read(input.substr(0, nul), root, streams, error)) {
        return 0;
    }

    CvxPersistenceData toolData;
    std::string_view bytes = input.substr(std::min(nul + 1, input.size()));
    for (const CvxSetupStreamEntry& entry : streams) {
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(entry.size, bytes.size()));
        if (entry.name.compare(0, kToolPrefix.size(), kToolPrefix) == 0) {
            CvxPersistenceDataStream* stream =
                toolData.CreateDataStream(entry.name.substr(kToolPrefix.size()), CvxPersistenceData::kStreamWrite);
            if (stream != nullptr) {
                stream->SetBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
            }
        }
        bytes.remove_prefix(length);
    }

    CvxPersistenceSetup setup(false);
    setup.SetRoot(std::move(root));
    if (setup.OpenTag(u"Host") && setup.OpenTag(u"Tools") && setup.OpenTag(u"Tool0")) {
        LoadTool(setup, toolData);
    }
    CvxFuzzEnvironment::GetInstance().EndInput();
    return 0;
}

// The built module as a host loads it: dlopen, Create with real plug-in data, host messages in,
// the model's broadcasts observed through the document the host made.

#include "CvxDefObserver.h"
#include "CvxInfoMgr.h"
#include "CvxMessageLabels.h"
#include "CvxMessageRun.h"
#include "CvxMessageSimple.h"
#include "CvxMvcDefMsg.h"
#include "CvxMvcModel.h"
#include "CvxPlugInLoader.h"
#include "CvxPlugInViewerBase.h"
#include "CvxPlugInViewerData.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSystemMgr.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kCompareType = "{5C0A7E21-3B9D-4F6A-8E42-C1D7A9B3E510}";

class Recorder : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
    std::vector<int> types;
};

} // namespace

TEST(CvxCompareModuleTest, HostMessagesInBroadcastsOut)
{
    CvxInfoMgr::GetInstance().SetBasePath((std::filesystem::temp_directory_path() / "cvx-module-tests").u16string());
    CvxPlugInLoader loader;
    ASSERT_TRUE(loader.Load(CVX_MODULE_FILE)) << loader.GetLastError();

    CvxID foreign;
    foreign.SetValue("{5C0A7E21-3B9D-4F6A-8E42-C1D7A9B3E511}");
    CvxPlugInViewerData wrong(CvxID::New(), CvxID::New(), foreign, CvxID::New());
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    EXPECT_EQ(loader.Create(wrong), nullptr);
    ASSERT_EQ(CvxInfoMgr::GetInstance().GetRecentMessages().size(), 1U);
    EXPECT_EQ(CvxInfoMgr::GetInstance().GetRecentMessages()[0].type, kMessageError);

    CvxID type;
    type.SetValue(kCompareType);
    CvxPlugInViewerData data(CvxID::New(), CvxID::New(), type, CvxID::New());
    CvxPlugInLoader::PlugInPtr tool = loader.Create(data);
    ASSERT_NE(tool, nullptr);
    auto* viewer = dynamic_cast<CvxPlugInViewerBase*>(tool.get());
    ASSERT_NE(viewer, nullptr);
    CvxMvcModel* model = viewer->GetDocument()->GetMvcModel();
    ASSERT_NE(model, nullptr);
    Recorder recorder;
    model->AddObserver(&recorder);

    CvxSimulatedAnalyzer source;
    std::string error;
    source.SetOption("samples", "500", error);
    CvxSystemMgr::GetInstance().SetLabelProvider([&](const CvxID&) { return source.GetOfferedLabels(); });

    CvxMessageBase init(kHostMsgInitialize);
    tool->OnHostMessage(init);
    EXPECT_EQ(recorder.types, (std::vector<int>{109, 108})); // marker manager registered, then the message
    recorder.types.clear();

    CvxMessageRun run(source.Acquire(), 1);
    tool->OnHostMessage(run);
    EXPECT_EQ(recorder.types, (std::vector<int>{159, 101})); // compared (range All), then new data
    recorder.types.clear();

    const CvxID label = source.GetOfferedLabels()[1];
    CvxMessageLabelsChanged changed({label});
    tool->OnHostMessage(changed);
    CvxMessageLabelsDeleted deleted({label});
    tool->OnHostMessage(deleted);
    CvxMessageDestroyPlugIn destroyed;
    tool->OnHostMessage(destroyed);
    // Columns changed; the delete command, then columns changed; new data without runs.
    EXPECT_EQ(recorder.types, (std::vector<int>{102, 102, 101}));
    model->RemoveObserver(&recorder);
    CvxSystemMgr::GetInstance().Reset();
}

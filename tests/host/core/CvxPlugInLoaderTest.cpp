// Loading a real plug-in module with dlopen: the failures the host logs, and a module that
// shares the host library's managers with the host.

#include "CvxInfoMgr.h"
#include "CvxMessageRun.h"
#include "CvxPlugInLoader.h"
#include "CvxPlugInMgr.h"
#include "CvxPlugInViewerBase.h"
#include "CvxPlugInViewerData.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdViewerToolCmdIFace.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

const char* kTypeText = "{0D5B7E3A-6C21-4F08-B9A4-5E3C2D1F7A90}";

class CvxPlugInLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("cvx-loader-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir.string()));
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxPlugInMgr::GetInstance().Reset();
    }
    void TearDown() override
    {
        CvxInfoMgr::GetInstance().Reset();
        std::filesystem::remove_all(m_dir);
    }

    static std::string LastLog()
    {
        const auto log = CvxInfoMgr::GetInstance().GetRecentMessages();
        return log.empty() ? std::string() : CvxStringConvert::ToUtf8(log.back().text);
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CvxPlugInLoaderTest, RefusedModulesAreLoggedWithPathAndReason)
{
    const std::filesystem::path notElf = m_dir / "notes.so";
    std::ofstream(notElf) << "not a shared library\n";
    const struct {
        std::filesystem::path path;
        std::string reason;
    } cases[] = {
        {m_dir / "absent.so", "no such file"},
        {m_dir, "it is not a file"},
        {CVX_TEST_MODULE_NOCREATE, "it exports no entry point 'Create'"},
        {notElf, "it cannot be loaded ("},
    };
    for (const auto& c : cases) {
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxPlugInLoader loader;
        EXPECT_FALSE(loader.Load(c.path));
        EXPECT_FALSE(loader.IsLoaded());
        const auto log = CvxInfoMgr::GetInstance().GetRecentMessages();
        ASSERT_EQ(log.size(), 1U) << c.path;
        EXPECT_EQ(log[0].type, kMessageError);
        EXPECT_EQ(LastLog().rfind("Module '" + c.path.string() + "' cannot be used: " + c.reason, 0), 0U) << LastLog();
        CvxPlugInViewerData data(CvxID::New(), CvxID::New(), CvxID::New(), CvxID::New());
        EXPECT_EQ(loader.Create(data), nullptr);
    }
}

TEST_F(CvxPlugInLoaderTest, ModuleSharesTheHostManagersAndOutlivesTheLoader)
{
    CvxID type;
    type.SetValue(kTypeText);
    CvxPlugInLoader::PlugInPtr plugIn(nullptr, {});
    const CvxID instance = CvxID::New();
    {
        CvxPlugInLoader loader;
        ASSERT_TRUE(loader.Load(CVX_TEST_MODULE)) << loader.GetLastError();

        // A type identifier that differs in one byte: no plug-in, one message from the module.
        CvxID::Bytes wrong = type.GetBytes();
        wrong[15] ^= 1;
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxPlugInViewerData other(CvxID::New(), CvxID::New(), CvxID(wrong), CvxID::New());
        EXPECT_EQ(loader.Create(other), nullptr);
        ASSERT_EQ(CvxInfoMgr::GetInstance().GetRecentMessages().size(), 1U);
        EXPECT_EQ(LastLog(), "Test module Create() - no matching typeID found!");

        CvxPlugInViewerData data(CvxID::New(), instance, type, CvxID::New());
        plugIn = loader.Create(data);
    }
    ASSERT_NE(plugIn, nullptr);
    auto* viewer = dynamic_cast<CvxPlugInViewerBase*>(plugIn.get());
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetName(), u"Tester");
    EXPECT_EQ(viewer->GetCategory(), kPlugInCategoryViewer);
    EXPECT_EQ(viewer->GetResourceID(), 3400);
    ASSERT_NE(viewer->GetDocument(), nullptr);
    EXPECT_FALSE(viewer->GetDocument()->IsModified());

    // The module registered its interface with the same manager the host sees.
    auto* iface = dynamic_cast<CvxStdViewerToolCmdIFace*>(
        CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(instance));
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->GetInstanceID(), instance);
    EXPECT_EQ(iface->GetIFaceName(), u"StandardToolCommandIFace");
    EXPECT_EQ(iface->GetToolIFaceName(), u"TestViewerTool");
    EXPECT_TRUE(iface->ExecuteCommand(u"Ping"));

    ASSERT_TRUE(CvxPlugInMgr::GetInstance().Add(*plugIn));
    EXPECT_EQ(CvxPlugInMgr::GetInstance().GetName(instance), u"Tester");
    CvxMessageRun run(nullptr, 4);
    EXPECT_TRUE(plugIn->Execute(run));

    // Deleting the plug-in (the loader is long gone) unregisters it everywhere.
    plugIn.reset();
    EXPECT_EQ(CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(instance), nullptr);
    EXPECT_FALSE(CvxPlugInMgr::GetInstance().IsInstance(instance));
}

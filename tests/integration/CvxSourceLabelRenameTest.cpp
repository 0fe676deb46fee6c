// Renaming a bus/signal the source made, as the Compare window's "Rename..." does through the
// label's creator: the name is checked, the label keeps its identity so that later runs fill
// it and the tool keeps comparing it, and setups keep the new name and still find the
// source's bus.

#include "CvxData.h"
#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMarkupDocument.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::u16string Count(CvxStdToolCmdIFace& tool, const char16_t* attribute)
{
    std::u16string reply;
    std::u16string value;
    CvxMarkupDocument doc(tool.GetDataValue(u"GetCounts", reply) ? reply : u"");
    return doc.HasRoot() && doc.FindElement(u"Counts") && doc.GetAttribute(attribute, value) ? value : u"?";
}

} // namespace

TEST(CvxSourceLabelRenameTest, ARenamedBusKeepsItsIdentityAcrossRunsAndSetups)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "cvx-rename-tests";
    std::filesystem::create_directories(base);
    CvxInfoMgr::GetInstance().SetBasePath(base.u16string());
    CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    labels.Clear();
    CvxHostSession session;
    ASSERT_TRUE(session.LoadModule(CVX_MODULE_FILE)) << session.GetLastError();
    auto source = std::make_unique<CvxSimulatedAnalyzer>();
    std::string error;
    ASSERT_TRUE(source->SetOption("samples", "500", error)) << error;
    session.SetSource(std::move(source));
    CvxStdToolCmdIFace* tool = session.GetToolIFace(session.AddCompareTool(u"Compare"));
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(session.Run()) << session.GetLastError();
    ASSERT_TRUE(tool->ExecuteCommand(u"CopyReference"));
    const std::u16string columns = Count(*tool, u"ColumnsCompared");

    const CvxID id = labels.FindLabelByName(u"DATA8")->GetID();
    CvxStdToolCmdIFace* creator = CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(labels.LabelIDToPlugInInstanceID(id));
    ASSERT_NE(creator, nullptr);
    EXPECT_TRUE(creator->CanRenameLabel(id));
    EXPECT_FALSE(creator->CanRenameLabel(labels.FindLabelByName(u"Time")->GetID()));
    EXPECT_FALSE(creator->CanRenameLabel(labels.IDToLabel(id)->GetParentID())); // a table's folder
    EXPECT_EQ(creator->RenameLabel(id, u""), CvxStdToolCmdIFace::kRenameEmptyName);
    EXPECT_EQ(creator->RenameLabel(id, u"ADDR16"), CvxStdToolCmdIFace::kRenameNameNotUnique);
    EXPECT_EQ(labels.IDToLabel(id)->GetName(), u"DATA8");
    EXPECT_EQ(creator->RenameLabel(id, u"DATA_BYTE"), CvxStdToolCmdIFace::kRenameDone);
    EXPECT_EQ(labels.IDToLabel(id)->GetName(), u"DATA_BYTE");

    // The next run fills the same label; the tool compares it as before.
    ASSERT_TRUE(session.Run()) << session.GetLastError();
    EXPECT_EQ(labels.FindLabelByName(u"DATA8"), nullptr);
    EXPECT_NE(session.GetData()->GetTable(0).GetColumnWithLabelID(id), nullptr);
    EXPECT_EQ(Count(*tool, u"ColumnsCompared"), columns);
    EXPECT_EQ(Count(*tool, u"Differences"), u"0");

    // A setup keeps the new name; loading it brings that name back.
    const std::filesystem::path setup = base / "renamed.cvxsetup";
    ASSERT_TRUE(session.SaveSetup(setup)) << session.GetLastError();
    ASSERT_EQ(creator->RenameLabel(id, u"SOMETHING_ELSE"), CvxStdToolCmdIFace::kRenameDone);
    ASSERT_TRUE(session.LoadSetup(setup)) << session.GetLastError();
    EXPECT_EQ(labels.IDToLabel(id)->GetName(), u"DATA_BYTE");
    tool = session.GetToolIFace(session.GetTool(0));
    ASSERT_TRUE(session.Run()) << session.GetLastError();
    EXPECT_NE(session.GetData()->GetTable(0).GetColumnWithLabelID(id), nullptr);
    EXPECT_EQ(Count(*tool, u"ColumnsCompared"), columns);
    EXPECT_EQ(Count(*tool, u"Differences"), u"0");
    std::filesystem::remove_all(base);
}

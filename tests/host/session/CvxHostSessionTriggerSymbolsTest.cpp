// What the session tells the tools about the source's trigger (the pattern it has, whether it
// is simple, a fixed trigger row) and the symbols of the source's buses/signals, edited through
// the label's creator and kept by setups.

#include "CvxBase.h"
#include "CvxData.h"
#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceSetup.h"
#include "CvxSetupFile.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"
#include "CvxVcdSource.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_base = std::filesystem::temp_directory_path() / "cvx-session-trigger-tests";
        std::filesystem::create_directories(m_base);
        CvxInfoMgr::GetInstance().SetBasePath(m_base.u16string());
        CvxLabelMgr::GetInstance().Clear();
        auto source = std::make_unique<CvxSimulatedAnalyzer>();
        std::string error;
        ASSERT_TRUE(source->SetOption("samples", "500", error)) << error;
        m_session.SetSource(std::move(source));
        ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    }
    void TearDown() override { std::filesystem::remove_all(m_base); }

    CvxID Label(const char16_t* name) const
    {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().FindLabelByName(name);
        return label != nullptr ? label->GetID() : CvxID::NullID();
    }

    std::filesystem::path m_base;
    CvxHostSession m_session;
};

} // namespace

// The trigger of the simulated analyzer as the tools read it: its default pattern in
// hexadecimal; a fixed row makes it advanced (no simple pattern then) and is the next run's
// trigger row; a pattern makes it simple again. File sources have no trigger, which is still
// no advanced one; without a source nothing can be set.
TEST_F(SessionTest, TheToolsReadTheSourcesTriggerAndWhetherItIsSimple)
{
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    CvxPatternModel pattern;
    ASSERT_TRUE(ifaces.GetSimpleTrigger(pattern));
    EXPECT_EQ(pattern.GetLabel().GetLabelID(), Label(u"ADDR16"));
    EXPECT_EQ(pattern.GetWidth(), 16);
    EXPECT_EQ(pattern.GetBaseCode(), kBaseHex);
    EXPECT_EQ(pattern.GetText(), u"0100");
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_TRUE(ifaces.CanSetTriggerRow());
    EXPECT_EQ(ifaces.GetTriggerRow(), -1);

    std::string error;
    ASSERT_TRUE(ifaces.SetTriggerRow(123, error)) << error;
    EXPECT_FALSE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_FALSE(ifaces.GetSimpleTrigger(pattern));
    EXPECT_EQ(ifaces.GetTriggerRow(), 123);
    ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    EXPECT_EQ(m_session.GetData()->GetTable(0).GetTriggerRow(), 123);
    EXPECT_FALSE(ifaces.SetTriggerRow(-5, error));
    EXPECT_NE(error.find("-5"), std::string::npos) << error;

    CvxPatternModel signal(CvxLabelChannel(Label(u"WR_STRB")), 1, kBaseBinary);
    ASSERT_TRUE(signal.Parse(u"1", error)) << error;
    ASSERT_TRUE(ifaces.SetSimpleTrigger({signal}, error)) << error;
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_EQ(ifaces.GetTriggerRow(), -1);
    ASSERT_TRUE(ifaces.GetSimpleTrigger(pattern));
    EXPECT_EQ(pattern.GetLabel().GetLabelID(), Label(u"WR_STRB"));
    EXPECT_EQ(pattern.GetBaseCode(), kBaseBinary);
    EXPECT_EQ(pattern.GetText(), u"1");
    ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    const CvxDataTable& timing = m_session.GetData()->GetTable(0);
    EXPECT_EQ(m_session.GetData()->GetColumnWithLabelID(Label(u"WR_STRB"))->GetValue(timing.GetTriggerRow()).Low64(), 1U);

    m_session.SetSource(std::make_unique<CvxVcdSource>());
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_FALSE(ifaces.GetSimpleTrigger(pattern));
    EXPECT_FALSE(ifaces.CanSetTriggerRow());
    EXPECT_FALSE(ifaces.SetTriggerRow(10, error));
    EXPECT_NE(error.find("VCD"), std::string::npos) << error;
    m_session.ReleaseSource();
    EXPECT_FALSE(ifaces.SetTriggerRow(10, error));
    EXPECT_NE(error.find("no source"), std::string::npos) << error;
}

// Symbols reach a bus/signal through its creator's command interface, which takes buses and
// signals of up to 64 bits only and refuses values that do not fit; a setup keeps them, and
// a setup edited by hand loads what it validly holds.
TEST_F(SessionTest, SymbolsAreSetThroughTheCreatorAndKeptBySetups)
{
    CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    const CvxID data8 = Label(u"DATA8");
    CvxStdToolCmdIFace* creator = CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(labels.IDToLabel(data8)->GetCreatorInstanceID());
    ASSERT_NE(creator, nullptr);
    EXPECT_TRUE(creator->CanSetLabelSymbols(data8));
    EXPECT_TRUE(creator->CanSetLabelSymbols(Label(u"DATA64")));
    EXPECT_FALSE(creator->CanSetLabelSymbols(Label(u"WIDE96")));
    EXPECT_FALSE(creator->CanSetLabelSymbols(Label(u"CMD")));
    EXPECT_FALSE(creator->CanSetLabelSymbols(Label(u"Time")));
    EXPECT_FALSE(creator->SetLabelSymbols(data8, {{CvxUInt(0x100), u"WIDE"}}));
    EXPECT_FALSE(creator->SetLabelSymbols(data8, {{CvxUInt(1), u""}}));
    EXPECT_TRUE(labels.IDToLabel(data8)->GetSymbols().empty());
    const std::map<CvxUInt, std::u16string> symbols{{CvxUInt(0x01), u"ONE"}, {CvxUInt(0xFF), u"ALL"}};
    ASSERT_TRUE(creator->SetLabelSymbols(data8, symbols));
    EXPECT_EQ(labels.IDToLabel(data8)->GetSymbols(), symbols);

    const std::filesystem::path path = m_base / "symbols.cvxsetup";
    ASSERT_TRUE(m_session.SaveSetup(path)) << m_session.GetLastError();
    ASSERT_TRUE(creator->SetLabelSymbols(data8, {}));
    ASSERT_TRUE(m_session.LoadSetup(path)) << m_session.GetLastError();
    const CvxID loaded = Label(u"DATA8");
    ASSERT_FALSE(loaded.IsNull());
    EXPECT_EQ(labels.IDToLabel(loaded)->GetSymbols(), symbols);

    // A value that is no number, one wider than the bus and a count beyond what is there.
    CvxSetupFile file(path);
    CvxPersistenceSetup setup(false);
    CvxPersistenceData data;
    ASSERT_TRUE(file.Load(setup, data));
    setup.SetStoring(true);
    ASSERT_TRUE(setup.OpenTag(u"Host") && setup.OpenTag(u"Labels"));
    bool edited = false;
    for (const int i : setup.GetIndexedChildren(u"Label")) {
        ASSERT_TRUE(setup.OpenTag(u"Label" + CvxStringConvert::FromUtf8(std::to_string(i))));
        int count = 0;
        if (setup.Read(u"NumberOfSymbols", count) && count == 2) {
            setup.Write(u"NumberOfSymbols", 99);
            setup.Write(u"SymbolValue0", u"ZZ");
            setup.Write(u"SymbolValue2", u"100");
            setup.Write(u"Symbol2", u"BIG");
            edited = true;
        }
        setup.CloseTag();
    }
    ASSERT_TRUE(edited);
    setup.Rewind();
    ASSERT_TRUE(file.Save(setup, data));
    ASSERT_TRUE(m_session.LoadSetup(path)) << m_session.GetLastError();
    EXPECT_EQ(labels.IDToLabel(Label(u"DATA8"))->GetSymbols(), (std::map<CvxUInt, std::u16string>{{CvxUInt(0xFF), u"ALL"}}));
}

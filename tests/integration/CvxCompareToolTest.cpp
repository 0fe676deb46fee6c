// The Compare tool as a host meets it: made through Create, driven by host messages, asked
// for its menus; the model's broadcasts observed.

#include "CvxCancelMgr.h"
#include "CvxCompare.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareMoveOriginCommand.h"
#include "CvxComparePrintCtrlCore.h"
#include "CvxDefObserver.h"
#include "CvxEvent.h"
#include "CvxEventMgr.h"
#include "CvxFocusMgr.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMenuCmd.h"
#include "CvxMessageFrontPanelKnob.h"
#include "CvxMessageLabels.h"
#include "CvxMessageLockPosition.h"
#include "CvxMessageLockViewer.h"
#include "CvxMessageRun.h"
#include "CvxMessageWindowRange.h"
#include "CvxPlugInMgr.h"
#include "CvxPlugInViewerData.h"
#include "CvxPrintMgr.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

extern "C" CvxPlugInBase* Create(CvxPlugInDataBase* data);

namespace {

class Recorder : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
    int Count(int type) const { return static_cast<int>(std::count(types.begin(), types.end(), type)); }
    std::vector<int> types;
};

class CvxCompareToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxLabelMgr::GetInstance().Clear();
        CvxSystemMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().SetBasePath((std::filesystem::temp_directory_path() / "cvx-tool-tests").u16string());
        CvxPlugInMgr::GetInstance().Reset();
        std::string error;
        m_source.SetOption("samples", "400", error);
        m_source.SetOption("state_samples", "100", error);
        CvxSystemMgr::GetInstance().SetLabelProvider([this](const CvxID&) { return m_source.GetOfferedLabels(); });
        m_type.SetValue(CvxCompare::kTypeID);
        m_tool.reset(Create(ViewerData(m_type)));
        ASSERT_NE(m_tool, nullptr);
        Model().AddObserver(&m_recorder);
        CvxMessageBase init(kHostMsgInitialize);
        m_tool->OnHostMessage(init);
    }
    void TearDown() override
    {
        if (m_tool != nullptr) {
            Model().RemoveObserver(&m_recorder);
        }
        m_tool.reset();
        CvxFocusMgr::GetInstance().Reset();
    }

    CvxPlugInViewerData* ViewerData(const CvxID& type)
    {
        m_data = std::make_unique<CvxPlugInViewerData>(CvxID::New(), CvxID::New(), type, CvxID::New());
        return m_data.get();
    }
    CvxCompareModel& Model() { return static_cast<CvxCompare&>(*m_tool).GetModel(); }
    void Run()
    {
        CvxMessageRun run(m_source.Acquire(), 1);
        m_tool->OnHostMessage(run);
    }

    CvxSimulatedAnalyzer m_source;
    CvxID m_type;
    std::unique_ptr<CvxPlugInViewerData> m_data;
    std::unique_ptr<CvxPlugInBase> m_tool;
    Recorder m_recorder;
};

} // namespace

TEST_F(CvxCompareToolTest, AForeignTypeIdentifierMakesNothingAndLogsOnce)
{
    for (std::size_t byte = 0; byte < 16; ++byte) {
        CvxID::Bytes bytes = m_type.GetBytes();
        bytes[byte] ^= 0x01;
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        EXPECT_EQ(Create(ViewerData(CvxID(bytes))), nullptr) << byte;
        const auto log = CvxInfoMgr::GetInstance().GetRecentMessages();
        ASSERT_EQ(log.size(), 1U) << byte;
        EXPECT_EQ(log[0].type, kMessageError);
        EXPECT_EQ(log[0].text, u"Compare DLL Create() - no matching typeID found!");
    }
}

TEST_F(CvxCompareToolTest, TheFirstRunMakesOneColumnPerOfferedLabel)
{
    Run();
    const std::vector<CvxID>& offered = m_source.GetOfferedLabels();
    const auto& columns = Model().GetColumns();
    ASSERT_EQ(columns.size(), offered.size());
    // The first time label goes to the end; the others keep the host's order.
    const CvxLabelBase* last = CvxLabelMgr::GetInstance().IDToLabel(columns.back().GetLabel().GetLabelID());
    EXPECT_TRUE(last->IsA(EvxLabelKind::TimeLabel));
    EXPECT_EQ(columns.front().GetLabel().GetLabelID(), offered[1]);
    EXPECT_EQ(m_recorder.Count(CvxCompareNewDataMessage::kType), 1);
    EXPECT_EQ(m_recorder.Count(CvxCompareDataChangedMessage::kType), 1);
    Run();
    EXPECT_EQ(Model().GetColumns().size(), offered.size());
}

TEST_F(CvxCompareToolTest, AMarkerRangeKeepsTheResultsOfTheLastComparison)
{
    Run();
    CvxCompareRange markers;
    markers.SetType(CvxCompareRange::kMarkers);
    Model().SetCompareRange(markers);
    m_recorder.types.clear();
    Run();
    EXPECT_EQ(m_recorder.Count(CvxCompareNewDataMessage::kType), 1);
    EXPECT_EQ(m_recorder.Count(CvxCompareDataChangedMessage::kType), 0);
}

TEST_F(CvxCompareToolTest, MenusFollowTheDataAndTheMarkers)
{
    // The tool's own menu without data: all four commands there, all disabled.
    const std::vector<CvxMenuCmd*> own = m_tool->GetMenuCmdList(6);
    ASSERT_EQ(own.size(), 4U);
    EXPECT_EQ(own[0]->GetTitle(), u"Copy...");
    EXPECT_EQ(own[1]->GetTitle(), u"Range && Offset...");
    EXPECT_EQ(own[2]->GetTitle(), u"Next Difference");
    EXPECT_EQ(own[3]->GetTitle(), u"Previous Difference");
    EXPECT_TRUE(std::none_of(own.begin(), own.end(), [](const CvxMenuCmd* c) { return c->IsEnabled(); }));

    // The marker menu without user markers lists properties but not delete.
    EXPECT_EQ(m_tool->GetMenuCmdList(4).size(), 1U);
    EXPECT_EQ(m_tool->GetMenuCmdList(4).back()->GetCommandNumber(), 34);
    EXPECT_EQ(m_tool->GetMenuCmdList(9).size(), 4U); // Ctrl+Home, Ctrl+End, Tab, Shift+Tab
    EXPECT_TRUE(m_tool->GetMenuCmdList(7).empty());

    Run();
    Model().GetMarkerMgr().AddUserMarker(Model().GetDataFirst());
    std::vector<int> markerCommands;
    for (const CvxMenuCmd* cmd : m_tool->GetMenuCmdList(4)) {
        markerCommands.push_back(cmd->GetCommandNumber());
    }
    EXPECT_EQ(markerCommands, (std::vector<int>{32, 30, 31, 35, 34}));
    EXPECT_EQ(m_tool->GetMenuCmdList(9).size(), 12U);
    const std::vector<CvxMenuCmd*> withData = m_tool->GetMenuCmdList(6);
    EXPECT_TRUE(withData[0]->IsEnabled());  // copy: the data is valid
    EXPECT_FALSE(withData[1]->IsEnabled()); // range and offset: nothing copied yet
}

TEST_F(CvxCompareToolTest, ALockableQuestionIsAnsweredWithOurInstance)
{
    CvxMessageLockViewer question(CvxID::New(), true);
    m_tool->OnHostMessage(question);
    ASSERT_EQ(question.GetInstanceIDs().size(), 1U);
    EXPECT_EQ(question.GetInstanceIDs()[0], m_tool->GetInstanceID());
    EXPECT_EQ(Model().GetLockedViewers().GetCount(), 0U);

    const CvxID other = CvxID::New();
    CvxMessageLockViewer locked(other, false, true);
    m_tool->OnHostMessage(locked);
    EXPECT_TRUE(Model().GetLockedViewers().IsLocked(other));
    // Unlocked, it stays listed as unlocked: saved lock lists keep it.
    CvxMessageLockViewer unlocked(other, false, false);
    m_tool->OnHostMessage(unlocked);
    EXPECT_TRUE(Model().GetLockedViewers().Contains(other));
    EXPECT_FALSE(Model().GetLockedViewers().IsLocked(other));
}

TEST_F(CvxCompareToolTest, LabelMessagesChangeTheColumns)
{
    Run();
    const std::size_t before = Model().GetColumns().size();
    const CvxID first = Model().GetColumns()[0].GetLabel().GetLabelID();
    const CvxID second = Model().GetColumns()[1].GetLabel().GetLabelID();

    CvxMessageDeleteConnection gone({first});
    m_tool->OnHostMessage(gone);
    EXPECT_EQ(Model().GetColumns().size(), before - 1);
    Model().Undo(); // the removal was one undoable command
    EXPECT_EQ(Model().GetColumns().size(), before);

    CvxMessageLabelOrder order({second, first});
    m_tool->OnHostMessage(order);
    EXPECT_EQ(Model().GetColumns()[0].GetLabel().GetLabelID(), second);
    EXPECT_EQ(Model().GetColumns()[1].GetLabel().GetLabelID(), first);

    CvxMessageLabelsAdded added({first});
    m_tool->OnHostMessage(added);
    EXPECT_EQ(Model().GetColumns().size(), before + 1);
    EXPECT_EQ(Model().GetColumns().back().GetLabel().GetLabelID(), first);
}

TEST_F(CvxCompareToolTest, TabMovesTheFocusAroundThePanes)
{
    int panes[3] = {};
    void* focus = nullptr;
    CvxFocusMgr::GetInstance().SetHooks([&] { return focus; }, [&](void* w) { focus = w; });
    struct Panes : CvxDefObserver {
        int* windows;
        void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
        {
            if (message->GetType() == CvxCompareGetWindowsMessage::kType) {
                for (int i = 0; i < 3; ++i) {
                    static_cast<CvxCompareGetWindowsMessage*>(message)->AddWindow(&windows[i]);
                }
            }
        }
    } listing;
    listing.windows = panes;
    Model().AddObserver(&listing);
    CvxMenuCmd* tab = m_tool->GetMenuCmdList(9)[2];
    CvxMenuCmd* back = m_tool->GetMenuCmdList(9)[3];
    ASSERT_EQ(tab->GetCommandNumber(), 60);
    ASSERT_EQ(back->GetCommandNumber(), 146);
    EXPECT_TRUE(tab->Execute()); // the focus outside the window: the first pane
    EXPECT_EQ(focus, &panes[0]);
    tab->Execute();
    tab->Execute();
    EXPECT_EQ(focus, &panes[2]);
    tab->Execute(); // from the last pane back to the first
    EXPECT_EQ(focus, &panes[0]);
    EXPECT_TRUE(back->Execute()); // and from the first back to the last
    EXPECT_EQ(focus, &panes[2]);
    back->Execute();
    EXPECT_EQ(focus, &panes[1]);
    focus = nullptr;
    back->Execute(); // outside the window Shift+Tab also starts at the first pane
    EXPECT_EQ(focus, &panes[0]);
    Model().RemoveObserver(&listing);
}

// A host that keeps a command takes a reference; the tool releases only its own, and a
// command that outlives its tool does nothing when executed.
TEST_F(CvxCompareToolTest, ACommandAHostKeepsOutlivesItsToolHarmlessly)
{
    Run();
    CvxMenuCmd* home = nullptr;
    for (CvxMenuCmd* cmd : m_tool->GetMenuCmdList(9)) {
        home = cmd->GetCommandNumber() == 50 ? cmd : home;
    }
    ASSERT_NE(home, nullptr);
    CvxMenuCmd* copy = m_tool->GetMenuCmdList(6)[0];
    EXPECT_EQ(home->AddRef(), 2);
    EXPECT_EQ(copy->AddRef(), 2);
    EXPECT_EQ(copy->Release(), 1); // the tool's own reference stays
    m_recorder.types.clear();
    EXPECT_TRUE(home->Execute());
    EXPECT_EQ(m_recorder.Count(CvxCompareKbHomeMessage::kType), 1);

    Model().RemoveObserver(&m_recorder);
    m_tool.reset();
    EXPECT_TRUE(home->Execute()); // its message and model are gone with the tool
    EXPECT_EQ(home->Release(), 0);
}

TEST_F(CvxCompareToolTest, TheCommandInterfaceIsRegisteredUnderTheInstance)
{
    CvxStdToolCmdIFace* iface = CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(m_tool->GetInstanceID());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->GetIFaceName(), u"StandardToolCommandIFace");
    auto* viewer = dynamic_cast<CvxStdViewerToolCmdIFace*>(iface);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetToolIFaceName(), u"CompareViewerTool");
    EXPECT_EQ(viewer->GetViewerIFaceName(), u"StandardViewerToolCommandIFace");
    Run();
    const CvxID label = m_source.GetOfferedLabels()[1];
    CvxLabelMgr::GetInstance().IDToLabel(label)->SetComment(u"strobe");
    CvxPlugInMgr::GetInstance().AddInstance(m_source.GetInstanceID(), u"Analyzer", 1);
    EXPECT_EQ(iface->GetLabelDescription(label), u"Created by Analyzer\nstrobe");
    EXPECT_EQ(iface->GetLabelDescription(CvxID::New()), u"");
    const CvxID instance = m_tool->GetInstanceID();
    m_tool.reset();
    EXPECT_EQ(CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(instance), nullptr);
}

TEST_F(CvxCompareToolTest, TheToolRegistersItsPrintControllerForItsLife)
{
    auto& tool = static_cast<CvxCompare&>(*m_tool);
    CvxPrintCtrlBase* controller = tool.GetPrintCtrl();
    ASSERT_NE(controller, nullptr);
    EXPECT_TRUE(CvxPrintMgr::GetInstance().IsRegistered(controller));
    EXPECT_EQ(controller->GetName(), u"Compare Viewer");

    // Queries the window-free part answers; the data ones follow the acquisition.
    std::u16string text;
    EXPECT_TRUE(controller->QueryText(26, text));
    EXPECT_EQ(text, u"%Name%");
    EXPECT_TRUE(controller->QueryText(31, text));
    EXPECT_EQ(text, u"Page %Page%");
    EXPECT_FALSE(controller->QueryText(25, text));
    for (const auto& [query, expected] : std::vector<std::pair<int, int>>{{0, 1}, {3, 0}, {5, 0}, {7, 0}, {10, 1}, {99, 0}}) {
        EXPECT_EQ(controller->QueryCapability(query), expected) << query;
    }
    Run();
    EXPECT_EQ(controller->QueryCapability(5), 1);
    EXPECT_EQ(controller->QueryCapability(7), 0); // two tables: timing and state
    int mode = 0;
    EXPECT_TRUE(controller->SetNumber(16, 2) && controller->QueryNumber(16, mode));
    EXPECT_EQ(mode, 2);

    Model().RemoveObserver(&m_recorder);
    m_tool.reset();
    EXPECT_TRUE(CvxPrintMgr::GetInstance().GetPrintControllers().empty());

    // A window library's factory makes the controller instead.
    struct Drawing : CvxComparePrintCtrlCore {
        using CvxComparePrintCtrlCore::CvxComparePrintCtrlCore;
        bool Prepare(std::u16string& error) override
        {
            error = u"Total repeating fields cannot be wider than the available page minus the largest non-repeating field.";
            return false;
        }
    };
    CvxCompare::SetPrintCtrlFactory(
        [](CvxCompareModel& model, const CvxID& instance) { return std::make_unique<Drawing>(model, instance); });
    m_tool.reset(Create(ViewerData(m_type)));
    CvxCompare::SetPrintCtrlFactory({});
    ASSERT_NE(m_tool, nullptr);
    Model().AddObserver(&m_recorder);
    std::u16string error;
    EXPECT_FALSE(static_cast<CvxCompare&>(*m_tool).GetPrintCtrl()->Prepare(error));
    EXPECT_NE(error.find(u"Total repeating fields"), std::u16string::npos);
}

TEST_F(CvxCompareToolTest, CentreMovesTellLockedViewersOnceAndTheirsDoNotEchoBack)
{
    Run();
    std::vector<std::pair<CvxID, CvxPosition>> sent;
    CvxSystemMgr::GetInstance().SetLockPositionSender(
        [&](CvxMessageLockPosition& message) { sent.emplace_back(message.GetSenderID(), message.GetPosition()); });
    const CvxPosition somewhere = Model().GetDataLast();

    // The tool's own move: one message, carrying its own identifier.
    Model().MoveCenter(somewhere, true);
    ASSERT_EQ(sent.size(), 1U);
    EXPECT_EQ(sent[0].first, m_tool->GetInstanceID());
    EXPECT_EQ(Model().GetCenter(), sent[0].second);

    // A locked viewer's position moves the centre and sends nothing; an unlocked one's is ignored.
    const CvxID locked = CvxID::New();
    const CvxID other = CvxID::New();
    CvxMessageLockViewer lock(locked, false, true);
    m_tool->OnHostMessage(lock);
    const CvxPosition first = Model().GetDataFirst();
    CvxMessageLockPosition fromOther(other, first);
    m_tool->OnHostMessage(fromOther);
    EXPECT_EQ(Model().GetCenter(), sent[0].second);
    CvxMessageLockPosition fromLocked(locked, first);
    m_tool->OnHostMessage(fromLocked);
    EXPECT_EQ(Model().GetCenter().AsTime(), first.AsTime());
    EXPECT_EQ(sent.size(), 1U);
    CvxSystemMgr::GetInstance().SetLockPositionSender({});
}

TEST_F(CvxCompareToolTest, FrontPanelKnobsScrollOrStepAndWaitForALongOperation)
{
    Run();
    const CvxPosition first = Model().GetDataFirst();
    const CvxPosition last = Model().GetDataLast();
    Model().MoveCenter(first, false);
    const auto turn = [&](int knob, int direction) {
        m_recorder.types.clear();
        CvxMessageFrontPanelKnob message(knob, direction);
        m_tool->OnHostMessage(message);
        return Model().GetCenter().AsTime();
    };
    // Knobs 0 and 1 scroll the grid by pages and lines, left for a negative direction.
    const std::pair<int, int> scrolls[][2] = {{{0, -1}, {154, 155}}, {{0, 1}, {155, 154}},
                                               {{1, -1}, {152, 153}}, {{1, 1}, {153, 152}}};
    for (const auto& [knob, messages] : scrolls) {
        EXPECT_EQ(turn(knob.first, knob.second), first.AsTime());
        EXPECT_EQ(m_recorder.Count(messages.first), 1) << knob.first << " " << knob.second;
        EXPECT_EQ(m_recorder.Count(messages.second), 0) << knob.first << " " << knob.second;
    }
    // Knobs 2 and 5 step the centre, stopping at the ends; knob 3 only takes a whole step.
    EXPECT_GT(turn(2, 3), first.AsTime());
    const CvxTime stepped = Model().GetCenter().AsTime();
    EXPECT_EQ(turn(3, -1000000), stepped);
    EXPECT_EQ(turn(2, -1000000), first.AsTime());
    EXPECT_EQ(turn(5, 1000000), last.AsTime());
    EXPECT_EQ(turn(3, 1000000), last.AsTime());
    EXPECT_LT(turn(3, -2), last.AsTime());
    const CvxTime here = Model().GetCenter().AsTime();
    EXPECT_EQ(turn(4, 1), here);
    EXPECT_EQ(turn(9, -1), here);
    EXPECT_TRUE(m_recorder.types.empty());

    // While a long operation runs, the knobs do nothing.
    CvxCancelMgr::GetInstance().Enable();
    EXPECT_EQ(turn(2, -5), here);
    EXPECT_EQ(turn(0, 1), here);
    CvxCancelMgr::GetInstance().Disable();
    EXPECT_TRUE(m_recorder.types.empty());
}

TEST_F(CvxCompareToolTest, TheModelHearsItsHostEventsForTheToolsLife)
{
    CvxEventMgr& events = CvxEventMgr::GetInstance();
    for (const int event : {kEventPlugInRenamed, kEventGraphStatusChanged, kEventPlugInAdded, kEventPlugInDeleted}) {
        EXPECT_EQ(events.GetReceiverCount(event), 1U) << event;
    }
    // 17: the graph status; 19: a deleted viewer leaves the lock list.
    events.Fire(CvxEvent(kEventGraphStatusChanged, CvxID::NullID(), true));
    EXPECT_TRUE(Model().GetGraphStatus());
    const CvxID viewer = CvxID::New();
    CvxMessageLockViewer lock(viewer, false, true);
    m_tool->OnHostMessage(lock);
    ASSERT_TRUE(Model().GetLockedViewers().Contains(viewer));
    events.Fire(CvxEvent(kEventPlugInDeleted, viewer));
    EXPECT_FALSE(Model().GetLockedViewers().Contains(viewer));

    Model().RemoveObserver(&m_recorder);
    m_tool.reset();
    for (const int event : {kEventPlugInRenamed, kEventGraphStatusChanged, kEventPlugInAdded, kEventPlugInDeleted}) {
        EXPECT_EQ(events.GetReceiverCount(event), 0U) << event;
    }
}

TEST_F(CvxCompareToolTest, EveryMenuCommandSendsItsMessage)
{
    // Host command number (0 for the tool's own commands, by title) -> the message it sends.
    const std::map<int, int> byHostCommand = {
        {3, 160},  {4, 161},  {30, 121}, {35, 150}, {32, 122}, {31, 128}, {34, 130}, {6, 111},  {7, 112},
        {8, 113},  {1, 114},  {10, 147}, {11, 148}, {12, 149}, {9, 126},  {16, 127}, {13, 132}, {14, 133},
        {15, 134}, {50, 135}, {51, 136}, {54, 139}, {55, 140}, {52, 137}, {53, 138}, {58, 141}, {59, 142},
        {56, 143}, {57, 144}};
    const std::map<std::u16string, int> byTitle = {
        {u"Next Difference", 171}, {u"Previous Difference", 172}, {u"Range && Offset...", 173}, {u"Copy...", 170}};

    // Every command listed somewhere: with data, a user marker, a selection and an undo history.
    Run();
    Model().GetMarkerMgr().AddUserMarker(Model().GetDataFirst());
    Model().SetColumnSelection({Model().GetColumns()[0].GetID()});
    Model().Execute(std::make_unique<CvxCompareMoveOriginCommand>(Model(), 1, 1, 0, 0));
    std::vector<CvxMenuCmd*> commands;
    for (const int kind : {1, 4, 6, 9}) {
        for (CvxMenuCmd* cmd : m_tool->GetMenuCmdList(kind)) {
            if (std::find(commands.begin(), commands.end(), cmd) == commands.end()) {
                commands.push_back(cmd);
            }
        }
    }
    EXPECT_GE(commands.size(), 30U);
    for (CvxMenuCmd* cmd : commands) {
        if (cmd->GetCommandNumber() == 60 || cmd->GetCommandNumber() == 146) {
            continue; // Tab and Shift+Tab move the focus between the panes (tested above)
        }
        const auto own = byTitle.find(cmd->GetTitle());
        const auto host = byHostCommand.find(cmd->GetCommandNumber());
        const int expected = own != byTitle.end() ? own->second : host != byHostCommand.end() ? host->second : -1;
        ASSERT_NE(expected, -1) << CvxStringConvert::ToUtf8(cmd->GetTitle()) << " " << cmd->GetCommandNumber();
        m_recorder.types.clear();
        cmd->Execute();
        EXPECT_EQ(m_recorder.Count(expected), 1) << CvxStringConvert::ToUtf8(cmd->GetTitle()) << " " << cmd->GetCommandNumber();
    }
}

TEST_F(CvxCompareToolTest, TheWindowRangeIsAnsweredOnlyWithDataAndByTheGridWhenThereIsOne)
{
    CvxMessageWindowRange none;
    m_tool->OnHostMessage(none);
    EXPECT_FALSE(none.HasRange());

    Run();
    Model().MoveCenter(Model().GetDataFirst(), false);
    CvxMessageWindowRange headless;
    m_tool->OnHostMessage(headless);
    ASSERT_TRUE(headless.HasRange());
    EXPECT_EQ(headless.GetCenterPosition(), Model().GetCenter());
    EXPECT_EQ(headless.GetStartPosition(), Model().GetWindowFirst());
    EXPECT_EQ(headless.GetEndPosition(), Model().GetWindowLast());

    // A grid fills the question in while it passes.
    struct Grid : CvxDefObserver {
        void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
        {
            if (message->GetType() == CvxCompareWindowRangeMessage::kType) {
                static_cast<CvxCompareWindowRangeMessage*>(message)->SetEndPosition(shown);
            }
        }
        CvxPosition shown = CvxPosition::AtTime(CvxTime::FromNs(1234));
    } grid;
    Model().AddObserver(&grid);
    CvxMessageWindowRange answered;
    m_tool->OnHostMessage(answered);
    Model().RemoveObserver(&grid);
    EXPECT_EQ(answered.GetEndPosition(), grid.shown);
}

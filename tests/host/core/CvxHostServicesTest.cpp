// The host's services as the module relies on them: store iterator bases, reference counts,
// observers, the undo history, events, cancel, the system hub, viewer locks and the log.

#include "CvxBase.h"
#include "CvxCancelMgr.h"
#include "CvxClipboard.h"
#include "CvxDataIter.h"
#include "CvxDataRefCount.h"
#include "CvxDefObserver.h"
#include "CvxEnumProxy.h"
#include "CvxEvent.h"
#include "CvxEventBase.h"
#include "CvxEventMgr.h"
#include "CvxHelpMgr.h"
#include "CvxInfoMgr.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"
#include "CvxLabelTooltipFormatter.h"
#include "CvxMessageFrontPanelKnob.h"
#include "CvxMessageGetAlignmentTime.h"
#include "CvxMessageLabels.h"
#include "CvxMessageLoad.h"
#include "CvxMessageLockPosition.h"
#include "CvxMessageLockViewer.h"
#include "CvxMessageRun.h"
#include "CvxMessageSave.h"
#include "CvxMessageSimple.h"
#include "CvxMessageWindowRange.h"
#include "CvxPrintMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxMvcCommand.h"
#include "CvxMvcTransactionModel.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInMgr.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"
#include "CvxUtilsLockViewers.h"
#include "CvxWaitCursor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct IterCase {
    int first;
    int end;
    const char* steps; // F first, L last, N next, P prev, G<row> goto
    int index;
    bool done;
    bool gotoAnswer;
};

class LoggingIter : public CvxDataIter {
public:
    using CvxDataIter::CvxDataIter;
    void Prev() override
    {
        ++prevCalls;
        CvxDataIter::Prev();
    }
    int prevCalls = 0;
};

} // namespace

TEST(CvxDataIterTest, BehavesExactlyAsTheStoresExpect)
{
    const IterCase cases[] = {
        {0, 5, "", 0, false, true},       {0, 5, "L", 4, false, true},     {0, 5, "LN", 5, true, true},
        {0, 5, "FP", -1, true, true},     {2, 5, "G1", 2, false, false},   {2, 5, "G4", 4, false, true},
        {2, 5, "G5", 4, false, false},    {2, 5, "G-7", 2, false, false},  {0, 0, "F", 0, true, true},
        {0, 0, "L", -1, true, true},      {3, 3, "G3", 2, true, false},    {0, 3, "NNN", 3, true, true},
    };
    for (const IterCase& c : cases) {
        SCOPED_TRACE(std::string(c.steps) + " over " + std::to_string(c.first) + ".." + std::to_string(c.end));
        CvxDataIter it(c.first, c.end);
        bool answer = true;
        for (const char* s = c.steps; *s != '\0'; ++s) {
            switch (*s) {
            case 'F': it.First(); break;
            case 'L': it.Last(); break;
            case 'N': it.Next(); break;
            case 'P': it.Prev(); break;
            case 'G': answer = it.Goto(std::stoi(s + 1)); s += std::string(s + 1).size(); break;
            }
        }
        EXPECT_EQ(it.GetIndex(), c.index);
        EXPECT_EQ(it.IsDone(), c.done);
        EXPECT_EQ(answer, c.gotoAnswer);
        EXPECT_EQ(it.GetCount(), c.end - c.first);
    }
    // Last and a Goto past the end go through the (overridden) Prev.
    LoggingIter logging(0, 4);
    logging.Last();
    logging.Goto(10);
    EXPECT_EQ(logging.prevCalls, 2);
    // At the ends of the 32-bit range the cursor stops instead of overflowing.
    CvxDataIter edge(0, std::numeric_limits<std::int32_t>::max());
    edge.Last();
    edge.Next();
    edge.Next();
    EXPECT_EQ(edge.GetIndex(), std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(edge.IsDone());
}

TEST(CvxDataRefCountTest, TheLastReleaseDeletesTheBody)
{
    struct Body : CvxDataRefCount {
        explicit Body(bool& gone) : m_gone(gone) {}
        ~Body() override { m_gone = true; }
        bool& m_gone;
    };
    bool gone = false;
    auto* body = new Body(gone);
    EXPECT_EQ(body->AddRef(), 1);
    EXPECT_EQ(body->AddRef(), 2);
    EXPECT_EQ(body->Release(), 1);
    EXPECT_FALSE(gone);
    EXPECT_EQ(body->Release(), 0);
    EXPECT_TRUE(gone);
}

namespace {

struct Recorder : CvxDefObserver {
    Recorder(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    void Update(CvxMvcModel* model, CvxMvcDefMsg* message) override
    {
        m_log.push_back(m_name + ":" + std::to_string(message->GetType()));
        if (m_removeOnUpdate != nullptr) {
            model->RemoveObserver(m_removeOnUpdate);
        }
    }
    std::vector<std::string>& m_log;
    std::string m_name;
    CvxDefObserver* m_removeOnUpdate = nullptr;
};

// A command that appends to a shared list and takes its entry back on Undo.
class PushCommand : public CvxMvcCommand {
public:
    PushCommand(std::vector<int>& list, int value, bool ok = true) : CvxMvcCommand(3), m_list(list), m_value(value), m_ok(ok) {}
    bool Execute() override
    {
        if (m_ok) {
            m_list.push_back(m_value);
        }
        return m_ok;
    }
    bool Undo() override
    {
        m_list.pop_back();
        return true;
    }

private:
    std::vector<int>& m_list;
    int m_value;
    bool m_ok;
};

} // namespace

TEST(CvxMvcTest, ObserversAreCalledInRegistrationOrderSkippingTheSender)
{
    std::vector<std::string> log;
    Recorder a(log, "a");
    Recorder b(log, "b");
    Recorder c(log, "c");
    CvxMvcModel model;
    model.AddObserver(&a);
    model.AddObserver(&b);
    model.AddObserver(&a);
    model.AddObserver(&c);
    CvxMvcDefMsg message(117);
    model.UpdateAllObservers(&b, &message);
    EXPECT_EQ(log, (std::vector<std::string>{"a:117", "a:117", "c:117"}));

    // An observer removed by another during a broadcast is not called afterwards.
    log.clear();
    a.m_removeOnUpdate = &c;
    model.UpdateAllObservers(nullptr, &message);
    EXPECT_EQ(log, (std::vector<std::string>{"a:117", "b:117", "a:117"}));
    model.RemoveObserver(&a);
    EXPECT_EQ(model.GetObserverCount(), 1U);
}

TEST(CvxMvcTest, TransactionModelUndoesTheLatestCommandWithinABoundedHistory)
{
    std::vector<int> list;
    CvxMvcTransactionModel model;
    EXPECT_EQ(model.GetHistoryDepth(), 100U);
    EXPECT_TRUE(model.IsHistoryEmpty());
    EXPECT_FALSE(model.Undo());
    EXPECT_FALSE(model.Execute(nullptr));
    EXPECT_FALSE(model.Execute(std::make_unique<PushCommand>(list, 9, false)));
    EXPECT_TRUE(model.IsHistoryEmpty());

    for (int i = 1; i <= 105; ++i) {
        EXPECT_TRUE(model.Execute(std::make_unique<PushCommand>(list, i)));
    }
    EXPECT_EQ(model.GetHistorySize(), 100U);
    EXPECT_EQ(model.GetLatestCommand()->GetType(), 3);
    EXPECT_TRUE(model.Undo());
    EXPECT_TRUE(model.Undo());
    EXPECT_EQ(list.back(), 103);

    model.SetHistoryDepth(2);
    EXPECT_EQ(model.GetHistorySize(), 2U);
    EXPECT_TRUE(model.Undo());
    EXPECT_TRUE(model.Undo());
    EXPECT_FALSE(model.Undo());
    EXPECT_EQ(list.size(), 101U);
}

TEST(CvxEnumProxyTest, CodesAndWordsMapBothWays)
{
    CvxEnumProxy proxy;
    EXPECT_TRUE(proxy.AddEnum(0, u"Left"));
    EXPECT_TRUE(proxy.AddEnum(1, u"Center"));
    EXPECT_TRUE(proxy.AddEnum(2, u"Right"));
    EXPECT_FALSE(proxy.AddEnum(3, u"Left"));
    EXPECT_EQ(proxy.GetValue(1), u"Center");
    EXPECT_EQ(proxy.GetValue(7), u"");
    int code = -1;
    EXPECT_TRUE(proxy.GetKey(u"Right", code));
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(proxy.GetKey(u"right", code));
    EXPECT_EQ(code, 2);
}

namespace {

struct EventLog : CvxEventBase {
    void OnEvent(const CvxEvent& event) override
    {
        numbers.push_back(event.GetNumber());
        plugIns.push_back(event.GetPlugInID());
    }
    std::vector<int> numbers;
    std::vector<CvxID> plugIns;
};

class HostServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxEventMgr::GetInstance().Reset();
        CvxPlugInMgr::GetInstance().Reset();
        CvxSystemMgr::GetInstance().Reset();
        CvxCancelMgr::GetInstance().Reset();
    }
    void TearDown() override { SetUp(); }
};

// A plug-in that records the lock positions it is handed.
class Follower : public CvxPlugInBase {
public:
    Follower() : CvxPlugInBase(kPlugInCategoryViewer, CvxID(), CvxID::New(), CvxID(), CvxID(), u"Follower") {}
    void OnHostMessage(CvxMessageBase& message) override
    {
        if (auto* lock = dynamic_cast<CvxMessageLockPosition*>(&message)) {
            positions.push_back(lock->GetPosition());
        }
    }
    std::vector<CvxPosition> positions;
};

} // namespace

TEST_F(HostServicesTest, PlugInsComingAndGoingAreHostEvents)
{
    auto receiver = std::make_unique<EventLog>();
    CvxEventMgr& events = CvxEventMgr::GetInstance();
    EXPECT_TRUE(events.Register(kEventPlugInAdded, receiver.get()));
    EXPECT_FALSE(events.Register(kEventPlugInAdded, receiver.get()));
    EXPECT_TRUE(events.Register(kEventPlugInDeleted, receiver.get()));
    {
        Follower viewer;
        EXPECT_TRUE(CvxPlugInMgr::GetInstance().Add(viewer));
        EXPECT_FALSE(CvxPlugInMgr::GetInstance().Add(viewer));
        EXPECT_EQ(CvxPlugInMgr::GetInstance().GetFullName(viewer.GetInstanceID()), u"Follower");
        EXPECT_TRUE(viewer.SetName(u"Follower 2"));
        EXPECT_EQ(CvxPlugInMgr::GetInstance().GetName(viewer.GetInstanceID()), u"Follower 2");
    } // destroyed: removed from the plug-in manager
    ASSERT_EQ(receiver->numbers, (std::vector<int>{kEventPlugInAdded, kEventPlugInDeleted}));
    EXPECT_EQ(receiver->plugIns[0], receiver->plugIns[1]);
    EXPECT_EQ(events.Fire(CvxEvent(kEventGraphStatusChanged, CvxID(), true)), 0);

    // A receiver that goes away is no longer called.
    receiver.reset();
    EXPECT_EQ(events.GetReceiverCount(kEventPlugInAdded), 0U);
    EXPECT_EQ(events.Fire(CvxEvent(kEventPlugInAdded)), 0);
}

TEST_F(HostServicesTest, SystemManagerAnswersWithoutProvidersAndWithThem)
{
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    const CvxID tool = CvxID::New();
    EXPECT_TRUE(system.GetLabelsForTool(tool).empty());
    EXPECT_TRUE(system.GetViewersLockedTo(tool).empty());
    EXPECT_FALSE(system.IsServiceActive(3));
    system.StopRepetitiveRun();
    EXPECT_EQ(system.GetStopRequestCount(), 1);

    // Lock positions reach every other plug-in object, never the sender.
    Follower a;
    Follower b;
    CvxPlugInMgr::GetInstance().Add(a);
    CvxPlugInMgr::GetInstance().Add(b);
    CvxMessageLockPosition message(a.GetInstanceID(), CvxPosition::AtTime(CvxTime::FromNs(5)));
    system.SendLockPosition(message);
    EXPECT_TRUE(a.positions.empty());
    ASSERT_EQ(b.positions.size(), 1U);
    EXPECT_EQ(b.positions[0].AsTime(), CvxTime::FromNs(5));

    const CvxID label = CvxID::New();
    system.SetLabelProvider([&](const CvxID& t) { return t == tool ? std::vector<CvxID>{label} : std::vector<CvxID>(); });
    system.SetLockQuery([&](const CvxID& viewer, const CvxID& t) { return viewer == b.GetInstanceID() && t == tool; });
    int stops = 0;
    system.SetStopRepetitiveRunHandler([&] { ++stops; });
    EXPECT_TRUE(system.IsLabelProvidedToTool(tool, label));
    EXPECT_FALSE(system.IsLabelProvidedToTool(CvxID::New(), label));
    EXPECT_EQ(system.GetViewersLockedTo(tool), std::vector<CvxID>{b.GetInstanceID()});
    system.StopRepetitiveRun();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(system.GetStopRequestCount(), 2);
}

TEST_F(HostServicesTest, CancelAndWaitCursorServices)
{
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    cancel.Cancel(); // not enabled: no effect on the next operation
    cancel.Enable();
    EXPECT_FALSE(cancel.IsCancelledNoUpdate());
    bool pumpedWhilePumping = false;
    cancel.SetPumpHook([&] {
        pumpedWhilePumping = cancel.IsPumping();
        cancel.Cancel(); // the user pressed Esc while events were pumped
    });
    EXPECT_FALSE(cancel.IsCancelledNoUpdate());
    EXPECT_TRUE(cancel.IsCancelled());
    EXPECT_TRUE(pumpedWhilePumping);
    EXPECT_FALSE(cancel.IsPumping());
    cancel.Enable();
    cancel.Disable();
    EXPECT_TRUE(cancel.IsEnabled());
    cancel.Disable();
    cancel.Disable();
    EXPECT_FALSE(cancel.IsEnabled());
    EXPECT_FALSE(cancel.IsCancelledNoUpdate());

    std::vector<int> calls;
    CvxWaitCursor::SetHooks([&](int delay) { calls.push_back(delay); }, [&] { calls.push_back(-1); });
    {
        CvxWaitCursor outer(1000);
        CvxWaitCursor inner(5);
        EXPECT_EQ(CvxWaitCursor::GetDepth(), 2);
    }
    CvxWaitCursor::SetHooks(nullptr, nullptr);
    { CvxWaitCursor headless(1000); }
    EXPECT_EQ(calls, (std::vector<int>{1000, -1}));
}

TEST(CvxUtilsLockViewersTest, ReplaceAndPersistDistrustingTheCount)
{
    const CvxID own = CvxID::New();
    const CvxID other = CvxID::New();
    const CvxID copy = CvxID::New();
    CvxUtilsLockViewers locks;
    EXPECT_FALSE(locks.Add(CvxID::NullID()));
    locks.Add(own, true);
    locks.Add(other, false);
    EXPECT_TRUE(locks.Replace(copy, own));
    EXPECT_EQ(locks.GetPluginIDs(), (std::vector<CvxID>{copy, other}));
    EXPECT_TRUE(locks.IsLocked(copy));
    EXPECT_FALSE(locks.IsLocked(other));
    EXPECT_FALSE(locks.Replace(copy, own));

    CvxPersistenceSetup setup;
    locks.Save(setup);
    setup.Write(u"NumberOfLockViewers", 1000000); // a count that the entries do not back
    setup.SetStoring(false);
    CvxUtilsLockViewers loaded;
    EXPECT_TRUE(loaded.Load(setup));
    EXPECT_EQ(loaded, locks);
    setup.SetStoring(true);
    EXPECT_TRUE(loaded.Load(setup)); // loading never makes entries, whatever the mode
    EXPECT_EQ(setup.GetRoot().GetChildCount(), 2U);
    CvxPersistenceSetup empty(false);
    EXPECT_FALSE(loaded.Load(empty));
    EXPECT_EQ(loaded.GetCount(), 2U);
}

TEST(CvxInfoMgrTest, MessagesGoToTheLogFileOneLineEach)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("cvx-info-" + std::to_string(getpid()));
    CvxInfoMgr& info = CvxInfoMgr::GetInstance();
    info.Reset();
    info.SetBasePath(CvxStringConvert::FromUtf8((dir / "base").string()));
    EXPECT_EQ(info.GetBasePath(), CvxStringConvert::FromUtf8((dir / "base").string()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "base"));
    info.LogMessage(kMessageError, u"Compare DLL Create() - no matching typeID found!");
    info.LogMessage(kMessageInformation, u"two\nlines");
    info.LogMessage(99, u"unknown type");
    std::ifstream in(dir / "base" / "cvx-host.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line.substr(line.find(' ') + 1)); // without the time stamp
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"error: Compare DLL Create() - no matching typeID found!",
                                                "info: two\\nlines", "info: unknown type"}));
    const auto recent = info.GetRecentMessages();
    ASSERT_EQ(recent.size(), 3U);
    EXPECT_EQ(recent[1].text, u"two\nlines");
    EXPECT_EQ(recent[2].type, kMessageInformation);
    for (std::size_t i = 0; i < info.GetRecentLimit() + 5; ++i) {
        info.LogMessage(kMessageWarning, u"x");
    }
    EXPECT_EQ(info.GetRecentMessages().size(), info.GetRecentLimit());
    info.Reset();
    std::filesystem::remove_all(dir);
}

// The type numbers are the contract with every module's message dispatch.
TEST(CvxHostMessageTest, EachMessageCarriesItsHostTypeNumber)
{
    const CvxMessageLabelsChanged changed;
    const CvxMessageSymbolChanged symbol;
    const CvxMessageRun run(nullptr, 0);
    const CvxMessageDestroyPlugIn destroy;
    const CvxMessageUpdateActivityIndicators activity;
    const CvxMessageTriggerChanged trigger;
    const CvxMessageFrontPanelKnob knob(1, -3);
    const CvxMessageLoad load(nullptr, nullptr, CvxID::New(), true);
    const CvxMessageSave save(nullptr, nullptr, true, CvxID::New());
    const CvxMessageLabelsAdded added;
    const CvxMessageLabelsDeleted deleted({CvxID::New()});
    const CvxMessageSamplingChanged sampling;
    const CvxMessageWindowRange range;
    const CvxMessageGetAlignmentTime alignment;
    const CvxMessageLabelOrder order;
    const CvxMessageLockViewer lockViewer(CvxID::New(), true);
    const CvxMessageLockPosition lockPosition(CvxID::New(), CvxPosition());
    const CvxMessageDeleteConnection connection;
    const CvxMessageBase* messages[] = {&changed, &symbol,  &run,   &destroy,    &activity,   &trigger,
                                        &knob,    &load,    &save,  &added,      &deleted,    &sampling,
                                        &range,   &alignment, &order, &lockViewer, &lockPosition, &connection};
    const int types[] = {1, 2, 3, 5, 9, 12, 13, 14, 15, 20, 21, 23, 30, 33, 50, 55, 56, 60};
    for (std::size_t i = 0; i < std::size(types); ++i) {
        EXPECT_EQ(messages[i]->GetType(), types[i]);
    }
    EXPECT_EQ(deleted.GetLabelIDs().size(), 1U);
    EXPECT_TRUE(deleted.HasLabelID(deleted.GetLabelIDs()[0]));

    // Answers that receivers fill in while the message passes.
    CvxMessageWindowRange asked;
    EXPECT_FALSE(asked.HasRange());
    asked.SetCenterPosition(CvxPosition::AtTime(CvxTime::FromNs(1)));
    EXPECT_TRUE(asked.HasRange());
    CvxMessageLockViewer question(CvxID::New(), true);
    EXPECT_FALSE(question.IsLocked());
    question.AddInstanceID(CvxID::New());
    EXPECT_TRUE(question.IsLocked());
}

TEST_F(HostServicesTest, CommandInterfaceAndPrintRegisters)
{
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    ifaces.Reset();
    CvxLabelMgr::GetInstance().Clear();
    CvxLabelBase* bus =
        CvxLabelMgr::GetInstance().AddLabel(std::make_unique<CvxLabelBase>(CvxID::New(), u"ADDR", EvxLabelKind::BusSignal, 8));
    CvxLabelBase* text =
        CvxLabelMgr::GetInstance().AddLabel(std::make_unique<CvxLabelBase>(CvxID::New(), u"CMD", EvxLabelKind::StringLabel));
    EXPECT_TRUE(ifaces.IsValidTriggerLabel(CvxLabelChannel(bus->GetID())));
    EXPECT_FALSE(ifaces.IsValidTriggerLabel(CvxLabelChannel(text->GetID())));
    EXPECT_FALSE(ifaces.IsValidActivityIndicatorLabel(CvxLabelChannel(CvxID::New())));
    EXPECT_FALSE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    ifaces.SetTriggerLabelQuery([](const CvxLabelChannel& l) { return l.GetChannel() == 0; });
    ifaces.SetSimpleTriggerQuery([] { return true; });
    EXPECT_TRUE(ifaces.IsValidTriggerLabel(CvxLabelChannel(text->GetID(), 0)));
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_FALSE(ifaces.Register(CvxID::New(), nullptr));

    // Without a host behind them the trigger hooks answer "none" and refuse with a reason;
    // Reset forgets the host's.
    const auto noTrigger = [&] {
        CvxPatternModel pattern;
        std::string error;
        EXPECT_FALSE(ifaces.GetSimpleTrigger(pattern));
        EXPECT_FALSE(ifaces.CanSetTriggerRow());
        EXPECT_EQ(ifaces.GetTriggerRow(), -1);
        EXPECT_FALSE(ifaces.SetTriggerRow(5, error));
        EXPECT_NE(error.find("fixed sample"), std::string::npos) << error;
    };
    noTrigger();
    std::int64_t row = -1;
    ifaces.SetSimpleTriggerGetter([&](CvxPatternModel& pattern) {
        pattern = CvxPatternModel(CvxLabelChannel(bus->GetID()), 8, kBaseHex);
        return row < 0;
    });
    ifaces.SetTriggerRowQuery([] { return true; });
    ifaces.SetTriggerRowGetter([&] { return row; });
    ifaces.SetTriggerRowSetter([&](std::int64_t at, std::string&) {
        row = at;
        return true;
    });
    CvxPatternModel pattern;
    std::string error;
    EXPECT_TRUE(ifaces.GetSimpleTrigger(pattern));
    EXPECT_EQ(pattern.GetLabel().GetLabelID(), bus->GetID());
    EXPECT_TRUE(ifaces.CanSetTriggerRow());
    EXPECT_TRUE(ifaces.SetTriggerRow(7, error));
    EXPECT_EQ(ifaces.GetTriggerRow(), 7);
    EXPECT_FALSE(ifaces.GetSimpleTrigger(pattern));
    ifaces.Reset();
    noTrigger();
    CvxLabelMgr::GetInstance().Clear();

    // Print controllers are opaque to the host core: registered by address.
    auto* controller = reinterpret_cast<CvxPrintCtrlBase*>(&ifaces);
    CvxPrintMgr& print = CvxPrintMgr::GetInstance();
    EXPECT_TRUE(print.RegisterPrintController(controller));
    EXPECT_FALSE(print.RegisterPrintController(controller));
    EXPECT_TRUE(print.UnRegisterPrintController(controller));
    EXPECT_FALSE(print.UnRegisterPrintController(controller));
    EXPECT_FALSE(print.RegisterPrintController(nullptr));
}

// The tool tip of a bus/signal names what a user needs in one glance, and a single channel of
// it as such; headless, help requests are logged and the clipboard stays in the process, and
// the cancel service tells its watchers when long work begins and ends (once, when nested).
TEST(CvxHostServices, TooltipsHelpClipboardAndCancelWatchersWorkWithoutWindows)
{
    CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    mgr.Clear();
    CvxLabelBase* folder = mgr.AddLabel(std::make_unique<CvxLabelBase>(CvxID::New(), u"board.vcd", EvxLabelKind::ModuleFolder));
    auto bus = std::make_unique<CvxLabelBase>(CvxID::New(), u"DATA", EvxLabelKind::BusSignal, 4);
    bus->SetParentID(folder->GetID());
    bus->SetChannelNames({u"D0", u"D1", u"D2", u"D3"});
    bus->SetFourState(true);
    bus->SetLocked(true);
    bus->SetComment(u"write data");
    const CvxID id = mgr.AddLabel(std::move(bus))->GetID();
    EXPECT_EQ(CvxLabelTooltipFormatter::Format(CvxLabelChannel(id)),
              u"DATA\n4-bit bus, channels D3..D0\nBase: Hex\nValues with X/Z\nwrite data\nLocked\nFrom board.vcd");
    const std::u16string bit = CvxLabelTooltipFormatter::Format(CvxLabelChannel(id, 2));
    EXPECT_EQ(bit.substr(0, bit.find(u'\n', bit.find(u'\n') + 1)), u"DATA[2]\nSignal, bit 2 of a 4-bit bus, channel D2");
    EXPECT_TRUE(CvxLabelTooltipFormatter::Format(CvxLabelChannel(CvxID::New())).empty());

    CvxInfoMgr::GetInstance().ClearRecentMessages();
    CvxHelpMgr::ShowTopic(u"compare_options.htm");
    ASSERT_FALSE(CvxInfoMgr::GetInstance().GetRecentMessages().empty());
    EXPECT_EQ(CvxInfoMgr::GetInstance().GetRecentMessages().back().text, u"help: compare_options.htm");

    CvxClipboard::SetText(u"a\tb");
    EXPECT_EQ(CvxClipboard::GetText(), u"a\tb");

    int begun = 0;
    int ended = 0;
    CvxCancelMgr& cancel = CvxCancelMgr::GetInstance();
    cancel.SetWatchHooks([&] { ++begun; }, [&] { ++ended; });
    cancel.Enable();
    cancel.Enable();
    cancel.Disable();
    EXPECT_EQ(ended, 0);
    cancel.Disable();
    cancel.Disable(); // an extra Disable is ignored
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(ended, 1);
    cancel.Reset();
    mgr.Clear();
}

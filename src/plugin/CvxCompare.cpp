#include "CvxCompare.h"

#include "CvxCancelMgr.h"
#include "CvxCompareDoc.h"
#include "CvxCompareMessage.h"
#include "CvxComparePagingRegistry.h"
#include "CvxComparePrintCtrlCore.h"
#include "CvxCompareViewerMenuCmd.h"
#include "CvxDesktop.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMessageFrontPanelKnob.h"
#include "CvxMessageGetAlignmentTime.h"
#include "CvxMessageLabels.h"
#include "CvxMessageLoad.h"
#include "CvxMessageLockPosition.h"
#include "CvxMessageLockViewer.h"
#include "CvxMessageRun.h"
#include "CvxMessageSave.h"
#include "CvxMessageWindowRange.h"
#include "CvxPlugInMgr.h"
#include "CvxPrintMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxWaitCursor.h"

#include <array>
#include <memory>

const char* const CvxCompare::kTypeID = "{5C0A7E21-3B9D-4F6A-8E42-C1D7A9B3E510}";

namespace {

const CvxRuntimeClass* g_viewClass = nullptr;

CvxCompare::PrintCtrlFactory& PrintCtrlFactoryHolder()
{
    static CvxCompare::PrintCtrlFactory factory;
    return factory;
}

// Storage order of the tool's commands: the four labelled viewer commands first, then the
// host commands, and last the reverse Tab (146), which the host binds to Shift+Tab; no
// message class carries its number, the command itself turns it into a focus move.
enum Cmd : int {
    kNextDifference,
    kPreviousDifference,
    kRangeAndOffset,
    kCopyReference,
    kCopy,
    kPaste,
    kMarkerNew,
    kMarkerDelete,
    kMarkerGoto,
    kMarkerPlace,
    kMarkerProperties,
    kInsertColumn,
    kDeleteColumn,
    kProperties,
    kUndo,
    kFind,
    kFindNext,
    kFindPrev,
    kSymbols,
    kGotoDialog,
    kGotoBegin,
    kGotoTrigger,
    kGotoEnd,
    kKbHome,
    kKbEnd,
    kKbPageUp,
    kKbPageDown,
    kKbCtrlHome,
    kKbCtrlEnd,
    kKbArrowUp,
    kKbArrowDown,
    kKbArrowLeft,
    kKbArrowRight,
    kKbTab,
    kKbReverseTab,
    kCommandCount
};

// Host command numbers of the host commands, by storage index (0 for the viewer commands).
constexpr std::array<int, kCommandCount> kHostCommand = {0,  0,  0,  0,  3,  4,  30, 35, 32, 31, 34, 6,
                                                         7,  8,  1,  10, 11, 12, 9,  16, 13, 14, 15, 50,
                                                         51, 54, 55, 52, 53, 58, 59, 56, 57, 60, 146};

std::unique_ptr<CvxCompareMessage> MakeMessage(int cmd)
{
    switch (cmd) {
    case kNextDifference: return std::make_unique<CvxCompareNextDifferenceMessage>();
    case kPreviousDifference: return std::make_unique<CvxComparePreviousDifferenceMessage>();
    case kRangeAndOffset: return std::make_unique<CvxCompareRangeAndOffsetMessage>();
    case kCopyReference: return std::make_unique<CvxCompareCopyReferenceMessage>();
    case kCopy: return std::make_unique<CvxCompareCopyMessage>();
    case kPaste: return std::make_unique<CvxComparePasteMessage>();
    case kMarkerNew: return std::make_unique<CvxCompareMarkerNewMessage>();
    case kMarkerDelete: return std::make_unique<CvxCompareMarkerDeleteMessage>();
    case kMarkerGoto: return std::make_unique<CvxCompareMarkerGotoMessage>();
    case kMarkerPlace: return std::make_unique<CvxCompareMarkerPlaceMessage>();
    case kMarkerProperties: return std::make_unique<CvxCompareMarkerPropertiesMessage>();
    case kInsertColumn: return std::make_unique<CvxCompareDisplayLabelInsertDialogMessage>(0);
    case kDeleteColumn: return std::make_unique<CvxCompareColumnDeleteMessage>();
    case kProperties: return std::make_unique<CvxCompareDisplayPropertiesDialogMessage>();
    case kUndo: return std::make_unique<CvxCompareUndoMessage>();
    case kFind: return std::make_unique<CvxCompareFindMessage>();
    case kFindNext: return std::make_unique<CvxCompareFindNextMessage>();
    case kFindPrev: return std::make_unique<CvxCompareFindPrevMessage>();
    case kSymbols: return std::make_unique<CvxCompareDisplaySymbolsDlgMessage>();
    case kGotoDialog: return std::make_unique<CvxCompareDisplayGotoDlgMessage>();
    case kGotoBegin: return std::make_unique<CvxCompareGotoBeginMessage>();
    case kGotoTrigger: return std::make_unique<CvxCompareGotoTriggerMessage>();
    case kGotoEnd: return std::make_unique<CvxCompareGotoEndMessage>();
    case kKbHome: return std::make_unique<CvxCompareKbHomeMessage>();
    case kKbEnd: return std::make_unique<CvxCompareKbEndMessage>();
    case kKbPageUp: return std::make_unique<CvxCompareKbPageUpMessage>();
    case kKbPageDown: return std::make_unique<CvxCompareKbPageDownMessage>();
    case kKbCtrlHome: return std::make_unique<CvxCompareKbCtrlHomeMessage>();
    case kKbCtrlEnd: return std::make_unique<CvxCompareKbCtrlEndMessage>();
    case kKbArrowUp: return std::make_unique<CvxCompareKbArrowUpMessage>();
    case kKbArrowDown: return std::make_unique<CvxCompareKbArrowDownMessage>();
    case kKbArrowLeft: return std::make_unique<CvxCompareKbArrowLeftMessage>();
    case kKbArrowRight: return std::make_unique<CvxCompareKbArrowRightMessage>();
    case kKbTab: return std::make_unique<CvxCompareKbTabMessage>();
    default: return std::make_unique<CvxCompareMessage>(kCvxCompareKbReverseTabType);
    }
}

} // namespace

struct CvxCompare::SvxImp {
    struct Pair {
        CvxCompareMenuCmd* command = nullptr;
        std::unique_ptr<CvxCompareMessage> message;
    };
    std::array<Pair, kCommandCount> pairs;
    std::unique_ptr<CvxPrintCtrlBase> printCtrl;

    ~SvxImp()
    {
        // A host may still hold a command; it must not reach the messages and model that go now.
        for (Pair& pair : pairs) {
            if (pair.command != nullptr) {
                pair.command->Detach();
                pair.command->Release();
            }
        }
    }

    void SetCommand(int cmd, CvxCompareMenuCmd* command)
    {
        if (pairs[cmd].command != nullptr) {
            pairs[cmd].command->Release();
        }
        pairs[cmd].command = command;
    }
    CvxCompareMenuCmd* Command(int cmd) const { return pairs[cmd].command; }
};

const CvxRuntimeClass_T<CvxDocument>& CvxCompare::DocumentClass()
{
    static const auto documentClass = CvxRuntimeClass_T<CvxDocument>::Of<CvxCompareDoc>("CvxCompareDoc");
    return documentClass;
}

const CvxRuntimeClass* CvxCompare::ViewClass()
{
    return g_viewClass;
}

void CvxCompare::SetPrintCtrlFactory(PrintCtrlFactory factory)
{
    PrintCtrlFactoryHolder() = std::move(factory);
}

CvxPrintCtrlBase* CvxCompare::GetPrintCtrl() const
{
    return m_imp->printCtrl.get();
}

void CvxCompare::SetViewClass(const CvxRuntimeClass* viewClass)
{
    g_viewClass = viewClass;
}

CvxCompare::CvxCompare(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID,
                       const CvxRuntimeClass* frameClass)
    : CvxPlugInViewerBase(nameID, instanceID, typeID, addInClassID, kResourceID, u"Compare", frameClass, ViewClass(),
                          DocumentClass())
    , m_imp(std::make_unique<SvxImp>())
{
    for (int cmd = 0; cmd < kCommandCount; ++cmd) {
        m_imp->pairs[cmd].message = MakeMessage(cmd);
    }
    CvxStdCmdIFaceMgr::GetInstance().Register(GetInstanceID(), this);
    // Paging files a killed host left behind go when the next host makes its first tool.
    CvxComparePagingRegistry::Get().SweepOnce(CvxStringConvert::ToUtf8(CvxInfoMgr::GetInstance().GetBasePath()));

    CvxCompareModel& model = GetModel();
    const auto hostCommand = [&](int cmd) {
        m_imp->SetCommand(cmd, new CvxCompareMenuCmd(kHostCommand[cmd], model, m_imp->pairs[cmd].message.get()));
    };
    for (const int cmd : {kCopy, kPaste, kInsertColumn, kDeleteColumn, kProperties, kUndo, kFind, kFindNext, kFindPrev,
                          kSymbols, kGotoDialog, kGotoBegin, kGotoTrigger, kGotoEnd}) {
        hostCommand(cmd);
    }
    for (int cmd = kMarkerNew; cmd <= kMarkerProperties; ++cmd) {
        hostCommand(cmd);
    }
    for (int cmd = kKbHome; cmd <= kKbReverseTab; ++cmd) {
        hostCommand(cmd);
    }
    const struct {
        int cmd;
        const char16_t* title;
    } viewerCommands[] = {{kCopyReference, u"Copy..."},
                          {kRangeAndOffset, u"Range && Offset..."},
                          {kNextDifference, u"Next Difference"},
                          {kPreviousDifference, u"Previous Difference"}};
    for (const auto& v : viewerCommands) {
        m_imp->SetCommand(v.cmd, new CvxCompareViewerMenuCmd(v.title, u"Compare", model, m_imp->pairs[v.cmd].message.get()));
    }

    // The print controller, on the model: the window library's when it set a factory.
    const PrintCtrlFactory& factory = PrintCtrlFactoryHolder();
    m_imp->printCtrl = factory ? factory(model, GetInstanceID()) : nullptr;
    if (m_imp->printCtrl == nullptr) {
        m_imp->printCtrl = std::make_unique<CvxComparePrintCtrlCore>(model, GetInstanceID());
    }
    CvxPrintMgr::GetInstance().RegisterPrintController(m_imp->printCtrl.get());

    model.SetOverviewWidth(CvxDesktop::GetInstance().GetWidth());
}

CvxCompare::~CvxCompare()
{
    CvxStdCmdIFaceMgr::GetInstance().UnRegister(GetInstanceID());
    CvxPrintMgr::GetInstance().UnRegisterPrintController(m_imp->printCtrl.get());
    m_imp.reset();
}

CvxID CvxCompare::GetInstanceID() const
{
    return CvxPlugInViewerBase::GetInstanceID();
}

CvxCompareModel& CvxCompare::GetModel() const
{
    return static_cast<CvxCompareDoc*>(GetDocument())->GetModel();
}

std::vector<CvxMenuCmd*> CvxCompare::GetMenuCmdList(int menuKind)
{
    CvxCompareModel& model = GetModel();
    const bool valid = model.IsDataValid();
    std::vector<CvxMenuCmd*> list;
    const auto add = [&](int cmd) { list.push_back(m_imp->Command(cmd)); };
    switch (menuKind) {
    case 1: {
        add(kInsertColumn);
        add(kPaste);
        if (valid) {
            for (const int cmd : {kGotoDialog, kGotoBegin, kGotoTrigger, kGotoEnd, kFind, kFindNext, kFindPrev}) {
                add(cmd);
            }
        }
        if (!model.GetSelectedColumns().empty()) {
            add(kCopy);
            add(kDeleteColumn);
        }
        if (!model.IsHistoryEmpty()) {
            add(kUndo);
        }
        const auto& columns = model.GetColumns();
        const bool symbols = std::any_of(columns.begin(), columns.end(), [](const CvxCompareColumn& column) {
            const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(column.GetLabel().GetLabelID());
            return label != nullptr && label->GetBase().IsInGroup(kBaseGroupSymbol);
        });
        if (symbols) {
            add(kSymbols);
        }
        if (!model.GetGraphStatus()) {
            add(kProperties);
        }
        break;
    }
    case 4:
        if (valid) {
            add(kMarkerGoto);
            add(kMarkerNew);
            add(kMarkerPlace);
        }
        if (model.GetMarkerMgr().GetNumberOfUserModifiableMarkers() > 0) {
            add(kMarkerDelete);
        }
        add(kMarkerProperties);
        break;
    case 6: {
        bool previous = false;
        bool next = false;
        if (model.GetInputData() != nullptr && model.GetResults().GetDifferences() != 0) {
            model.GetDifferenceAvailability(previous, next);
        }
        m_imp->Command(kCopyReference)->SetEnabled(valid);
        m_imp->Command(kRangeAndOffset)->SetEnabled(valid && !model.GetReferenceBuffer().IsEmpty());
        m_imp->Command(kNextDifference)->SetEnabled(next);
        m_imp->Command(kPreviousDifference)->SetEnabled(previous);
        for (const int cmd : {kCopyReference, kRangeAndOffset, kNextDifference, kPreviousDifference}) {
            add(cmd);
        }
        break;
    }
    case 9:
        add(kKbCtrlHome);
        add(kKbCtrlEnd);
        add(kKbTab);
        add(kKbReverseTab);
        if (valid) {
            for (const int cmd : {kKbEnd, kKbHome, kKbPageUp, kKbPageDown, kKbArrowUp, kKbArrowDown, kKbArrowLeft,
                                  kKbArrowRight}) {
                add(cmd);
            }
        }
        break;
    default:
        break;
    }
    return list;
}

void CvxCompare::OnHostMessage(CvxMessageBase& message)
{
    CvxCompareModel& model = GetModel();
    switch (message.GetType()) {
    case kHostMsgLabelsChanged:
        model.OnLabelsChanged(static_cast<CvxMessageLabelsChanged&>(message).GetLabelIDs());
        break;
    case kHostMsgSymbolChanged: {
        CvxCompareSymbolChangedMessage changed;
        model.Broadcast(changed);
        break;
    }
    case kHostMsgRun: {
        CvxWaitCursor wait(1000);
        model.OnRun(static_cast<CvxMessageRun&>(message));
        break;
    }
    case kHostMsgDestroyPlugIn:
        model.OnInputDestroyed();
        break;
    case kHostMsgInitialize: {
        CvxCompareInitializePlugInMessage init(GetInstanceID(), CvxPlugInMgr::GetInstance().GetName(GetInstanceID()));
        model.Dispatch(init);
        break;
    }
    case kHostMsgUpdateActivityIndicators:
        model.OnUpdateActivityIndicators();
        break;
    case kHostMsgTriggerChanged: {
        CvxCompareTriggerChangedMessage changed;
        model.Broadcast(changed);
        break;
    }
    case kHostMsgFrontPanelKnob: {
        if (CvxCancelMgr::GetInstance().IsEnabled()) {
            break;
        }
        const auto& knob = static_cast<CvxMessageFrontPanelKnob&>(message);
        const int direction = knob.GetDirection();
        switch (knob.GetKnob()) {
        case 0: {
            CvxComparePageLeftMessage left;
            CvxComparePageRightMessage right;
            direction < 0 ? model.Broadcast(left) : model.Broadcast(right);
            break;
        }
        case 1: {
            CvxCompareLineLeftMessage left;
            CvxCompareLineRightMessage right;
            direction < 0 ? model.Broadcast(left) : model.Broadcast(right);
            break;
        }
        case 2:
        case 5:
        case 3: {
            const bool clamp = knob.GetKnob() != 3;
            direction > 0 ? model.StepForward(direction, clamp) : model.StepBackward(direction, clamp);
            break;
        }
        default:
            break;
        }
        break;
    }
    case kHostMsgLoad:
        model.Load(static_cast<CvxMessageLoad&>(message));
        break;
    case kHostMsgSave:
        model.Save(static_cast<CvxMessageSave&>(message));
        break;
    case kHostMsgLabelsAdded:
        model.OnLabelsAdded(static_cast<CvxMessageLabelsAdded&>(message).GetLabelIDs());
        break;
    case kHostMsgLabelsDeleted:
        model.OnLabelsDeleted(static_cast<CvxMessageLabelsDeleted&>(message).GetLabelIDs());
        break;
    case kHostMsgSamplingChanged: {
        CvxCompareSamplingChangedMessage changed;
        model.Broadcast(changed);
        break;
    }
    case kHostMsgWindowRange:
        if (model.IsDataValid()) {
            // The grid answers while the message passes; without a grid, the model's own
            // record of the visible rows stands.
            CvxCompareWindowRangeMessage range;
            range.SetStartPosition(model.GetWindowFirst());
            range.SetEndPosition(model.GetWindowLast());
            range.SetCenterPosition(model.GetCenter());
            model.Broadcast(range);
            auto& host = static_cast<CvxMessageWindowRange&>(message);
            host.SetStartPosition(range.GetStartPosition());
            host.SetEndPosition(range.GetEndPosition());
            host.SetCenterPosition(range.GetCenterPosition());
        }
        break;
    case kHostMsgGetAlignmentTime:
        if (model.IsDataValid()) {
            static_cast<CvxMessageGetAlignmentTime&>(message).SetTime(model.GetCenter().AsTime());
        }
        break;
    case kHostMsgLabelOrder:
        model.OnLabelOrder(static_cast<CvxMessageLabelOrder&>(message).GetLabelIDs());
        break;
    case kHostMsgLockViewer: {
        auto& lock = static_cast<CvxMessageLockViewer&>(message);
        if (lock.IsLockable()) {
            lock.AddInstanceID(GetInstanceID());
        } else {
            model.OnLockViewer(lock);
        }
        break;
    }
    case kHostMsgLockPosition: {
        const auto& lock = static_cast<CvxMessageLockPosition&>(message);
        if (model.GetLockedViewers().IsLocked(lock.GetSenderID())) {
            model.MoveCenter(lock.GetPosition(), false);
        }
        break;
    }
    case kHostMsgDeleteConnection: {
        CvxMessageLabelsDeleted deleted(static_cast<CvxMessageDeleteConnection&>(message).GetLabelIDs());
        OnHostMessage(deleted);
        break;
    }
    default:
        break;
    }
}

bool CvxCompare::SetOptions(const std::u16string& request)
{
    return GetModel().SetOptions(request);
}

bool CvxCompare::ExecuteCommand(const std::u16string& command)
{
    return GetModel().ExecuteCommand(command);
}

bool CvxCompare::GetDataWithArgs(const std::u16string& request, std::u16string& reply)
{
    return GetModel().GetDataWithArgs(request, reply);
}

bool CvxCompare::GetDataValue(const std::u16string& command, std::u16string& reply)
{
    return GetModel().GetDataValue(command, reply);
}

std::u16string CvxCompare::GetLabelDescription(const CvxID& label)
{
    const CvxLabelBase* host = CvxLabelMgr::GetInstance().IDToLabel(label);
    if (host == nullptr) {
        return {};
    }
    std::u16string text = u"Created by " + CvxPlugInMgr::GetInstance().GetFullName(host->GetCreatorInstanceID());
    if (!host->GetComment().empty()) {
        text += u"\n" + host->GetComment();
    }
    return text;
}

#include "CvxCompareModel.h"

#include "CvxCompareColumnClipboard.h"
#include "CvxCompareColumnListCommands.h"
#include "CvxCompareEngine.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModelPersistence.h"
#include "CvxCompareNavigator.h"
#include "CvxCompareRemoteCommands.h"
#include "CvxData.h"
#include "CvxEvent.h"
#include "CvxEventBase.h"
#include "CvxEventMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMapi.h"
#include "CvxMessageLockViewer.h"
#include "CvxMessageRun.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxSystemMgr.h"
#include "CvxTimeCorrelatedIter.h"

#include <algorithm>

namespace {

// Every column that enters the model (made, inserted, pasted, loaded, restored by an undo)
// shows an activity indicator when the host supports one for its label.
void MarkActivitySupport(CvxCompareColumn& column)
{
    column.SetActivityIndicatorSupported(CvxStdCmdIFaceMgr::GetInstance().IsValidActivityIndicatorLabel(column.GetLabel()));
}

// The host events the model follows, registered in this order.
constexpr int kEvents[] = {kEventGraphStatusChanged, kEventPlugInDeleted, kEventPlugInRenamed, kEventPlugInAdded};

} // namespace

struct CvxCompareModel::SvxImp : public CvxEventBase {
    explicit SvxImp(CvxCompareModel& model) : owner(&model) {}

    void OnEvent(const CvxEvent& event) override;

    CvxCompareModel* owner;
    std::shared_ptr<CvxData> input;
    std::vector<CvxCompareColumn> columns;
    CvxCompareProperties properties;
    CvxMarkerMgr markers;
    CvxPosition dataFirst;
    CvxPosition dataLast;
    CvxPosition center;
    CvxPosition windowFirst;
    CvxPosition windowLast;
    bool gridFlag = false;
    bool dataSeen = false;
    int visibleRows = 0;
    CvxCompareSourceList reference;
    CvxCompareResults results;
    CvxCompareRange compareRange;
    CvxCompareRange referenceRange;
    CvxCompareReferenceOffset offset;
    CvxCompareRunUntil runUntil;
    std::vector<CvxID> representedTables;
    CvxUtilsLockViewers lockedViewers;
    CvxID modelGuid = CvxID::New();
    CvxID ownInstance;
    bool graphStatus = false;
    bool eventsRegistered = false;
    ColumnWidthMeasure measure;
    int activityHolds = 0;       // moves under way that hold activity updates back
    bool activityPending = false; // an update arrived while held
};

void CvxCompareModel::SvxImp::OnEvent(const CvxEvent& event)
{
    switch (event.GetNumber()) {
    case kEventGraphStatusChanged:
        graphStatus = event.GetFlag();
        break;
    case kEventPlugInDeleted:
        lockedViewers.Remove(event.GetPlugInID());
        break;
    case kEventPlugInAdded:
        if (CvxPlugInMgr::GetInstance().GetCategory(event.GetPlugInID()) == kPlugInCategoryViewer
            && CvxSystemMgr::GetInstance().IsViewerLockedTo(event.GetPlugInID(), ownInstance)) {
            lockedViewers.Add(event.GetPlugInID());
        }
        break;
    default:
        break;
    }
}

CvxCompareModel::CvxCompareModel() : m_imp(std::make_unique<SvxImp>(*this)) {}

CvxCompareModel::~CvxCompareModel() = default; // the event receiver unregisters itself

// ---- Messages ----

void CvxCompareModel::Dispatch(CvxCompareMessage& message)
{
    if (message.GetType() == CvxCompareInitializePlugInMessage::kType) {
        auto& init = static_cast<CvxCompareInitializePlugInMessage&>(message);
        Initialize(init.GetInstanceID());
        if (!m_imp->markers.GetViewerID().IsNull()) {
            CvxCompareMarkerManagerRegisteredMessage registered;
            Broadcast(registered);
            Broadcast(message);
        }
        return;
    }
    Broadcast(message);
}

void CvxCompareModel::Initialize(const CvxID& instance)
{
    m_imp->ownInstance = instance;
    for (const CvxID& viewer : CvxSystemMgr::GetInstance().GetViewersLockedTo(instance)) {
        m_imp->lockedViewers.Add(viewer);
    }
    m_imp->markers.Register(instance);
    if (!m_imp->eventsRegistered) {
        for (const int event : kEvents) {
            CvxEventMgr::GetInstance().Register(event, m_imp.get());
        }
        m_imp->eventsRegistered = true;
    }
}

// ---- Host messages ----

void CvxCompareModel::OnRun(const CvxMessageRun& run)
{
    CvxCompareNewDataMessage newData(run.GetNumberOfRuns() > 0);
    m_imp->input = run.GetData();
    m_imp->markers.SetData(m_imp->input.get());
    UpdateDataExtent();
    if (m_imp->columns.empty()) {
        CreateDefaultColumns();
    }
    const bool firstData = !m_imp->dataSeen;
    m_imp->dataSeen = true;
    if (m_imp->compareRange.IsAll()) {
        Recompare();
    }
    Broadcast(newData);
    if (firstData) {
        ClearHistory();
    }
}

void CvxCompareModel::OnInputDestroyed()
{
    CvxCompareNewDataMessage newData(false);
    Broadcast(newData);
}

void CvxCompareModel::CreateDefaultColumns()
{
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    std::vector<CvxID> offered = CvxSystemMgr::GetInstance().GetLabelsForTool(m_imp->ownInstance);
    // The first time label goes last, so that the buses/signals come first.
    const auto time = std::find_if(offered.begin(), offered.end(), [&](const CvxID& id) {
        const CvxLabelBase* label = labels.IDToLabel(id);
        return label != nullptr && label->IsA(EvxLabelKind::TimeLabel);
    });
    if (time != offered.end()) {
        std::rotate(time, time + 1, offered.end());
    }
    for (const CvxID& id : offered) {
        if (labels.IDToLabel(id) == nullptr) {
            continue;
        }
        CvxCompareColumn column{CvxLabelChannel(id)};
        MarkActivitySupport(column);
        m_imp->columns.push_back(column);
    }
    RecomputeLeftEdges();
    UpdateDataExtent();
}

void CvxCompareModel::OnLabelsChanged(const std::vector<CvxID>& labels)
{
    for (CvxCompareColumn& column : m_imp->columns) {
        const CvxID& label = column.GetLabel().GetLabelID();
        if (std::find(labels.begin(), labels.end(), label) == labels.end()) {
            continue;
        }
        const CvxLabelBase* host = CvxLabelMgr::GetInstance().IDToLabel(label);
        if (host == nullptr) {
            continue;
        }
        // A channel the label no longer has falls back to the whole bus/signal.
        CvxLabelChannel channel = column.GetLabel();
        if (channel.GetChannel() >= host->GetNumberOfChannels()) {
            channel.SetChannel(CvxLabelChannel::kWholeLabel);
        }
        column.SetLabel(channel);
    }
    CvxCompareColumnsChangedMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::OnLabelsAdded(const std::vector<CvxID>& labels)
{
    std::vector<CvxCompareColumn> added;
    for (const CvxID& id : labels) {
        if (CvxLabelMgr::GetInstance().IDToLabel(id) != nullptr) {
            added.emplace_back(CvxLabelChannel(id));
        }
    }
    if (!added.empty()) {
        InsertColumns(added, CvxID::NullID(), false, false);
    }
}

void CvxCompareModel::OnLabelsDeleted(const std::vector<CvxID>& labels)
{
    std::vector<CvxID> doomed;
    for (const CvxCompareColumn& column : m_imp->columns) {
        if (std::find(labels.begin(), labels.end(), column.GetLabel().GetLabelID()) != labels.end()) {
            doomed.push_back(column.GetID());
        }
    }
    if (!doomed.empty()) {
        Execute(std::make_unique<CvxCompareDeleteCommand>(*this, doomed));
    }
}

void CvxCompareModel::OnLabelOrder(const std::vector<CvxID>& labels)
{
    // A stable sort by the position of each column's label in the host's order; columns of
    // labels the host does not list keep their order after the listed ones.
    const auto rank = [&](const CvxCompareColumn& column) {
        const auto it = std::find(labels.begin(), labels.end(), column.GetLabel().GetLabelID());
        return static_cast<std::size_t>(it - labels.begin());
    };
    std::stable_sort(m_imp->columns.begin(), m_imp->columns.end(),
                     [&](const CvxCompareColumn& a, const CvxCompareColumn& b) { return rank(a) < rank(b); });
    RecomputeLeftEdges();
    CvxCompareColumnsChangedMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::OnUpdateActivityIndicators()
{
    if (m_imp->activityHolds > 0) {
        m_imp->activityPending = true;
        return;
    }
    m_imp->activityPending = false;
    for (CvxCompareColumn& column : m_imp->columns) {
        if (column.IsActivityIndicatorSupported()) {
            column.GetActivityIndicator().Update(m_imp->input.get(), column.GetLabel());
        }
    }
    CvxCompareUpdateActivityIndicatorsMessage updated;
    Broadcast(updated);
}

void CvxCompareModel::HoldActivityUpdates(bool hold)
{
    m_imp->activityHolds = std::max(0, m_imp->activityHolds + (hold ? 1 : -1));
    if (m_imp->activityHolds == 0 && m_imp->activityPending) {
        OnUpdateActivityIndicators();
    }
}

void CvxCompareModel::OnLockViewer(const CvxMessageLockViewer& message)
{
    // An unlocked viewer stays listed, unlocked, as the lock list shows and saves it.
    m_imp->lockedViewers.Add(message.GetSenderID(), message.IsLocked());
}

// ---- Input data and extent ----

const std::shared_ptr<CvxData>& CvxCompareModel::GetInputData() const
{
    return m_imp->input;
}

bool CvxCompareModel::IsDataValid() const
{
    return m_imp->input != nullptr && m_imp->input->IsDataValid();
}

const CvxPosition& CvxCompareModel::GetDataFirst() const
{
    return m_imp->dataFirst;
}

const CvxPosition& CvxCompareModel::GetDataLast() const
{
    return m_imp->dataLast;
}

const std::vector<CvxID>& CvxCompareModel::GetRepresentedTables() const
{
    return m_imp->representedTables;
}

void CvxCompareModel::UpdateDataExtent()
{
    if (!IsDataValid()) {
        return;
    }
    const CvxData& data = *m_imp->input;
    if (m_imp->columns.empty()) {
        m_imp->representedTables = data.GetTableIDs();
    } else {
        std::vector<CvxID> labels;
        labels.reserve(m_imp->columns.size());
        for (const CvxCompareColumn& column : m_imp->columns) {
            labels.push_back(column.GetLabel().GetLabelID());
        }
        m_imp->representedTables = data.FindRepresentedTables(labels);
    }
    CvxTimeCorrelatedIter it(data, m_imp->representedTables, kBaseSymbols, 1);
    it.First();
    m_imp->dataFirst = it.GetPosition();
    it.Last();
    m_imp->dataLast = it.GetPosition();
    m_imp->results.SetScale(m_imp->dataFirst.AsInt128(), m_imp->dataLast.AsInt128());
}

// ---- Columns ----

const std::vector<CvxCompareColumn>& CvxCompareModel::GetColumns() const
{
    return m_imp->columns;
}

int CvxCompareModel::GetColumnCount() const
{
    return static_cast<int>(m_imp->columns.size());
}

const CvxCompareColumn* CvxCompareModel::FindColumn(const CvxID& column) const
{
    const auto it = std::find_if(m_imp->columns.begin(), m_imp->columns.end(),
                                 [&](const CvxCompareColumn& c) { return c.GetID() == column; });
    return it == m_imp->columns.end() ? nullptr : &*it;
}

std::vector<CvxID> CvxCompareModel::GetSelectedColumns() const
{
    std::vector<CvxID> selected;
    for (const CvxCompareColumn& column : m_imp->columns) {
        if (column.IsSelected()) {
            selected.push_back(column.GetID());
        }
    }
    return selected;
}

void CvxCompareModel::SetColumnSelection(const std::vector<CvxID>& selected)
{
    for (CvxCompareColumn& column : m_imp->columns) {
        column.SetSelected(std::find(selected.begin(), selected.end(), column.GetID()) != selected.end());
    }
    CvxCompareSelectionChangeMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::RecomputeLeftEdges()
{
    int left = 0;
    for (CvxCompareColumn& column : m_imp->columns) {
        column.SetLeft(left);
        left += std::max(column.GetWidth(), 0);
    }
}

void CvxCompareModel::InsertColumns(const std::vector<CvxCompareColumn>& columns, const CvxID& position, bool after,
                                   bool select)
{
    auto& list = m_imp->columns;
    auto at = std::find_if(list.begin(), list.end(), [&](const CvxCompareColumn& c) { return c.GetID() == position; });
    if (at != list.end() && after) {
        ++at;
    }
    if (select) {
        for (CvxCompareColumn& column : list) {
            column.SetSelected(false);
        }
    }
    at = list.insert(at, columns.begin(), columns.end());
    std::for_each(at, at + static_cast<std::ptrdiff_t>(columns.size()), MarkActivitySupport);
    if (select) {
        std::for_each(at, at + static_cast<std::ptrdiff_t>(columns.size()),
                      [](CvxCompareColumn& c) { c.SetSelected(true); });
    }
    RecomputeLeftEdges();
    UpdateDataExtent();
    CvxCompareColumnsChangedMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::DeleteColumns(const std::vector<CvxID>& columns)
{
    auto& list = m_imp->columns;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const CvxCompareColumn& c) {
                                  return std::find(columns.begin(), columns.end(), c.GetID()) != columns.end();
                              }),
               list.end());
    RecomputeLeftEdges();
    UpdateDataExtent();
    CvxCompareColumnsChangedMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::MoveColumns(const std::vector<CvxID>& columns, const CvxID& target)
{
    auto& list = m_imp->columns;
    const auto moves = [&](const CvxCompareColumn& c) {
        return std::find(columns.begin(), columns.end(), c.GetID()) != columns.end();
    };
    std::vector<CvxCompareColumn> moved;
    std::vector<CvxCompareColumn> kept;
    for (const CvxCompareColumn& column : list) {
        (moves(column) ? moved : kept).push_back(column);
    }
    auto at = std::find_if(kept.begin(), kept.end(), [&](const CvxCompareColumn& c) { return c.GetID() == target; });
    kept.insert(at, moved.begin(), moved.end());
    list = std::move(kept);
    RecomputeLeftEdges();
    CvxCompareColumnsChangedMessage changed;
    Broadcast(changed);
}

bool CvxCompareModel::SetColumnWidth(const CvxID& column, int width)
{
    auto& list = m_imp->columns;
    const auto it = std::find_if(list.begin(), list.end(), [&](const CvxCompareColumn& c) { return c.GetID() == column; });
    if (it == list.end()) {
        return false;
    }
    it->SetWidth(width, false);
    RecomputeLeftEdges();
    CvxCompareColumnWidthChangedMessage changed;
    Broadcast(changed);
    return true;
}

void CvxCompareModel::ReplaceColumns(const std::vector<CvxCompareColumn>& columns)
{
    m_imp->columns = columns;
    std::for_each(m_imp->columns.begin(), m_imp->columns.end(), MarkActivitySupport);
    RecomputeLeftEdges();
    UpdateDataExtent();
}

void CvxCompareModel::ReplaceColumnRecords(const std::vector<CvxCompareColumn>& records)
{
    for (const CvxCompareColumn& record : records) {
        for (CvxCompareColumn& column : m_imp->columns) {
            if (column.GetID() == record.GetID()) {
                column = record;
            }
        }
    }
    RecomputeLeftEdges();
}

void CvxCompareModel::PasteColumns(const std::u16string& text)
{
    const std::vector<CvxCompareColumn> columns = CvxCompareColumnClipboard::FromMarkup(text);
    if (columns.empty()) {
        return;
    }
    const std::vector<CvxID> selected = GetSelectedColumns();
    const CvxID position = selected.empty() ? CvxID::NullID() : selected.front();
    Execute(std::make_unique<CvxCompareInsertCommand>(*this, columns, position, false, false));
}

// ---- Window state ----

const CvxCompareProperties& CvxCompareModel::GetProperties() const { return m_imp->properties; }
void CvxCompareModel::SetProperties(const CvxCompareProperties& properties) { m_imp->properties = properties; }
CvxMarkerMgr& CvxCompareModel::GetMarkerMgr() { return m_imp->markers; }
const CvxPosition& CvxCompareModel::GetCenter() const { return m_imp->center; }
void CvxCompareModel::SetCenter(const CvxPosition& center) { m_imp->center = center; }
const CvxPosition& CvxCompareModel::GetWindowFirst() const { return m_imp->windowFirst; }
const CvxPosition& CvxCompareModel::GetWindowLast() const { return m_imp->windowLast; }
void CvxCompareModel::SetWindowRange(const CvxPosition& first, const CvxPosition& last)
{
    m_imp->windowFirst = first;
    m_imp->windowLast = last;
}
bool CvxCompareModel::GetGridFlag() const { return m_imp->gridFlag; }
void CvxCompareModel::SetGridFlag(bool flag) { m_imp->gridFlag = flag; }
int CvxCompareModel::GetVisibleRows() const { return m_imp->visibleRows; }
void CvxCompareModel::SetVisibleRows(int rows) { m_imp->visibleRows = rows; }
bool CvxCompareModel::GetGraphStatus() const { return m_imp->graphStatus; }
const CvxID& CvxCompareModel::GetOwnInstance() const { return m_imp->ownInstance; }
const CvxUtilsLockViewers& CvxCompareModel::GetLockedViewers() const { return m_imp->lockedViewers; }
CvxUtilsLockViewers& CvxCompareModel::GetLockedViewers() { return m_imp->lockedViewers; }
const CvxID& CvxCompareModel::GetModelGuid() const { return m_imp->modelGuid; }

// ---- Ranges, offset, run-until ----

const CvxCompareRange& CvxCompareModel::GetCompareRange() const { return m_imp->compareRange; }
void CvxCompareModel::SetCompareRange(const CvxCompareRange& range) { m_imp->compareRange = range; }
const CvxCompareRange& CvxCompareModel::GetReferenceRange() const { return m_imp->referenceRange; }
void CvxCompareModel::SetReferenceRange(const CvxCompareRange& range) { m_imp->referenceRange = range; }
const CvxCompareReferenceOffset& CvxCompareModel::GetReferenceOffset() const { return m_imp->offset; }
void CvxCompareModel::SetReferenceOffset(const CvxCompareReferenceOffset& offset) { m_imp->offset = offset; }
const CvxCompareRunUntil& CvxCompareModel::GetRunUntil() const { return m_imp->runUntil; }
void CvxCompareModel::SetRunUntil(const CvxCompareRunUntil& runUntil) { m_imp->runUntil = runUntil; }

bool CvxCompareModel::UpdateRunUntil(const CvxCompareRunUntil& runUntil)
{
    if (runUntil == m_imp->runUntil) {
        return false;
    }
    m_imp->runUntil = runUntil;
    Recompare();
    return true;
}

// ---- Reference buffer and results ----

const CvxCompareSourceList& CvxCompareModel::GetReferenceBuffer() const { return m_imp->reference; }
CvxCompareSourceList& CvxCompareModel::GetReferenceBuffer() { return m_imp->reference; }
const CvxCompareResults& CvxCompareModel::GetResults() const { return m_imp->results; }
CvxCompareResults& CvxCompareModel::GetResults() { return m_imp->results; }
int CvxCompareModel::GetColumnsCompared() const { return static_cast<int>(m_imp->reference.GetCount()); }

void CvxCompareModel::SetOverviewWidth(int width)
{
    m_imp->results.SetOverviewWidth(width);
    if (IsDataValid()) {
        m_imp->results.SetScale(m_imp->dataFirst.AsInt128(), m_imp->dataLast.AsInt128());
    }
}

// ---- Comparison ----

void CvxCompareModel::SetColumnWidthMeasure(ColumnWidthMeasure measure)
{
    m_imp->measure = std::move(measure);
}

void CvxCompareModel::CopyReference(const std::vector<CvxLabelChannel>& labels, const CvxCompareRange& range)
{
    CvxCompareEngine(*this).CopyReference(labels, range, m_imp->measure);
}

void CvxCompareModel::Compare(bool copyShortcutAllowed)
{
    CvxCompareEngine(*this).Compare(copyShortcutAllowed);
}

void CvxCompareModel::Recompare()
{
    Compare(false);
    CvxCompareDataChangedMessage changed;
    Broadcast(changed);
}

void CvxCompareModel::SetRangeAndOffset(const CvxCompareRange& range, const CvxCompareReferenceOffset& offset)
{
    m_imp->compareRange = range;
    m_imp->referenceRange = range;
    m_imp->offset = offset;
    Recompare();
}

// The text of a run-until mail without one of its own: the counts and the first differing
// samples as the remote reply gives them.
std::u16string CvxCompareModel::DefaultMailBody(int differences)
{
    const CvxCompareResults& r = m_imp->results;
    const auto number = [](std::int64_t n) {
        const std::string digits = std::to_string(n);
        return std::u16string(digits.begin(), digits.end());
    };
    std::u16string body = u"The Compare tool found " + number(differences) + u" differences.\r\n\r\nSamples Compared: "
                          + number(r.GetSamplesCompared()) + u"\r\nComparisons: " + number(r.GetComparisons())
                          + u"\r\nDifferences: " + number(r.GetDifferences()) + u"\r\n";
    for (int i = 0; i < 3; ++i) {
        std::u16string reply;
        if (!GetDataWithArgs(u"<GetDifference Index='" + number(i) + u"'/>", reply)) {
            break;
        }
        body += (i == 0 ? u"\r\nThe first differing samples:\r\n" : u"") + reply;
    }
    return body;
}

void CvxCompareModel::ApplyRunUntil(int differences)
{
    const CvxCompareRunUntil& rule = m_imp->runUntil;
    if ((!rule.IsSendEmailEnabled() && !rule.IsStopRepetitiveRunEnabled()) || differences < rule.GetNumberOfDifferences()) {
        return;
    }
    if (rule.IsSendEmailEnabled()) {
        const CvxCompareEmail& email = rule.GetEmail();
        std::u16string subject = email.GetSubject();
        if (subject.empty()) {
            const std::string count = std::to_string(differences);
            subject = u"Compare - " + std::u16string(count.begin(), count.end()) + u" Differences";
        }
        std::u16string body = email.GetMessageBody();
        if (body.empty()) {
            body = DefaultMailBody(differences);
        }
        CvxMapi::Send(email.GetRecipient(), subject, body);
    }
    if (rule.IsStopRepetitiveRunEnabled()) {
        CvxSystemMgr::GetInstance().StopRepetitiveRun();
    }
}

// ---- Centre and differences ----

void CvxCompareModel::GotoFirst() { CvxCompareNavigator(*this).GotoFirst(); }
void CvxCompareModel::GotoLast() { CvxCompareNavigator(*this).GotoLast(); }
void CvxCompareModel::StepForward(int n, bool clamp) { CvxCompareNavigator(*this).StepForward(n, clamp); }
void CvxCompareModel::StepBackward(int n, bool clamp) { CvxCompareNavigator(*this).StepBackward(n, clamp); }
void CvxCompareModel::MoveCenter(const CvxPosition& position, bool broadcast)
{
    CvxCompareNavigator(*this).SetCenter(position, broadcast);
}
void CvxCompareModel::NextDifference() { CvxCompareNavigator(*this).NextDifference(); }
void CvxCompareModel::PreviousDifference() { CvxCompareNavigator(*this).PreviousDifference(); }
void CvxCompareModel::GetDifferenceAvailability(bool& previous, bool& next) const
{
    CvxCompareNavigator::GetDifferenceAvailability(*this, previous, next);
}

// ---- Setups ----

void CvxCompareModel::Save(const CvxMessageSave& message) { CvxCompareModelPersistence(*this).Save(message); }
void CvxCompareModel::Load(const CvxMessageLoad& message) { CvxCompareModelPersistence(*this).Load(message); }

// ---- Remote commands ----

bool CvxCompareModel::SetOptions(const std::u16string& request) { return CvxCompareRemoteCommands(*this).SetOptions(request); }
bool CvxCompareModel::ExecuteCommand(const std::u16string& command)
{
    return CvxCompareRemoteCommands(*this).ExecuteCommand(command);
}
bool CvxCompareModel::GetDataWithArgs(const std::u16string& request, std::u16string& reply)
{
    return CvxCompareRemoteCommands(*this).GetDataWithArgs(request, reply);
}
bool CvxCompareModel::GetDataValue(const std::u16string& command, std::u16string& reply)
{
    return CvxCompareRemoteCommands(*this).GetDataValue(command, reply);
}

#include "CvxCompareDataView.h"

#include "CvxCompareColumnSelector.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareMessage.h"
#include "CvxComparePaneKeys.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxScrollBarWrapper.h"

#include "CvxClipboard.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareCopyText.h"
#include "CvxCompareModel.h"
#include "CvxComparePropertySheet.h"
#include "CvxCancelMgr.h"
#include "CvxCompareGridDialogs.h"
#include "CvxData.h"
#include "CvxCompareQuickTrigger.h"
#include "CvxFindMgr.h"
#include "CvxFindModel.h"
#include "CvxInfoDlg.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxSampleIterBase.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

using Menu = CvxCompareContextMenu;

CvxCompareDataView::CvxCompareDataView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxCompareDataViewport>(model), nullptr, true, parent)
    , m_autoScroll(new QTimer(this))
    , m_quick(std::make_unique<CvxCompareQuickTrigger>())
    , m_selector(std::make_unique<CvxCompareColumnSelector>())
{
    connect(m_autoScroll, &QTimer::timeout, this, [this] { AutoScrollTick(); });
    // A move of the columns made here moves the header with the grid.
    GetGrid().SetOriginHook([this](int x) {
        CvxComparePaneView::SetHorizontalOrigin(x);
        for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
            if (auto* splitter = qobject_cast<CvxCompareSplitterWnd*>(up)) {
                splitter->ScrollHorizontally(this, x);
                break;
            }
        }
        if (m_bars != nullptr) {
            m_bars->UpdateScrollBars();
        }
    });
    // Markers moved elsewhere (on a marker bar, in a dialog) move their rows here too.
    model.GetMarkerMgr().AddObserver(this);
}

CvxCompareDataView::~CvxCompareDataView()
{
    GetModel().GetMarkerMgr().RemoveObserver(this);
}

CvxCompareDataViewport& CvxCompareDataView::GetGrid()
{
    return static_cast<CvxCompareDataViewport&>(GetViewport());
}

const CvxCompareDataViewport& CvxCompareDataView::GetGrid() const
{
    return static_cast<const CvxCompareDataViewport&>(GetViewport());
}

void CvxCompareDataView::SetScrollBars(CvxScrollBarWrapper* bars)
{
    m_bars = bars;
}

void CvxCompareDataView::SetHorizontalOrigin(int x)
{
    GetGrid().SetOriginX(x);
    CvxComparePaneView::SetHorizontalOrigin(GetGrid().GetOriginX());
    if (m_bars != nullptr) {
        m_bars->UpdateScrollBars();
    }
}

void CvxCompareDataView::OnModelMessage(CvxMvcDefMsg& message)
{
    const int type = message.GetType();
    if (type == CvxCompareNewDataMessage::kType || type == CvxCompareColumnsChangedMessage::kType
        || type == CvxCompareInsertColumnMessage::kType || type == CvxCompareModelLoadedMessage::kType) {
        CvxCompareColumnWidth::SizeUnsized(GetModel()); // new columns get the width their values need
    }
    switch (type) {
    // The marker lines change with the markers.
    case CvxCompareMarkerNewMessage::kType:
        Post([this] { CvxCompareGridDialogs::NewMarker(GetModel(), this) && (GetGrid().Invalidate(), true); });
        break;
    case CvxCompareMarkerPlaceMessage::kType:
        Post([this] {
            CvxCompareGridDialogs::PlaceMarker(GetModel(), GetModel().GetCenter(), this) && (GetGrid().Invalidate(), true);
        });
        break;
    case CvxCompareMarkerPropertiesMessage::kType:
        Post([this] {
            CvxComparePropertySheet::Run(GetModel(), this, CvxComparePropertySheet::kMarkerPage, MarkerAtCentre());
        });
        break;
    case CvxCompareMarkerGotoMessage::kType: Post([this] { CvxCompareGridDialogs::GotoMarker(GetModel(), this); }); break;
    case CvxCompareMarkerDeleteMessage::kType:
        Post([this] { CvxCompareGridDialogs::DeleteMarkers(GetModel(), this) && (GetGrid().Invalidate(), true); });
        break;
    case CvxMarkerMgr::kMarkersChangedMessage: GetGrid().Invalidate(); break;
    case CvxCompareDisplayGotoDlgMessage::kType: Post([this] { ExecuteHostCommand(Menu::kGoto); }); break;
    case CvxCompareFindMessage::kType: Post([this] { ExecuteHostCommand(Menu::kFind); }); break;
    case CvxCompareFindNextMessage::kType: Post([this] { ExecuteHostCommand(Menu::kFindNext); }); break;
    case CvxCompareFindPrevMessage::kType: Post([this] { ExecuteHostCommand(Menu::kFindPrevious); }); break;
    case CvxCompareWindowHandleMessage::kType:
        static_cast<CvxCompareWindowHandleMessage&>(message).SetWindow(static_cast<QWidget*>(this));
        break;
    case CvxCompareWindowRangeMessage::kType: {
        auto& range = static_cast<CvxCompareWindowRangeMessage&>(message);
        CvxPosition first;
        CvxPosition last;
        if (GetGrid().GetShownRange(first, last)) {
            range.SetStartPosition(first);
            range.SetEndPosition(last);
            range.SetCenterPosition(GetModel().GetCenter());
        }
        break;
    }
    default: break;
    }
    if (GetGrid().OnModelMessage(message) && m_bars != nullptr) {
        m_bars->UpdateScrollBars();
    }
}

bool CvxCompareDataView::event(QEvent* event)
{
    return CvxComparePaneKeys::Claim(*event, m_dragging || m_draggedMarker != nullptr, false) || CvxComparePaneView::event(event);
}

void CvxCompareDataView::keyPressEvent(QKeyEvent* event)
{
    const auto send = [&](auto message) {
        GetGrid().OnModelMessage(message);
        if (m_bars != nullptr) {
            m_bars->UpdateScrollBars();
        }
    };
    switch (CvxComparePaneKeys::Of(*event)) {
    case CvxComparePaneKeys::kEndDrag: EndOutline(); event->accept(); return;
    case CvxComparePaneKeys::kSizeAll: CvxCompareColumnWidth::SizeAll(GetModel()); event->accept(); return;
    case CvxComparePaneKeys::kSelectAll:
    case CvxComparePaneKeys::kSelectNone:
        CvxComparePaneKeys::Select(GetModel(), CvxComparePaneKeys::Of(*event) == CvxComparePaneKeys::kSelectAll);
        event->accept();
        return;
    case CvxComparePaneKeys::kContextMenu:
        if (!m_dragging) {
            ShowContextMenu(Menu::AtCursor(*this));
        }
        event->accept();
        return;
    default: break;
    }
    switch (event->key()) {
    case Qt::Key_Up: send(CvxCompareKbArrowUpMessage()); break;
    case Qt::Key_Down: send(CvxCompareKbArrowDownMessage()); break;
    case Qt::Key_PageUp: send(CvxCompareKbPageUpMessage()); break;
    case Qt::Key_PageDown: send(CvxCompareKbPageDownMessage()); break;
    case Qt::Key_Left: send(CvxCompareKbArrowLeftMessage()); break;
    case Qt::Key_Right: send(CvxCompareKbArrowRightMessage()); break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            send(CvxCompareKbCtrlHomeMessage());
        } else {
            send(CvxCompareKbHomeMessage());
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            send(CvxCompareKbCtrlEndMessage());
        } else {
            send(CvxCompareKbEndMessage());
        }
        break;
    default: CvxComparePaneView::keyPressEvent(event); return;
    }
    event->accept();
}

void CvxCompareDataView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (notches > 0) {
            GetGrid().OnModelMessage(CvxCompareKbArrowUpMessage());
        } else {
            GetGrid().OnModelMessage(CvxCompareKbArrowDownMessage());
        }
    }
    if (m_bars != nullptr) {
        m_bars->UpdateScrollBars();
    }
    event->accept();
}

void CvxCompareDataView::resizeEvent(QResizeEvent* event)
{
    CvxComparePaneView::resizeEvent(event);
    GetGrid().SetOriginX(GetGrid().GetOriginX());
}

void CvxCompareDataView::SelectColumn(const CvxID& id, Qt::KeyboardModifiers modifiers)
{
    m_selector->Select(GetModel(), id, modifiers);
}

void CvxCompareDataView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CvxComparePaneView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    m_lastPoint = at;
    for (const CvxID& marker : GetGrid().MarkersAt(at.y())) {
        if (GetModel().GetMarkerMgr().IsDragable(marker)) {
            m_draggedMarker = std::make_unique<CvxID>(marker);
            m_markerFrom = std::make_unique<CvxPosition>(GetModel().GetMarkerMgr().GetMarker(marker)->GetPosition());
            setCursor(Qt::SizeVerCursor);
            return;
        }
    }
    CvxPosition row;
    const CvxCompareColumn* column = GetGrid().ColumnAt(at.x());
    if (column == nullptr || !GetGrid().RowAt(at.y(), row)) {
        return;
    }
    SelectColumn(column->GetID(), event->modifiers());
    m_dragging = true;
    GetGrid().SetOutline(row, row);
    UpdateQuickTrigger(at);
}

std::vector<const CvxCompareColumn*> CvxCompareDataView::OutlinedColumns() const
{
    std::vector<const CvxCompareColumn*> outlined;
    for (const CvxCompareColumn& column : GetModel().GetColumns()) {
        if (column.IsSelected()) {
            outlined.push_back(&column);
        }
    }
    return outlined;
}

void CvxCompareDataView::UpdateQuickTrigger(const QPoint& at)
{
    m_quick->Build(GetModel(), OutlinedColumns(), GetGrid().GetOutlineFirst(), GetGrid().GetOutlineLast());
    QToolTip::showText(mapToGlobal(at), CvxQt(m_quick->GetToolTip()), this);
}

void CvxCompareDataView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging && m_draggedMarker == nullptr) {
        CvxComparePaneView::mouseMoveEvent(event);
        return;
    }
    m_lastPoint = event->position().toPoint();
    DragTo(m_lastPoint);
    UpdateAutoScroll(m_lastPoint.y());
}

void CvxCompareDataView::DragTo(const QPoint& at)
{
    const int y = std::clamp(at.y(), 0, std::max(0, height() - 1));
    CvxPosition row;
    if (!GetGrid().RowAt(y, row)) {
        return;
    }
    if (m_draggedMarker != nullptr) {
        if (GetModel().GetMarkerMgr().MoveMarkerPosition(*m_draggedMarker, row)) {
            GetGrid().Invalidate();
        }
        return;
    }
    if (!(row == GetGrid().GetOutlineLast())) {
        GetGrid().SetOutline(GetGrid().GetOutlineFirst(), row);
        UpdateQuickTrigger(at);
    }
}

void CvxCompareDataView::UpdateAutoScroll(int y)
{
    const int outside = y < 0 ? -y : (y >= height() ? y - height() + 1 : 0);
    if (outside == 0) {
        m_autoScroll->stop();
        m_autoScrollStep = 0;
        return;
    }
    // 225 ms one pixel out, 25 ms less a pixel, no wait from ten pixels on.
    const int interval = 250 - 25 * std::min(outside, 10);
    m_autoScrollStep = y < 0 ? -1 : 1;
    if (!m_autoScroll->isActive() || m_autoScroll->interval() != interval) {
        m_autoScroll->start(interval);
    }
}

void CvxCompareDataView::AutoScrollTick()
{
    CvxCompareModel& model = GetModel();
    const CvxPosition before = model.GetCenter();
    if (m_autoScrollStep < 0) {
        model.StepBackward(1, true);
    } else if (m_autoScrollStep > 0) {
        model.StepForward(1, true);
    }
    if (model.GetCenter() == before) {
        m_autoScroll->stop(); // the first or last sample is reached
        return;
    }
    repaint(); // the rows under the cursor are the new ones
    DragTo(m_lastPoint);
}

void CvxCompareDataView::mouseReleaseEvent(QMouseEvent* event)
{
    m_autoScroll->stop();
    if (m_draggedMarker != nullptr) {
        m_draggedMarker.reset();
        m_markerFrom.reset();
        unsetCursor();
        return;
    }
    if (!m_dragging || event->button() != Qt::LeftButton) {
        CvxComparePaneView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    QToolTip::hideText();
    ShowMenu(Menu::kDragOutline, event->position().toPoint());
}

CvxID CvxCompareDataView::MarkerAtCentre() const
{
    const int top = GetGrid().RowTopOf(GetModel().GetCenter());
    const std::vector<CvxID> markers = top < 0 ? std::vector<CvxID>() : GetGrid().MarkersAt(top);
    return markers.empty() ? CvxID() : markers.front();
}

void CvxCompareDataView::EndOutline()
{
    m_dragging = false;
    if (m_draggedMarker != nullptr && m_markerFrom != nullptr) {
        GetModel().GetMarkerMgr().MoveMarkerPosition(*m_draggedMarker, *m_markerFrom);
        GetGrid().Invalidate();
    }
    m_draggedMarker.reset();
    unsetCursor();
    m_autoScroll->stop();
    QToolTip::hideText();
    GetGrid().ClearOutline();
}

void CvxCompareDataView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_dragging) {
        return;
    }
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->pos() : Menu::AtCursor(*this));
}

void CvxCompareDataView::Post(std::function<void()> action)
{
    QTimer::singleShot(0, this, std::move(action));
}

const CvxCompareColumn* CvxCompareDataView::CommandColumn() const
{
    if (m_menuColumn != nullptr) {
        return GetModel().FindColumn(*m_menuColumn);
    }
    const std::vector<CvxCompareColumn>& columns = GetModel().GetColumns();
    for (const CvxCompareColumn& column : columns) {
        if (column.IsSelected()) {
            return &column;
        }
    }
    return columns.empty() ? nullptr : &columns.front();
}

void CvxCompareDataView::ShowContextMenu(const QPoint& point)
{
    setFocus(Qt::OtherFocusReason);
    const QPoint at = Menu::InPane(*this, point);
    CvxPosition row;
    m_menuRow = GetGrid().RowAt(at.y(), row) ? std::make_unique<CvxPosition>(row) : nullptr;
    if (const CvxCompareColumn* column = GetGrid().ColumnAt(at.x())) {
        SelectColumn(column->GetID(), Qt::NoModifier);
        m_menuColumn = std::make_unique<CvxID>(column->GetID());
        ShowMenu(Menu::kInsideColumn, at);
    } else {
        GetModel().SetColumnSelection({});
        m_menuColumn = std::make_unique<CvxID>(); // no column: the commands that need one stay disabled
        ShowMenu(Menu::kOutsideColumn, at);
    }
}

void CvxCompareDataView::ShowMenu(int kind, const QPoint& at)
{
    m_menu = Menu::Build(static_cast<Menu::Kind>(kind), this);
    Menu::Attach(
        *m_menu, *this, [this](int id) { return IsCommandEnabled(id); }, [](int) { return false; },
        [this](int id) { ExecuteCommand(id); });
    if (kind == Menu::kDragOutline) {
        // Afterwards the selection and the outline go (after the chosen entry has run).
        connect(m_menu.get(), &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                GetModel().SetColumnSelection({});
                EndOutline();
            });
        });
    }
    m_menu->popup(mapToGlobal(at));
}

bool CvxCompareDataView::ExecuteHostCommand(int id)
{
    m_menuColumn.reset();
    m_menuRow.reset();
    return ExecuteCommand(id);
}

bool CvxCompareDataView::IsCommandEnabled(int id) const
{
    CvxCompareModel& model = GetModel();
    const bool valid = model.IsDataValid();
    const bool idle = !CvxCancelMgr::GetInstance().IsEnabled();
    const CvxCompareColumn* column = CommandColumn();
    // What the bus/signal of the column is: strings, times and labels the host no longer
    // holds have no pattern to find, and times no first or last sample of their own.
    const EvxLabelKind kind = column != nullptr ? column->GetLabel().GetType() : EvxLabelKind::None;
    switch (id) {
    case Menu::kUndo: return !model.IsHistoryEmpty();
    case Menu::kGoto: return valid && !model.GetColumns().empty();
    case Menu::kPlaceMarker: return valid;
    case Menu::kFind:
        return valid && idle && column != nullptr && kind != EvxLabelKind::None && kind != EvxLabelKind::StringLabel
               && kind != EvxLabelKind::TimeLabel;
    case Menu::kFindNext:
    case Menu::kFindPrevious: return valid && idle;
    case Menu::kCopyText:
    case Menu::kCopyTextWithNames: return valid && GetGrid().HasOutline() && !model.GetSelectedColumns().empty();
    case Menu::kQuickTrigger: return GetGrid().HasOutline() && m_quick->IsTriggerAllowed();
    case Menu::kOutlineFindNext:
    case Menu::kOutlineFindPrevious: return valid && idle && GetGrid().HasOutline() && m_quick->IsFindAllowed();
    case Menu::kGotoFirstSample:
    case Menu::kGotoLastSample:
        return valid && (column == nullptr || (kind != EvxLabelKind::None && kind != EvxLabelKind::TimeLabel));
    case Menu::kProperties: return idle;
    default: return false;
    }
}

bool CvxCompareDataView::ExecuteCommand(int id)
{
    if (!IsCommandEnabled(id)) {
        return false;
    }
    CvxCompareModel& model = GetModel();
    switch (id) {
    case Menu::kUndo: return model.Undo();
    case Menu::kCopyText:
    case Menu::kCopyTextWithNames:
        CvxClipboard::SetText(CvxCompareCopyText::Build(model, OutlinedColumns(), GetGrid().GetOutlineFirst(),
                                                        GetGrid().GetOutlineLast(), id == Menu::kCopyTextWithNames));
        return true;
    case Menu::kQuickTrigger: {
        std::string error;
        if (!CvxStdCmdIFaceMgr::GetInstance().SetSimpleTrigger(m_quick->GetPatterns(), error)) {
            CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, u"The quick trigger was not set: " + CvxStringConvert::FromUtf8(error));
            return false;
        }
        return true;
    }
    case Menu::kOutlineFindNext:
    case Menu::kOutlineFindPrevious: {
        CvxFindModel find;
        for (const CvxPatternModel& pattern : m_quick->GetPatterns()) {
            find.AddPattern(pattern);
        }
        find.SetForward(id == Menu::kOutlineFindNext);
        CvxFindMgr::GetInstance().SetModel(find);
        CvxPosition found;
        std::string error;
        if (!CvxFindMgr::GetInstance().Find(*model.GetInputData(), GetGrid().GetOutlineFirst(), id == Menu::kOutlineFindNext,
                                            found, error)) {
            CvxInfoDlg::Show(CvxInfoDlg::kDialogInformation, CvxStringConvert::FromUtf8(error));
            return false;
        }
        model.MoveCenter(found, true);
        return true;
    }
    case Menu::kGoto: // for the column's bus/signal; outside the columns, the first one's
        return CvxCompareGridDialogs::Goto(model, CommandColumn() != nullptr ? *CommandColumn() : model.GetColumns().front(), this);
    case Menu::kProperties:
        // The grid's properties are the window's: no column stays chosen for the column page.
        model.SetColumnSelection({});
        return CvxComparePropertySheet::Run(model, this, CvxComparePropertySheet::kWindowPage, CvxID());
    case Menu::kPlaceMarker:
        if (!CvxCompareGridDialogs::PlaceMarker(model, m_menuRow != nullptr ? *m_menuRow : model.GetCenter(), this)) {
            return false;
        }
        GetGrid().Invalidate();
        return true;
    case Menu::kFind: return CvxCompareGridDialogs::Find(model, *CommandColumn(), this);
    case Menu::kFindNext:
    case Menu::kFindPrevious: return CvxCompareGridDialogs::FindAgain(model, CommandColumn(), id == Menu::kFindNext, this);
    case Menu::kGotoFirstSample:
    case Menu::kGotoLastSample: {
        // The first or last sample of the column's bus/signal (of the data outside the columns).
        const CvxCompareColumn* column = CommandColumn();
        if (column == nullptr) {
            id == Menu::kGotoFirstSample ? model.GotoFirst() : model.GotoLast();
            return true;
        }
        auto it = model.GetInputData()->CreateIter(column->GetLabel(), CvxSampleIterBase::kModeSamples);
        id == Menu::kGotoFirstSample ? it->First() : it->Last();
        if (!it->IsDone()) {
            model.MoveCenter(it->GetPosition(), true);
        }
        return true;
    }
    default: return false;
    }
}

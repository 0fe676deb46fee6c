#include "CvxCompareHeaderController.h"

#include "CvxCompareColumnSelector.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareHeaderCommands.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareHeaderViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareMoveColumnsCommand.h"
#include "CvxComparePaneKeys.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxLabelTooltipFormatter.h"
#include "CvxQtText.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

using Menu = CvxCompareContextMenu;
using Spots = CvxCompareHeaderHotSpots;

namespace {

// The drag image's offset right of the cursor: three quarters of a cursor's width.
constexpr int kCursorWidth = 32;
constexpr int kImageOffset = kCursorWidth / 4 + kCursorWidth / 2;

} // namespace

CvxCompareHeaderController::CvxCompareHeaderController() : m_selector(std::make_unique<CvxCompareColumnSelector>()) {}

CvxCompareHeaderController::~CvxCompareHeaderController() = default;

void CvxCompareHeaderController::Attach(CvxCompareHeaderView& view)
{
    m_view = &view;
    m_scrollTimer = new QTimer(&view);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] { AutoScrollTick(); });
}

bool CvxCompareHeaderController::ColumnAt(const QPoint& at, CvxID& column) const
{
    return m_view->GetHeader().GetHotSpots().ColumnAt(at, column);
}

bool CvxCompareHeaderController::MousePress(QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || m_view == nullptr) {
        return false;
    }
    m_view->setFocus(Qt::MouseFocusReason);
    const QPoint at = event.position().toPoint();
    CvxCompareModel& model = m_view->GetModel();
    const Spots& spots = m_view->GetHeader().GetHotSpots();
    for (const Spots::Entry& entry : spots.GetEntries()) {
        if (entry.part == Spots::kTriggerMenu && entry.rect.contains(at)) {
            m_view->ShowMenu(Menu::kTriggerMenu, at);
            return true;
        }
    }
    CvxID column;
    if (!ColumnAt(at, column)) {
        model.SetColumnSelection({});
        return true;
    }
    m_view->GetCommands().SetClickedColumn(column);
    const int parts = spots.Test(at, column);
    if (parts & Spots::kResize) {
        // Resizing leaves the selection alone: the edge belongs to the column, not a choice of it.
        const CvxCompareColumn* record = model.FindColumn(column);
        m_mode = kResizing;
        m_pressColumn = column;
        m_start = at;
        m_startWidth = record != nullptr ? record->GetWidth() : 0;
        m_view->setCursor(Qt::SplitHCursor);
        m_view->grabMouse();
        return true;
    }
    // A plain press on a selected column keeps the selection, so that all selected columns can
    // be dragged; it becomes the only selection if the button comes up without a drag.
    const CvxCompareColumn* record = model.FindColumn(column);
    const bool plain = !(event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    m_selectOnRelease = plain && record != nullptr && record->IsSelected();
    if (!m_selectOnRelease) {
        m_selector->Select(model, column, event.modifiers());
    }
    if (!plain) {
        return true;
    }
    m_mode = kMovePending;
    m_pressColumn = column;
    m_start = at;
    return true;
}

bool CvxCompareHeaderController::MouseMove(QMouseEvent& event)
{
    if (m_view == nullptr) {
        return false;
    }
    const QPoint at = event.position().toPoint();
    m_last = at;
    switch (m_mode) {
    case kResizing: {
        const int width = std::max(CvxCompareColumn::kMinWidth, m_startWidth + at.x() - m_start.x());
        CvxCompareModel& model = m_view->GetModel();
        const CvxCompareColumn* column = model.FindColumn(m_pressColumn);
        if (column != nullptr && column->GetWidth() != width) {
            model.SetColumnWidth(m_pressColumn, width);
            CvxCompareColumnWidthChangingMessage changing;
            model.Broadcast(changing);
            m_view->repaint();
        }
        UpdateAutoScroll(at.x());
        return true;
    }
    case kMovePending:
        if ((at - m_start).manhattanLength() >= 3) {
            StartMove(at);
        }
        return true;
    case kMoving: UpdateMove(at); return true;
    default: UpdateToolTip(at, event.globalPosition().toPoint()); return false;
    }
}

bool CvxCompareHeaderController::MouseRelease(QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || m_view == nullptr) {
        return false;
    }
    CvxCompareModel& model = m_view->GetModel();
    const DragMode mode = m_mode;
    const int drop = m_dropIndex;
    const CvxID target = m_dropTarget;
    const CvxID column = m_pressColumn;
    const CvxCompareColumn* resized = model.FindColumn(column);
    const int finalWidth = resized != nullptr ? resized->GetWidth() : 0;
    EndDrag();
    if (mode == kMovePending && m_selectOnRelease) {
        m_selector->Select(model, column, Qt::NoModifier);
    }
    m_selectOnRelease = false;
    if (mode == kResizing && resized != nullptr) {
        // The drag changed the width directly; the command records the change from the start.
        model.SetColumnWidth(column, m_startWidth);
        if (finalWidth != m_startWidth) {
            model.RequestColumnWidth(column, finalWidth);
        } else {
            CvxCompareColumnWidthChangedMessage changed;
            model.Broadcast(changed);
        }
    } else if (mode == kMoving && drop >= 0) {
        model.RequestMoveColumns(model.GetSelectedColumns(), target, CvxCompareMoveColumnsCommand::kBeforeTarget);
    }
    return mode != kNone;
}

bool CvxCompareHeaderController::MouseDoubleClick(QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || m_view == nullptr
        || (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        return false;
    }
    EndDrag();
    const QPoint at = event.position().toPoint();
    CvxID column;
    if (!ColumnAt(at, column)) {
        return false;
    }
    CvxCompareModel& model = m_view->GetModel();
    const int parts = m_view->GetHeader().GetHotSpots().Test(at, column);
    const CvxCompareColumn* record = model.FindColumn(column);
    if (record == nullptr) {
        return false;
    }
    if (parts & Spots::kResize) {
        model.RequestColumnWidth(column, CvxCompareColumnWidth::Measure(model, *record));
        return true;
    }
    if (parts & Spots::kName) {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(record->GetLabel().GetLabelID());
        if (label != nullptr && !label->Locked() && !label->IsA(EvxLabelKind::TimeLabel)
            && !label->IsA(EvxLabelKind::SampleNumberLabel)) {
            m_view->GetCommands().SetClickedColumn(column);
            m_view->Post([view = m_view] { view->ExecuteCommand(Menu::kRename); });
        }
        return true;
    }
    return false;
}

bool CvxCompareHeaderController::KeyPress(QKeyEvent& event)
{
    if (m_view == nullptr) {
        return false;
    }
    CvxCompareModel& model = m_view->GetModel();
    switch (CvxComparePaneKeys::Of(event)) {
    case CvxComparePaneKeys::kEndDrag:
        if (m_mode == kNone) {
            return false;
        }
        CancelDrag();
        return true;
    case CvxComparePaneKeys::kDelete:
        m_view->GetCommands().ForSelection();
        m_view->ExecuteCommand(Menu::kDeleteColumn);
        return true;
    case CvxComparePaneKeys::kSelectAll:
    case CvxComparePaneKeys::kSelectNone:
        CvxComparePaneKeys::Select(model, CvxComparePaneKeys::Of(event) == CvxComparePaneKeys::kSelectAll);
        return true;
    case CvxComparePaneKeys::kSizeAll: CvxCompareColumnWidth::SizeAll(model); return true;
    case CvxComparePaneKeys::kContextMenu: ShowContextMenu(Menu::AtCursor(*m_view)); return true;
    default: return false;
    }
}

bool CvxCompareHeaderController::ContextMenu(QContextMenuEvent& event)
{
    if (m_view == nullptr) {
        return false;
    }
    ShowContextMenu(event.reason() == QContextMenuEvent::Mouse ? event.pos() : Menu::AtCursor(*m_view));
    return true;
}

void CvxCompareHeaderController::ShowContextMenu(const QPoint& point)
{
    CancelDrag();
    const QPoint at = Menu::InPane(*m_view, point);
    CvxCompareModel& model = m_view->GetModel();
    CvxCompareHeaderCommands& commands = m_view->GetCommands();
    const std::vector<CvxID> selected = model.GetSelectedColumns();
    CvxID column;
    if (ColumnAt(at, column)) {
        if (std::find(selected.begin(), selected.end(), column) == selected.end()) {
            model.SetColumnSelection({column});
        }
        commands.SetClickedColumn(column);
        m_view->ShowMenu(Menu::kInsideHeader, at);
    } else {
        model.SetColumnSelection({});
        commands.SetOutsideMenu(selected);
        m_view->ShowMenu(Menu::kOutsideHeader, at);
    }
}

void CvxCompareHeaderController::FocusChanged(bool in)
{
    if (!in && m_mode != kNone && m_view != nullptr && QWidget::mouseGrabber() != m_view) {
        CancelDrag();
    }
}

void CvxCompareHeaderController::StartMove(const QPoint& at)
{
    CvxCompareModel& model = m_view->GetModel();
    const std::vector<CvxID> selected = model.GetSelectedColumns();
    const CvxCompareColumn* first = selected.empty() ? nullptr : model.FindColumn(selected.front());
    if (first == nullptr) {
        m_mode = kNone;
        return;
    }
    m_mode = kMoving;
    m_view->grabMouse();
    // The image: the first selected name (", ..." for more) on a see-through background.
    const QString text = CvxCompareHeaderViewport::NameText(*first) + (selected.size() > 1 ? QStringLiteral(", ...") : QString());
    const QFont font = m_view->GetHeader().LabelFont();
    const QFontMetrics metrics(font);
    QPixmap image(metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QColor back = m_view->palette().color(QPalette::Highlight);
        back.setAlpha(96);
        painter.fillRect(image.rect(), back);
        painter.setFont(font);
        painter.setPen(m_view->palette().color(QPalette::WindowText));
        painter.drawText(image.rect(), Qt::AlignCenter, text);
    }
    m_dragImage = std::make_unique<QLabel>(m_view->window());
    m_dragImage->setObjectName("DragImage");
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setPixmap(image);
    m_dragImage->setText(QString());
    m_dragImage->setToolTip(text);
    m_dragImage->resize(image.size());
    m_dragImage->show();
    m_dragImage->raise();
    UpdateMove(at);
}

void CvxCompareHeaderController::UpdateMove(const QPoint& at)
{
    if (m_dragImage != nullptr) {
        m_dragImage->move(m_view->mapTo(m_view->window(), at + QPoint(kImageOffset, 0)));
    }
    // The drop place: before the column under the cursor, or after it past its middle.
    const std::vector<CvxCompareColumn>& columns = m_view->GetModel().GetColumns();
    const int x = at.x() + m_view->GetHeader().GetOriginX();
    int drop = static_cast<int>(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (x < columns[i].GetLeft() + columns[i].GetWidth() / 2) {
            drop = static_cast<int>(i);
            break;
        }
    }
    // The selected columns go, together and in their order, before the first other column at
    // the drop place (or to the end); a drop that leaves the order as it is does nothing.
    m_dropTarget = CvxID();
    for (std::size_t i = static_cast<std::size_t>(drop); i < columns.size(); ++i) {
        if (!columns[i].IsSelected()) {
            m_dropTarget = columns[i].GetID();
            break;
        }
    }
    std::vector<const CvxCompareColumn*> order;
    for (const CvxCompareColumn& column : columns) {
        if (column.GetID() == m_dropTarget) {
            for (const CvxCompareColumn& moved : columns) {
                if (moved.IsSelected()) {
                    order.push_back(&moved);
                }
            }
        }
        if (!column.IsSelected()) {
            order.push_back(&column);
        }
    }
    if (m_dropTarget == CvxID()) {
        for (const CvxCompareColumn& moved : columns) {
            if (moved.IsSelected()) {
                order.push_back(&moved);
            }
        }
    }
    bool stays = true;
    for (std::size_t i = 0; i < order.size(); ++i) {
        stays = stays && order[i] == &columns[i];
    }
    m_view->setCursor(stays ? Qt::ForbiddenCursor : Qt::DragMoveCursor);
    m_dropIndex = stays ? -1 : drop;
    int markX = -1;
    if (!stays) {
        markX = drop < static_cast<int>(columns.size()) ? columns[static_cast<std::size_t>(drop)].GetLeft()
                                                         : columns.back().GetLeft() + columns.back().GetWidth();
    }
    m_view->GetHeader().SetDropMark(markX);
    UpdateAutoScroll(at.x());
}

void CvxCompareHeaderController::UpdateAutoScroll(int x)
{
    const int width = m_view->width();
    const int beyond = x >= width ? x - width + 1 : (x < 0 ? -x : 0);
    if (beyond == 0) {
        m_scrollTimer->stop();
        m_scrollStep = 0;
        return;
    }
    m_scrollStep = x >= width ? 1 : -1;
    const int interval = 250 - 25 * std::min(beyond, 10);
    if (!m_scrollTimer->isActive() || m_scrollTimer->interval() != interval) {
        m_scrollTimer->start(interval);
    }
}

bool CvxCompareHeaderController::IsAutoScrolling() const { return m_scrollTimer != nullptr && m_scrollTimer->isActive(); }

void CvxCompareHeaderController::AutoScrollTick()
{
    const int before = m_view->GetHeader().GetOriginX();
    m_view->ScrollLine(m_scrollStep);
    if (m_view->GetHeader().GetOriginX() == before) {
        m_scrollTimer->stop(); // the first or last column is reached
        return;
    }
    if (m_mode == kMoving) {
        UpdateMove(m_last);
    }
}

void CvxCompareHeaderController::UpdateToolTip(const QPoint& at, const QPoint& global)
{
    CvxID column;
    const bool onName = ColumnAt(at, column) && (m_view->GetHeader().GetHotSpots().Test(at, column) & Spots::kName);
    if (!onName) {
        if (m_tipColumn != CvxID()) {
            QToolTip::hideText();
            m_tipColumn = CvxID();
        }
        return;
    }
    if (column == m_tipColumn) {
        return;
    }
    m_tipColumn = column;
    const CvxCompareColumn* record = m_view->GetModel().FindColumn(column);
    if (record != nullptr) {
        QToolTip::showText(global, CvxQt(CvxLabelTooltipFormatter::Format(record->GetLabel())), m_view);
    }
}

void CvxCompareHeaderController::CancelDrag()
{
    if (m_mode == kResizing) {
        m_view->GetModel().SetColumnWidth(m_pressColumn, m_startWidth);
        CvxCompareColumnWidthChangedMessage changed;
        m_view->GetModel().Broadcast(changed);
    }
    EndDrag();
}

void CvxCompareHeaderController::EndDrag()
{
    if (m_view == nullptr) {
        return;
    }
    m_mode = kNone;
    m_dropIndex = -1;
    m_scrollTimer->stop();
    m_dragImage.reset();
    m_view->GetHeader().SetDropMark(-1);
    m_view->unsetCursor();
    if (QWidget::mouseGrabber() == m_view) {
        m_view->releaseMouse();
    }
}

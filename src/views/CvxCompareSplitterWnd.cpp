#include "CvxCompareSplitterWnd.h"

#include "CvxComparePaneView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRubberBand>

#include <algorithm>

using Layout = CvxCompareSplitterLayout;

CvxCompareSplitterWnd::CvxCompareSplitterWnd(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(kObjectID));
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    m_tracker = new QRubberBand(QRubberBand::Line, this);
    m_tracker->setObjectName("Tracker");
}

CvxCompareSplitterWnd::~CvxCompareSplitterWnd() = default;

void CvxCompareSplitterWnd::SetPanes(Cell cell, std::vector<QWidget*> panes)
{
    m_panes[static_cast<std::size_t>(cell)] = std::move(panes);
}

void CvxCompareSplitterWnd::RecalcLayout()
{
    m_layout.SetClientSize(size());
    for (int cell = 0; cell < Layout::kCellCount; ++cell) {
        const std::vector<QWidget*>& panes = m_panes[static_cast<std::size_t>(cell)];
        const QRect rect = m_layout.GetCell(static_cast<Cell>(cell));
        const int count = static_cast<int>(panes.size());
        for (int i = 0; i < count; ++i) {
            QWidget* pane = panes[static_cast<std::size_t>(i)];
            if (rect.isEmpty()) {
                pane->hide();
                continue;
            }
            const int left = rect.left() + rect.width() * i / count;
            const int right = rect.left() + rect.width() * (i + 1) / count;
            pane->setGeometry(left, rect.top(), right - left, rect.height());
            pane->show();
        }
    }
    update();
}

void CvxCompareSplitterWnd::StartTracking(Bar bar)
{
    if (m_layout.GetBar(bar).isEmpty()) {
        return;
    }
    BeginTracking(bar, true);
}

void CvxCompareSplitterWnd::BeginTracking(Bar bar, bool keyboard)
{
    m_tracking = bar;
    m_keyboard = keyboard;
    m_trackPos = m_layout.GetBarPosition(bar);
    m_focusBefore = QApplication::focusWidget();
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
    if (!keyboard) {
        grabMouse();
    }
    MoveTracker(m_trackPos);
    m_tracker->show();
    m_tracker->raise();
}

void CvxCompareSplitterWnd::MoveTracker(int position)
{
    const auto [low, high] = m_layout.GetTrackLimits(m_tracking);
    m_trackPos = std::clamp(position, low, high);
    const QRect bar = m_layout.GetBar(m_tracking);
    m_tracker->setGeometry(Layout::IsVertical(m_tracking) ? bar.translated(m_trackPos - bar.left(), 0)
                                                          : bar.translated(0, m_trackPos - bar.top()));
}

void CvxCompareSplitterWnd::EndTracking(bool apply)
{
    if (!IsTracking()) {
        return;
    }
    const Bar bar = m_tracking;
    m_tracking = Layout::kNoBar;
    m_tracker->hide();
    if (!m_keyboard) {
        releaseMouse();
    }
    setFocusPolicy(Qt::NoFocus);
    if (QPointer<QWidget> before = m_focusBefore; before != nullptr && before != this) {
        before->setFocus(Qt::OtherFocusReason);
    }
    m_focusBefore = nullptr;
    if (apply) {
        m_layout.MoveBar(bar, m_trackPos);
        RecalcLayout();
    }
}

void CvxCompareSplitterWnd::ScrollHorizontally(QWidget* pane, int x)
{
    // A pane may sit inside its scroll bars' wrapper, which is what the cell holds.
    const auto holds = [&](Cell cell) {
        const auto& panes = GetPanes(cell);
        return std::any_of(panes.begin(), panes.end(), [&](QWidget* w) { return w == pane || w->isAncestorOf(pane); });
    };
    const auto inColumn = [&](Cell first, Cell second) { return holds(first) || holds(second); };
    std::vector<Cell> column;
    if (inColumn(Layout::kHeader, Layout::kGrid)) {
        column = {Layout::kGrid, Layout::kHeader};
    } else if (inColumn(Layout::kHeaderLeft, Layout::kDataLeft)) {
        column = {Layout::kDataLeft, Layout::kHeaderLeft};
    } else if (inColumn(Layout::kHeaderRight, Layout::kDataRight)) {
        column = {Layout::kDataRight, Layout::kHeaderRight};
    }
    // The first pane of the column leads (the grid keeps its offset within its columns); the
    // others take the offset it kept.
    bool lead = true;
    for (const Cell cell : column) {
        for (QWidget* widget : GetPanes(cell)) {
            auto* view = qobject_cast<CvxComparePaneView*>(widget);
            view = view != nullptr ? view : widget->findChild<CvxComparePaneView*>();
            if (view == nullptr) {
                continue;
            }
            if (view->GetHorizontalOrigin() != x) {
                view->SetHorizontalOrigin(x);
            }
            if (lead) {
                x = view->GetHorizontalOrigin();
                lead = false;
            }
        }
    }
}

void CvxCompareSplitterWnd::resizeEvent(QResizeEvent*)
{
    EndTracking(false);
    RecalcLayout();
}

void CvxCompareSplitterWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    for (const Bar bar : {Layout::kRowBar, Layout::kLeftBar, Layout::kRightBar}) {
        painter.fillRect(m_layout.GetBar(bar), face);
    }
}

void CvxCompareSplitterWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const Bar bar = m_layout.HitTest(at);
    if (bar == Layout::kNoBar) {
        return;
    }
    m_grabOffset = Layout::IsVertical(bar) ? at.x() - m_layout.GetBarPosition(bar) : at.y() - m_layout.GetBarPosition(bar);
    BeginTracking(bar, false);
}

void CvxCompareSplitterWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (IsTracking() && !m_keyboard) {
        MoveTracker((Layout::IsVertical(m_tracking) ? at.x() : at.y()) - m_grabOffset);
        return;
    }
    UpdateCursor(at);
}

void CvxCompareSplitterWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (IsTracking() && !m_keyboard && event->button() == Qt::LeftButton) {
        EndTracking(true);
    }
}

bool CvxCompareSplitterWnd::event(QEvent* event)
{
    // While a bar is tracked every key is the tracker's: the window's shortcuts (the arrows,
    // Esc) wait until it ends.
    if (event->type() == QEvent::ShortcutOverride && IsTracking()) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CvxCompareSplitterWnd::keyPressEvent(QKeyEvent* event)
{
    if (!IsTracking()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = (event->modifiers() & Qt::ControlModifier) ? 1 : 16;
    const bool vertical = Layout::IsVertical(m_tracking);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: EndTracking(true); break;
    case Qt::Key_Escape: EndTracking(false); break;
    case Qt::Key_Left:
        if (vertical) {
            MoveTracker(m_trackPos - step);
        }
        break;
    case Qt::Key_Right:
        if (vertical) {
            MoveTracker(m_trackPos + step);
        }
        break;
    case Qt::Key_Up:
        if (!vertical) {
            MoveTracker(m_trackPos - step);
        }
        break;
    case Qt::Key_Down:
        if (!vertical) {
            MoveTracker(m_trackPos + step);
        }
        break;
    default: break;
    }
    event->accept();
}

void CvxCompareSplitterWnd::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void CvxCompareSplitterWnd::focusOutEvent(QFocusEvent* event)
{
    // Losing the focus while tracking (another window, a dialog) cancels, as Esc does.
    if (IsTracking() && m_keyboard) {
        EndTracking(false);
    }
    QWidget::focusOutEvent(event);
}

void CvxCompareSplitterWnd::UpdateCursor(const QPoint& at)
{
    switch (m_layout.HitTest(at)) {
    case Layout::kRowBar: setCursor(Qt::SplitVCursor); break;
    case Layout::kLeftBar:
    case Layout::kRightBar: setCursor(Qt::SplitHCursor); break;
    default: unsetCursor(); break;
    }
}

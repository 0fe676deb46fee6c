#include "CvxCompareDataView.h"

#include "CvxCompareColumnWidth.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxScrollBarWrapper.h"

#include <QKeyEvent>
#include <QWheelEvent>

CvxCompareDataView::CvxCompareDataView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxCompareDataViewport>(model), nullptr, true, parent)
{
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
}

CvxCompareDataViewport& CvxCompareDataView::GetGrid()
{
    return static_cast<CvxCompareDataViewport&>(GetViewport());
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

void CvxCompareDataView::OnModelMessage(CvxCompareMessage& message)
{
    const int type = message.GetType();
    if (type == CvxCompareNewDataMessage::kType || type == CvxCompareColumnsChangedMessage::kType
        || type == CvxCompareInsertColumnMessage::kType) {
        CvxCompareColumnWidth::SizeUnsized(GetModel()); // new columns get the width their values need
    }
    if (GetGrid().OnModelMessage(message) && m_bars != nullptr) {
        m_bars->UpdateScrollBars();
    }
}

void CvxCompareDataView::keyPressEvent(QKeyEvent* event)
{
    const auto send = [&](auto message) {
        GetGrid().OnModelMessage(message);
        if (m_bars != nullptr) {
            m_bars->UpdateScrollBars();
        }
    };
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

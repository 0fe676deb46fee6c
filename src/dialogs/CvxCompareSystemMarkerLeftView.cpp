#include "CvxCompareSystemMarkerLeftView.h"

#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxMarkersViewPort.h"

#include <QEvent>

CvxCompareSystemMarkerLeftView::CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent)
    : CvxCompareMarkerBarView(model, "markers-left", parent)
    , m_converter(model)
{
    CvxMarkersViewPort& markers = GetMarkers();
    markers.SetArrowDirection(CvxMarkersViewPort::kArrowRight);
    markers.SetBorderEdge(CvxMarkersViewPort::kEdgeTop | CvxMarkersViewPort::kEdgeBottom);
    markers.SetShowWindowRange(false);
    markers.SetWindowHandle(FindGrid());
    markers.SetScrollEnable(true);
    markers.SetConvertCB(&m_converter);
    if (QWidget* grid = FindGrid()) {
        grid->installEventFilter(this); // the rows move when the grid's height changes
    }
    Recompute();
}

bool CvxCompareSystemMarkerLeftView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize) {
        Recompute();
    }
    return CvxCompareMarkerBarView::eventFilter(watched, event);
}

QWidget* CvxCompareSystemMarkerLeftView::FindGrid()
{
    if (m_grid.isNull()) {
        CvxCompareWindowHandleMessage handle;
        GetModel().Broadcast(handle);
        m_grid = static_cast<QWidget*>(handle.GetWindow());
    }
    return m_grid.data();
}

void CvxCompareSystemMarkerLeftView::UpdateWindowRange()
{
    auto* grid = qobject_cast<CvxCompareDataView*>(FindGrid());
    if (grid == nullptr) {
        return;
    }
    GetMarkers().SetWindowHandle(grid);
    const int rowHeight = grid->GetGrid().GetRowHeight();
    const int top = mapFromGlobal(grid->mapToGlobal(QPoint(0, 0))).y();
    m_converter.SetGeometry(rowHeight, grid->height(), top);
    SetWindowRows(grid->height() / std::max(1, rowHeight));
    if (GetMarkers().HasWindowRange()) {
        // The rows the grid shows: the window just set.
        m_converter.SetWindow(GetMarkers().GetWindowFirst(), GetMarkers().GetWindowLast());
    }
}

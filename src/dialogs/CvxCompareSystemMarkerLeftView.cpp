#include "CvxCompareSystemMarkerLeftView.h"

#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareMarkerBars.h"
#include "CvxCompareModel.h"
#include "CvxMarkersViewPort.h"

CvxCompareSystemMarkerLeftView::CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxMarkersViewPort>("markers-left", model.GetMarkerMgr(), true),
                         nullptr, false, parent)
{
    // A marker's flag points at the middle of its row in the grid, in this bar's rows.
    GetMarkers().SetRowOf([this](const CvxPosition& position) {
        auto* grid = qobject_cast<CvxCompareDataView*>(FindGrid());
        if (grid == nullptr) {
            return -1;
        }
        const CvxCompareDataViewport& rows = grid->GetGrid();
        const int top = rows.RowTopOf(position);
        if (top < 0) {
            return -1;
        }
        const int y = mapFromGlobal(grid->mapToGlobal(QPoint(0, top + rows.GetRowHeight() / 2))).y();
        return y >= 0 && y < height() ? y : -1;
    });
    GetModel().GetMarkerMgr().AddObserver(this);
}

CvxCompareSystemMarkerLeftView::~CvxCompareSystemMarkerLeftView()
{
    GetModel().GetMarkerMgr().RemoveObserver(this);
}

CvxMarkersViewPort& CvxCompareSystemMarkerLeftView::GetMarkers()
{
    return static_cast<CvxMarkersViewPort&>(GetViewport());
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

void CvxCompareSystemMarkerLeftView::OnModelMessage(CvxMvcDefMsg& message)
{
    if (CvxCompareMarkerBars::Repaints(message.GetType())) {
        GetViewport().Invalidate();
    }
}

bool CvxCompareSystemMarkerLeftView::event(QEvent* event)
{
    return CvxCompareMarkerBars::ShowToolTip(*this, GetMarkers(), *event) || CvxComparePaneView::event(event);
}

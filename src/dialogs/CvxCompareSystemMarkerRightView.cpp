#include "CvxCompareSystemMarkerRightView.h"

#include "CvxCompareModel.h"
#include "CvxCompareRowWalk.h"
#include "CvxMarkersViewPort.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"

#include <QFontMetrics>
#include <QStyle>

CvxCompareSystemMarkerRightView::CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent)
    : CvxCompareMarkerBarView(model, "markers-right", parent)
{
    CvxMarkersViewPort& markers = GetMarkers();
    markers.SetArrowDirection(CvxMarkersViewPort::kArrowLeft);
    markers.SetBorderEdge(CvxMarkersViewPort::kEdgeTop | CvxMarkersViewPort::kEdgeRight
                          | CvxMarkersViewPort::kEdgeBottom);
    markers.SetShowWindowRange(true);
    markers.SetMarginSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    markers.SetRestrictViewPortToWindowRange(false);
    // A dragged marker lands on a row of the data.
    markers.SetSnap([this](const CvxPosition& position) {
        CvxCompareRowWalk walk(GetModel());
        return walk.RowAtOrAfter(position).value_or(position);
    });
    Recompute();
}

void CvxCompareSystemMarkerRightView::UpdateWindowRange()
{
    const CvxCompareProperties& properties = GetModel().GetProperties();
    const QFont font = CvxFont(CvxQt(properties.GetDataFontName()), properties.GetFontPointSize()).Get();
    SetWindowRows(height() / std::max(1, QFontMetrics(font).height()));
}

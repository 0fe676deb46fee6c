#include "CvxCompareSystemMarkerRightView.h"

#include "CvxCompareMarkerBars.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareOverviewScale.h"
#include "CvxMarkersViewPort.h"

namespace {

// The bar's row of a position: a linear map of the data's span onto the bar's height; -1
// outside the data.
int RowOf(const CvxCompareModel& model, int height, const CvxPosition& position)
{
    if (!model.IsDataValid() || height <= 0) {
        return -1;
    }
    const CvxInt128 first = model.GetDataFirst().AsInt128();
    const CvxInt128 last = model.GetDataLast().AsInt128();
    const CvxInt128 at = position.AsInt128();
    if (at < first || at > last) {
        return -1;
    }
    CvxCompareOverviewScale scale;
    scale.Set(first, last, height);
    return scale.IsEmpty() ? 0 : scale.PixelOf(at);
}

} // namespace

CvxCompareSystemMarkerRightView::CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxMarkersViewPort>("markers-right", model.GetMarkerMgr(), false),
                         nullptr, false, parent)
{
    GetMarkers().SetRowOf([this](const CvxPosition& position) {
        return RowOf(GetModel(), GetViewport().GetSize().height(), position);
    });
    GetModel().GetMarkerMgr().AddObserver(this);
    Refresh();
}

CvxCompareSystemMarkerRightView::~CvxCompareSystemMarkerRightView()
{
    GetModel().GetMarkerMgr().RemoveObserver(this);
}

CvxMarkersViewPort& CvxCompareSystemMarkerRightView::GetMarkers()
{
    return static_cast<CvxMarkersViewPort&>(GetViewport());
}

void CvxCompareSystemMarkerRightView::Refresh()
{
    CvxCompareModel& model = GetModel();
    if (!model.IsDataValid()) {
        GetMarkers().ClearBracket();
        return;
    }
    // The model's own record stands when no grid answers.
    CvxCompareWindowRangeMessage range;
    range.SetStartPosition(model.GetWindowFirst());
    range.SetEndPosition(model.GetWindowLast());
    model.Broadcast(range);
    const int height = GetViewport().GetSize().height();
    const int top = RowOf(model, height, range.GetStartPosition());
    const int bottom = RowOf(model, height, range.GetEndPosition());
    if (top < 0 || bottom < 0) {
        GetMarkers().ClearBracket();
    } else {
        GetMarkers().SetBracket(top, bottom);
    }
    GetViewport().Invalidate();
}

void CvxCompareSystemMarkerRightView::OnModelMessage(CvxMvcDefMsg& message)
{
    if (CvxCompareMarkerBars::Repaints(message.GetType())) {
        Refresh();
    }
}

void CvxCompareSystemMarkerRightView::resizeEvent(QResizeEvent* event)
{
    CvxComparePaneView::resizeEvent(event);
    Refresh();
}

bool CvxCompareSystemMarkerRightView::event(QEvent* event)
{
    return CvxCompareMarkerBars::ShowToolTip(*this, GetMarkers(), *event) || CvxComparePaneView::event(event);
}

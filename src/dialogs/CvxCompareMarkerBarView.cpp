#include "CvxCompareMarkerBarView.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareRowWalk.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkersController.h"
#include "CvxMarkersViewPort.h"

namespace {

constexpr int kOriginMoved = 10;
constexpr int kCenterMoved = 11;

} // namespace

CvxCompareMarkerBarView::CvxCompareMarkerBarView(CvxCompareModel& model, const QString& pane, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxMarkersViewPort>(pane, model.GetMarkerMgr()),
                         std::make_unique<CvxMarkersController>(), false, parent)
{
    GetMarkersController().Attach(*this, GetMarkers());
    model.GetMarkerMgr().AddObserver(this);
}

CvxCompareMarkerBarView::~CvxCompareMarkerBarView()
{
    GetModel().GetMarkerMgr().RemoveObserver(this);
}

CvxMarkersViewPort& CvxCompareMarkerBarView::GetMarkers()
{
    return static_cast<CvxMarkersViewPort&>(GetViewport());
}

CvxMarkersController& CvxCompareMarkerBarView::GetMarkersController()
{
    return *static_cast<CvxMarkersController*>(GetController());
}

void CvxCompareMarkerBarView::SetWindowRows(int rows)
{
    const CvxCompareModel& model = GetModel();
    if (!model.IsDataValid()) {
        return;
    }
    CvxCompareRowWalk walk(model);
    if (const auto window = walk.WindowOf(std::max(1, rows))) {
        GetMarkers().SetWindowRange(model.GetDataFirst().AsInt128(), model.GetDataLast().AsInt128(),
                                    window->first.AsInt128(), window->last.AsInt128());
    }
}

void CvxCompareMarkerBarView::Recompute()
{
    if (GetMarkers().IsSuppressingUpdates()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    UpdateWindowRange();
    GetMarkers().Redraw();
}

void CvxCompareMarkerBarView::OnModelMessage(CvxMvcDefMsg& message)
{
    switch (message.GetType()) {
    case kOriginMoved:
    case kCenterMoved:
    case CvxCompareNewDataMessage::kType:
    case CvxCompareColumnsChangedMessage::kType:
    case CvxCompareMarkerManagerRegisteredMessage::kType:
    // Beyond those, the row height follows the font and the data may be compared again.
    case CvxComparePropertiesChangedMessage::kType:
    case CvxCompareDataChangedMessage::kType:
    case CvxCompareModelLoadedMessage::kType: Recompute(); break;
    case CvxCompareMarkerPropertiesMessage::kType:
    case CvxMarkerMgr::kMarkersChangedMessage: GetMarkers().Redraw(); break;
    case CvxCompareMarkerDisplayUpdatesSuppressMessage::kType: {
        const bool suppress = static_cast<CvxCompareMarkerDisplayUpdatesSuppressMessage&>(message).GetSuppress();
        if (!suppress && m_stale) {
            m_stale = false;
            UpdateWindowRange(); // while still held: the release below draws once
        }
        GetMarkers().SetSuppressUpdates(suppress);
        break;
    }
    default: break;
    }
}

bool CvxCompareMarkerBarView::event(QEvent* event)
{
    return GetMarkers().RelayEvent(*this, *event) || CvxComparePaneView::event(event);
}

void CvxCompareMarkerBarView::resizeEvent(QResizeEvent* event)
{
    CvxComparePaneView::resizeEvent(event);
    Recompute();
}

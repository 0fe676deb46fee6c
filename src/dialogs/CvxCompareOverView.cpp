#include "CvxCompareOverView.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareOverviewViewport.h"

#include <QEvent>
#include <QMouseEvent>
#include <QStyle>

CvxCompareOverView::CvxCompareOverView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxCompareOverviewViewport>(model), nullptr, false, parent)
{
    GetOverview().SetScrollBarExtent(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

CvxCompareOverviewViewport& CvxCompareOverView::GetOverview()
{
    return static_cast<CvxCompareOverviewViewport&>(GetViewport());
}

void CvxCompareOverView::OnModelMessage(CvxMvcDefMsg& message)
{
    switch (message.GetType()) {
    case CvxCompareNewDataMessage::kType:
    case CvxCompareDataChangedMessage::kType:
    case CvxCompareResizeMessage::kType: GetOverview().Rebuild(); break;
    case CvxComparePropertiesChangedMessage::kType: GetViewport().Invalidate(); break;
    default: break;
    }
}

void CvxCompareOverView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (const auto position = GetOverview().PositionAt(event->position().toPoint().y())) {
            GetModel().MoveCenter(CvxPosition::AtTime(CvxTime(*position)), true);
        }
    }
    CvxComparePaneView::mousePressEvent(event);
}

void CvxCompareOverView::changeEvent(QEvent* event)
{
    // Another style may give scroll bars another arrow height, and the grid's track moves.
    if (event->type() == QEvent::StyleChange) {
        GetOverview().SetScrollBarExtent(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    }
    CvxComparePaneView::changeEvent(event);
}

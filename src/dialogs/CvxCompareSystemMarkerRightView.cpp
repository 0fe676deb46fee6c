#include "CvxCompareSystemMarkerRightView.h"

#include "CvxComparePlainViewport.h"

CvxCompareSystemMarkerRightView::CvxCompareSystemMarkerRightView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxComparePlainViewport>("markers-right", QPalette::Window), nullptr, false, parent)
{
}

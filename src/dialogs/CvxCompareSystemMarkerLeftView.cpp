#include "CvxCompareSystemMarkerLeftView.h"

#include "CvxComparePlainViewport.h"

CvxCompareSystemMarkerLeftView::CvxCompareSystemMarkerLeftView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxComparePlainViewport>("markers-left", QPalette::Window), nullptr, false, parent)
{
}

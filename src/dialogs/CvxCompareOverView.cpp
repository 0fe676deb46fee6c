#include "CvxCompareOverView.h"

#include "CvxComparePlainViewport.h"

CvxCompareOverView::CvxCompareOverView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxComparePlainViewport>("overview", QPalette::Window), nullptr, false, parent)
{
}

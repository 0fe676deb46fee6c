#include "CvxCompareDataView.h"

#include "CvxComparePlainViewport.h"

CvxCompareDataView::CvxCompareDataView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxComparePlainViewport>("grid", QPalette::Base), nullptr, true, parent)
{
}

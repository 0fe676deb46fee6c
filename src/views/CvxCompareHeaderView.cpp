#include "CvxCompareHeaderView.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxComparePlainViewport.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxCompareViewMetrics.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"

#include <QFontMetrics>

CvxCompareHeaderView::CvxCompareHeaderView(CvxCompareModel& model, CvxCompareSplitterWnd& splitter)
    : CvxComparePaneView(model, std::make_unique<CvxComparePlainViewport>("header", QPalette::Button), nullptr, true,
                         &splitter)
    , m_splitter(splitter)
{
}

void CvxCompareHeaderView::TrackHeaderHeight()
{
    CvxCompareModel& model = GetModel();
    CvxCompareProperties properties = model.GetProperties();
    const QFontMetrics metrics(CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get());
    properties.SetHeaderRowHeight(CvxCompareViewMetrics::HeaderRowHeight(metrics.height() + metrics.leading()));
    model.SetProperties(properties);
    m_splitter.SetSidesShown(properties.IsMarkersDisplayed());
    m_splitter.SetRowHeight(CvxCompareViewMetrics::HeaderHeight(properties));
    m_splitter.RecalcLayout();
}

void CvxCompareHeaderView::ShowSelectedColumn()
{
    for (const CvxCompareColumn& column : GetModel().GetColumns()) {
        if (!column.IsSelected()) {
            continue;
        }
        int x = GetHorizontalOrigin();
        if (column.GetLeft() + column.GetWidth() > x + width()) {
            x = column.GetLeft() + column.GetWidth() - width();
        }
        if (column.GetLeft() < x) {
            x = column.GetLeft();
        }
        m_splitter.ScrollHorizontally(this, x);
        return;
    }
}

void CvxCompareHeaderView::OnModelMessage(CvxMvcDefMsg& message)
{
    const int type = message.GetType();
    if (type == CvxComparePropertiesChangedMessage::kType || type == CvxCompareModelLoadedMessage::kType) {
        TrackHeaderHeight();
    }
}

void CvxCompareHeaderView::customEvent(QEvent* event)
{
    if (event->type() == kShowSelectedColumnEvent) {
        ShowSelectedColumn();
        return;
    }
    CvxComparePaneView::customEvent(event);
}

#include "CvxCompareView.h"

#include "CvxCompare.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareControlsDlg.h"
#include "CvxCompareDataView.h"
#include "CvxCompareDataViewport.h"
#include "CvxCompareDoc.h"
#include "CvxCompareEmptyView.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareMessage.h"
#include "CvxCompareOverView.h"
#include "CvxComparePrintCtrl.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxCompareStatusBar.h"
#include "CvxCompareStatusViewport.h"
#include "CvxCompareSystemMarkerLeftView.h"
#include "CvxCompareSystemMarkerRightView.h"
#include "CvxCompareViewMetrics.h"
#include "CvxFontMgr.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxScrollBarWrapper.h"

#include <QFontMetrics>
#include <QJsonArray>

namespace {

// The module's windows tell the tool which view class its windows are made of when the
// module is loaded.
const CvxPlugInViewClass g_viewClass = CvxPlugInViewClass::Of<CvxCompareView>("CvxCompareView");
const bool g_registered = [] {
    CvxCompare::SetViewClass(&g_viewClass);
    return true;
}();

CvxCompareFontMeasure Measure(const QFont& font)
{
    const QFontMetrics metrics(font);
    return {metrics.averageCharWidth(), metrics.height() + metrics.leading()};
}

} // namespace

CvxCompareView::CvxCompareView()
{
    setObjectName("CvxCompareView");
}

CvxCompareView::~CvxCompareView()
{
    if (m_model != nullptr) {
        if (CvxComparePrintCtrl* printer = CvxComparePrintCtrl::ForModel(*m_model)) {
            printer->SetOutlineQuery({});
        }
        m_model->RemoveObserver(this);
        m_model->SetColumnWidthMeasure({});
    }
    // The panes observe the model too; they go before the model's observer list is left.
    delete m_splitter;
}

bool CvxCompareView::Create(CvxDocument& document)
{
    auto* compare = dynamic_cast<CvxCompareDoc*>(&document);
    if (compare == nullptr) {
        return false;
    }
    m_model = &compare->GetModel();
    CvxCompareModel* model = m_model;
    m_model->SetColumnWidthMeasure([model](const CvxCompareColumn& column) { return CvxCompareColumnWidth::Measure(*model, column); });
    m_bar = new CvxCompareControlsDlg(*m_model, this);
    m_model->AddObserver(this);

    m_splitter = new CvxCompareSplitterWnd(this);
    using Layout = CvxCompareSplitterLayout;
    m_header = new CvxCompareHeaderView(*m_model, *m_splitter);
    m_header->setObjectName("CvxCompareHeaderView");
    auto* cornerLeft = new CvxCompareEmptyView(*m_model, m_splitter);
    cornerLeft->setObjectName("CvxCompareEmptyViewLeft");
    auto* cornerRight = new CvxCompareEmptyView(*m_model, m_splitter);
    cornerRight->setObjectName("CvxCompareEmptyViewRight");
    m_grid = new CvxCompareDataView(*m_model, nullptr);
    m_grid->setObjectName("CvxCompareDataView");
    auto* gridBars = new CvxScrollBarWrapper(m_grid, m_grid->GetGrid(), Qt::Vertical | Qt::Horizontal, m_splitter);
    gridBars->setObjectName("CvxCompareDataViewScrollBars");
    m_grid->SetScrollBars(gridBars);
    // The print dialog offers the rows outlined in this grid as its selection.
    if (CvxComparePrintCtrl* printer = CvxComparePrintCtrl::ForModel(*m_model)) {
        CvxCompareDataView* grid = m_grid;
        printer->SetOutlineQuery([grid](CvxPosition& first, CvxPosition& last) {
            const CvxCompareDataViewport& viewport = grid->GetGrid();
            if (!viewport.HasOutline()) {
                return false;
            }
            first = viewport.GetOutlineFirst();
            last = viewport.GetOutlineLast();
            return true;
        });
    }
    auto* markersLeft = new CvxCompareSystemMarkerLeftView(*m_model, m_splitter);
    markersLeft->setObjectName("CvxCompareSystemMarkerLeftView");
    auto* markersRight = new CvxCompareSystemMarkerRightView(*m_model, m_splitter);
    markersRight->setObjectName("CvxCompareSystemMarkerRightView");
    auto* overview = new CvxCompareOverView(*m_model, m_splitter);
    overview->setObjectName("CvxCompareOverView");
    m_splitter->SetPanes(Layout::kHeaderLeft, {cornerLeft});
    m_splitter->SetPanes(Layout::kHeader, {m_header});
    m_splitter->SetPanes(Layout::kHeaderRight, {cornerRight});
    m_splitter->SetPanes(Layout::kDataLeft, {markersLeft});
    m_splitter->SetPanes(Layout::kGrid, {gridBars});
    m_splitter->SetPanes(Layout::kDataRight, {markersRight, overview});

    m_status = new CvxCompareStatusBar(this);
    RefreshCounters();
    // The model may have got columns while it had no window (a setup's columns saved without
    // widths, a run delivered before the window was made): the messages that size them are
    // gone, so they get their measured widths now.
    CvxCompareColumnWidth::SizeUnsized(*m_model);
    return true;
}

void CvxCompareView::OnInitialUpdate()
{
    CvxCompareProperties properties = m_model->GetProperties();
    const CvxFont label(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize());
    CvxCompareViewMetrics::ApplyLabelFont(properties, Measure(label.Get()));
    m_model->SetProperties(properties);

    const CvxFontInfo standard = CvxFontMgr::GetInstance().GetFontInfo(0);
    const int b = Measure(CvxFont(CvxQt(standard.GetFaceName()), standard.GetPointSize()).Get()).averageCharWidth;
    m_splitter->SetSideWidths(CvxCompareViewMetrics::LeftColumnWidth(b), CvxCompareViewMetrics::RightColumnWidth(b));
    m_splitter->SetSidesShown(properties.IsMarkersDisplayed());
    m_splitter->SetRowHeight(CvxCompareViewMetrics::HeaderHeight(properties));
    m_splitter->RecalcLayout();
}

void CvxCompareView::StartSplit()
{
    m_splitter->StartTracking(CvxCompareSplitterLayout::kRowBar);
}

void CvxCompareView::resizeEvent(QResizeEvent*)
{
    LayoutChildren();
}

void CvxCompareView::LayoutChildren()
{
    if (m_splitter == nullptr) {
        return;
    }
    const int barHeight = m_bar->height();
    const int statusHeight = m_status->height();
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_status->setGeometry(0, height() - statusHeight, width(), statusHeight);
    m_splitter->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight - statusHeight));
}

void CvxCompareView::Update(CvxMvcModel*, CvxMvcDefMsg* message)
{
    auto* compare = dynamic_cast<CvxCompareMessage*>(message);
    if (compare == nullptr) {
        return;
    }
    const int type = compare->GetType();
    if (type == CvxCompareNewDataMessage::kType || type == CvxCompareDataChangedMessage::kType) {
        RefreshCounters();
    }
}

std::array<int, 4> CvxCompareView::GetCounters() const
{
    const CvxCompareResults& results = m_model->GetResults();
    return {results.GetSamplesCompared(), m_model->GetColumnsCompared(), results.GetComparisons(),
            results.GetDifferences()};
}

void CvxCompareView::RefreshCounters()
{
    m_status->SetCounters(GetCounters());
}

QJsonObject CvxCompareView::Describe() const
{
    QJsonArray counters;
    for (int counter = 0; counter < CvxCompareStatusViewport::kCounters; ++counter) {
        counters.append(m_status->GetStatus().GetText(counter));
    }
    return QJsonObject{{"counters", counters}};
}

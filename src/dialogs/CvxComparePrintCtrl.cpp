#include "CvxComparePrintCtrl.h"

#include "CvxCompare.h"
#include "CvxCompareModel.h"
#include "CvxComparePrintOptionsPage.h"
#include "CvxComparePrintTokens.h"
#include "CvxComparePrinterCtrlRender.h"
#include "CvxData.h"
#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxPainterSelect.h"
#include "CvxPlugInMgr.h"
#include "CvxPrintMgr.h"
#include "CvxPrintSheet.h"

#include <QPaintDevice>

namespace {

// Loading the window library makes the tool's controllers these.
const bool g_registered = [] {
    CvxCompare::SetPrintCtrlFactory([](CvxCompareModel& model, const CvxID& instance) -> std::unique_ptr<CvxPrintCtrlBase> {
        return std::make_unique<CvxComparePrintCtrl>(model, instance);
    });
    return true;
}();

} // namespace

CvxComparePrintCtrl::CvxComparePrintCtrl(CvxCompareModel& model, const CvxID& instance)
    : CvxComparePrintCtrlCore(model, instance), m_support(model)
{
}

CvxComparePrintCtrl::~CvxComparePrintCtrl()
{
    delete m_page;
}

CvxComparePrintCtrl* CvxComparePrintCtrl::ForModel(const CvxCompareModel& model)
{
    for (CvxPrintCtrlBase* controller : CvxPrintMgr::GetInstance().GetPrintControllers()) {
        auto* compare = dynamic_cast<CvxComparePrintCtrl*>(controller);
        if (compare != nullptr && &compare->GetModel() == &model) {
            return compare;
        }
    }
    return nullptr;
}

void CvxComparePrintCtrl::BeginJob()
{
    m_render = std::make_unique<CvxComparePrinterCtrlRender>(m_support);
    m_support.SetData(GetModel().IsDataValid() ? GetModel().GetInputData() : nullptr);
}

void CvxComparePrintCtrl::EndJob()
{
    m_render.reset();
    m_support.SetData(nullptr);
}

QFont CvxComparePrintCtrl::GetPrintFont() const
{
    return CvxFont("Arial", 10).Get();
}

bool CvxComparePrintCtrl::HasSelection() const
{
    CvxPosition first;
    CvxPosition last;
    return m_outline && m_outline(first, last);
}

void CvxComparePrintCtrl::ResolveRange(bool selection)
{
    CvxCompareModel& model = GetModel();
    // The outline may run either way; the swap below orders it.
    const bool outlined = selection && m_outline && m_outline(m_start, m_end);
    if (!outlined) {
        m_start = model.GetDataFirst();
        m_end = model.GetDataLast();
        const CvxCompareRange& range = model.GetCompareRange();
        if (range.GetType() == CvxCompareRange::kMarkers) {
            if (const CvxMarker* from = model.GetMarkerMgr().GetMarker(range.GetFromMarkerID())) {
                m_start = from->GetPosition();
            }
            if (const CvxMarker* to = model.GetMarkerMgr().GetMarker(range.GetToMarkerID())) {
                m_end = to->GetPosition();
            }
        }
    }
    if (m_end < m_start) {
        std::swap(m_start, m_end);
    }
}

void CvxComparePrintCtrl::BuildTokens()
{
    m_tokens.clear();
    m_tokens[CvxComparePrintTokens::kName] = CvxPlugInMgr::GetInstance().GetFullName(GetInstance());
    const CvxCompareModel& model = GetModel();
    const bool data = model.IsDataValid() && model.GetInputData()->GetTableCount() > 0;
    CvxComparePrintTokens::SetDateTime(m_tokens, data ? model.GetInputData()->GetTable(0).GetEndTime()
                                                      : std::chrono::system_clock::now());
    m_tokens[CvxComparePrintTokens::kPage] = CvxComparePrintTokens::PageText(1, 1, 0, 0);
    m_tokens[CvxComparePrintTokens::kSpan] = CvxComparePrintTokens::SpanText(GetRangeMode(), m_start, m_end);
}

bool CvxComparePrintCtrl::PrepareAt(const QRect& page, int dpiX, int dpiY, bool selection, std::u16string& error)
{
    if (m_render == nullptr) {
        BeginJob();
    }
    ResolveRange(selection);
    BuildTokens();
    std::vector<CvxComparePrintLayout::Field> fields;
    std::vector<const CvxCompareColumn*> columns;
    for (const CvxCompareColumn& column : GetModel().GetColumns()) {
        fields.push_back({m_support.FieldInches(column), CvxComparePrintSupport::IsRepeating(column)});
        columns.push_back(&column);
    }
    if (!m_layout.Compute(page, dpiX, dpiY, m_settings, fields, error)) {
        // No groups: no pages.
        m_render->Start(m_layout, {}, m_start, m_end, m_settings.everyPage);
        return false;
    }
    m_render->Start(m_layout, std::move(columns), m_start, m_end, m_settings.everyPage);
    return true;
}

bool CvxComparePrintCtrl::PrepareDevice(QPaintDevice& device, const QRect& page, bool selection, std::u16string& error)
{
    return PrepareAt(page, device.logicalDpiX(), device.logicalDpiY(), selection, error);
}

bool CvxComparePrintCtrl::HasNextPage() const
{
    return m_render != nullptr && m_render->HasNextPage();
}

void CvxComparePrintCtrl::PrintPage(QPainter& painter, int pageNumber)
{
    if (m_render == nullptr) {
        return;
    }
    m_render->RenderPage(painter);
    m_tokens[CvxComparePrintTokens::kPage] = CvxComparePrintTokens::PageText(
        pageNumber, m_layout.GetGroupCount(), m_render->GetGroup(), m_render->GetPageInGroup());
}

void CvxComparePrintCtrl::AddOptionPages(CvxPrintSheet& sheet)
{
    if (m_page == nullptr) {
        m_page = new CvxComparePrintOptionsPage(m_settings);
    }
    sheet.AddPage(m_page);
}

void CvxComparePrintCtrl::RemoveOptionPages(CvxPrintSheet& sheet)
{
    sheet.RemovePage(m_page);
    delete m_page;
}

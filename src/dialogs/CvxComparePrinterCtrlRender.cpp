#include "CvxComparePrinterCtrlRender.h"

#include "CvxComparePrintLayout.h"

#include <QPainter>

void CvxComparePrinterCtrlRender::Start(const CvxComparePrintLayout& layout, std::vector<const CvxCompareColumn*> fields,
                                        const CvxPosition& start, const CvxPosition& end, bool everyPage)
{
    m_layout = &layout;
    m_fields = std::move(fields);
    m_start = start;
    m_end = end;
    m_everyPage = everyPage;
    m_group = 0;
    m_pageInGroup = 0;
    m_nextGroup = 0;
    m_nextPageInGroup = 0;
    m_next = start;
}

bool CvxComparePrinterCtrlRender::HasNextPage() const
{
    return m_layout != nullptr && m_nextGroup < m_layout->GetGroupCount();
}

void CvxComparePrinterCtrlRender::RenderPage(QPainter& painter)
{
    if (!HasNextPage()) {
        return;
    }
    m_group = m_nextGroup;
    m_pageInGroup = m_nextPageInGroup;
    const QRect& data = m_layout->GetData();
    std::vector<CvxComparePrintSupport::Place> places;
    int left = data.left();
    for (const int field : m_layout->GetGroups()[static_cast<std::size_t>(m_group)]) {
        const int width = m_layout->GetFieldWidth(field);
        places.push_back({m_fields[static_cast<std::size_t>(field)], left, width});
        left += width;
    }
    int top = data.top();
    if (m_everyPage || m_pageInGroup == 0) {
        for (const CvxComparePrintSupport::Place& place : places) {
            m_support.DrawInfo(painter, place, top);
        }
        top += m_support.InfoHeight(*painter.device());
    }
    const std::optional<CvxPosition> next =
        m_support.DrawRows(painter, places, m_layout->GetStrip(), top, data.bottom() + 1, m_next, m_end);
    if (next) {
        m_next = *next;
        m_nextPageInGroup = m_pageInGroup + 1;
    } else {
        m_next = m_start;
        m_nextGroup = m_group + 1;
        m_nextPageInGroup = 0;
    }
}

#pragma once
// Walks a Compare print page by page: each field group from the start of the print range to
// its end, on as many pages as it needs, then the next group. A page shows the bus/signal
// information above its fields when it is the first of its group, or on every page when
// asked; its rows start where the group's previous page stopped.

#include "CvxComparePrintSupport.h"
#include "CvxPosition.h"

#include <vector>

class CvxCompareColumn;
class CvxComparePrintLayout;
class QPainter;

class CvxComparePrinterCtrlRender {
public:
    explicit CvxComparePrinterCtrlRender(const CvxComparePrintSupport& support) : m_support(support) {}

    // `fields`: the printed columns, indexed as the layout's fields.
    void Start(const CvxComparePrintLayout& layout, std::vector<const CvxCompareColumn*> fields,
               const CvxPosition& start, const CvxPosition& end, bool everyPage);
    bool HasNextPage() const;
    void RenderPage(QPainter& painter);
    // Of the page last rendered, counted from 0.
    int GetGroup() const { return m_group; }
    int GetPageInGroup() const { return m_pageInGroup; }

private:
    const CvxComparePrintSupport& m_support;
    const CvxComparePrintLayout* m_layout = nullptr;
    std::vector<const CvxCompareColumn*> m_fields;
    CvxPosition m_start;
    CvxPosition m_end;
    bool m_everyPage = false;
    int m_group = 0;
    int m_pageInGroup = 0;
    int m_nextGroup = 0;
    int m_nextPageInGroup = 0;
    CvxPosition m_next;
};

#include "CvxPrintSheet.h"

#include "CvxPrintOptionsPage.h"

void CvxPrintSheet::AddPage(CvxPrintOptionsPage* page)
{
    if (page != nullptr && !m_pages.contains(page)) {
        m_pages.append(page);
    }
}

void CvxPrintSheet::RemovePage(CvxPrintOptionsPage* page)
{
    m_pages.removeAll(page);
}

QList<QWidget*> CvxPrintSheet::GetWidgets() const
{
    QList<QWidget*> widgets;
    for (CvxPrintOptionsPage* page : m_pages) {
        widgets.append(page);
    }
    return widgets;
}

void CvxPrintSheet::Apply()
{
    for (CvxPrintOptionsPage* page : m_pages) {
        page->Apply();
    }
}

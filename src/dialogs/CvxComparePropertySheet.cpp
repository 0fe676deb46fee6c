#include "CvxComparePropertySheet.h"

#include "CvxCompareModel.h"
#include "CvxComparePropertyPage.h"
#include "CvxComparePropertyPageColumn.h"
#include "CvxComparePropertyPageRun.h"
#include "CvxMarkerPropertyPage.h"

CvxComparePropertySheet::CvxComparePropertySheet(CvxCompareModel& model, QWidget* parent, int firstPage,
                                                 const CvxID& marker)
    : CvxPropertySheet("ComparePropertySheet", "Compare Properties", parent, firstPage)
    , m_window(new CvxComparePropertyPage(model))
    , m_column(new CvxComparePropertyPageColumn(model))
    , m_markers(new CvxMarkerPropertyPage(model.GetMarkerMgr(), marker))
    , m_run(new CvxComparePropertyPageRun(model))
{
    AddPage(m_window);
    AddPage(m_column);
    AddPage(m_markers);
    AddPage(m_run);
    SetHasHelp(true);
}

bool CvxComparePropertySheet::Run(CvxCompareModel& model, QWidget* parent, int firstPage, const CvxID& marker)
{
    CvxComparePropertySheet sheet(model, parent, firstPage, marker);
    return sheet.exec() == QDialog::Accepted;
}

void CvxComparePropertySheet::ApplyAll()
{
    m_window->UpdateModel();
    m_column->UpdateModel();
    if (!m_run->UpdateModel()) {
        SetActivePage(kDifferencePage);
        return;
    }
    if (!m_markers->UpdateModel()) {
        SetActivePage(kMarkerPage);
    }
}

std::u16string CvxComparePropertySheet::HelpTopic() const
{
    // The difference page has no topic of its own: the contents.
    return GetActivePage() == m_run ? std::u16string() : CvxPropertySheet::HelpTopic();
}

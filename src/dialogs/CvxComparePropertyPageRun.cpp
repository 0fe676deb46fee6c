#include "CvxComparePropertyPageRun.h"

#include "CvxCompareModel.h"
#include "CvxCompareRunUntil.h"
#include "CvxCompareRunUntilControls.h"

#include <QVBoxLayout>

CvxComparePropertyPageRun::CvxComparePropertyPageRun(CvxCompareModel& model, QWidget* parent)
    : CvxPropertyPage("Difference Properties", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<CvxCompareRunUntil>(model.GetRunUntil()))
{
}

CvxComparePropertyPageRun::~CvxComparePropertyPageRun() = default;

void CvxComparePropertyPageRun::OnInitDialog()
{
    m_controls = new CvxCompareRunUntilControls(*m_working, true, this);
    m_controls->SetChangedCommand([this] { SetModified(true); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    layout->addStretch();
    SetModified(false);
}

bool CvxComparePropertyPageRun::UpdateModel()
{
    if (m_controls != nullptr && !m_controls->Commit()) {
        return false;
    }
    m_model.UpdateRunUntil(*m_working);
    SetModified(false);
    return true;
}

#include "CvxCompareRunUntilDlg.h"

#include "CvxCompareModel.h"
#include "CvxCompareRunUntil.h"
#include "CvxCompareRunUntilControls.h"
#include "CvxInfoDlg.h"
#include "CvxQtText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CvxCompareRunUntilDlg::CvxCompareRunUntilDlg(CvxCompareModel& model, QWidget* parent)
    : CvxDialog("CompareRunUntilDlg", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<CvxCompareRunUntil>(model.GetRunUntil()))
{
    setWindowTitle("Run Until");
    m_controls = new CvxCompareRunUntilControls(*m_working, false, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxCompareRunUntilDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxCompareRunUntilDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    layout->addWidget(buttons);
}

CvxCompareRunUntilDlg::~CvxCompareRunUntilDlg() = default;

void CvxCompareRunUntilDlg::accept()
{
    if (!m_controls->Commit()) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, CvxU16(m_controls->GetLastError()));
        return;
    }
    CvxDialog::accept();
    m_model.UpdateRunUntil(*m_working);
}

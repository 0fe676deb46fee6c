#include "CvxCompareRunUntilDlg.h"

#include "CvxCompareEmailDlg.h"
#include "CvxCompareModel.h"
#include "CvxCompareRunUntil.h"
#include "CvxInfoDlg.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxQtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CvxCompareRunUntilDlg::CvxCompareRunUntilDlg(CvxCompareModel& model, QWidget* parent)
    : CvxDialog("CompareRunUntilDlg", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<CvxCompareRunUntil>(model.GetRunUntil()))
{
    setWindowTitle("Run Until");
    m_threshold = new CvxIntegerEditCtrl(19491, this);
    m_threshold->SetKeypadCaption("Differences");
    m_threshold->SetRange(0, kThresholdLimit);
    m_threshold->SetValue(m_working->GetNumberOfDifferences());
    auto* then = new QLabel("or more differences are found then", this);
    then->setObjectName("19472");
    m_stopRun = new QCheckBox("&Stop repetitive run", this);
    m_stopRun->setObjectName("19492");
    m_stopRun->setChecked(m_working->IsStopRepetitiveRunEnabled());
    m_sendEmail = new QCheckBox("Send &e-mail", this);
    m_sendEmail->setObjectName("19493");
    m_sendEmail->setChecked(m_working->IsSendEmailEnabled());
    auto* email = new QPushButton("E-&mail...", this);
    email->setObjectName("19494");
    email->setAutoDefault(false);
    connect(email, &QPushButton::clicked, this, [this] {
        CvxCompareEmailDlg dialog(*m_working, this);
        dialog.exec();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxCompareRunUntilDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxCompareRunUntilDlg::reject);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Compare until", this), 0, 0);
    layout->addWidget(m_threshold, 0, 1);
    layout->addWidget(then, 0, 2);
    layout->addWidget(m_stopRun, 1, 0, 1, 3);
    layout->addWidget(m_sendEmail, 2, 0, 1, 2);
    layout->addWidget(email, 2, 2, Qt::AlignLeft);
    layout->addWidget(buttons, 3, 0, 1, 3);
}

CvxCompareRunUntilDlg::~CvxCompareRunUntilDlg() = default;

void CvxCompareRunUntilDlg::accept()
{
    if (!m_threshold->Commit()) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, CvxU16(m_threshold->GetLastError()));
        m_threshold->setFocus();
        return;
    }
    m_working->SetNumberOfDifferences(static_cast<int>(m_threshold->GetIntegerValue()));
    m_working->SetStopRepetitiveRunEnabled(m_stopRun->isChecked());
    m_working->SetSendEmailEnabled(m_sendEmail->isChecked());
    CvxDialog::accept();
    m_model.UpdateRunUntil(*m_working);
}

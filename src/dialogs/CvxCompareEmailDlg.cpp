#include "CvxCompareEmailDlg.h"

#include "CvxAlphaEditCtrl.h"
#include "CvxCompareRunUntil.h"
#include "CvxQtText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CvxCompareEmailDlg::CvxCompareEmailDlg(CvxCompareRunUntil& runUntil, QWidget* parent)
    : CvxDialog("CompareEmailDlg", kTemplateID, parent), m_runUntil(runUntil)
{
    setWindowTitle("E-mail");
    m_recipient = new CvxAlphaEditCtrl(19476, false, this);
    m_subject = new CvxAlphaEditCtrl(19488, false, this);
    m_body = new CvxAlphaEditCtrl(19477, true, this);
    m_recipient->SetKeypadCaption("Recipient");
    m_subject->SetKeypadCaption("Subject");
    m_body->SetKeypadCaption("Message");
    const CvxCompareEmail& email = runUntil.GetEmail();
    m_recipient->SetText(CvxQt(email.GetRecipient()));
    m_subject->SetText(CvxQt(email.GetSubject()));
    m_body->SetText(CvxQt(email.GetMessageBody()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxCompareEmailDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxCompareEmailDlg::reject);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("To:", this), 0, 0);
    layout->addWidget(m_recipient, 0, 1);
    layout->addWidget(new QLabel("Subject:", this), 1, 0);
    layout->addWidget(m_subject, 1, 1);
    layout->addWidget(m_body, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    resize(DialogUnitsX(*this, 260), DialogUnitsY(*this, 150));
}

CvxCompareEmailDlg::~CvxCompareEmailDlg() = default;

void CvxCompareEmailDlg::accept()
{
    CvxCompareEmail& email = m_runUntil.GetEmail();
    email.SetRecipient(CvxU16(m_recipient->GetText()));
    email.SetSubject(CvxU16(m_subject->GetText()));
    email.SetMessageBody(CvxU16(m_body->GetText()));
    CvxDialog::accept();
}

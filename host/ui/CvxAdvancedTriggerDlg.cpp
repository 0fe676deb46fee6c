#include "CvxAdvancedTriggerDlg.h"

#include "CvxPatternModel.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxTriggerPatternEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CvxAdvancedTriggerDlg::CvxAdvancedTriggerDlg(const std::vector<CvxID>& labels, QWidget* parent) : QDialog(parent)
{
    setObjectName("AdvancedTriggerDlg");
    setWindowTitle(tr("Advanced Trigger"));
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    auto* layout = new QVBoxLayout(this);
    m_onPattern = new QRadioButton(tr("&Pattern on a bus/signal"), this);
    m_onPattern->setObjectName("onPattern");
    layout->addWidget(m_onPattern);
    m_edit = new CvxTriggerPatternEdit(labels, this);
    layout->addWidget(m_edit);
    m_atSample = new QRadioButton(tr("&At sample"), this);
    m_atSample->setObjectName("atSample");
    layout->addWidget(m_atSample);
    auto* form = new QFormLayout;
    m_sample = new QLineEdit(this);
    m_sample->setObjectName("sample");
    form->addRow(tr("&Sample (row of the acquisition, from 0):"), m_sample);
    layout->addLayout(form);
    auto* note = new QLabel(this);
    note->setObjectName("sampleNote");
    note->setWordWrap(true);
    layout->addWidget(note);
    m_error = new QLabel(this);
    m_error->setObjectName("error");
    m_error->setWordWrap(true);
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxAdvancedTriggerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxAdvancedTriggerDlg::reject);
    layout->addWidget(buttons);

    CvxPatternModel current;
    if (ifaces.GetSimpleTrigger(current)) {
        m_edit->SetPattern(current);
    }
    const std::int64_t row = ifaces.GetTriggerRow();
    if (!ifaces.CanSetTriggerRow()) {
        m_atSample->setEnabled(false);
        note->setText(tr("This analyzer cannot trigger at a fixed sample."));
    }
    (row >= 0 && ifaces.CanSetTriggerRow() ? m_atSample : m_onPattern)->setChecked(true);
    m_sample->setText(row >= 0 ? QString::number(row) : QString("0"));
    connect(m_onPattern, &QRadioButton::toggled, this, &CvxAdvancedTriggerDlg::ModeChosen);
    ModeChosen();
    setMinimumWidth(400);
}

void CvxAdvancedTriggerDlg::ModeChosen()
{
    m_edit->setEnabled(m_onPattern->isChecked());
    m_sample->setEnabled(m_atSample->isChecked());
}

void CvxAdvancedTriggerDlg::accept()
{
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    std::string refused;
    if (m_onPattern->isChecked()) {
        CvxPatternModel pattern;
        QString error;
        if (!m_edit->GetPattern(pattern, error)) {
            m_error->setText(error);
            m_edit->GetPatternEdit()->setFocus();
            return;
        }
        if (!ifaces.SetSimpleTrigger({pattern}, refused)) {
            m_error->setText(tr("The trigger was not set: %1.").arg(CvxQt(CvxStringConvert::FromUtf8(refused))));
            return;
        }
    } else {
        bool ok = false;
        const QString text = m_sample->text().trimmed();
        const qlonglong row = text.toLongLong(&ok);
        if (!ok || row < 0) {
            m_error->setText(tr("The sample must be a whole number, 0 or more, not \"%1\".").arg(text));
            m_sample->setFocus();
            return;
        }
        if (!ifaces.SetTriggerRow(row, refused)) {
            m_error->setText(tr("The trigger was not set: %1.").arg(CvxQt(CvxStringConvert::FromUtf8(refused))));
            return;
        }
    }
    QDialog::accept();
}

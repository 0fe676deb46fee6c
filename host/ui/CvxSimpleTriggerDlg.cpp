#include "CvxSimpleTriggerDlg.h"

#include "CvxPatternModel.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxTriggerPatternEdit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CvxSimpleTriggerDlg::CvxSimpleTriggerDlg(const std::vector<CvxID>& labels, QWidget* parent) : QDialog(parent)
{
    setObjectName("SimpleTriggerDlg");
    setWindowTitle(tr("Simple Trigger"));
    auto* layout = new QVBoxLayout(this);
    m_edit = new CvxTriggerPatternEdit(labels, this);
    layout->addWidget(m_edit);
    m_error = new QLabel(this);
    m_error->setObjectName("error");
    m_error->setWordWrap(true);
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxSimpleTriggerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxSimpleTriggerDlg::reject);
    layout->addWidget(buttons);
    CvxPatternModel current;
    if (CvxStdCmdIFaceMgr::GetInstance().GetSimpleTrigger(current)) {
        m_edit->SetPattern(current);
    }
    if (!m_edit->HasLabels()) {
        m_error->setText(tr("There is no bus/signal the trigger can be set on."));
    }
    setMinimumWidth(380);
}

void CvxSimpleTriggerDlg::accept()
{
    CvxPatternModel pattern;
    QString error;
    if (!m_edit->GetPattern(pattern, error)) {
        m_error->setText(error);
        m_edit->GetPatternEdit()->setFocus();
        return;
    }
    std::string refused;
    if (!CvxStdCmdIFaceMgr::GetInstance().SetSimpleTrigger({pattern}, refused)) {
        m_error->setText(tr("The trigger was not set: %1.").arg(CvxQt(CvxStringConvert::FromUtf8(refused))));
        return;
    }
    QDialog::accept();
}

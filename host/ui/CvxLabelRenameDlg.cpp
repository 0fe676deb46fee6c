#include "CvxLabelRenameDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

CvxLabelRenameDlg::CvxLabelRenameDlg(const QString& current, Check check, QWidget* parent)
    : QDialog(parent), m_check(std::move(check))
{
    setObjectName("LabelRenameDlg");
    setWindowTitle(tr("Rename Bus/Signal"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(current, this);
    m_name->setObjectName("Name");
    m_name->selectAll();
    form->addRow(tr("&Name:"), m_name);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxLabelRenameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxLabelRenameDlg::reject);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString CvxLabelRenameDlg::GetName() const
{
    return m_name->text().trimmed();
}

void CvxLabelRenameDlg::accept()
{
    QString problem = GetName().isEmpty() ? tr("A bus/signal needs a name.") : QString();
    if (problem.isEmpty() && m_check) {
        problem = m_check(GetName());
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

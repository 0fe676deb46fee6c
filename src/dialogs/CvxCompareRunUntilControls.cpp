#include "CvxCompareRunUntilControls.h"

#include "CvxCompareEmailDlg.h"
#include "CvxCompareRunUntil.h"
#include "CvxIntegerEditCtrl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CvxCompareRunUntilControls::CvxCompareRunUntilControls(CvxCompareRunUntil& working, bool stopComparing,
                                                       QWidget* parent)
    : QWidget(parent)
    , m_working(working)
{
    m_threshold = new CvxIntegerEditCtrl(kThreshold, this);
    m_threshold->SetKeypadCaption("Differences");
    m_threshold->SetRange(0, kThresholdLimit);
    m_threshold->SetValue(m_working.GetNumberOfDifferences());
    m_threshold->SetValueChangedCommand([this] { Changed(); });
    connect(m_threshold->GetEdit(), &QLineEdit::textEdited, this, [this] { Changed(); });
    auto* then = new QLabel("or more differences are found then", this);
    then->setObjectName(QString::number(kThen));

    const auto box = [this](const char* text, int id, void (CvxCompareRunUntil::*set)(bool)) {
        auto* check = new QCheckBox(text, this);
        check->setObjectName(QString::number(id));
        // Each box sets its own flag; all are shown again from the record.
        connect(check, &QCheckBox::toggled, this, [this, set](bool on) {
            (m_working.*set)(on);
            ShowActions();
            Changed();
        });
        return check;
    };
    if (stopComparing) {
        m_stopComparing = box("Stop &comparing", kStopComparing, &CvxCompareRunUntil::SetStopComparingEnabled);
    }
    m_stopRun = box("Stop &repetitive run", kStopRun, &CvxCompareRunUntil::SetStopRepetitiveRunEnabled);
    m_sendEmail = box("Send &e-mail", kSendEmail, &CvxCompareRunUntil::SetSendEmailEnabled);
    auto* email = new QPushButton("E-&mail...", this);
    email->setObjectName(QString::number(kEmail));
    email->setAutoDefault(false);
    connect(email, &QPushButton::clicked, this, [this] {
        CvxCompareEmailDlg dialog(m_working, this);
        if (dialog.exec() == QDialog::Accepted) {
            Changed();
        }
    });
    ShowActions();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Compare until", this), 0, 0);
    layout->addWidget(m_threshold, 0, 1);
    layout->addWidget(then, 0, 2);
    int row = 1;
    if (m_stopComparing != nullptr) {
        layout->addWidget(m_stopComparing, row++, 0, 1, 3);
    }
    layout->addWidget(m_stopRun, row++, 0, 1, 3);
    layout->addWidget(m_sendEmail, row, 0, 1, 2);
    layout->addWidget(email, row, 2, Qt::AlignLeft);
}

void CvxCompareRunUntilControls::ShowActions()
{
    if (m_stopComparing != nullptr) {
        m_stopComparing->setChecked(m_working.IsStopComparingEnabled());
    }
    m_stopRun->setChecked(m_working.IsStopRepetitiveRunEnabled());
    m_sendEmail->setChecked(m_working.IsSendEmailEnabled());
}

void CvxCompareRunUntilControls::Changed()
{
    if (m_changed) {
        m_changed();
    }
}

bool CvxCompareRunUntilControls::Commit()
{
    if (!m_threshold->Commit()) {
        m_threshold->setFocus();
        return false;
    }
    m_working.SetNumberOfDifferences(static_cast<int>(m_threshold->GetIntegerValue()));
    return true;
}

const QString& CvxCompareRunUntilControls::GetLastError() const
{
    return m_threshold->GetLastError();
}

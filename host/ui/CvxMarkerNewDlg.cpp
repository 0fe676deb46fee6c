#include "CvxMarkerNewDlg.h"

#include "CvxQtText.h"
#include "CvxMarkerMgr.h"
#include "CvxPosition.h"
#include "CvxSourceText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

CvxMarkerNewDlg::CvxMarkerNewDlg(CvxMarkerMgr& markers, CvxTime at, QWidget* parent) : QDialog(parent), m_markers(markers)
{
    setObjectName("MarkerNewDlg");
    setWindowTitle(tr("New Marker"));
    int n = 1;
    while (markers.FindMarkerByName(CvxU16(QString("M%1").arg(n))) != nullptr) {
        ++n;
    }
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(QString("M%1").arg(n), this);
    m_name->setObjectName("Name");
    m_time = new QLineEdit(QString::fromStdString(CvxSourceText::FormatTime(at.AsInt128())), this);
    m_time->setObjectName("Time");
    form->addRow(tr("&Name:"), m_name);
    form->addRow(tr("&Time:"), m_time);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxMarkerNewDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxMarkerNewDlg::reject);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void CvxMarkerNewDlg::accept()
{
    const QString name = m_name->text().trimmed();
    CvxInt128 fs = 0;
    QString problem;
    if (name.isEmpty()) {
        problem = tr("A marker needs a name.");
    } else if (m_markers.FindMarkerByName(CvxU16(name)) != nullptr) {
        problem = tr("There is a marker named %1 already.").arg(name);
    } else if (!CvxSourceText::ParseTime(m_time->text().trimmed().toStdString(), fs)) {
        problem = tr("Type the time with its unit (s, ms, us, ns, ps, fs), for example 2.5us.");
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    m_added = m_markers.AddUserMarker(CvxPosition::AtTime(CvxTime(fs)));
    if (m_added == nullptr) {
        QMessageBox::warning(this, windowTitle(), tr("The marker could not be added."));
        return;
    }
    m_added->SetName(CvxU16(name));
    m_added->SetAbbreviatedName(CvxU16(name.left(3)));
    m_markers.NotifyChanged();
    QDialog::accept();
}

#include "CvxCancelDialog.h"

#include "CvxCancelMgr.h"

#include <QApplication>
#include <QTimer>

CvxCancelDialog::CvxCancelDialog(QWidget* parent) : QProgressDialog(parent)
{
    setObjectName("CancelDlg");
    setWindowTitle(QApplication::applicationDisplayName());
    setLabelText(tr("Working..."));
    setCancelButtonText(tr("Cancel"));
    setRange(0, 0); // busy: the work does not say how far it is
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    // QProgressDialog shows itself after minimumDuration only when its value changes; the
    // work does not report values, so a timer shows it.
    setMinimumDuration(kDelayMs);
    QProgressDialog::hide();
    QTimer::singleShot(kDelayMs, this, [this] { show(); });
    connect(this, &QProgressDialog::canceled, this, [] { CvxCancelMgr::GetInstance().Cancel(); });
}

#pragma once
// The cancel service's face: while long work runs (between the cancel service's outermost
// Enable and Disable), a small progress dialog with a Cancel button appears once the work
// has taken half a second; Cancel asks the work to stop through the cancel service. The work
// runs on the GUI thread, so the dialog shows and takes its click at the work's event pumps.

#include <QProgressDialog>

class CvxCancelDialog : public QProgressDialog {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 500;

    explicit CvxCancelDialog(QWidget* parent = nullptr);
};

#pragma once
// "Preferences": the host's settings a user keeps between sessions, in the user's
// configuration folder (~/.config/cvx/cvx-host.conf): the mail server, sender, login and
// outbox of run-until e-mails, whether a new run moves the views to the trigger, and the host
// log file. OK checks every value first (a mail server is smtp:// or smtps://, folders exist)
// and applies them all or none.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSettings;

class CvxPreferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CvxPreferencesDlg(QWidget* parent = nullptr);

    void accept() override;

    // The saved settings into the host services (at start-up).
    static void Apply(const QSettings& settings);
    // A problem with the values, or empty when they may be applied.
    static QString Check(const QString& server, const QString& outbox, const QString& logFile);

private:
    QLineEdit* m_server = nullptr;
    QLineEdit* m_sender = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_tls = nullptr;
    QLineEdit* m_outbox = nullptr;
    QCheckBox* m_gotoTrigger = nullptr;
    QLineEdit* m_log = nullptr;
};

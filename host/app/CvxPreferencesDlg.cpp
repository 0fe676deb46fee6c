#include "CvxPreferencesDlg.h"

#include "CvxHostOptions.h"
#include "CvxInfoMgr.h"
#include "CvxMapi.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QVBoxLayout>

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const QString& value)
{
    auto* edit = new QLineEdit(value, parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

CvxPreferencesDlg::CvxPreferencesDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("PreferencesDlg");
    setWindowTitle(tr("Preferences"));
    // The saved preferences (the command line's values for this session are not saved by OK).
    const QSettings settings;
    CvxMailSettings mail = CvxMapi::GetSettings();
    mail.serverUrl = settings.value("mail/server", QString()).toString().toStdString();
    mail.sender = settings.value("mail/sender", QString::fromStdString(CvxMailSettings().sender)).toString().toStdString();
    mail.outbox = settings.value("mail/outbox", QString()).toString().toStdString();
    auto* layout = new QVBoxLayout(this);

    auto* mailBox = new QGroupBox(tr("E-mail of the run-until rule"), this);
    auto* mailForm = new QFormLayout(mailBox);
    m_server = Edit(mailBox, "MailServer", QString::fromStdString(mail.serverUrl));
    m_server->setPlaceholderText(tr("none: messages go to the outbox as .eml files"));
    m_sender = Edit(mailBox, "MailSender", QString::fromStdString(mail.sender));
    m_user = Edit(mailBox, "MailUser", QString::fromStdString(mail.user));
    m_password = Edit(mailBox, "MailPassword", QString::fromStdString(mail.password));
    m_password->setEchoMode(QLineEdit::Password);
    m_tls = new QCheckBox(tr("Require STARTTLS"), mailBox);
    m_tls->setObjectName("MailTls");
    m_tls->setChecked(mail.requireTls);
    m_outbox = Edit(mailBox, "MailOutbox", QString::fromStdString(mail.outbox.string()));
    m_outbox->setPlaceholderText(tr("the host folder's outbox"));
    mailForm->addRow(tr("Mail &server (smtp://host:port):"), m_server);
    mailForm->addRow(tr("S&ender:"), m_sender);
    mailForm->addRow(tr("&User:"), m_user);
    mailForm->addRow(tr("&Password:"), m_password);
    mailForm->addRow(QString(), m_tls);
    mailForm->addRow(tr("&Outbox folder:"), m_outbox);
    layout->addWidget(mailBox);

    auto* hostBox = new QGroupBox(tr("Host"), this);
    auto* hostForm = new QFormLayout(hostBox);
    m_gotoTrigger = new QCheckBox(tr("&Go to the trigger on each run"), hostBox);
    m_gotoTrigger->setObjectName("GotoTriggerOnRun");
    m_gotoTrigger->setChecked(CvxHostOptions::GetInstance().GetGotoTriggerOnRun());
    m_log = Edit(hostBox, "LogFile", settings.value("host/logFile", QString::fromStdString(CvxInfoMgr::GetInstance().GetLogFilePath().string())).toString());
    hostForm->addRow(QString(), m_gotoTrigger);
    hostForm->addRow(tr("&Log file:"), m_log);
    layout->addWidget(hostBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxPreferencesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxPreferencesDlg::reject);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

QString CvxPreferencesDlg::Check(const QString& server, const QString& outbox, const QString& logFile)
{
    if (!server.isEmpty() && !server.startsWith("smtp://") && !server.startsWith("smtps://")) {
        return tr("The mail server %1 is not smtp://host:port or smtps://host:port.").arg(server);
    }
    if (!outbox.isEmpty() && !QFileInfo(outbox).isDir()) {
        return tr("The outbox folder %1 does not exist.").arg(outbox);
    }
    if (logFile.isEmpty()) {
        return tr("The log file needs a name.");
    }
    if (!QFileInfo(QFileInfo(logFile).absolutePath()).isDir()) {
        return tr("The folder of the log file %1 does not exist.").arg(logFile);
    }
    return {};
}

void CvxPreferencesDlg::accept()
{
    const QString problem = Check(m_server->text().trimmed(), m_outbox->text().trimmed(), m_log->text().trimmed());
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    QSettings settings;
    settings.setValue("mail/server", m_server->text().trimmed());
    settings.setValue("mail/sender", m_sender->text().trimmed());
    settings.setValue("mail/user", m_user->text());
    settings.setValue("mail/password", m_password->text());
    settings.setValue("mail/requireTls", m_tls->isChecked());
    settings.setValue("mail/outbox", m_outbox->text().trimmed());
    settings.setValue("host/gotoTriggerOnRun", m_gotoTrigger->isChecked());
    settings.setValue("host/logFile", m_log->text().trimmed());
    Apply(settings);
    QDialog::accept();
}

void CvxPreferencesDlg::Apply(const QSettings& settings)
{
    CvxMailSettings mail = CvxMapi::GetSettings();
    mail.serverUrl = settings.value("mail/server", QString::fromStdString(mail.serverUrl)).toString().toStdString();
    mail.sender = settings.value("mail/sender", QString::fromStdString(mail.sender)).toString().toStdString();
    mail.user = settings.value("mail/user", QString::fromStdString(mail.user)).toString().toStdString();
    mail.password = settings.value("mail/password", QString::fromStdString(mail.password)).toString().toStdString();
    mail.requireTls = settings.value("mail/requireTls", mail.requireTls).toBool();
    mail.outbox = settings.value("mail/outbox", QString::fromStdString(mail.outbox.string())).toString().toStdString();
    CvxMapi::SetSettings(mail);
    CvxHostOptions::GetInstance().SetGotoTriggerOnRun(
        settings.value("host/gotoTriggerOnRun", CvxHostOptions::GetInstance().GetGotoTriggerOnRun()).toBool());
    const QString log = settings.value("host/logFile").toString();
    if (!log.isEmpty()) {
        CvxInfoMgr::GetInstance().SetLogFilePath(log.toStdString());
    }
}

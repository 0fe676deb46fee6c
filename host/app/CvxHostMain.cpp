// cvx-host, the desktop host: the module's Compare windows around an acquisition source.
//   cvx-host [SETUP] [--capture FILE]... [--source KIND] [--option KEY=VALUE]... [--run]
//            [--remote PORT] [--smtp URL] [--sender ADDRESS] [--outbox DIR] [--log FILE]
//            [--screenshot FILE.png] [--quit]

#include "CvxHostMainWindow.h"
#include "CvxHostRemote.h"
#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMapi.h"
#include "CvxPreferencesDlg.h"
#include "CvxSystemMgr.h"
#include "CvxToolWindow.h"
#include "CvxUiServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMdiArea>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace {

bool IsBusLabel(const CvxID& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label);
    return base != nullptr && (base->IsA(EvxLabelKind::BusSignal) || base->IsA(EvxLabelKind::StringLabel));
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "cvx-host: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("cvx-host");
    QApplication::setApplicationDisplayName("Compare Host");
    QApplication::setApplicationVersion(PROJECT_VERSION);
    QApplication::setOrganizationName("cvx");

    QCommandLineParser parser;
    parser.setApplicationDescription("The desktop host of the Compare viewer.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("setup", "A setup to open (.cvxsetup).", "[SETUP]");
    const QCommandLineOption capture("capture", "A capture file to read as the acquisition (repeatable).", "FILE");
    const QCommandLineOption source("source", "The source: simulated (default), vcd or sigrok.", "KIND");
    const QCommandLineOption option("option", "A source option (repeatable).", "KEY=VALUE");
    const QCommandLineOption run("run", "Acquire once after starting.");
    const QCommandLineOption remote("remote", "Serve remote-control clients on PORT (0: a free port, printed).", "PORT");
    const QCommandLineOption smtp("smtp", "Mail server of run-until e-mails for this session (smtp://host:port).", "URL");
    const QCommandLineOption sender("sender", "Sender address of run-until e-mails for this session.", "ADDRESS");
    const QCommandLineOption outbox("outbox", "Folder for e-mails when no mail server is set, for this session.", "DIR");
    const QCommandLineOption logFile("log", "The host log file for this session.", "FILE");
    const QCommandLineOption screenshot("screenshot", "Save a picture of the main window.", "FILE.png");
    const QCommandLineOption quit("quit", "Quit once the other options are done.");
    parser.addOptions({capture, source, option, run, remote, smtp, sender, outbox, logFile, screenshot, quit});
    parser.process(app);

    // The saved preferences, then what the command line says for this session.
    CvxPreferencesDlg::Apply(QSettings());
    const QString problem = CvxPreferencesDlg::Check(
        parser.value(smtp), parser.value(outbox),
        parser.isSet(logFile) ? parser.value(logFile) : QString::fromStdString(CvxInfoMgr::GetInstance().GetLogFilePath().string()));
    if (!problem.isEmpty()) {
        return Fail(problem);
    }
    CvxMailSettings mail = CvxMapi::GetSettings();
    if (parser.isSet(smtp)) {
        mail.serverUrl = parser.value(smtp).toStdString();
    }
    if (parser.isSet(sender)) {
        mail.sender = parser.value(sender).toStdString();
    }
    if (parser.isSet(outbox)) {
        mail.outbox = parser.value(outbox).toStdString();
    }
    CvxMapi::SetSettings(mail);
    if (parser.isSet(logFile)) {
        CvxInfoMgr::GetInstance().SetLogFilePath(parser.value(logFile).toStdString());
    }

    CvxHostSession session;
    session.SetActivityUpdates(true);
    if (!session.LoadModule()) {
        return Fail(QString::fromStdString(session.GetLastError()) + " (set CVX_MODULE_PATH to the module's path)");
    }
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    // The session's labels (a loaded setup's until the source acquires), buses/signals only.
    system.SetLabelProvider([&session](const CvxID&) {
        std::vector<CvxID> labels;
        for (const CvxID& label : session.GetLabelsForTools()) {
            if (IsBusLabel(label)) {
                labels.push_back(label);
            }
        }
        return labels;
    });
    system.SetStopRepetitiveRunHandler([&session] { session.StopRepetitiveRun(); });
    CvxUiServices::Install();

    std::unique_ptr<CvxAcquisitionSource> made = CvxHostSession::MakeSource(parser.value(source).isEmpty() ? "simulated" : parser.value(source).toStdString());
    if (made == nullptr) {
        return Fail("unknown source '" + parser.value(source) + "' (simulated, vcd or sigrok)");
    }
    for (const QString& pair : parser.values(option)) {
        const qsizetype equals = pair.indexOf('=');
        std::string error;
        if (equals <= 0 || !made->SetOption(pair.left(equals).toStdString(), pair.mid(equals + 1).toStdString(), error)) {
            return Fail("option " + pair + ": " + (error.empty() ? QString("expected KEY=VALUE") : QString::fromStdString(error)));
        }
    }
    session.SetSource(std::move(made));

    int status = 0;
    {
        CvxHostMainWindow window(session);
        window.show();
        CvxHostRemote server(session, window);
        if (parser.isSet(remote)) {
            bool ok = false;
            const int port = parser.value(remote).toInt(&ok);
            std::string error;
            if (!ok || port < 0 || port > 65535) {
                return Fail("option --remote: not a port: " + parser.value(remote));
            }
            if (!server.Listen(port, error)) {
                return Fail(QString::fromStdString(error));
            }
            std::fprintf(stderr, "cvx-host: serving on 127.0.0.1:%d\n", server.GetPort());
            std::fflush(stderr);
        }
        const QStringList setups = parser.positionalArguments();
        if (!setups.isEmpty()) {
            if (!window.OpenSetup(setups.front())) {
                status = 2;
            }
        } else {
            // A first Run shows something at once.
            window.NewCompareWindow();
            window.ShowListing();
        }
        if (parser.isSet(capture) && !window.OpenCaptures(parser.values(capture))) {
            status = 2;
        }
        if (parser.isSet(run) && !window.RunOnce()) {
            status = 2;
        }
        window.ArrangeWindows();
        const QString picture = parser.value(screenshot);
        const bool quitAfter = parser.isSet(quit);
        if (!picture.isEmpty() || quitAfter) {
            QTimer::singleShot(200, &window, [&] {
                if (!picture.isEmpty() && !window.grab().save(picture)) {
                    std::fprintf(stderr, "cvx-host: %s: cannot write the picture\n", qPrintable(picture));
                    status = 2;
                }
                if (quitAfter) {
                    window.close();
                }
            });
        }
        if (!quitAfter || status == 0) {
            const int loop = QApplication::exec();
            status = status != 0 ? status : loop;
        }
        session.RemoveAllTools();
    }
    CvxUiServices::Uninstall();
    return status;
}

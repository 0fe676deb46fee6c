#include "CvxCliRun.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxCliPairing.h"
#include "CvxCliReport.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMapi.h"
#include "CvxStringConvert.h"

#include <atomic>
#include <chrono>
#include <cstdio>

namespace {

using Attributes = std::vector<std::pair<std::u16string, std::u16string>>;

std::u16string U16(const std::string& text)
{
    return CvxStringConvert::FromUtf8(text);
}

// The run-until rule of the options, as one options request (empty: the setup's rule stays).
Attributes RuleOptions(const CvxCliArgs& cli)
{
    Attributes rule;
    if (cli.Has("threshold")) {
        rule.emplace_back(u"Threshold", U16(std::to_string(cli.GetInt("threshold", 1, 1, INT32_MAX))));
    }
    if (cli.Has("stop-comparing")) {
        rule.emplace_back(u"MaxDifferences", U16(std::to_string(cli.GetInt("threshold", 1, 1, INT32_MAX))));
    }
    if (cli.Has("stop-run")) {
        rule.emplace_back(u"StopRepetitiveRun", u"T");
    }
    if (cli.Has("email")) {
        if (cli.Get("email").find_first_not_of(" \t") == std::string::npos) {
            throw CvxCliError("option --email: expected an address, found '" + cli.Get("email") + "'");
        }
        rule.emplace_back(u"SendEmail", u"T");
        rule.emplace_back(u"Recipient", U16(cli.Get("email")));
    }
    if (cli.Has("subject")) {
        rule.emplace_back(u"Subject", U16(cli.Get("subject")));
    }
    if (cli.Has("body")) {
        rule.emplace_back(u"MessageBody", U16(cli.Get("body")));
    }
    return rule;
}

void ApplyMailSettings(const CvxCliArgs& cli)
{
    CvxMailSettings settings = CvxMapi::GetSettings();
    settings.serverUrl = cli.Get("smtp", settings.serverUrl);
    settings.sender = cli.Get("sender", settings.sender);
    settings.user = cli.Get("smtp-user", settings.user);
    settings.password = cli.Get("smtp-password", settings.password);
    settings.requireTls = settings.requireTls || cli.Has("tls");
    if (cli.Has("outbox")) {
        settings.outbox = cli.Get("outbox");
    }
    CvxMapi::SetSettings(settings);
}

// The table the setup's reference was read under: the setup source's, else its only table.
std::string ReferenceTable(const CvxHostSession& session)
{
    if (session.GetSource() != nullptr) {
        const std::string table = CvxCliCapture::GetOption(*session.GetSource(), "table");
        if (!table.empty()) {
            return table;
        }
    }
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    for (const CvxID& child : labels.GetChildren(labels.GetLabelRootID())) {
        const CvxLabelBase* label = labels.IDToLabel(child);
        if (label != nullptr && label->IsA(EvxLabelKind::ModuleFolder)) {
            return CvxStringConvert::ToUtf8(label->GetName());
        }
    }
    return {};
}

// What the runs found, for the closing line (also after Ctrl-C).
struct RunSummary {
    std::int64_t runs = 0;
    std::int64_t differing = 0;
    std::int64_t differences = 0;
    std::int64_t firstDiffering = 0;
    std::string firstCapture;

    void Add(std::int64_t run, std::int64_t found, bool differs, const std::string& capture)
    {
        runs = run;
        differences += found;
        if (differs) {
            ++differing;
            if (firstDiffering == 0) {
                firstDiffering = run;
                firstCapture = capture;
            }
        }
    }
    std::string Line() const
    {
        std::string line = "Runs: " + std::to_string(runs) + "  Runs With Differences: " + std::to_string(differing)
                           + "  Differences: " + std::to_string(differences);
        if (firstDiffering > 0) {
            line += "  First Differing Run: " + std::to_string(firstDiffering)
                    + (firstCapture.empty() ? "" : " (" + firstCapture + ")");
        }
        return line;
    }
};

} // namespace

int CvxCliRun::Run(const std::vector<std::string>& args)
{
    CvxCliArgs cli("run [OPTIONS] SETUP",
                   "Loads SETUP (a setup holding a reference), acquires repeatedly and compares each run against\n"
                   "the reference, one summary line per run. Stops after --runs runs, at the end of --files, on\n"
                   "Ctrl-C, or when the run-until rule stops the repetitive run.",
                   {
                       {"runs", "N", "stop after N runs (default: no limit; with --files, one run per file)"},
                       {"source", "KIND", "acquire from simulated, vcd or sigrok instead of the setup's source"},
                       {"option", "KEY=VALUE", "a source option (repeatable): samples=50000, device=demo, ..."},
                       {"files", "LIST", "capture files to compare, one per run, comma-separated or repeated"},
                       {"differences", "N", "differences to list after each run that has some (default 0)"},
                       {"format", "FORM", "text, csv or markup: the form of the listed differences (default text)"},
                       {"align", "HOW", "time (default): put captures from files on one time grid with the setup's "
                                        "reference capture; order: pair rows by their order"},
                       {"threshold", "N", "run-until rule: the number of differences at which it acts"},
                       {"stop-comparing", "", "run-until rule: stop comparing at the threshold"},
                       {"stop-run", "", "run-until rule: stop the repetitive run at the threshold"},
                       {"email", "ADDRESS", "run-until rule: send an e-mail to ADDRESS at the threshold"},
                       {"subject", "TEXT", "the e-mail's subject (default \"Compare - N Differences\")"},
                       {"body", "TEXT", "the e-mail's text"},
                       {"smtp", "URL", "mail server, smtp://host:port or smtps://... (default: .eml files in the outbox)"},
                       {"sender", "ADDRESS", "the e-mail's sender"},
                       {"smtp-user", "NAME", "mail server user"},
                       {"smtp-password", "TEXT", "mail server password"},
                       {"tls", "", "require STARTTLS on smtp:// servers"},
                       {"outbox", "DIR", "folder for .eml files when no mail server is set"},
                   },
                   1, 1);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    const std::string setupPath = cli.GetPositional()[0];
    const std::vector<std::string> files = cli.GetList("files");
    // An empty list (an unset variable in a script) would run the setup's source without end.
    if (cli.Has("files") && files.empty()) {
        throw CvxCliError("option --files: expected capture files, found '" + cli.Get("files") + "'");
    }
    // Two ways of naming the capture: one would be ignored without a word.
    if (!files.empty()) {
        if (cli.Has("source")) {
            throw CvxCliError("option --files: give either --files or --source, not both");
        }
        for (const std::string& option : cli.GetAll("option")) {
            const std::string key = option.substr(0, option.find('='));
            if (key == "file" || key == "input" || key == "session" || key == "device") {
                throw CvxCliError("option --files: give either --files or --option " + key + "=..., not both");
            }
        }
    }
    const std::int64_t listed = cli.GetInt("differences", 0, 0, 1'000'000);
    const EvxCliForm form = CvxCliReport::ParseForm(cli.Get("format", "text"));
    const std::string align = cli.Get("align", "time");
    if (align != "time" && align != "order") {
        throw CvxCliError("option --align: expected time or order, found '" + align + "'");
    }
    // A missing file is found before the runs, not after hours of them.
    for (const std::string& file : files) {
        CvxCliCapture::CheckFile(file);
    }
    // No --runs: no limit.
    std::int64_t maxRuns = cli.GetInt("runs", 0, 1, INT64_MAX);
    if (!files.empty() && (maxRuns == 0 || maxRuns > static_cast<std::int64_t>(files.size()))) {
        maxRuns = static_cast<std::int64_t>(files.size());
    }
    const Attributes rule = RuleOptions(cli);
    ApplyMailSettings(cli);

    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    host.LoadSetup(setupPath);
    CvxCliTool tool = host.GetTool(setupPath);
    if (tool.GetCounts().columnsCompared == 0) {
        throw CvxCliError(setupPath + ": the setup holds no reference (save one with 'cvx-compare compare --save-setup')");
    }
    if (!rule.empty()) {
        tool.SetOptions(CvxCliTool::OptionsRequest(rule), "the run-until rule");
    }

    std::string what = setupPath + ": source";
    if (!files.empty()) {
        std::unique_ptr<CvxAcquisitionSource> source = CvxCliCapture::ForFile(files.front(), ReferenceTable(session), false);
        // How the setup's source reads a capture (regrouping, bus definitions) holds for these too.
        if (session.GetSource() != nullptr) {
            CvxCliCapture::CarryOptions(*session.GetSource(), *source);
        }
        session.SetSource(std::move(source));
        what = files.front();
    } else if (cli.Has("source")) {
        const std::string table = session.GetSource() != nullptr ? ReferenceTable(session) : std::string();
        std::unique_ptr<CvxAcquisitionSource> source = CvxCliCapture::ForKind(cli.Get("source"));
        if (cli.Get("source") != "simulated" && !table.empty()) {
            CvxCliCapture::ApplyOptions(*source, {"table=" + table});
        }
        session.SetSource(std::move(source));
    } else if (session.GetSource() == nullptr) {
        throw CvxCliError(setupPath + ": the setup names no source; choose one with --source or --files");
    }
    CvxCliCapture::ApplyOptions(*session.GetSource(), cli.GetAll("option"));

    // Every run is compared, whatever the setup's range, and against the setup's reference
    // capture on one time grid where both are change events.
    session.SetCompareEveryRun(true);
    session.GetReferenceCapture().SetAlignByTime(align == "time");
    std::vector<CvxID> referenceLabels;
    for (const CvxID& label : session.GetReferenceCapture().Get() != nullptr
                                 ? CvxCliCapture::BusLabels(*session.GetReferenceCapture().Get())
                                 : session.GetSetupLabels()) {
        if (CvxCliCapture::IsBusLabel(label)) {
            referenceLabels.push_back(label);
        }
    }

    RunSummary summary;
    std::atomic<bool> interrupted{false};
    host.OnInterrupt([&] {
        interrupted = true;
        session.StopRepetitiveRun();
    });
    bool anyDifferences = false;
    std::string trouble;
    const std::int64_t runs = session.RunRepetitive(maxRuns, [&](std::int64_t run) {
        try {
            CvxCliCapture::CheckWarnings(*session.GetSource(), what);
        } catch (const CvxCliError& e) {
            trouble = e.what();
            return false;
        }
        const CvxCliCounts counts = tool.GetCounts();
        // What the run could not pair (rows past an end, buses/signals the capture lacks) is a
        // difference too.
        CvxCliPairing pairing;
        pairing.CheckMissing(referenceLabels, *session.GetData(), setupPath);
        std::vector<CvxID> compared;
        for (const CvxID& label : referenceLabels) {
            if (session.GetData()->GetColumnWithLabelID(label) != nullptr) {
                compared.push_back(label);
            }
        }
        pairing.SetCompared(compared);
        // Rows are counted over all data; a marker range leaves the rest out on purpose.
        if (const CvxReferenceCapture::Pair& pair = session.GetLastPair(); pair.reference != nullptr && tool.ComparesAllData()) {
            pairing.AddRowsBefore(pair.referenceRowsBefore, pair.inputRowsBefore);
            pairing.CountRows(*pair.reference, *session.GetData(), referenceLabels, kCvxInt128Min, kCvxInt128Max);
        }
        const bool differs = counts.differences > 0 || !pairing.IsClean();
        anyDifferences = anyDifferences || differs;
        summary.Add(run, counts.differences, differs, files.empty() ? std::string() : what);
        std::printf("%s\n", CvxCliReport::RunLine(run, counts, files.empty() ? std::string() : what).c_str());
        if (const std::int64_t threshold = tool.GetMaxDifferences(); threshold > 0 && counts.differences >= threshold) {
            std::printf("run %lld: the comparison stopped at %lld differences (stop comparing); the rest was not compared\n",
                        static_cast<long long>(run), static_cast<long long>(threshold));
        }
        if (listed > 0 && counts.differences > 0) {
            CvxCliReport::Print(stdout, form, tool, session.GetData().get(), listed, &pairing);
        }
        std::fflush(stdout);
        pairing.PrintProblems(stderr, setupPath, what);
        // A run that compared nothing (an empty capture, or no reference data) must not pass.
        if (counts.samplesCompared == 0) {
            trouble = what + ": no sample was compared against the reference of " + setupPath + ": "
                      + pairing.WhyNothingCompared();
            return false;
        }
        if (!files.empty() && run < maxRuns) {
            what = files[static_cast<std::size_t>(run)];
            CvxCliCapture::SetFile(*session.GetSource(), what);
        }
        return true;
    });
    // A run that failed ends the repetitive run early with the session's error set.
    const bool failed = (maxRuns == 0 || runs < maxRuns) && !host.IsStoppedByRule() && !interrupted.load()
                        && !session.GetLastError().empty();
    if (host.IsStoppedByRule()) {
        std::printf("stopped by the run-until rule after run %lld\n", static_cast<long long>(runs));
    } else if (interrupted.load()) {
        std::printf("interrupted after run %lld\n", static_cast<long long>(runs));
    }
    std::printf("%s\n", summary.Line().c_str());
    const std::string log = CvxInfoMgr::GetInstance().GetLogFilePath().string();
    if (!CvxMapi::WaitUntilIdle(std::chrono::seconds(60))) {
        trouble = "the mail service did not finish within 60 s; the host log is " + log;
    }
    // What became of each mail: written to the outbox, or the server's answer when it failed.
    for (const CvxInfoMgr::Entry& entry : CvxInfoMgr::GetInstance().GetRecentMessages()) {
        const std::string text = CvxStringConvert::ToUtf8(entry.text);
        if (text.rfind("No mail server is set", 0) == 0) {
            std::fprintf(stderr, "cvx-compare: %s\n", text.c_str());
        } else if (entry.type == kMessageError && text.rfind("E-mail", 0) == 0 && trouble.empty()) {
            trouble = text + " (the host log is " + log + ")";
        }
    }
    if (!trouble.empty()) {
        throw CvxCliError(trouble);
    }
    if (failed) {
        throw CvxCliError(what + ": " + session.GetLastError());
    }
    return anyDifferences ? kCliExitDifferent : kCliExitSame;
}

#include "CvxCliReference.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxCliRange.h"
#include "CvxTimeAligner.h"

#include <algorithm>
#include <cstdio>

namespace {

// The chosen buses/signals by name, or all; an unknown name is refused with the names there are.
std::vector<CvxID> ChosenLabels(const CvxData& data, const std::vector<std::string>& names, const std::string& what)
{
    const std::vector<CvxID> all = CvxCliCapture::BusLabels(data);
    if (names.empty()) {
        return all;
    }
    std::vector<CvxID> chosen;
    for (const std::string& name : names) {
        const auto it = std::find_if(all.begin(), all.end(), [&](const CvxID& id) { return CvxCliCapture::LabelName(id) == name; });
        if (it == all.end()) {
            throw CvxCliError(what + ": no bus/signal named '" + name + "' (there are: " + CvxCliCapture::LabelNames(all)
                              + ")");
        }
        if (std::find(chosen.begin(), chosen.end(), *it) == chosen.end()) {
            chosen.push_back(*it);
        }
    }
    return chosen;
}

} // namespace

int CvxCliReference::Run(const std::vector<std::string>& args)
{
    CvxCliArgs cli("reference [OPTIONS] [CAPTURE] --save-setup FILE",
                   "Acquires once and saves a setup that holds the acquisition as the reference: from CAPTURE\n"
                   "(.vcd, .sr, .csv or another libsigrok input format) or from --source. 'cvx-compare compare\n"
                   "FILE INPUT' and 'cvx-compare run FILE' compare later captures against it.",
                   {
                       {"source", "KIND", "simulated (default without CAPTURE), vcd or sigrok"},
                       {"option", "KEY=VALUE", "a source option, repeatable: samples=10000, device=demo, ..."},
                       {"columns", "LIST", "buses/signals to keep, comma-separated (default: all)"},
                       {"range", "M1..M2", "copy between two markers (Begin, Trigger, End)"},
                       {"from", "TIME", "copy from this time on (10us, 2.5ms, ...)"},
                       {"to", "TIME", "copy up to this time"},
                       {"save-setup", "FILE", "the setup to write (required)"},
                   },
                   0, 1);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    if (!cli.Has("save-setup")) {
        throw CvxCliError("option --save-setup: the setup to write is required");
    }
    CvxCliRange::CheckSavePath(cli);
    const CvxCliRange::Attributes range = CvxCliRange::Options(cli);
    const bool fromFile = !cli.GetPositional().empty();
    if (fromFile && cli.Has("source")) {
        throw CvxCliError("option --source: give either a CAPTURE file or --source, not both");
    }

    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    std::unique_ptr<CvxAcquisitionSource> source;
    std::string what;
    if (fromFile) {
        what = cli.GetPositional()[0];
        source = CvxCliCapture::ForFile(what, std::filesystem::path(what).filename().string(), false);
    } else {
        source = CvxCliCapture::ForKind(cli.Get("source", "simulated"));
        what = source->GetName();
    }
    CvxCliCapture::ApplyOptions(*source, cli.GetAll("option"));
    std::shared_ptr<CvxData> data = CvxCliCapture::Acquire(*source, what);
    const std::vector<CvxID> labels = ChosenLabels(*data, cli.GetList("columns"), what);
    host.OfferLabels(labels);
    session.SetSource(std::move(source));
    CvxCliTool tool = host.AddTool();
    session.Deliver(data, 1);
    if (!range.empty()) {
        tool.SetOptions(CvxCliTool::OptionsRequest(range), CvxCliRange::What(cli));
    }
    tool.Execute(u"CopyReference");
    // Change-event captures keep themselves in the setup: later captures go on one time grid
    // with them.
    if (CvxTimeAligner::HasChangeEvents(*data)) {
        session.GetReferenceCapture().Set(data);
    }
    const CvxCliCounts counts = tool.GetCounts();
    if (counts.samplesCompared == 0) {
        throw CvxCliError(what + ": the range leaves no sample to copy");
    }
    if (!session.SaveSetup(cli.Get("save-setup"))) {
        throw CvxCliError(session.GetLastError());
    }
    const std::string names = CvxCliCapture::LabelNames(labels);
    std::printf("Reference: %lld samples of %lld buses/signals (%s) from %s, saved in %s\n",
                static_cast<long long>(counts.samplesCompared), static_cast<long long>(counts.columnsCompared),
                names.c_str(), what.c_str(), cli.Get("save-setup").c_str());
    return kCliExitSame;
}

#include "CvxCliDemo.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxCliReport.h"

#include <cstdio>

namespace {

// Faults that change single samples, so that the differences stay few and easy to follow.
constexpr const char* kDefaultFaults = "flip:DATA8:1000:3, flip:ADDR16:2500:0, glitch:WR_STRB:4001, flip:DATA32:7777:31";

} // namespace

int CvxCliDemo::Run(const std::vector<std::string>& args)
{
    CvxCliArgs cli("demo [OPTIONS]",
                   "Acquires from the built-in simulated analyzer, copies every bus/signal into the reference\n"
                   "buffer, acquires again with injected faults, compares, and prints the four counts and the\n"
                   "first differences.",
                   {
                       {"samples", "N", "timing samples per acquisition (default 100000)"},
                       {"seed", "N", "seed of the simulated data (default 1)"},
                       {"faults", "LIST", std::string("faults of the second acquisition (default \"") + kDefaultFaults
                                              + "\")"},
                       {"differences", "N", "differences to list (default 10)"},
                       {"format", "FORM", "text, csv or markup (default text)"},
                       {"save-setup", "FILE", "save the source, the tool and its reference as a setup"},
                   },
                   0, 0);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    const EvxCliForm form = CvxCliReport::ParseForm(cli.Get("format", "text"));
    const std::int64_t listed = cli.GetInt("differences", 10, 0, 1'000'000);

    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    std::unique_ptr<CvxAcquisitionSource> source = CvxCliCapture::ForKind("simulated");
    CvxCliCapture::ApplyOptions(*source, {"samples=" + std::to_string(cli.GetInt("samples", 100000, 1, 10'000'000)),
                                          "seed=" + std::to_string(cli.GetInt("seed", 1, 0, INT64_MAX))});
    CvxAcquisitionSource& analyzer = *source;
    session.SetSource(std::move(source));
    CvxCliTool tool = host.AddTool();

    if (!session.Run()) {
        throw CvxCliError(session.GetLastError());
    }
    CvxCliCapture::CheckWarnings(analyzer, "simulated analyzer");
    tool.Execute(u"CopyReference");

    CvxCliCapture::ApplyOptions(analyzer, {"faults=" + cli.Get("faults", kDefaultFaults)});
    if (!session.Run()) {
        throw CvxCliError(session.GetLastError());
    }
    CvxCliCapture::CheckWarnings(analyzer, "simulated analyzer");
    if (form == EvxCliForm::Text) {
        std::printf("Simulated analyzer, %s timing samples; second acquisition with faults %s\n\n",
                    CvxCliCapture::GetOption(analyzer, "samples").c_str(),
                    CvxCliCapture::GetOption(analyzer, "faults").c_str());
    }
    CvxCliReport::Print(stdout, form, tool, session.GetData().get(), listed);
    if (cli.Has("save-setup") && !session.SaveSetup(cli.Get("save-setup"))) {
        throw CvxCliError(session.GetLastError());
    }
    return tool.GetCounts().differences > 0 ? kCliExitDifferent : kCliExitSame;
}

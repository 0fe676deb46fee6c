#include "CvxCliCompare.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxCliPairing.h"
#include "CvxCliProgress.h"
#include "CvxCliRange.h"
#include "CvxCliReport.h"
#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxInt128.h"
#include "CvxLabelMgr.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"
#include "CvxTimeAligner.h"
#ifdef CVX_CLI_WINDOWS
#include "CvxCliWindows.h"
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>

namespace {

using Attributes = std::vector<std::pair<std::u16string, std::u16string>>;

std::u16string U16(const std::string& text)
{
    return CvxStringConvert::FromUtf8(text);
}

bool Contains(const std::vector<CvxID>& labels, const CvxID& label)
{
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// The labels to compare: the chosen names, or every bus/signal both captures hold (the rest
// are named as problems of the pairing: a bus/signal that one capture lacks is a difference).
std::vector<CvxID> ChooseLabels(const CvxData& reference, const CvxData& input, const std::vector<std::string>& chosen,
                                const std::string& referencePath, const std::string& inputPath, CvxCliPairing& pairing)
{
    const std::vector<CvxID> inReference = CvxCliCapture::BusLabels(reference);
    const std::vector<CvxID> inInput = CvxCliCapture::BusLabels(input);
    std::vector<CvxID> labels;
    if (!chosen.empty()) {
        for (const std::string& name : chosen) {
            const auto it = std::find_if(inReference.begin(), inReference.end(),
                                         [&](const CvxID& id) { return CvxCliCapture::LabelName(id) == name; });
            if (it == inReference.end()) {
                throw CvxCliError(referencePath + ": no bus/signal named '" + name + "' (there are: " + CvxCliCapture::LabelNames(inReference) + ")");
            }
            if (!Contains(inInput, *it)) {
                throw CvxCliError(inputPath + ": no bus/signal named '" + name + "' (there are: " + CvxCliCapture::LabelNames(inInput) + ")");
            }
            // A name given twice is one bus/signal, compared (and counted) once.
            if (!Contains(labels, *it)) {
                labels.push_back(*it);
            }
        }
        return labels;
    }
    std::vector<CvxID> onlyReference;
    std::vector<CvxID> onlyInput;
    for (const CvxID& label : inReference) {
        (Contains(inInput, label) ? labels : onlyReference).push_back(label);
    }
    for (const CvxID& label : inInput) {
        if (!Contains(inReference, label)) {
            onlyInput.push_back(label);
        }
    }
    if (!onlyReference.empty()) {
        pairing.AddProblem("not compared, only in " + referencePath + ": " + CvxCliCapture::LabelNames(onlyReference));
    }
    if (!onlyInput.empty()) {
        pairing.AddProblem("not compared, only in " + inputPath + ": " + CvxCliCapture::LabelNames(onlyInput));
    }
    if (labels.empty()) {
        throw CvxCliError(referencePath + " and " + inputPath + " have no bus/signal of the same name");
    }
    return labels;
}

// The table name under which a loaded setup's reference was read.
std::string SetupTable(CvxHostSession& session, const std::string& path)
{
    if (const CvxAcquisitionSource* source = session.GetSource()) {
        const std::string table = CvxCliCapture::GetOption(*source, "table");
        if (!table.empty()) {
            return table;
        }
    }
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    std::vector<std::string> folders;
    for (const CvxID& child : labels.GetChildren(labels.GetLabelRootID())) {
        const CvxLabelBase* label = labels.IDToLabel(child);
        if (label != nullptr && label->IsA(EvxLabelKind::ModuleFolder)) {
            folders.push_back(CvxStringConvert::ToUtf8(label->GetName()));
        }
    }
    if (folders.size() != 1) {
        throw CvxCliError(path + ": the setup's reference spans " + std::to_string(folders.size())
                          + " tables; compare it with 'cvx-compare run' and a source of the same kind");
    }
    return folders.front();
}

// "time" (the default) or "order".
bool AlignByTime(const CvxCliArgs& cli)
{
    const std::string align = cli.Get("align", "time");
    if (align != "time" && align != "order") {
        throw CvxCliError("option --align: expected time or order, found '" + align + "'");
    }
    return align == "time";
}

// The reference buses/signals of a loaded setup: those of the capture it keeps, else those
// of its labels.
std::vector<CvxID> ReferenceLabels(CvxHostSession& session)
{
    if (const std::shared_ptr<CvxData>& capture = session.GetReferenceCapture().Get()) {
        return CvxCliCapture::BusLabels(*capture);
    }
    std::vector<CvxID> labels;
    for (const CvxID& label : session.GetSetupLabels()) {
        if (CvxCliCapture::IsBusLabel(label)) {
            labels.push_back(label);
        }
    }
    return labels;
}

// The header and footer are printed texts, the size and centre a picture's: alone they
// would be lost.
void CheckPrintOptions(const CvxCliArgs& cli)
{
    for (const char* option : {"header", "footer"}) {
        if (cli.Has(option) && !cli.Has("pdf")) {
            throw CvxCliError(std::string("option --") + option + ": only with --pdf");
        }
    }
    for (const char* option : {"size", "at"}) {
        if (cli.Has(option) && !cli.Has("png")) {
            throw CvxCliError(std::string("option --") + option + ": only with --png");
        }
    }
}

#ifdef CVX_CLI_WINDOWS
// --size WxH: each side from 100 to 10000 pixels.
std::pair<int, int> PictureSize(const CvxCliArgs& cli)
{
    const std::string text = cli.Get("size", "900x500");
    int width = 0;
    int height = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width < 100 || height < 100
        || width > 10000 || height > 10000) {
        throw CvxCliError("option --size: expected WIDTHxHEIGHT in pixels, each from 100 to 10000, found '" + text + "'");
    }
    return {width, height};
}

// The time of the first differing row, in femtoseconds; nothing without a difference.
std::optional<std::int64_t> FirstDifferenceTime(const CvxCliTool& tool, const CvxData* data)
{
    CvxCliDifference first;
    if (data == nullptr || data->GetTableCount() == 0 || !tool.GetDifference(0, first)) {
        return std::nullopt;
    }
    const CvxDataTable& table = data->GetTable(0);
    const std::int64_t row = table.GetRowOfSample(first.sample);
    if (row < 0 || row >= table.GetRowCount()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(table.GetRowTime(row).AsInt128());
}
#endif

} // namespace

int CvxCliCompare::Run(const std::vector<std::string>& args)
{
    std::vector<CvxCliOptionSpec> options{
        {"columns", "LIST", "buses/signals to compare, comma-separated (default: all in both)"},
        {"range", "M1..M2", "compare between two markers (Begin, Trigger, End, or a setup's markers)"},
        {"from", "TIME", "compare from this time on (10us, 2.5ms, ...)"},
        {"to", "TIME", "compare up to this time"},
        {"offset", "N", "reference offset in samples: input row k against reference row k - N"},
        {"align", "HOW", "time (default): put captures from files on one common time grid; order: "
                         "pair rows by their order"},
        {"regroup", "", "regroup split bits of VCD files (d[0], d[1], ...) into buses"},
        {"option", "KEY=VALUE", "a source option for reading the captures, repeatable (input_options=..., buses=..., regroup=true)"},
        {"reference-option", "KEY=VALUE", "a source option for the reference alone (then --option is the input's)"},
        {"differences", "N", "differences to list (default 10)"},
        {"format", "FORM", "text, csv or markup (default text)"},
        {"save-setup", "FILE", "save the result (the reference and the settings) as a setup"},
    };
#ifdef CVX_CLI_WINDOWS
    options.insert(options.end(),
                   {{"pdf", "FILE", "print the comparison to a PDF file as the Compare window prints it"},
                    {"header", "TEXTS", "the printed header, LEFT|CENTRE|RIGHT (tokens %Name% %Date% %Time% %Page% %Span%)"},
                    {"footer", "TEXTS", "the printed footer, LEFT|CENTRE|RIGHT"},
                    {"png", "FILE", "save a picture of the Compare window, centred on the first difference"},
                    {"size", "WxH", "the picture's size in pixels (default 900x500)"},
                    {"at", "TIME", "centre the picture on this time instead"}});
#endif
    CvxCliArgs cli("compare [OPTIONS] REFERENCE INPUT",
                   "Compares INPUT against REFERENCE: two captures (.vcd, .sr, .csv or another libsigrok input\n"
                   "format), or a setup (.cvxsetup) that holds a reference. Buses/signals of the same name are\n"
                   "compared; by default all that both captures hold.",
                   std::move(options), 2, 2);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    const std::string referencePath = cli.GetPositional()[0];
    const std::string inputPath = cli.GetPositional()[1];
    const EvxCliForm form = CvxCliReport::ParseForm(cli.Get("format", "text"));
    const std::int64_t listed = cli.GetInt("differences", 10, 0, 1'000'000);
    const Attributes range = CvxCliRange::Options(cli);
    const std::int64_t offset = cli.GetInt("offset", 0, INT32_MIN, INT32_MAX);
    const bool regroup = cli.Has("regroup");
    const bool byTime = AlignByTime(cli);
    const CvxCliRange::Window window = CvxCliRange::WindowOf(cli);
    CvxCliRange::CheckSavePath(cli);
    CheckPrintOptions(cli);
#ifdef CVX_CLI_WINDOWS
    const std::pair<int, int> size = PictureSize(cli);
    if (cli.Has("at")) {
        CvxCliRange::TimeOption(cli, "at"); // a bad time is refused before the work
    }
#endif
    CvxCliPairing pairing;

    if (std::filesystem::path(inputPath).extension() == ".cvxsetup") {
        throw CvxCliError(inputPath + ": a setup can only be the REFERENCE, the first file");
    }

    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    std::unique_ptr<CvxCliTool> tool;
    if (std::filesystem::path(referencePath).extension() == ".cvxsetup") {
        if (cli.Has("columns")) {
            throw CvxCliError("option --columns: a setup's reference keeps the buses/signals it was copied from");
        }
        if (cli.Has("reference-option")) {
            throw CvxCliError("option --reference-option: a setup's reference is read already; --option reads the input");
        }
        host.LoadSetup(referencePath);
        tool = std::make_unique<CvxCliTool>(host.GetTool(referencePath));
        if (tool->GetCounts().columnsCompared == 0) {
            throw CvxCliError(referencePath + ": the setup holds no reference");
        }
        std::unique_ptr<CvxAcquisitionSource> source = CvxCliCapture::ForFile(inputPath, SetupTable(session, referencePath), regroup);
        if (session.GetSource() != nullptr) {
            CvxCliCapture::CarryOptions(*session.GetSource(), *source);
            if (regroup && CvxHostSession::SourceKind(*source) == "vcd") {
                CvxCliCapture::ApplyOptions(*source, {"regroup=true"}); // the command line wins
            }
        }
        CvxCliCapture::ApplyOptions(*source, cli.GetAll("option"));
        std::shared_ptr<CvxData> input = CvxCliCapture::Acquire(*source, inputPath);
        session.SetSource(std::move(source));
        CvxReferenceCapture& kept = session.GetReferenceCapture();
        kept.SetAlignByTime(byTime);
        const std::vector<CvxID> labels = ReferenceLabels(session);
        pairing.CheckMissing(labels, *input, referencePath);
        std::vector<CvxID> compared;
        std::copy_if(labels.begin(), labels.end(), std::back_inserter(compared),
                     [&](const CvxID& label) { return input->GetColumnWithLabelID(label) != nullptr; });
        pairing.SetCompared(compared);
        if (kept.Get() != nullptr) {
            pairing.CheckWidths(*kept.Get(), *input, labels, referencePath, inputPath);
        }
        if (!range.empty()) {
            tool->SetOptions(CvxCliTool::OptionsRequest(range), CvxCliRange::What(cli));
        }
        if (cli.Has("offset")) {
            tool->SetOptions(CvxCliTool::OptionsRequest({{u"ReferenceOffset", U16(std::to_string(offset))}}), "the offset");
        }
        CvxCliProgress progress("comparing", {});
        session.DeliverAcquisition(std::move(input), 1, true);
        const CvxReferenceCapture::Pair& pair = session.GetLastPair();
        // Without a window of the command line, rows are counted over all data unless the setup's
        // own range is a marker range, which leaves the rest out on purpose.
        if (pair.reference != nullptr && window.known && (!range.empty() || tool->ComparesAllData())) {
            pairing.AddRowsBefore(pair.referenceRowsBefore, pair.inputRowsBefore);
            pairing.CountRows(*pair.reference, *session.GetData(), labels, window.from, window.to);
        }
    } else {
        const std::string table = std::filesystem::path(referencePath).filename().string();
        std::unique_ptr<CvxAcquisitionSource> referenceSource = CvxCliCapture::ForFile(referencePath, table, regroup);
        std::unique_ptr<CvxAcquisitionSource> inputSource = CvxCliCapture::ForFile(inputPath, table, regroup);
        CvxCliCapture::ApplyOptions(*referenceSource, cli.Has("reference-option") ? cli.GetAll("reference-option")
                                                                                 : cli.GetAll("option"));
        CvxCliCapture::ApplyOptions(*inputSource, cli.GetAll("option"));
        auto [reference, input] = CvxCliCapture::AcquireBoth(*referenceSource, referencePath, *inputSource, inputPath);
        const std::vector<CvxID> labels =
            ChooseLabels(*reference, *input, cli.GetList("columns"), referencePath, inputPath, pairing);
        pairing.CheckWidths(*reference, *input, labels, referencePath, inputPath);
        if (cli.Has("save-setup") && CvxTimeAligner::HasChangeEvents(*reference)) {
            // The setup keeps the capture itself: later captures are put on one time grid with it.
            session.GetReferenceCapture().Set(reference);
        }
        if (byTime) {
            CvxTimeAligner::Result aligned = CvxTimeAligner::Align(std::move(reference), std::move(input));
            reference = std::move(aligned.reference);
            input = std::move(aligned.input);
            pairing.AddRowsBefore(aligned.referenceRowsBefore, aligned.inputRowsBefore);
        }
        if (window.known) {
            pairing.CountRows(*reference, *input, labels, window.from, window.to);
        }
        pairing.SetCompared(labels);
        host.OfferLabels(labels);
        // The setup names the reference capture as its source.
        session.SetSource(std::move(referenceSource));
        tool = std::make_unique<CvxCliTool>(host.AddTool());

        CvxCliProgress progress("comparing", {});
        session.Deliver(std::move(reference), 1);
        if (!range.empty()) {
            tool->SetOptions(CvxCliTool::OptionsRequest(range), CvxCliRange::What(cli));
        }
        tool->Execute(u"CopyReference");
        if (offset != 0) {
            tool->SetOptions(CvxCliTool::OptionsRequest({{u"ReferenceOffset", U16(std::to_string(offset))}}), "the offset");
        }
        session.Deliver(std::move(input), 2);
        if (!range.empty()) {
            tool->Execute(u"Execute");
        }
    }

    CvxCliReport::Print(stdout, form, *tool, session.GetData().get(), listed, &pairing);
    pairing.PrintProblems(stderr, referencePath, inputPath);
    if (tool->GetCounts().samplesCompared == 0) {
        throw CvxCliError(inputPath + ": no sample was compared against " + referencePath + ": "
                          + pairing.WhyNothingCompared());
    }
    if (cli.Has("save-setup") && !session.SaveSetup(cli.Get("save-setup"))) {
        throw CvxCliError(session.GetLastError());
    }
#ifdef CVX_CLI_WINDOWS
    if (cli.Has("pdf") || cli.Has("png")) {
        CvxCliWindows windows;
        if (cli.Has("pdf")) {
            const int pages = windows.WritePdf(*session.GetTool(0), cli.Get("pdf"), cli.Get("header"), cli.Get("footer"));
            std::fprintf(stderr, "cvx-compare: printed %d page%s to %s\n", pages, pages == 1 ? "" : "s",
                         cli.Get("pdf").c_str());
        }
        if (cli.Has("png")) {
            const std::optional<std::int64_t> centre =
                cli.Has("at") ? static_cast<std::int64_t>(CvxCliRange::TimeOption(cli, "at"))
                              : FirstDifferenceTime(*tool, session.GetData().get());
            windows.WritePng(*session.GetTool(0), *tool, cli.Get("png"), size.first, size.second,
                             centre ? &*centre : nullptr);
        }
    }
#endif
    return tool->GetCounts().differences > 0 || !pairing.IsClean() ? kCliExitDifferent : kCliExitSame;
}

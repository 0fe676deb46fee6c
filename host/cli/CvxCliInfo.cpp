#include "CvxCliInfo.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxLabelMgr.h"
#include "CvxPlugInBase.h"
#include "CvxSourceText.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string Time(CvxTime t)
{
    return t.AsInt128() == 0 ? std::string("0s") : CvxSourceText::FormatTime(t.AsInt128());
}

std::string Kind(const CvxDataColumnComponent& column)
{
    if (column.GetValueKind() == EvxValueKind::String) {
        return "text";
    }
    std::string kind = column.GetWidth() == 1 ? "signal" : std::to_string(column.GetWidth()) + "-bit bus";
    if (column.HasXZ()) {
        kind += ", with X/Z";
    }
    if (column.HasSubRows()) {
        kind += ", sub-rows";
    }
    return kind;
}

void Describe(const CvxData& data)
{
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        const CvxDataTable& table = data.GetTable(t);
        const std::int64_t rows = table.GetRowCount();
        std::printf("Table %s: %lld samples", CvxStringConvert::ToUtf8(table.GetName()).c_str(), static_cast<long long>(rows));
        if (rows > 0) {
            std::printf(", %s to %s, %s, trigger at row %lld", Time(table.GetRowTime(0)).c_str(),
                        Time(table.GetRowTime(rows - 1)).c_str(),
                        table.HasRowTimes() ? "a row per change" : ("every " + Time(table.GetPeriod())).c_str(),
                        static_cast<long long>(table.GetTriggerRow()));
        }
        std::printf("\n");
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            const CvxDataColumnComponent& column = table.GetColumn(c);
            if (CvxCliCapture::IsBusLabel(column.GetLabelID())) {
                std::printf("  %s: %s\n", CvxCliCapture::LabelName(column.GetLabelID()).c_str(), Kind(column).c_str());
            }
        }
    }
}

void Options(const CvxAcquisitionSource& source)
{
    std::printf("Source: %s\n", CvxHostSession::SourceKind(source).c_str());
    for (const CvxSourceOption& option : source.GetOptions()) {
        if (!option.value.empty()) {
            std::printf("  %s=%s\n", option.key.c_str(), option.value.c_str());
        }
    }
}

} // namespace

int CvxCliInfo::Run(const std::vector<std::string>& args)
{
    CvxCliArgs cli("info CAPTURE|SETUP",
                   "Tells what a capture holds (tables, buses/signals with widths and kinds, samples, time span,\n"
                   "trigger, source options) or what a setup keeps (source, reference, range, kept capture).",
                   {{"option", "KEY=VALUE", "a source option for reading the capture, repeatable"}}, 1, 1);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    const std::string path = cli.GetPositional()[0];
    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    if (std::filesystem::path(path).extension() != ".cvxsetup") {
        std::unique_ptr<CvxAcquisitionSource> source =
            CvxCliCapture::ForFile(path, std::filesystem::path(path).filename().string(), false);
        CvxCliCapture::ApplyOptions(*source, cli.GetAll("option"));
        const std::shared_ptr<CvxData> data = CvxCliCapture::Acquire(*source, path);
        std::printf("Capture: %s\n", path.c_str());
        Options(*source);
        Describe(*data);
        return kCliExitSame;
    }
    host.LoadSetup(path);
    std::printf("Setup: %s\n", path.c_str());
    if (session.GetSource() != nullptr) {
        Options(*session.GetSource());
    }
    for (std::size_t i = 0; i < session.GetToolCount(); ++i) {
        CvxStdToolCmdIFace* iface = session.GetToolIFace(session.GetTool(i));
        std::u16string options;
        if (iface != nullptr && iface->GetDataValue(u"GetOptions", options)) {
            while (!options.empty() && (options.back() == u'\n' || options.back() == u'\r')) {
                options.pop_back();
            }
            std::printf("Tool %s: %s\n", CvxStringConvert::ToUtf8(session.GetTool(i)->GetName()).c_str(),
                        CvxStringConvert::ToUtf8(options).c_str());
        }
    }
    std::string reference;
    for (const CvxID& label : session.GetSetupLabels()) {
        if (CvxCliCapture::IsBusLabel(label)) {
            reference += (reference.empty() ? "" : ", ") + CvxCliCapture::LabelName(label);
        }
    }
    std::printf("Buses/signals: %s\n", reference.c_str());
    if (const std::shared_ptr<CvxData>& capture = session.GetReferenceCapture().Get()) {
        std::printf("Kept capture:\n");
        Describe(*capture);
    }
    return kCliExitSame;
}

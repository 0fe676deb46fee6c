#include "CvxCliCapture.h"

#include "CvxCliArgs.h"
#include "CvxCliProgress.h"
#include "CvxHostSession.h"
#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <thread>

namespace {

void Set(CvxAcquisitionSource& source, const std::string& key, const std::string& value)
{
    std::string error;
    if (!source.SetOption(key, value, error)) {
        throw CvxCliError(source.GetName() + ": " + error);
    }
}

} // namespace

std::unique_ptr<CvxAcquisitionSource> CvxCliCapture::ForFile(const std::string& path, const std::string& table,
                                                             bool regroup)
{
    std::string error;
    std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::SourceForFile(path, error);
    if (source == nullptr) {
        throw CvxCliError(error);
    }
    Set(*source, "table", table);
    if (regroup && CvxHostSession::FileExtension(path) == ".vcd") {
        Set(*source, "regroup", "true");
    }
    return source;
}

void CvxCliCapture::CheckFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw CvxCliError(path + ": is a directory, not a capture file");
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw CvxCliError(path + ": no such file");
    }
}

void CvxCliCapture::SetFile(CvxAcquisitionSource& source, const std::string& path)
{
    std::string error;
    if (!CvxHostSession::SetSourceFile(source, path, error)) {
        throw CvxCliError(error);
    }
}

std::unique_ptr<CvxAcquisitionSource> CvxCliCapture::ForKind(const std::string& kind)
{
    std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::MakeSource(kind);
    if (source == nullptr) {
        throw CvxCliError("unknown source '" + kind + "' (simulated, vcd or sigrok)");
    }
    return source;
}

void CvxCliCapture::ApplyOptions(CvxAcquisitionSource& source, const std::vector<std::string>& options)
{
    for (const std::string& option : options) {
        const std::size_t equals = option.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw CvxCliError("source option '" + option + "': expected KEY=VALUE");
        }
        Set(source, option.substr(0, equals), option.substr(equals + 1));
    }
}

std::string CvxCliCapture::GetOption(const CvxAcquisitionSource& source, const std::string& key)
{
    for (const CvxSourceOption& option : source.GetOptions()) {
        if (option.key == key) {
            return option.value;
        }
    }
    return {};
}

void CvxCliCapture::CarryOptions(const CvxAcquisitionSource& from, CvxAcquisitionSource& to)
{
    if (CvxHostSession::SourceKind(from) != CvxHostSession::SourceKind(to)) {
        return;
    }
    for (const CvxSourceOption& option : from.GetOptions()) {
        static const char* const kWhich[] = {"file", "input", "session", "device", "format", "table"};
        if (std::find(std::begin(kWhich), std::end(kWhich), option.key) == std::end(kWhich)) {
            Set(to, option.key, option.value);
        }
    }
}

std::string CvxCliCapture::FileOf(const CvxAcquisitionSource& source)
{
    return CvxHostSession::SourceKind(source) == "vcd" ? GetOption(source, "file")
           : !GetOption(source, "input").empty()      ? GetOption(source, "input")
                                                      : GetOption(source, "session");
}

std::shared_ptr<CvxData> CvxCliCapture::Acquire(CvxAcquisitionSource& source, const std::string& what)
{
    std::shared_ptr<CvxData> data;
    {
        CvxCliProgress progress("reading " + what, {FileOf(source)});
        data = source.Acquire();
    }
    return Checked(source, std::move(data), what);
}

std::pair<std::shared_ptr<CvxData>, std::shared_ptr<CvxData>> CvxCliCapture::AcquireBoth(
    CvxAcquisitionSource& first, const std::string& firstWhat, CvxAcquisitionSource& second,
    const std::string& secondWhat)
{
    if (!first.TakesLabelTurns() || !second.TakesLabelTurns()) {
        std::shared_ptr<CvxData> a = Acquire(first, firstWhat);
        return {std::move(a), Acquire(second, secondWhat)};
    }
    // A user's machine has two cores or more: the two files are read at once.
    CvxLabelTurns turns(2);
    // The sources point at the turns only while they live, also when reading throws.
    struct Detach {
        CvxAcquisitionSource& a;
        CvxAcquisitionSource& b;
        ~Detach()
        {
            a.SetLabelTurns(nullptr, 0);
            b.SetLabelTurns(nullptr, 0);
        }
    } detach{first, second};
    first.SetLabelTurns(&turns, 0);
    second.SetLabelTurns(&turns, 1);
    std::shared_ptr<CvxData> a;
    std::shared_ptr<CvxData> b;
    std::exception_ptr failure;
    {
        CvxCliProgress progress("reading " + firstWhat + " and " + secondWhat, {FileOf(first), FileOf(second)});
        std::thread reader([&] {
            try {
                a = first.Acquire();
            } catch (...) {
                failure = std::current_exception();
                turns.Leave(0);
            }
        });
        try {
            b = second.Acquire();
        } catch (...) {
            turns.Leave(1);
            reader.join();
            throw;
        }
        reader.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    std::shared_ptr<CvxData> checked = Checked(first, std::move(a), firstWhat);
    return {std::move(checked), Checked(second, std::move(b), secondWhat)};
}

std::shared_ptr<CvxData> CvxCliCapture::Checked(CvxAcquisitionSource& source, std::shared_ptr<CvxData> data,
                                                 const std::string& what)
{
    if (data == nullptr) {
        throw CvxCliError(Naming(what, source.GetLastError()));
    }
    // The warnings first: they tell why a capture may hold nothing.
    CheckWarnings(source, what);
    // A capture without samples would compare as "no differences": a test rig would pass it.
    std::int64_t rows = 0;
    for (std::size_t t = 0; t < data->GetTableCount(); ++t) {
        rows += data->GetTable(t).GetRowCount();
    }
    if (rows == 0) {
        throw CvxCliError(what + ": the capture holds no samples");
    }
    return data;
}

void CvxCliCapture::CheckWarnings(const CvxAcquisitionSource& source, const std::string& what)
{
    for (const std::string& warning : source.GetWarnings()) {
        // The VCD reader's note on a value section it could not read to the end: the rows it
        // kept would compare as if the capture ended there.
        if (warning.find("the data ends at the last complete timestamp") != std::string::npos) {
            const bool cut = warning.find("found the end of the file") != std::string::npos
                             || warning.find("the last line is cut short") != std::string::npos;
            throw CvxCliError(what + (cut ? ": the capture is cut short: " : ": the capture is damaged: ") + warning);
        }
        std::fprintf(stderr, "cvx-compare: warning: %s\n", Naming(what, warning).c_str());
    }
}

std::string CvxCliCapture::Naming(const std::string& what, const std::string& message)
{
    return message.compare(0, what.size() + 1, what + ":") == 0 ? message : what + ": " + message;
}

bool CvxCliCapture::IsBusLabel(const CvxID& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label);
    return base != nullptr && (base->IsA(EvxLabelKind::BusSignal) || base->IsA(EvxLabelKind::StringLabel));
}

std::vector<CvxID> CvxCliCapture::BusLabels(const CvxData& data)
{
    std::vector<CvxID> labels;
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        const CvxDataTable& table = data.GetTable(t);
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            if (IsBusLabel(table.GetColumn(c).GetLabelID())) {
                labels.push_back(table.GetColumn(c).GetLabelID());
            }
        }
    }
    return labels;
}

std::string CvxCliCapture::LabelName(const CvxID& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label);
    return base == nullptr ? std::string() : CvxStringConvert::ToUtf8(base->GetName());
}

std::string CvxCliCapture::LabelNames(const std::vector<CvxID>& labels)
{
    std::string names;
    for (const CvxID& label : labels) {
        names += (names.empty() ? "" : ", ") + LabelName(label);
    }
    return names;
}

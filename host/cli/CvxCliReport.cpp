#include "CvxCliReport.h"

#include "CvxCliArgs.h"
#include "CvxCliPairing.h"
#include "CvxData.h"
#include "CvxLabelMgr.h"
#include "CvxMarkupText.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"

namespace {

std::string Utf8(const std::u16string& text)
{
    return CvxStringConvert::ToUtf8(text);
}

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string Csv(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// The markup reply without a leading declaration, so that replies nest under one root.
std::string Body(const std::u16string& markup)
{
    std::string text = Utf8(markup);
    if (text.compare(0, 5, "<?xml") == 0) {
        const std::size_t end = text.find("?>");
        text.erase(0, end == std::string::npos ? text.size() : end + 2);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    while (!text.empty() && (text.front() == '\n' || text.front() == '\r')) {
        text.erase(0, 1);
    }
    return text;
}

bool Differs(const CvxCliDifference::Item& item)
{
    return item.differs;
}

} // namespace

EvxCliForm CvxCliReport::ParseForm(const std::string& text)
{
    if (text == "text") {
        return EvxCliForm::Text;
    }
    if (text == "csv") {
        return EvxCliForm::Csv;
    }
    if (text == "markup") {
        return EvxCliForm::Markup;
    }
    throw CvxCliError("option --format: expected text, csv or markup, found '" + text + "'");
}

std::string CvxCliReport::TimeOf(const CvxData& data, const CvxCliDifference& difference)
{
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    for (const CvxCliDifference::Item& item : difference.items) {
        if (!Differs(item)) {
            continue;
        }
        for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
            const CvxDataTable& table = data.GetTable(t);
            for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
                const CvxLabelBase* label = labels.IDToLabel(table.GetColumn(c).GetLabelID());
                const std::int64_t row = table.GetRowOfSample(difference.sample);
                if (label != nullptr && label->GetName() == item.name && row >= 0 && row < table.GetRowCount()) {
                    const CvxInt128 fs = table.GetRowTime(row).AsInt128();
                    return fs == 0 ? std::string("0s") : CvxSourceText::FormatTime(fs);
                }
            }
        }
    }
    return {};
}

std::string CvxCliReport::RunLine(std::int64_t run, const CvxCliCounts& counts, const std::string& capture)
{
    return "run " + std::to_string(run) + (capture.empty() ? "" : " (" + capture + ")") + ": Samples Compared: " + std::to_string(counts.samplesCompared)
        + "  Columns Compared: " + std::to_string(counts.columnsCompared) + "  Comparisons: "
        + std::to_string(counts.comparisons) + "  Differences: " + std::to_string(counts.differences);
}

void CvxCliReport::Print(std::FILE* out, EvxCliForm form, const CvxCliTool& tool, const CvxData* data,
                         std::int64_t listed, const CvxCliPairing* pairing)
{
    const CvxCliCounts counts = tool.GetCounts();
    const long long inputUnpaired = pairing != nullptr ? pairing->GetInputRowsWithoutReference() : 0;
    const long long referenceUnpaired = pairing != nullptr ? pairing->GetReferenceRowsWithoutInput() : 0;
    std::string compared;
    for (const std::string& name : pairing != nullptr ? pairing->GetCompared() : std::vector<std::string>()) {
        compared += (compared.empty() ? "" : ", ") + name;
    }
    const std::int64_t rows = tool.GetNumberOfDifferences();
    std::vector<CvxCliDifference> differences;
    for (std::int64_t i = 0; i < std::min(listed, rows); ++i) {
        CvxCliDifference difference;
        if (!tool.GetDifference(i, difference)) {
            break;
        }
        differences.push_back(std::move(difference));
    }
    const auto time = [&](const CvxCliDifference& d) { return data != nullptr ? TimeOf(*data, d) : std::string(); };

    switch (form) {
    case EvxCliForm::Text:
        std::fprintf(out,
                     "Samples Compared: %lld\nColumns Compared: %lld\nComparisons: %lld\nDifferences: %lld\n"
                     "Input Rows Without Reference: %lld\nReference Rows Without Input: %lld\n",
                     static_cast<long long>(counts.samplesCompared), static_cast<long long>(counts.columnsCompared),
                     static_cast<long long>(counts.comparisons), static_cast<long long>(counts.differences),
                     inputUnpaired, referenceUnpaired);
        if (!compared.empty()) {
            std::fprintf(out, "Compared: %s\n", compared.c_str());
        }
        if (rows > 0) {
            std::fprintf(out, "Differing samples: %lld%s\n", static_cast<long long>(rows),
                         !differences.empty() && static_cast<std::int64_t>(differences.size()) < rows
                             ? (", the first " + std::to_string(differences.size()) + " listed").c_str()
                             : "");
        }
        for (const CvxCliDifference& d : differences) {
            const std::string at = time(d);
            std::fprintf(out, "sample %lld%s%s\n", static_cast<long long>(d.sample), at.empty() ? "" : ", time ",
                         at.c_str());
            for (const CvxCliDifference::Item& item : d.items) {
                if (Differs(item)) {
                    std::fprintf(out, "  %s: input %s, reference %s\n", Utf8(item.name).c_str(),
                                 Utf8(item.value).c_str(), Utf8(item.reference).c_str());
                }
            }
        }
        break;
    case EvxCliForm::Csv:
        std::fprintf(out,
                     "samples_compared,columns_compared,comparisons,differences,differing_samples,"
                     "input_rows_without_reference,reference_rows_without_input,compared\n"
                     "%lld,%lld,%lld,%lld,%lld,%lld,%lld,%s\n\nsample,time,name,input,reference\n",
                     static_cast<long long>(counts.samplesCompared), static_cast<long long>(counts.columnsCompared),
                     static_cast<long long>(counts.comparisons), static_cast<long long>(counts.differences),
                     static_cast<long long>(rows), inputUnpaired, referenceUnpaired, Csv(compared).c_str());
        for (const CvxCliDifference& d : differences) {
            const std::string at = time(d);
            for (const CvxCliDifference::Item& item : d.items) {
                if (Differs(item)) {
                    std::fprintf(out, "%lld,%s,%s,%s,%s\n", static_cast<long long>(d.sample), Csv(at).c_str(),
                                 Csv(Utf8(item.name)).c_str(), Csv(Utf8(item.value)).c_str(),
                                 Csv(Utf8(item.reference)).c_str());
                }
            }
        }
        break;
    case EvxCliForm::Markup: {
        std::fprintf(out, "<CompareResult DifferingSamples='%lld'>\n%s\n", static_cast<long long>(rows),
                     Body(counts.markup).c_str());
        std::fprintf(out, "<Pairing InputRowsWithoutReference='%lld' ReferenceRowsWithoutInput='%lld'/>\n", inputUnpaired,
                     referenceUnpaired);
        for (const std::string& name : pairing != nullptr ? pairing->GetCompared() : std::vector<std::string>()) {
            std::u16string escaped;
            CvxMarkupText::AppendEscaped(escaped, CvxStringConvert::FromUtf8(name), true);
            std::fprintf(out, "<Compared Name='%s'/>\n", Utf8(escaped).c_str());
        }
        for (const CvxCliDifference& d : differences) {
            std::fprintf(out, "%s\n", Body(d.markup).c_str());
        }
        std::fprintf(out, "</CompareResult>\n");
        break;
    }
    }
}

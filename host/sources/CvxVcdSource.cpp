#include "CvxVcdSource.h"

#include "CvxDataBuilder.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"
#include "CvxVcdParser.h"
#include "CvxVcdTableBuilder.h"

#include <optional>

std::vector<CvxSourceOption> CvxVcdSource::GetOptions() const
{
    return {
        {"file", m_path, "path of the VCD file"},
        {"regroup", m_regroup ? "true" : "false", "regroup split bits (name[0], name[1], ...) into one bus"},
        {"table", m_table, "name of the table; empty: the file name"},
    };
}

bool CvxVcdSource::SetOption(std::string_view key, std::string_view value, std::string& error)
{
    if (key == "file") {
        if (CvxSourceText::Trim(value).empty()) {
            error = "file: expected a path";
            return false;
        }
        m_path = std::string(CvxSourceText::Trim(value));
        return true;
    }
    if (key == "regroup") {
        if (!CvxSourceText::ParseBool(value, m_regroup)) {
            error = "regroup: expected true or false, found '" + std::string(value) + "'";
            return false;
        }
        return true;
    }
    if (key == "table") {
        m_table = std::string(CvxSourceText::Trim(value));
        return true;
    }
    error = UnknownOption(key, "the VCD source");
    return false;
}

std::shared_ptr<CvxData> CvxVcdSource::DoAcquire(std::int64_t)
{
    if (m_path.empty()) {
        throw CvxSourceError("no VCD file is set (option file)");
    }
    std::vector<std::string> warnings;
    CvxVcdParser parser(m_path, warnings);
    parser.ReadHeader();
    CvxDataBuilder builder(GetInstanceID());
    const std::size_t slash = m_path.find_last_of('/');
    const std::string name = !m_table.empty() ? m_table : slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    CvxDataTable& table = builder.AddTable(CvxStringConvert::FromUtf8(name));
    table.SetTickTimeBase(CvxTime(parser.GetTimescaleFs()));
    table.SetTriggerRow(0);
    std::optional<CvxVcdTableBuilder> rows;
    {
        const CvxLabelTurns::Section labels(GetLabelTurns(), GetLabelTurnMember());
        rows.emplace(parser, builder, table, m_regroup, warnings);
    }
    if (parser.ReadBody(*rows) == 0) {
        warnings.push_back(m_path + ": the file holds no value changes");
    }
    {
        const CvxLabelTurns::Section labels(GetLabelTurns(), GetLabelTurnMember());
        rows->Finish();
    }
    for (std::string& warning : warnings) {
        AddWarning(std::move(warning));
    }
    return builder.Finish();
}

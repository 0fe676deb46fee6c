#include "CvxCliTool.h"

#include "CvxCliArgs.h"
#include "CvxMarkupDocument.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"

#include <climits>

namespace {

std::int64_t Attribute(const CvxMarkupDocument& doc, std::u16string_view name)
{
    int value = 0;
    doc.GetAttribute(name, value);
    return value;
}

} // namespace

void CvxCliTool::Execute(const std::u16string& command)
{
    if (!m_iface.ExecuteCommand(command)) {
        throw CvxCliError("the Compare tool refused the command " + CvxStringConvert::ToUtf8(command)
                          + " (no valid data?)");
    }
}

void CvxCliTool::SetOptions(const std::u16string& request, const std::string& what)
{
    if (!m_iface.SetOptions(request)) {
        throw CvxCliError("the Compare tool refused " + what);
    }
}

CvxCliCounts CvxCliTool::GetCounts() const
{
    std::u16string reply;
    if (!m_iface.GetDataValue(u"GetCounts", reply)) {
        throw CvxCliError("the Compare module answers no counts (GetCounts): an older module?");
    }
    CvxMarkupDocument doc(reply);
    CvxCliCounts counts;
    counts.markup = reply;
    if (doc.HasRoot() && doc.FindElement(u"Counts")) {
        counts.samplesCompared = Attribute(doc, u"SamplesCompared");
        counts.columnsCompared = Attribute(doc, u"ColumnsCompared");
        counts.comparisons = Attribute(doc, u"Comparisons");
        counts.differences = Attribute(doc, u"Differences");
    }
    return counts;
}

bool CvxCliTool::ComparesAllData() const
{
    std::u16string reply;
    if (!m_iface.GetDataValue(u"GetOptions", reply)) {
        return false;
    }
    CvxMarkupDocument doc(reply);
    std::u16string range;
    return doc.HasRoot() && doc.FindElement(u"Options") && doc.GetAttribute(u"Range", range) && range == u"Begin..End";
}

std::int64_t CvxCliTool::GetMaxDifferences() const
{
    std::u16string reply;
    if (!m_iface.GetDataValue(u"GetOptions", reply)) {
        return 0;
    }
    CvxMarkupDocument doc(reply);
    return doc.HasRoot() && doc.FindElement(u"Options") ? Attribute(doc, u"MaxDifferences") : 0;
}

std::int64_t CvxCliTool::GetNumberOfDifferences() const
{
    std::u16string reply;
    if (!m_iface.GetDataValue(u"GetNumberOfDifferences", reply)) {
        return 0;
    }
    return std::stoll(CvxStringConvert::ToUtf8(reply));
}

bool CvxCliTool::GetDifference(std::int64_t index, CvxCliDifference& difference) const
{
    if (index < 0 || index > INT_MAX) {
        return false;
    }
    std::u16string reply;
    const std::u16string request =
        u"<GetDifference Index=\"" + CvxStringConvert::FromUtf8(std::to_string(index)) + u"\" Marks=\"T\"/>";
    if (!m_iface.GetDataWithArgs(request, reply)) {
        return false;
    }
    CvxMarkupDocument doc(reply);
    if (!doc.HasRoot() || !doc.FindElement(u"Differences")) {
        return false;
    }
    difference = CvxCliDifference{};
    difference.markup = reply;
    difference.sample = Attribute(doc, u"Sample");
    while (doc.FindChildElement(u"Difference")) {
        CvxCliDifference::Item item;
        doc.GetChildAttribute(u"Name", item.name);
        doc.GetChildAttribute(u"Reference", item.reference);
        doc.GetChildAttribute(u"Value", item.value);
        std::u16string different;
        // A module that answers no marks: the texts tell.
        item.differs = doc.GetChildAttribute(u"Different", different) ? different == u"T" : item.value != item.reference;
        difference.items.push_back(std::move(item));
    }
    return true;
}

std::u16string CvxCliTool::OptionsRequest(const std::vector<std::pair<std::u16string, std::u16string>>& attributes)
{
    CvxMarkupDocument doc;
    doc.AddElement(u"Options");
    for (const auto& [name, value] : attributes) {
        doc.SetAttribute(name, value);
    }
    return doc.GetText();
}

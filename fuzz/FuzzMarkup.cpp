// Fuzz target: the markup document. The input is UTF-8 markup. A text that parses is walked
// whole (every node at every level: its name, its content, attributes read as text, int and
// bool), searched with paths made of the names it holds ("a", "/root/a", "*/a", "a/*"), and
// edited (attributes set, elements added at both levels). The edited text must still parse and
// give the written attribute back unchanged: an edit that breaks a good document would lose
// a setup or a remote reply.

#include "CvxMarkupDocument.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxNames = 8;
constexpr std::u16string_view kOddValue = u"a<b>&c'd\"e\tf";

void ReadAttributes(const CvxMarkupDocument& doc, const std::vector<std::u16string>& names)
{
    for (const std::u16string& name : names) {
        std::u16string text;
        int number = 0;
        bool flag = false;
        doc.GetAttribute(name, text);
        doc.GetAttribute(name, number);
        doc.GetAttribute(name, flag);
        doc.GetChildAttribute(name, text);
        doc.GetChildAttribute(name, number);
    }
}

// Depth first over every node; collects the first distinct element names on the way.
void Walk(CvxMarkupDocument& doc, std::vector<std::u16string>& names)
{
    doc.ResetPosition();
    while (true) {
        const int kind = doc.FindNode();
        if (kind == kMarkupNodeNone) {
            if (!doc.LeaveElement()) {
                return;
            }
            continue;
        }
        const std::u16string name = doc.GetTagName();
        doc.GetContent();
        if (kind == kMarkupNodeElement) {
            if (names.size() < kMaxNames && std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
            ReadAttributes(doc, names);
            doc.EnterElement();
        }
    }
}

void Search(CvxMarkupDocument& doc, const std::vector<std::u16string>& names)
{
    const std::u16string root = names.empty() ? std::u16string() : names.front();
    for (const std::u16string& name : names) {
        for (const std::u16string& path : {name, u"/" + root + u"/" + name, u"*/" + name, name + u"/*", u"/" + name}) {
            doc.ResetPosition();
            for (int found = 0; found < 4 && doc.FindElement(path); ++found) {
                doc.GetContent();
                std::u16string value;
                while (doc.FindChildElement(name)) {
                    doc.GetChildAttribute(name, value);
                }
            }
        }
        doc.ResetPosition();
        if (doc.FindElement() && doc.EnterElement()) {
            doc.FindNode(kMarkupNodeText | kMarkupNodeCData | kMarkupNodeComment);
            doc.FindElement(name);
            doc.LeaveElement();
        }
    }
}

void Edit(CvxMarkupDocument& doc)
{
    doc.ResetPosition();
    if (!doc.FindElement()) {
        return;
    }
    const bool set = doc.SetAttribute(u"fz", kOddValue);
    doc.SetAttribute(u"fzn", -12345);
    doc.SetAttribute(u"fzb", true);
    doc.SetChildAttribute(u"fzc", kOddValue);
    doc.AddChildElement(u"fzchild", kOddValue);
    doc.SetChildAttribute(u"fzc", 7);
    if (doc.EnterElement()) {
        doc.AddElement(u"fzsibling");
        doc.SetAttribute(u"fz", u"");
        doc.LeaveElement();
    }
    doc.AddElement(u"fzsecondroot"); // refused: one root only

    CvxMarkupDocument again;
    if (!again.Parse(doc.GetText())) {
        std::abort(); // an edit broke a well-formed document
    }
    std::u16string value;
    if (set && (!again.FindElement() || !again.GetAttribute(u"fz", value) || value != kOddValue)) {
        std::abort(); // the attribute written is not the one read back
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CvxMarkupDocument doc;
    if (!doc.Parse(CvxStringConvert::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)))) {
        doc.GetLastError();
        doc.FindElement(u"a");
        doc.FindNode();
        return 0;
    }
    std::vector<std::u16string> names;
    Walk(doc, names);
    Search(doc, names);
    Edit(doc);
    return 0;
}

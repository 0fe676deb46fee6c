#include "CvxCompareRemoteCommands.h"

#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxMarkupDocument.h"
#include "CvxSampleIterBase.h"
#include "CvxStringConvert.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

std::u16string Decimal(std::int64_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// The name of a marker, or of the data marker that stands in for one the window lacks.
std::u16string MarkerName(CvxMarkerMgr& markers, const CvxID& id, const CvxID& fallback)
{
    const CvxMarker* marker = markers.GetMarker(id);
    if (marker == nullptr) {
        marker = markers.GetMarker(fallback);
    }
    return marker == nullptr ? std::u16string() : marker->GetName();
}

struct IterDeleter {
    const CvxCompareDataSource* store;
    void operator()(CvxCompareDataSourceIter* it) const { store->DestroyIter(it); }
};

// A rig sets the same range before every run: a user marker already at the time serves again,
// so that repeated requests do not pile up markers.
const CvxMarker* UserMarkerAt(CvxMarkerMgr& markers, const CvxPosition& position)
{
    for (const CvxMarker* marker : markers.GetMarkers(false)) {
        if (marker->IsUserMarker() && marker->GetPosition() == position) {
            return marker;
        }
    }
    return markers.AddUserMarker(position);
}

} // namespace

bool CvxCompareRemoteCommands::ExecuteCommand(const std::u16string& command)
{
    if (command == u"Execute") {
        m_model.Recompare();
        return true;
    }
    if (command == u"CopyReference") {
        // Headless hosts have no copy dialog: every displayed bus/signal over the compare range.
        if (!m_model.IsDataValid()) {
            return false;
        }
        std::vector<CvxLabelChannel> labels;
        for (const CvxCompareColumn& column : m_model.GetColumns()) {
            labels.push_back(column.GetLabel());
        }
        m_model.CopyReference(labels, m_model.GetCompareRange());
        return true;
    }
    return false;
}

bool CvxCompareRemoteCommands::SetOptions(const std::u16string& request)
{
    CvxMarkupDocument doc(request);
    if (!doc.HasRoot() || !doc.FindElement()) {
        return false;
    }
    if (doc.GetTagName() == u"Window") {
        if (!doc.FindChildElement(u"Options")) {
            return true;
        }
        doc.EnterElement();
    } else if (doc.GetTagName() != u"Options") {
        doc.EnterElement();
        if (!doc.FindElement(u"Options")) {
            return true;
        }
    }

    bool answer = true;
    int maxDifferences = 0;
    if (doc.GetAttribute(u"MaxDifferences", maxDifferences)) {
        if (maxDifferences < 0) {
            answer = false;
        } else {
            CvxCompareRunUntil runUntil = m_model.GetRunUntil();
            runUntil.SetStopComparingEnabled(maxDifferences > 0);
            if (maxDifferences > 0) {
                runUntil.SetNumberOfDifferences(maxDifferences);
            }
            m_model.SetRunUntil(runUntil);
        }
    }
    std::u16string range;
    if (doc.GetAttribute(u"Range", range)) {
        CvxCompareRange compareRange = m_model.GetCompareRange();
        const std::size_t separator = range.find(u"..");
        const CvxMarker* from = nullptr;
        const CvxMarker* to = nullptr;
        if (range == u"All") {
            compareRange.SetType(CvxCompareRange::kAll);
            m_model.SetCompareRange(compareRange);
        } else if (separator != std::u16string::npos && separator != 0
                   && (from = m_model.GetMarkerMgr().FindMarkerByName(range.substr(0, separator))) != nullptr
                   && (to = m_model.GetMarkerMgr().FindMarkerByName(range.substr(separator + 2))) != nullptr) {
            compareRange.SetType(CvxCompareRange::kMarkers);
            compareRange.SetFromMarkerID(from->GetID());
            compareRange.SetToMarkerID(to->GetID());
            m_model.SetCompareRange(compareRange);
        } else {
            answer = false;
        }
    }
    int offset = 0;
    if (doc.GetAttribute(u"ReferenceOffset", offset)) {
        CvxCompareReferenceOffset referenceOffset = m_model.GetReferenceOffset();
        referenceOffset.SetSampleOffset(offset);
        m_model.SetReferenceOffset(referenceOffset);
    }
    std::u16string timeRange;
    if (doc.GetAttribute(u"TimeRange", timeRange) && !SetTimeRange(timeRange)) {
        answer = false;
    }
    int threshold = 0;
    if (doc.GetAttribute(u"Threshold", threshold) && threshold <= 0) {
        answer = false;
    } else {
        SetRunUntilOptions(doc);
    }
    return answer;
}

bool CvxCompareRemoteCommands::SetTimeRange(const std::u16string& range)
{
    // Two decimal femtosecond counts joined by "..".
    const std::size_t separator = range.find(u"..");
    if (separator == std::u16string::npos) {
        return false;
    }
    std::int64_t times[2] = {0, 0};
    const std::u16string_view parts[2] = {std::u16string_view(range).substr(0, separator),
                                          std::u16string_view(range).substr(separator + 2)};
    for (int i = 0; i < 2; ++i) {
        if (!CvxStringConvert::ParseDecimal(parts[i], times[i])) {
            return false;
        }
    }
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const CvxMarker* from = UserMarkerAt(markers, CvxPosition::AtTime(CvxTime(CvxInt128(times[0]))));
    const CvxMarker* to = UserMarkerAt(markers, CvxPosition::AtTime(CvxTime(CvxInt128(times[1]))));
    CvxCompareRange compareRange = m_model.GetCompareRange();
    compareRange.SetType(CvxCompareRange::kMarkers);
    compareRange.SetFromMarkerID(from->GetID());
    compareRange.SetToMarkerID(to->GetID());
    m_model.SetCompareRange(compareRange);
    return true;
}

void CvxCompareRemoteCommands::SetRunUntilOptions(const CvxMarkupDocument& doc)
{
    CvxCompareRunUntil runUntil = m_model.GetRunUntil();
    int threshold = 0;
    if (doc.GetAttribute(u"Threshold", threshold)) {
        runUntil.SetNumberOfDifferences(threshold);
    }
    bool flag = false;
    if (doc.GetAttribute(u"StopRepetitiveRun", flag)) {
        runUntil.SetStopRepetitiveRunEnabled(flag);
    }
    if (doc.GetAttribute(u"SendEmail", flag)) {
        runUntil.SetSendEmailEnabled(flag);
    }
    std::u16string text;
    if (doc.GetAttribute(u"Recipient", text)) {
        runUntil.GetEmail().SetRecipient(text);
    }
    if (doc.GetAttribute(u"Subject", text)) {
        runUntil.GetEmail().SetSubject(text);
    }
    if (doc.GetAttribute(u"MessageBody", text)) {
        runUntil.GetEmail().SetMessageBody(text);
    }
    m_model.SetRunUntil(runUntil);
}

bool CvxCompareRemoteCommands::GetDataValue(const std::u16string& command, std::u16string& reply)
{
    if (command == u"GetNumberOfDifferences") {
        reply = Decimal(m_model.GetResults().CountDifferingInputRows());
        return true;
    }
    if (command == u"GetCounts") {
        const CvxCompareResults& results = m_model.GetResults();
        CvxMarkupDocument doc;
        doc.AddElement(u"Counts");
        doc.SetAttribute(u"SamplesCompared", results.GetSamplesCompared());
        doc.SetAttribute(u"ColumnsCompared", m_model.GetColumnsCompared());
        doc.SetAttribute(u"Comparisons", results.GetComparisons());
        doc.SetAttribute(u"Differences", results.GetDifferences());
        reply = doc.GetText();
        return true;
    }
    if (command != u"GetOptions") {
        return false;
    }
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const CvxCompareRange& range = m_model.GetCompareRange();
    std::u16string from;
    std::u16string to;
    if (range.IsAll()) {
        from = MarkerName(markers, markers.GetBeginDataMarkerID(), markers.GetBeginDataMarkerID());
        to = MarkerName(markers, markers.GetEndDataMarkerID(), markers.GetEndDataMarkerID());
    } else {
        from = MarkerName(markers, range.GetFromMarkerID(), markers.GetBeginDataMarkerID());
        to = MarkerName(markers, range.GetToMarkerID(), markers.GetEndDataMarkerID());
    }
    const CvxCompareRunUntil& runUntil = m_model.GetRunUntil();
    CvxMarkupDocument doc;
    doc.AddElement(u"Options");
    doc.SetAttribute(u"ReferenceOffset", m_model.GetReferenceOffset().GetSampleOffset());
    doc.SetAttribute(u"Range", from + u".." + to);
    doc.SetAttribute(u"MaxDifferences", runUntil.IsStopComparingEnabled() ? runUntil.GetNumberOfDifferences() : 0);
    reply = doc.GetText();
    return true;
}

bool CvxCompareRemoteCommands::GetDataWithArgs(const std::u16string& request, std::u16string& reply)
{
    CvxMarkupDocument doc(request);
    int index = -1;
    if (!doc.HasRoot() || !doc.FindElement() || doc.GetTagName() != u"GetDifference"
        || !doc.GetAttribute(u"Index", index) || index < 0) {
        return false;
    }
    std::u16string marks;
    return GetDifference(index, doc.GetAttribute(u"Marks", marks) && marks == u"T", reply);
}

bool CvxCompareRemoteCommands::GetDifference(int index, bool withMarks, std::u16string& reply)
{
    if (!m_model.IsDataValid() || m_model.GetReferenceBuffer().IsEmpty()) {
        return false;
    }
    // The table that holds the index-th differing input row, and that row.
    const CvxCompareResults& results = m_model.GetResults();
    const CvxCompareTableMarks* tableMarks = nullptr;
    std::int64_t row = -1;
    std::int64_t before = 0;
    for (const CvxCompareTableMarks& marks : results.GetDifferenceMarks()) {
        const std::int64_t here = marks.GetInputRows().Count();
        if (index < before + here) {
            tableMarks = &marks;
            row = marks.GetInputRows().Select(index - before);
            break;
        }
        before += here;
    }
    if (tableMarks == nullptr || row < 0) {
        return false;
    }

    const CvxData& data = *m_model.GetInputData();
    struct Column {
        const CvxCompareSource* source;
        std::unique_ptr<CvxSampleIterBase> input;
    };
    std::vector<Column> columns;
    for (const auto& source : m_model.GetReferenceBuffer()) {
        const CvxDataColumnComponent* column = data.GetColumnWithLabelID(source->GetLabelChannel().GetLabelID());
        if (column == nullptr) {
            continue;
        }
        const bool subRows = column->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        columns.push_back({source.get(), data.CreateIter(source->GetLabelChannel(), subRows
                                                                                       ? CvxSampleIterBase::kModeSubRows
                                                                                       : CvxSampleIterBase::kModeSamples)});
    }
    // The position of the row, read through a column of its table.
    CvxPosition at;
    bool located = false;
    for (Column& column : columns) {
        if (column.input->GetTable()->GetID() == tableMarks->GetTableID()) {
            column.input->GotoRow(row);
            at = column.input->GetPosition();
            located = true;
            break;
        }
    }
    if (!located) {
        return false;
    }
    for (Column& column : columns) {
        column.input->SetPosition(at);
    }
    at.SetMode(CvxPosition::kModeSample);

    // Pairs as the comparison paired: its offset and where its interval started in each table,
    // whatever the settings say now.
    const int offset = results.GetPairedOffset();

    CvxMarkupDocument doc;
    doc.AddElement(u"Differences");
    doc.SetAttribute(u"Sample", static_cast<int>(at.AsSample()));
    for (Column& column : columns) {
        CvxSampleIterBase& input = *column.input;
        std::u16string value;
        input.GetValue(value);

        std::u16string reference = u"<empty>";
        bool marked = false;
        if (!input.IsDone()) {
            const CvxID& table = input.GetTable()->GetID();
            const CvxCompareTableMarks* different = results.FindDifferenceMarks(table);
            const CvxCompareTableMarks* equal = results.FindMatchMarks(table);
            const bool isDifferent = different != nullptr && different->GetInputRows().Contains(input.GetRow());
            const bool isEqual = equal != nullptr && equal->GetInputRows().Contains(input.GetRow());
            marked = isDifferent;
            std::int64_t intervalStart = 0;
            if ((isDifferent || isEqual) && results.GetIntervalStart(table, intervalStart)) {
                const std::int64_t referenceRow = input.GetRow() - intervalStart - offset;
                CvxCompareDataSource* store = column.source->GetDataSource();
                const std::unique_ptr<CvxCompareDataSourceIter, IterDeleter> it(store->CreateIter(), IterDeleter{store});
                reference = isDifferent ? u"<empty>" : u"";
                const bool inStore = referenceRow >= 0 && referenceRow < store->GetCount();
                if (inStore && it->Goto(static_cast<std::int32_t>(referenceRow))
                    && (!it->HasSubRows() || it->GotoSubRow(input.GetSubRowIndex()))) {
                    // A differing row may differ in other columns only: this column differs when
                    // its values differ as the comparison compares them (numbers with their X/Z
                    // masks, not their text at the input's width).
                    CvxUInt number;
                    if (store->IsString()) {
                        it->GetValue(reference);
                        marked = isDifferent && reference != value;
                    } else if (it->GetValue(number)) {
                        reference = input.GetFormatter().Format(number);
                        CvxUInt inputNumber;
                        input.GetValue(inputNumber);
                        marked = isDifferent && inputNumber != number;
                    }
                }
            }
        }
        doc.AddChildElement(u"Difference");
        doc.SetChildAttribute(u"Name", column.source->GetLabelChannel().GetName());
        doc.SetChildAttribute(u"Reference", reference);
        doc.SetChildAttribute(u"Value", value);
        if (withMarks) {
            doc.SetChildAttribute(u"Different", marked ? u"T" : u"F");
        }
    }
    reply = doc.GetText();
    return true;
}

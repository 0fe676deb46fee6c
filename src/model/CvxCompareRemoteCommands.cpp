#include "CvxCompareRemoteCommands.h"

#include "CvxCompareModel.h"
#include "CvxCompareOptionsRequest.h"
#include "CvxCompareStoreIter.h"
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
    CvxCompareOptionsRequest options;
    if (!options.Parse(request, m_model.GetMarkerMgr())) {
        return false; // nothing of it is applied
    }
    if (options.maxDifferences || options.threshold || options.stopRepetitiveRun || options.sendEmail
        || options.recipient || options.subject || options.messageBody) {
        CvxCompareRunUntil runUntil = m_model.GetRunUntil();
        if (options.maxDifferences) {
            runUntil.SetStopComparingEnabled(*options.maxDifferences > 0);
            if (*options.maxDifferences > 0) {
                runUntil.SetNumberOfDifferences(*options.maxDifferences);
            }
        }
        if (options.threshold) {
            runUntil.SetNumberOfDifferences(*options.threshold);
        }
        if (options.stopRepetitiveRun) {
            runUntil.SetStopRepetitiveRunEnabled(*options.stopRepetitiveRun);
        }
        if (options.sendEmail) {
            runUntil.SetSendEmailEnabled(*options.sendEmail);
        }
        if (options.recipient) {
            runUntil.GetEmail().SetRecipient(*options.recipient);
        }
        if (options.subject) {
            runUntil.GetEmail().SetSubject(*options.subject);
        }
        if (options.messageBody) {
            runUntil.GetEmail().SetMessageBody(*options.messageBody);
        }
        m_model.SetRunUntil(runUntil);
    }
    if (options.rangeAll || options.timeFrom) {
        CvxCompareRange compareRange = m_model.GetCompareRange();
        if (options.timeFrom) {
            CvxMarkerMgr& markers = m_model.GetMarkerMgr();
            options.rangeAll = false;
            options.rangeFrom = UserMarkerAt(markers, CvxPosition::AtTime(CvxTime(CvxInt128(*options.timeFrom))))->GetID();
            options.rangeTo = UserMarkerAt(markers, CvxPosition::AtTime(CvxTime(CvxInt128(options.timeTo))))->GetID();
        }
        compareRange.SetType(*options.rangeAll ? CvxCompareRange::kAll : CvxCompareRange::kMarkers);
        if (!*options.rangeAll) {
            compareRange.SetFromMarkerID(options.rangeFrom);
            compareRange.SetToMarkerID(options.rangeTo);
        }
        m_model.SetCompareRange(compareRange);
    }
    if (options.referenceOffset) {
        CvxCompareReferenceOffset referenceOffset = m_model.GetReferenceOffset();
        referenceOffset.SetSampleOffset(*options.referenceOffset);
        m_model.SetReferenceOffset(referenceOffset);
    }
    if (options.center) {
        m_model.MoveCenter(CvxPosition::AtTime(CvxTime(CvxInt128(*options.center))), false);
    }
    return true;
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
                const CvxCompareStoreIter it = CvxMakeStoreIter(*store);
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

#include "CvxCompareEngine.h"

#include "CvxCancelMgr.h"
#include "CvxCompareColumnPropertiesCommand.h"
#include "CvxCompareDataSourceFactory.h"
#include "CvxCompareFastColumn.h"
#include "CvxCompareMessage.h"
#include "CvxCompareStoreIter.h"
#include "CvxData.h"
#include "CvxInfoMgr.h"
#include "CvxSampleIterBase.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace {

using StoreIter = CvxCompareStoreIter;

// The working record of one reference column during a comparison.
struct Column {
    bool subRows = false;
    CvxCompareTableMarks* differences = nullptr;
    CvxCompareTableMarks* matches = nullptr;
    CvxCompareDataSource* store = nullptr;
    StoreIter storeIter;
    std::unique_ptr<CvxSampleIterBase> input;
};

CvxCompareTableMarks* MarksOf(std::vector<CvxCompareTableMarks>& marks, const CvxID& table)
{
    for (CvxCompareTableMarks& m : marks) {
        if (m.GetTableID() == table) {
            return &m;
        }
    }
    return nullptr;
}

// Moves a store iterator past every entry of its current row.
void SkipStoreRow(CvxCompareDataSourceIter& it)
{
    const std::int32_t row = it.GetIndex();
    while (!it.IsDone() && it.GetIndex() == row) {
        it.Next();
    }
}

// The reference copy entry by entry: every value with data status 2 up to the time `to`,
// a new store row for each new input row.
void CopyEntries(CvxSampleIterBase& input, CvxCompareDataSource& store, bool subRows, CvxTime to)
{
    const bool strings = store.IsString();
    std::u16string text;
    CvxUInt value;
    std::int64_t lastRow = -1;
    for (; !input.IsDone() && input.GetDataStatus() == kStatusValid && input.GetTime() <= to; input.Next()) {
        if (strings) {
            input.GetValue(text);
        } else {
            input.GetValue(value);
        }
        if (!subRows) {
            strings ? store.Append(text) : store.Append(value);
        } else if (input.GetRow() != lastRow) {
            lastRow = input.GetRow();
            const int slots = input.GetLastSubRowIndex() + 1;
            strings ? store.AppendRow(text, input.GetSubRowIndex(), slots)
                    : store.AppendRow(value, input.GetSubRowIndex(), slots);
        } else {
            strings ? store.AppendSubRow(text, input.GetSubRowIndex())
                    : store.AppendSubRow(value, input.GetSubRowIndex());
        }
    }
}

int ClampToInt(std::int64_t n)
{
    return static_cast<int>(std::min<std::int64_t>(n, INT_MAX));
}

// Moves a store iterator to the reference row that stands against the first input row of the
// interval: a row below 0 is row 0; a row at or past the end leaves the iterator done, since no
// reference row stands against any input row then.
void PlaceReference(CvxCompareDataSourceIter& it, std::int64_t row, std::int32_t count)
{
    if (count > 0 && row >= count) {
        it.Last();
        it.Next();
        return;
    }
    it.Goto(static_cast<std::int32_t>(std::max<std::int64_t>(row, 0)));
}

} // namespace

CvxPosition CvxCompareEngine::ResolveFrom(CvxCompareRange& range)
{
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    if (const CvxMarker* marker = markers.GetMarker(range.GetFromMarkerID())) {
        return marker->GetPosition();
    }
    range.SetFromMarkerID(markers.GetBeginDataMarkerID());
    return m_model.GetDataFirst();
}

CvxPosition CvxCompareEngine::ResolveTo(CvxCompareRange& range)
{
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    if (const CvxMarker* marker = markers.GetMarker(range.GetToMarkerID())) {
        return marker->GetPosition();
    }
    range.SetToMarkerID(markers.GetEndDataMarkerID());
    return m_model.GetDataLast();
}

void CvxCompareEngine::CopyReference(const std::vector<CvxLabelChannel>& labels, const CvxCompareRange& range,
                                     const CvxCompareModel::ColumnWidthMeasure& measure)
{
    CvxCompareDataChangedMessage changed;
    const CvxCompareRange oldCompare = m_model.GetCompareRange();
    const CvxCompareRange oldReference = m_model.GetReferenceRange();
    m_model.SetCompareRange(range);
    m_model.SetReferenceRange(range);
    // Copied aside: a cancelled copy leaves the reference buffer as it was.
    CvxCompareSourceList buffer;

    if (m_model.IsDataValid()) {
        const CvxData& data = *m_model.GetInputData();
        CvxPosition from = m_model.GetDataFirst();
        CvxPosition to = m_model.GetDataLast();
        if (range.GetType() == CvxCompareRange::kMarkers) {
            CvxCompareRange resolved = range;
            from = ResolveFrom(resolved);
            to = ResolveTo(resolved);
            m_model.SetReferenceRange(resolved);
            m_model.SetCompareRange(resolved);
        }
        if (from > to) {
            std::swap(from, to);
        }
        for (const CvxLabelChannel& label : labels) {
            const CvxDataColumnComponent* column = data.GetColumnWithLabelID(label.GetLabelID());
            if (column == nullptr) {
                continue;
            }
            const bool subRows = column->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
            std::unique_ptr<CvxCompareDataSource> store =
                CreateCompareDataSource(CvxCompareStoreKindOf(*column, label), subRows);
            const auto input = data.CreateIter(
                label, subRows ? CvxSampleIterBase::kModeSubRows : CvxSampleIterBase::kModeSamples);
            input->SetPosition(CvxPosition::AtTime(from.AsTime()));
            if (!store->IsString() && CvxCompareFastColumn::IsPlainInput(*input)) {
                CvxCompareFastColumn::CopyPlain(*input, *store, to.AsTime());
            } else {
                CopyEntries(*input, *store, subRows, to.AsTime());
            }
            store->EndAppend();
            buffer.Add(label, std::move(store));
            if (CvxCancelMgr::GetInstance().IsCancelled()) {
                m_model.SetCompareRange(oldCompare);
                m_model.SetReferenceRange(oldReference);
                CvxInfoMgr::GetInstance().LogMessage(kMessageWarning,
                                                     u"Copy cancelled: the reference buffer is as it was.");
                return;
            }
        }
    }
    m_model.GetReferenceBuffer() = std::move(buffer);
    // Widths for the new content, measured with the new reference in place (it may add the
    // reference half of a column).
    std::vector<CvxCompareColumn> resized;
    for (const auto& source : m_model.GetReferenceBuffer()) {
        for (const CvxCompareColumn& shown : m_model.GetColumns()) {
            const int width = measure && shown.GetLabel() == source->GetLabelChannel() ? measure(shown) : shown.GetWidth();
            if (width != shown.GetWidth()) {
                CvxCompareColumn copy = shown;
                copy.SetWidth(width, true);
                resized.push_back(copy);
            }
        }
    }
    if (!resized.empty()) {
        m_model.Execute(std::make_unique<CvxCompareColumnPropertiesCommand>(m_model, resized));
    }
    m_model.GetResults().Clear();
    Compare(true);
    m_model.Broadcast(changed);
}

void CvxCompareEngine::Compare(bool copyShortcutAllowed)
{
    CompareImpl(copyShortcutAllowed, true);
}

void CvxCompareEngine::CompareGeneral(bool copyShortcutAllowed)
{
    CompareImpl(copyShortcutAllowed, false);
}

void CvxCompareEngine::CompareImpl(bool copyShortcutAllowed, bool allowFastPath)
{
    m_blockWiseColumns = 0;
    CvxCompareResults& results = m_model.GetResults();
    results.Clear();
    const CvxCompareSourceList& buffer = m_model.GetReferenceBuffer();
    if (!m_model.IsDataValid() || buffer.IsEmpty()) {
        return;
    }
    const CvxData& data = *m_model.GetInputData();

    // Input iterators and working records; a bus/signal the input lacks is skipped.
    std::vector<Column> columns;
    columns.reserve(buffer.GetCount());
    for (const auto& source : buffer) {
        const CvxDataColumnComponent* dataColumn = data.GetColumnWithLabelID(source->GetLabelChannel().GetLabelID());
        if (dataColumn == nullptr) {
            continue;
        }
        Column column;
        column.subRows = dataColumn->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        column.input = data.CreateIter(source->GetLabelChannel(), column.subRows ? CvxSampleIterBase::kModeSubRows
                                                                                  : CvxSampleIterBase::kModeSamples);
        column.input->First();
        column.store = source->GetDataSource();
        columns.push_back(std::move(column));
    }

    std::vector<std::pair<CvxID, std::int64_t>> tables;
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        tables.emplace_back(data.GetTable(t).GetID(), data.GetTable(t).GetRowCount());
    }
    results.ResetMarks(tables);
    auto& differenceMarks = results.GetDifferenceMarks();
    auto& matchMarks = results.GetMatchMarks();

    const int offset = m_model.GetReferenceOffset().GetSampleOffset();
    // The reference row against the first input row, in 64 bits: no offset overflows it.
    const std::int64_t referenceFirst = -static_cast<std::int64_t>(offset);
    for (Column& column : columns) {
        const CvxID& table = column.input->GetTable()->GetID();
        column.differences = MarksOf(differenceMarks, table);
        column.matches = MarksOf(matchMarks, table);
        column.storeIter = CvxMakeStoreIter(*column.store);
        PlaceReference(*column.storeIter, referenceFirst, column.store->GetCount());
    }

    const bool shortcut =
        copyShortcutAllowed && offset == 0 && m_model.GetCompareRange().SameRangeAs(m_model.GetReferenceRange());
    const CvxCompareRunUntil& runUntil = m_model.GetRunUntil();
    const bool stopArmed = !shortcut && runUntil.IsStopComparingEnabled();
    const std::int64_t threshold = runUntil.GetNumberOfDifferences();

    CvxPosition start = m_model.GetDataFirst();
    CvxPosition end = m_model.GetDataLast();
    if (m_model.GetCompareRange().GetType() == CvxCompareRange::kMarkers) {
        CvxCompareRange range = m_model.GetCompareRange();
        start = ResolveFrom(range);
        end = ResolveTo(range);
        m_model.SetCompareRange(range);
    }
    if (start > end) {
        std::swap(start, end);
    }

    results.SetPairedOffset(offset);
    for (Column& column : columns) {
        CvxSampleIterBase& input = *column.input;
        input.SetPosition(start);
        results.SetIntervalStart(input.GetTable()->GetID(), input.IsDone() ? input.GetTable()->GetRowCount() : input.GetRow());
    }
    std::int64_t samplesCompared = 0;
    std::int64_t comparisons = 0;
    std::int64_t differences = 0;
    bool stop = false;
    bool cancelled = false;
    std::size_t columnsDone = 0;
    CvxUInt inputValue;
    CvxUInt referenceValue;
    std::u16string inputText;
    std::u16string referenceText;

    for (Column& column : columns) {
        if (stop) {
            break;
        }
        CvxSampleIterBase& input = *column.input;
        CvxCompareDataSourceIter& ref = *column.storeIter;
        input.SetPosition(start);

        if (allowFastPath && !column.subRows) {
            CvxCompareFastColumn fast(input, *column.store, ref, end);
            if (fast.IsApplicable()) {
                ++m_blockWiseColumns;
                const CvxCompareFastColumn::Outcome outcome = fast.Run(
                    offset, shortcut, *column.differences, *column.matches, results, stopArmed, threshold - differences);
                comparisons += outcome.compared;
                differences += outcome.differences;
                samplesCompared = std::max(samplesCompared, outcome.compared);
                stop = outcome.stopped;
                ++columnsDone;
                if (!stop && columnsDone < columns.size() && CvxCancelMgr::GetInstance().IsCancelled()) {
                    stop = true;
                    cancelled = true;
                }
                continue;
            }
        }

        std::int64_t pending = referenceFirst;
        std::int64_t lastRow = -1;
        std::int64_t comparedHere = 0;
        const bool strings = column.store->IsString();
        while (!input.IsDone() && !ref.IsDone() && input.GetDataStatus() == kStatusValid
               && !CvxIsAfterEnd(input.GetPosition(), end)) {
            if (pending < 0) {
                // The first offset input rows of the interval stand against no reference row.
                if (input.GetRow() != lastRow) {
                    lastRow = input.GetRow();
                    if (column.subRows) {
                        while (!input.IsDone() && input.GetRow() == lastRow) {
                            input.Next();
                        }
                        input.Prev();
                    }
                    ++pending;
                }
                input.Next();
                continue;
            }
            ++comparisons;
            ++comparedHere;

            bool differ = false;
            if (!shortcut) {
                const bool slotExists = !column.subRows || ref.GotoSubRow(input.GetSubRowIndex());
                if (!slotExists) {
                    differ = true;
                } else if (strings) {
                    input.GetValue(inputText);
                    ref.GetValue(referenceText);
                    differ = inputText != referenceText;
                } else {
                    input.GetValue(inputValue);
                    ref.GetValue(referenceValue);
                    differ = inputValue != referenceValue;
                }
            }

            if (!differ) {
                column.matches->Add(input.GetRow(), ref.GetIndex());
            } else {
                ++differences;
                column.differences->Add(input.GetRow(), ref.GetIndex());
                const CvxPosition at = input.GetPosition();
                results.MarkBucket(results.BucketOf(at.AsInt128()), at.AsTime());
                if (stopArmed && differences >= threshold) {
                    stop = true;
                    break;
                }
            }

            if (!column.subRows) {
                ref.Next();
            } else {
                if (input.GetLastSubRowIndex() != 0) {
                    const std::int64_t row = input.GetRow();
                    input.Next();
                    if (input.IsDone()) {
                        // The last entry was compared; the step below ends the column.
                        input.Last();
                    } else {
                        if (input.GetRow() != row) {
                            SkipStoreRow(ref);
                        }
                        input.Prev();
                    }
                } else {
                    SkipStoreRow(ref);
                }
            }
            input.Next();
        }
        samplesCompared = std::max(samplesCompared, comparedHere);
        ++columnsDone;
        // Long work polls between columns: a column runs as one tight loop.
        if (!stop && columnsDone < columns.size() && CvxCancelMgr::GetInstance().IsCancelled()) {
            stop = true;
            cancelled = true;
        }
    }

    results.SetSamplesCompared(ClampToInt(samplesCompared));
    results.SetComparisons(ClampToInt(comparisons));
    results.SetDifferences(ClampToInt(differences));
    results.RebuildBucketList();
    if (cancelled) {
        // The user stopped it: the counts cover the columns compared, and no run-until rule acts.
        CvxInfoMgr::GetInstance().LogMessage(
            kMessageWarning, u"Comparison cancelled after " + CvxStringConvert::FromUtf8(std::to_string(columnsDone)) + u" of "
                                 + CvxStringConvert::FromUtf8(std::to_string(columns.size()))
                                 + u" buses/signals; the counts cover those.");
        return;
    }
    if (!shortcut) {
        m_model.ApplyRunUntil(ClampToInt(differences));
    }
}

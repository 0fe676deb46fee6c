#include "CvxCompareFastColumn.h"

#include "CvxCompareDataSource.h"
#include "CvxCompareEngine.h"
#include "CvxCompareResults.h"
#include "CvxDataTable.h"
#include "CvxSampleIterBase.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr std::int64_t kStride = 64;

// The first index in [from, count) where the two arrays differ, or count.
template <typename A, typename B>
std::int64_t NextMismatch(const A* a, const B* b, std::int64_t from, std::int64_t count)
{
    std::int64_t i = from;
    if constexpr (sizeof(A) == sizeof(B)) {
        // Whole strides that hold no difference are passed with one block compare each.
        while (i + kStride <= count && std::memcmp(a + i, b + i, kStride * sizeof(A)) == 0) {
            i += kStride;
        }
    }
    for (; i < count; ++i) {
        if (static_cast<std::uint64_t>(a[i]) != static_cast<std::uint64_t>(b[i])) {
            return i;
        }
    }
    return count;
}

template <typename A>
std::int64_t NextMismatchOf(const A* a, const void* b, int bWidth, std::int64_t from, std::int64_t count)
{
    switch (bWidth) {
    case 1: return NextMismatch(a, static_cast<const std::uint8_t*>(b), from, count);
    case 2: return NextMismatch(a, static_cast<const std::uint16_t*>(b), from, count);
    case 4: return NextMismatch(a, static_cast<const std::uint32_t*>(b), from, count);
    default: return NextMismatch(a, static_cast<const std::uint64_t*>(b), from, count);
    }
}

std::int64_t FindMismatch(const void* a, int aWidth, const void* b, int bWidth, std::int64_t from, std::int64_t count)
{
    switch (aWidth) {
    case 1: return NextMismatchOf(static_cast<const std::uint8_t*>(a), b, bWidth, from, count);
    case 2: return NextMismatchOf(static_cast<const std::uint16_t*>(a), b, bWidth, from, count);
    case 4: return NextMismatchOf(static_cast<const std::uint32_t*>(a), b, bWidth, from, count);
    default: return NextMismatchOf(static_cast<const std::uint64_t*>(a), b, bWidth, from, count);
    }
}

int WidthOf(EvxValueKind kind)
{
    switch (kind) {
    case EvxValueKind::U8: return 1;
    case EvxValueKind::U16: return 2;
    case EvxValueKind::U32: return 4;
    case EvxValueKind::U64: return 8;
    default: return 0;
    }
}

bool IsPlainWidth(int width)
{
    return width == 1 || width == 2 || width == 4 || width == 8;
}

} // namespace

CvxCompareFastColumn::CvxCompareFastColumn(CvxSampleIterBase& input, const CvxCompareDataSource& store,
                                           CvxCompareDataSourceIter& reference, const CvxPosition& end)
    : m_input(input), m_reference(reference), m_end(end)
{
    if (!IsPlainInput(input) || store.IsString() || reference.HasSubRows()) {
        return;
    }
    if (!reference.IsDone()) {
        const void* values = nullptr;
        int width = 0;
        if (reference.GetValueRun(values, width) <= 0 || !IsPlainWidth(width)) {
            return;
        }
    }
    m_applicable = true;
}

bool CvxCompareFastColumn::IsPlainInput(const CvxSampleIterBase& input)
{
    const CvxDataColumnComponent* column = input.GetColumn();
    return column != nullptr && !column->HasSubRows() && !column->HasXZ() && !column->HasStatuses()
        && IsPlainWidth(WidthOf(column->GetValueKind())) && input.GetLabelChannel().IsWholeLabel();
}

std::int64_t CvxCompareFastColumn::CopyPlain(CvxSampleIterBase& input, CvxCompareDataSource& store, CvxTime to)
{
    if (input.IsDone()) {
        return 0;
    }
    const CvxDataColumnComponent& column = *input.GetColumn();
    const CvxDataTable& table = column.GetTable();
    const int width = WidthOf(column.GetValueKind());
    const std::int64_t first = input.GetRow();
    std::int64_t lo = first;
    std::int64_t hi = column.GetRowCount();
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (table.GetRowTime(mid) > to) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    const std::int64_t end = std::min<std::int64_t>(lo, first + INT32_MAX);
    for (std::int64_t row = first; row < end;) {
        std::int64_t chunkFirst = 0;
        std::int64_t chunkLength = 0;
        const auto* chunk = static_cast<const std::uint8_t*>(column.ValueChunk(row, chunkFirst, chunkLength));
        const std::int64_t n = std::min(chunkFirst + chunkLength, end) - row;
        if (chunk == nullptr || n <= 0) {
            return row - first;
        }
        store.AppendValues(chunk + (row - chunkFirst) * width, width, static_cast<std::int32_t>(n));
        row += n;
    }
    return end - first;
}

CvxCompareFastColumn::Outcome CvxCompareFastColumn::Run(int offset, bool shortcut, CvxCompareTableMarks& differences,
                                                        CvxCompareTableMarks& matches, CvxCompareResults& results,
                                                        bool stopArmed, std::int64_t budget)
{
    Outcome out;
    if (m_input.IsDone() || m_reference.IsDone()) {
        return out;
    }
    const CvxDataColumnComponent& column = *m_input.GetColumn();
    const CvxDataTable& table = column.GetTable();
    const std::int64_t rowCount = column.GetRowCount();
    const int inputWidth = WidthOf(column.GetValueKind());

    // Rows of the interval: positions within a table grow with the row.
    std::int64_t first = m_input.GetRow();
    std::int64_t lo = first;
    std::int64_t hi = rowCount;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (CvxIsAfterEnd(table.GetRowPosition(mid), m_end)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    const std::int64_t endRow = lo; // one past the last row at or before the end
    first += std::max(offset, 0);   // the first offset input rows stand against no reference row
    const std::int64_t refFirst = m_reference.GetIndex();
    const std::int64_t pairs = std::min(endRow - first, static_cast<std::int64_t>(m_reference.GetCount()) - refFirst);
    if (pairs <= 0) {
        return out;
    }

    std::int64_t k = 0;
    while (k < pairs) {
        std::int64_t chunkFirst = 0;
        std::int64_t chunkLength = 0;
        const void* inputChunk = column.ValueChunk(first + k, chunkFirst, chunkLength);
        m_reference.Goto(static_cast<std::int32_t>(refFirst + k));
        const void* refValues = nullptr;
        int refWidth = 0;
        const std::int64_t refRun = m_reference.GetValueRun(refValues, refWidth);
        const std::int64_t block = std::min({pairs - k, chunkFirst + chunkLength - (first + k), refRun});
        if (inputChunk == nullptr || block <= 0) {
            break; // cannot happen for a consistent column and store; the pairs stay uncounted
        }
        const auto* inputValues = static_cast<const std::uint8_t*>(inputChunk) + (first + k - chunkFirst) * inputWidth;

        std::int64_t i = 0;
        while (i < block) {
            const std::int64_t j = shortcut ? block : FindMismatch(inputValues, inputWidth, refValues, refWidth, i, block);
            if (j > i) {
                matches.GetInputRows().AddRange(first + k + i, first + k + j - 1);
                matches.GetReferenceRows().AddRange(refFirst + k + i, refFirst + k + j - 1);
            }
            if (j == block) {
                break;
            }
            const std::int64_t row = first + k + j;
            differences.Add(row, refFirst + k + j);
            ++out.differences;
            const CvxTime time = table.GetRowTime(row);
            results.MarkBucket(results.BucketOf(time.AsInt128()), time);
            if (stopArmed && out.differences >= budget) {
                out.compared = k + j + 1;
                out.stopped = true;
                return out;
            }
            i = j + 1;
        }
        k += block;
    }
    out.compared = k;
    return out;
}

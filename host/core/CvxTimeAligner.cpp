#include "CvxTimeAligner.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

CvxInt128 Gcd(CvxInt128 a, CvxInt128 b)
{
    while (b != 0) {
        const CvxInt128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

CvxInt128 TimeOf(const CvxDataTable& table, std::int64_t row)
{
    return table.GetRowTime(row).AsInt128();
}

bool SameTimes(const CvxDataTable& a, const CvxDataTable& b)
{
    if (a.GetRowCount() != b.GetRowCount()) {
        return false;
    }
    if (a.GetTick() == b.GetTick()) {
        for (std::int64_t row = 0; row < a.GetRowCount(); ++row) {
            if (a.GetRowTicks(row) != b.GetRowTicks(row)) {
                return false;
            }
        }
        return true;
    }
    for (std::int64_t row = 0; row < a.GetRowCount(); ++row) {
        if (TimeOf(a, row) != TimeOf(b, row)) {
            return false;
        }
    }
    return true;
}

const CvxDataTable* TableNamed(const CvxData& data, const std::u16string& name)
{
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        if (data.GetTable(t).GetName() == name) {
            return &data.GetTable(t);
        }
    }
    return nullptr;
}

bool Alignable(const CvxDataTable* a, const CvxDataTable* b)
{
    return a != nullptr && b != nullptr && a->HasRowTimes() && b->HasRowTimes() && a->GetRowCount() > 0
        && b->GetRowCount() > 0;
}

// The row times of a table in units of the common grid: the largest tick that divides both
// tables' ticks. 64-bit, checked once for the table's last row.
struct Clock {
    const CvxDataTable* table;
    std::int64_t unit; // grid units per tick of the table
    std::int64_t At(std::int64_t row) const { return table->GetRowTicks(row) * unit; }
    std::int64_t Rows() const { return table->GetRowCount(); }
    std::int64_t Last() const { return At(Rows() - 1); }
};

// How a table pair meets: the grid unit in fs, both clocks and the start of the common grid
// (the later of the two first times).
struct Meeting {
    CvxInt128 unit = 1;
    Clock a;
    Clock b;
    std::int64_t start = 0;
    // The first rows at or after the start.
    std::int64_t firstA = 0;
    std::int64_t firstB = 0;
};

Meeting MeetingOf(const CvxDataTable& a, const CvxDataTable& b)
{
    Meeting m;
    m.unit = Gcd(a.GetTick().AsInt128(), b.GetTick().AsInt128());
    const CvxInt128 latest = std::numeric_limits<std::int64_t>::max();
    const CvxInt128 unitA = a.GetTick().AsInt128() / m.unit;
    const CvxInt128 unitB = b.GetTick().AsInt128() / m.unit;
    if (unitA > latest || unitB > latest || a.GetRowTicks(a.GetRowCount() - 1) * unitA > latest
        || b.GetRowTicks(b.GetRowCount() - 1) * unitB > latest) {
        throw std::overflow_error("the captures' times cannot be put on one time grid: they lie too far apart for "
                                  "their time units");
    }
    m.a = {&a, static_cast<std::int64_t>(unitA)};
    m.b = {&b, static_cast<std::int64_t>(unitB)};
    m.start = std::max(m.a.At(0), m.b.At(0));
    m.firstA = a.FirstRowAtOrAfter(CvxTime::FromFs(m.unit * m.start));
    m.firstB = b.FirstRowAtOrAfter(CvxTime::FromFs(m.unit * m.start));
    return m;
}

// Walks the common grid of a table (`own`, from row `i`) and its partner (from row `j`) up to
// the table's own last time, calling `visit(time)` for each grid time; answers their number.
template <typename Visit>
std::int64_t WalkGrid(const Clock& own, std::int64_t i, const Clock& partner, std::int64_t j, Visit visit)
{
    const std::int64_t last = own.Last();
    const std::int64_t end = std::numeric_limits<std::int64_t>::max();
    std::int64_t count = 0;
    std::int64_t previous = std::numeric_limits<std::int64_t>::min();
    while (i < own.Rows() || j < partner.Rows()) {
        const std::int64_t ta = i < own.Rows() ? own.At(i) : end;
        const std::int64_t tb = j < partner.Rows() ? partner.At(j) : end;
        const std::int64_t t = std::min(ta, tb);
        if (t > last) {
            break;
        }
        if (t != previous) {
            visit(t);
            ++count;
            previous = t;
        }
        i += ta == t ? 1 : 0;
        j += tb == t ? 1 : 0;
    }
    return count;
}

// Whether the grid adds nothing to a table: no row before the start, no repeated time, and
// every time of the partner up to the table's end is one of the table's.
bool IsOnGrid(const Clock& own, std::int64_t i, const Clock& partner, std::int64_t j)
{
    if (i != 0) {
        return false;
    }
    const std::int64_t last = own.Last();
    for (; i < own.Rows(); ++i) {
        const std::int64_t t = own.At(i);
        if (i > 0 && t == own.At(i - 1)) {
            return false;
        }
        for (; j < partner.Rows() && partner.At(j) <= t; ++j) {
            if (partner.At(j) != t) {
                return false;
            }
        }
    }
    return j >= partner.Rows() || partner.At(j) > last;
}

struct Plan {
    const CvxDataTable* table;
    Clock own;
    std::int64_t first; // the table's first row at or after the start
    Clock partner;
    std::int64_t partnerFirst;
    CvxInt128 unit;
};

// A copy of `source` where the planned tables take the common grid up to their own last time,
// each row holding the values of the last source row at or before its time.
std::shared_ptr<CvxData> Rebuild(const CvxData& source, const std::vector<Plan>& plans)
{
    auto data = std::make_shared<CvxData>();
    for (std::size_t t = 0; t < source.GetTableCount(); ++t) {
        const CvxDataTable& from = source.GetTable(t);
        CvxDataTable& to = data->AddTable(from.GetName(), from.GetID());
        to.SetTriggerRow(from.GetTriggerRow());
        to.SetEndTime(from.GetEndTime());
        const auto plan = std::find_if(plans.begin(), plans.end(), [&](const Plan& p) { return p.table == &from; });
        std::int64_t rows = from.GetRowCount();
        if (plan != plans.end()) {
            to.SetTickTimeBase(CvxTime::FromFs(plan->unit));
            rows = WalkGrid(plan->own, plan->first, plan->partner, plan->partnerFirst,
                            [&](std::int64_t time) { to.AppendRowTime(time); });
        } else if (from.HasRowTimes()) {
            to.SetTickTimeBase(from.GetTick());
            for (std::int64_t row = 0; row < from.GetRowCount(); ++row) {
                to.AppendRowTime(from.GetRowTicks(row));
            }
        } else {
            to.SetUniformTimeBase(from.GetPeriod(), from.GetRowTime(from.GetTriggerRow()));
        }

        for (std::size_t c = 0; c < from.GetColumnCount(); ++c) {
            const CvxDataColumnComponent& column = from.GetColumn(c);
            CvxDataColumnComponent& copy =
                to.AddColumn(column.GetLabelID(), column.GetValueKind(), column.GetWidth(), column.HasSubRows());
            if (plan == plans.end()) {
                copy.AppendRowsOf(column, 0, rows);
                continue;
            }
            // The source row behind each grid row is the last one at or before its time; runs of
            // grid rows on successive source rows are copied at once.
            std::int64_t row = plan->first;
            std::int64_t runFirst = row;
            std::int64_t runLength = 0;
            for (std::int64_t r = 0; r < rows; ++r) {
                const std::int64_t time = to.GetRowTicks(r);
                while (row + 1 < from.GetRowCount() && plan->own.At(row + 1) <= time) {
                    ++row;
                }
                if (row != runFirst + runLength) {
                    copy.AppendRowsOf(column, runFirst, runLength);
                    runFirst = row;
                    runLength = 0;
                }
                ++runLength;
            }
            copy.AppendRowsOf(column, runFirst, runLength);
        }
    }
    data->Finish();
    data->SetDataValid(source.IsDataValid());
    return data;
}

} // namespace

bool CvxTimeAligner::HasChangeEvents(const CvxData& data)
{
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        if (data.GetTable(t).HasRowTimes()) {
            return true;
        }
    }
    return false;
}

CvxTimeAligner::Result CvxTimeAligner::Align(std::shared_ptr<CvxData> reference, std::shared_ptr<CvxData> input)
{
    Result result;
    std::vector<Plan> referencePlans;
    std::vector<Plan> inputPlans;
    for (std::size_t t = 0; t < reference->GetTableCount(); ++t) {
        const CvxDataTable& a = reference->GetTable(t);
        const CvxDataTable* b = TableNamed(*input, a.GetName());
        if (!Alignable(&a, b) || SameTimes(a, *b)) {
            continue;
        }
        const Meeting m = MeetingOf(a, *b);
        result.referenceRowsBefore += m.firstA;
        result.inputRowsBefore += m.firstB;
        // A table that already holds every time of the grid stays as it is.
        if (!IsOnGrid(m.a, m.firstA, m.b, m.firstB)) {
            referencePlans.push_back({&a, m.a, m.firstA, m.b, m.firstB, m.unit});
        }
        if (!IsOnGrid(m.b, m.firstB, m.a, m.firstA)) {
            inputPlans.push_back({b, m.b, m.firstB, m.a, m.firstA, m.unit});
        }
    }
    // Each capture is rebuilt while its partner still has its own times; the originals go as
    // soon as nothing needs them.
    std::shared_ptr<CvxData> alignedReference = referencePlans.empty() ? reference : Rebuild(*reference, referencePlans);
    result.input = inputPlans.empty() ? std::move(input) : Rebuild(*input, inputPlans);
    input.reset();
    reference.reset();
    result.reference = std::move(alignedReference);
    return result;
}

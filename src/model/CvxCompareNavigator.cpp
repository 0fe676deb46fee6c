#include "CvxCompareNavigator.h"

#include "CvxCancelMgr.h"
#include "CvxCompareCenterDelayCommand.h"
#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxTimeCorrelatedIter.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Keeps the host's cancel service enabled while a move runs.
class CancelScope {
public:
    CancelScope() { CvxCancelMgr::GetInstance().Enable(); }
    ~CancelScope() { CvxCancelMgr::GetInstance().Disable(); }
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;
};

// The input iterators of the reference columns, each at its first entry at or after the
// centre, with the difference marks of its table.
struct DifferenceColumn {
    std::unique_ptr<CvxSampleIterBase> input;
    const CvxCacheBitSet* marked = nullptr;
};

std::vector<DifferenceColumn> ColumnsAtCenter(const CvxCompareModel& model)
{
    std::vector<DifferenceColumn> columns;
    const CvxData& data = *model.GetInputData();
    for (const auto& source : model.GetReferenceBuffer()) {
        const CvxLabelChannel& label = source->GetLabelChannel();
        const CvxDataColumnComponent* column = data.GetColumnWithLabelID(label.GetLabelID());
        if (column == nullptr) {
            continue;
        }
        const CvxCompareTableMarks* marks = model.GetResults().FindDifferenceMarks(column->GetTable().GetID());
        if (marks == nullptr) {
            continue;
        }
        const bool subRows = column->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        DifferenceColumn entry;
        entry.input = data.CreateIter(label, subRows ? CvxSampleIterBase::kModeSubRows : CvxSampleIterBase::kModeSamples);
        entry.input->SetPosition(model.GetCenter());
        entry.marked = &marks->GetInputRows();
        columns.push_back(std::move(entry));
    }
    return columns;
}

// The row of the current entry, or the row count when the iterator is past the end.
std::int64_t CurrentRow(const CvxSampleIterBase& it)
{
    return it.IsDone() ? it.GetColumn()->GetRowCount() : it.GetRow();
}

} // namespace

void CvxCompareNavigator::MoveCenter(Move move, int n, bool clamp)
{
    if (!m_model.IsDataValid()) {
        return;
    }
    CancelScope cancel;
    CvxTimeCorrelatedIter it(*m_model.GetInputData(), m_model.GetRepresentedTables(), kBaseSymbols, 1);
    switch (move) {
    case Move::First:
        it.First();
        break;
    case Move::Last:
        it.Last();
        break;
    case Move::Forward:
    case Move::Backward:
        it.SetPosition(m_model.GetCenter());
        for (int i = 0; i < std::abs(n) && !it.IsDone(); ++i) {
            move == Move::Forward ? it.Next() : it.Prev();
        }
        if (clamp && it.IsDone()) {
            move == Move::Forward ? it.Last() : it.First();
        }
        break;
    }
    if (!it.IsDone()) {
        m_model.Execute(
            std::make_unique<CvxCompareCenterDelayCommand>(m_model, it.GetPosition(), m_model.GetCenter(), true));
    }
}

void CvxCompareNavigator::GotoFirst()
{
    MoveCenter(Move::First, 0, false);
}

void CvxCompareNavigator::GotoLast()
{
    MoveCenter(Move::Last, 0, false);
}

void CvxCompareNavigator::StepForward(int n, bool clamp)
{
    MoveCenter(Move::Forward, n, clamp);
}

void CvxCompareNavigator::StepBackward(int n, bool clamp)
{
    MoveCenter(Move::Backward, n, clamp);
}

void CvxCompareNavigator::SetCenter(const CvxPosition& position, bool broadcast)
{
    if (!m_model.IsDataValid()) {
        return;
    }
    CancelScope cancel;
    CvxTimeCorrelatedIter it(*m_model.GetInputData(), m_model.GetRepresentedTables(), kBaseSymbols, 1);
    it.SetPosition(position);
    if (it.IsDone()) {
        it.Last(); // nothing at or after the position: the last sample
    }
    if (it.IsDone()) {
        return;
    }
    m_model.Execute(
        std::make_unique<CvxCompareCenterDelayCommand>(m_model, it.GetPosition(), m_model.GetCenter(), broadcast));
}

void CvxCompareNavigator::SeekDifference(bool forward)
{
    if (!m_model.IsDataValid() || m_model.GetReferenceBuffer().IsEmpty()) {
        return;
    }
    const CvxPosition center = m_model.GetCenter();
    CvxPosition best = center;
    bool found = false;
    for (DifferenceColumn& column : ColumnsAtCenter(m_model)) {
        CvxSampleIterBase& input = *column.input;
        const std::int64_t row = CurrentRow(input);
        std::int64_t candidate = -1;
        if (!input.IsDone() && column.marked->Contains(row)
            && (forward ? input.GetPosition() > center : input.GetPosition() < center)) {
            candidate = row;
        } else {
            candidate = forward ? column.marked->NextSet(row + 1) : column.marked->PrevSet(row - 1);
        }
        if (candidate < 0) {
            continue;
        }
        input.GotoRow(candidate);
        const CvxPosition p = input.GetPosition();
        if (forward ? p > center : p < center) {
            if (!found || (forward ? p < best : p > best)) {
                best = p;
            }
            found = true;
        }
    }
    if (found) {
        SetCenter(best, true);
    }
}

void CvxCompareNavigator::NextDifference()
{
    SeekDifference(true);
}

void CvxCompareNavigator::PreviousDifference()
{
    SeekDifference(false);
}

void CvxCompareNavigator::GetDifferenceAvailability(const CvxCompareModel& model, bool& previous, bool& next)
{
    previous = false;
    next = false;
    if (!model.IsDataValid() || model.GetReferenceBuffer().IsEmpty()) {
        return;
    }
    const CvxPosition& center = model.GetCenter();
    for (DifferenceColumn& column : ColumnsAtCenter(model)) {
        if (previous && next) {
            break;
        }
        const CvxSampleIterBase& input = *column.input;
        const std::int64_t row = CurrentRow(input);
        const bool rowMarked = !input.IsDone() && column.marked->Contains(row);
        previous = previous || column.marked->PrevSet(row - 1) >= 0 || (rowMarked && input.GetPosition() < center);
        next = next || column.marked->NextSet(row + 1) >= 0 || (rowMarked && input.GetPosition() > center);
    }
}

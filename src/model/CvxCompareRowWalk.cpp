#include "CvxCompareRowWalk.h"

#include "CvxCancelMgr.h"
#include "CvxCompareModel.h"
#include "CvxTimeCorrelatedIter.h"

#include <cstdlib>

CvxCompareRowWalk::CvxCompareRowWalk(const CvxCompareModel& model)
{
    const std::shared_ptr<CvxData>& data = model.GetInputData();
    if (data == nullptr || !model.IsDataValid()) {
        return;
    }
    std::vector<CvxSampleIterBase*> members;
    for (const CvxCompareColumn& column : model.GetColumns()) {
        const CvxDataColumnComponent* dataColumn = data->GetColumnWithLabelID(column.GetLabel().GetLabelID());
        if (dataColumn == nullptr) {
            continue;
        }
        const bool subRows = dataColumn->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        m_columns.push_back(data->CreateIter(column.GetLabel(), subRows ? CvxSampleIterBase::kModeSubRows
                                                                       : CvxSampleIterBase::kModeSamples));
        members.push_back(m_columns.back().get());
    }
    m_walk = std::make_unique<CvxTimeCorrelatedIter>(*data, members, model.GetRepresentedTables());
    m_walk->SetPosition(model.GetCenter());
    if (m_walk->IsDone()) {
        m_walk->Last(); // a centre past the last row stands on the last row
    }
    if (m_walk->IsDone()) {
        m_walk.reset(); // no rows at all
        return;
    }
    m_centre = m_walk->GetPosition();
    m_position = m_centre;
}

CvxCompareRowWalk::~CvxCompareRowWalk() = default;

bool CvxCompareRowWalk::Cancelled()
{
    return CvxCancelMgr::GetInstance().IsCancelledNoUpdate();
}

void CvxCompareRowWalk::Reset()
{
    if (m_walk != nullptr && !(m_position == m_centre)) {
        m_walk->SetPosition(m_centre);
        m_position = m_centre;
    }
}

int CvxCompareRowWalk::Step(int rows)
{
    if (m_walk == nullptr) {
        return 0;
    }
    const int count = std::abs(rows);
    int stepped = 0;
    while (stepped < count && !Cancelled()) {
        if (rows > 0) {
            m_walk->Next();
        } else {
            m_walk->Prev();
        }
        if (m_walk->IsDone()) {
            m_walk->SetPosition(m_position); // back onto the end row
            break;
        }
        m_position = m_walk->GetPosition();
        ++stepped;
    }
    return rows > 0 ? stepped : -stepped;
}

std::optional<int> CvxCompareRowWalk::RowsTo(const CvxPosition& target, int limit)
{
    if (m_walk == nullptr) {
        return std::nullopt;
    }
    Reset();
    int rows = 0;
    if (m_position < target) {
        while (m_position < target) {
            if (rows == limit || Step(1) != 1) {
                return std::nullopt;
            }
            ++rows;
        }
        return rows;
    }
    // Back while the row before still lies at or after the target.
    for (;;) {
        const CvxPosition here = m_position;
        if (Step(-1) != -1) {
            return Cancelled() ? std::nullopt : std::optional<int>(-rows); // the first row
        }
        if (m_position < target) {
            m_walk->SetPosition(here);
            m_position = here;
            return -rows;
        }
        if (++rows > limit) {
            return std::nullopt;
        }
    }
}

std::optional<CvxPosition> CvxCompareRowWalk::RowAtOrAfter(const CvxPosition& position)
{
    if (m_walk == nullptr) {
        return std::nullopt;
    }
    m_walk->SetPosition(position);
    if (m_walk->IsDone()) {
        m_walk->Last();
    }
    const CvxPosition row = m_walk->GetPosition();
    m_walk->SetPosition(m_position);
    return row;
}

std::optional<CvxCompareRowWalk::Window> CvxCompareRowWalk::WindowOf(int rows)
{
    if (m_walk == nullptr || rows <= 0) {
        return std::nullopt;
    }
    const int before = rows / 2;
    Window window;
    Reset();
    Step(-before);
    window.first = m_position;
    Reset();
    Step(rows - before - 1);
    window.last = m_position;
    Reset();
    return window;
}

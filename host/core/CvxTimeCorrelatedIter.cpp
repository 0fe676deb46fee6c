#include "CvxTimeCorrelatedIter.h"

#include "CvxSampleNumberIter.h"

#include <algorithm>

CvxTimeCorrelatedIter::CvxTimeCorrelatedIter(const CvxData& data, const std::vector<CvxID>& tables, int /*base*/,
                                             int /*flag*/)
{
    AddTableRows(data, tables);
}

CvxTimeCorrelatedIter::CvxTimeCorrelatedIter(const CvxData& data, const std::vector<CvxSampleIterBase*>& iterators,
                                             const std::vector<CvxID>& tables)
{
    for (CvxSampleIterBase* it : iterators) {
        if (it != nullptr && it->IsValid()) {
            m_members.push_back(it);
        }
    }
    m_iterCount = static_cast<int>(m_members.size());
    std::vector<CvxID> unwalked;
    for (const CvxID& table : tables) {
        const bool walked = std::any_of(m_members.begin(), m_members.end(),
                                        [&](const CvxSampleIterBase* it) { return it->GetTable()->GetID() == table; });
        if (!walked) {
            unwalked.push_back(table);
        }
    }
    AddTableRows(data, unwalked);
}

CvxTimeCorrelatedIter::~CvxTimeCorrelatedIter() = default;

void CvxTimeCorrelatedIter::AddTableRows(const CvxData& data, const std::vector<CvxID>& tables)
{
    for (const CvxID& id : tables) {
        const CvxDataTable* table = data.GetTableByID(id);
        if (table == nullptr) {
            continue;
        }
        m_owned.push_back(std::make_unique<CvxSampleNumberIter>(*table));
        m_members.push_back(m_owned.back().get());
    }
}

void CvxTimeCorrelatedIter::TakeEarliest()
{
    bool any = false;
    for (const CvxSampleIterBase* it : m_members) {
        if (!it->IsDone()) {
            const CvxPosition p = it->GetPosition();
            if (!any || p < m_current) {
                m_current = p;
                any = true;
            }
        }
    }
    m_state = any ? State::OnRow : State::AfterLast;
}

void CvxTimeCorrelatedIter::SetPosition(const CvxPosition& position)
{
    for (CvxSampleIterBase* it : m_members) {
        it->SetPosition(position);
    }
    TakeEarliest();
}

void CvxTimeCorrelatedIter::First()
{
    for (CvxSampleIterBase* it : m_members) {
        it->First();
    }
    TakeEarliest();
}

void CvxTimeCorrelatedIter::Last()
{
    bool any = false;
    for (CvxSampleIterBase* it : m_members) {
        it->Last();
        if (!it->IsDone()) {
            const CvxPosition p = it->GetPosition();
            if (!any || m_current < p) {
                m_current = p;
                any = true;
            }
        }
    }
    if (!any) {
        m_state = State::BeforeFirst;
        return;
    }
    // Members whose last entry lies before the current row have no entry at or after it.
    for (CvxSampleIterBase* it : m_members) {
        if (!it->IsDone() && it->GetPosition() < m_current) {
            it->Next();
        }
    }
    m_state = State::OnRow;
}

void CvxTimeCorrelatedIter::Next()
{
    if (m_state == State::BeforeFirst) {
        First();
        return;
    }
    if (m_state == State::AfterLast) {
        return;
    }
    for (CvxSampleIterBase* it : m_members) {
        if (!it->IsDone() && it->GetPosition() == m_current) {
            it->Next();
        }
    }
    TakeEarliest();
}

void CvxTimeCorrelatedIter::Prev()
{
    if (m_state == State::AfterLast) {
        Last();
        return;
    }
    if (m_state == State::BeforeFirst) {
        return;
    }
    // The previous row is the latest of the members' previous entries.
    bool any = false;
    CvxPosition previous;
    for (CvxSampleIterBase* it : m_members) {
        it->Prev();
        if (!it->IsDone()) {
            const CvxPosition p = it->GetPosition();
            if (!any || previous < p) {
                previous = p;
                any = true;
            }
        }
    }
    if (!any) {
        m_state = State::BeforeFirst;
        return;
    }
    m_current = previous;
    // Members that stepped back too far return to their first entry at or after it.
    for (CvxSampleIterBase* it : m_members) {
        if (it->IsDone() || it->GetPosition() < m_current) {
            it->Next();
        }
    }
}

bool CvxTimeCorrelatedIter::IsAtCurrent(int i) const
{
    if (IsDone() || i < 0 || i >= static_cast<int>(m_members.size())) {
        return false;
    }
    const CvxSampleIterBase* it = m_members[static_cast<size_t>(i)];
    return !it->IsDone() && it->GetPosition() == m_current;
}

void CvxTimeCorrelatedIter::GetValue(int i, std::u16string& text, int& status) const
{
    if (!IsAtCurrent(i)) {
        text.clear();
        status = kStatusNoSample;
        return;
    }
    const CvxSampleIterBase* it = m_members[static_cast<size_t>(i)];
    status = it->GetDataStatus();
    it->GetValue(text);
}

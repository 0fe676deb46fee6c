#pragma once
// Walks the rows of several iterators (and tables) together in time order. Each member
// stays on its first entry at or after the current position; the current position is the
// earliest of them, and a member "has" the current row when it sits exactly on it.

#include "CvxData.h"
#include "CvxPosition.h"
#include "CvxSampleIterBase.h"

#include <memory>
#include <string>
#include <vector>

class CvxTimeCorrelatedIter {
public:
    // Over the rows of the given tables of the data (tables the data lacks are skipped).
    // The base and flag are accepted for the callers' sake and change nothing here.
    CvxTimeCorrelatedIter(const CvxData& data, const std::vector<CvxID>& tables, int base = kBaseSymbols, int flag = 1);
    // Over the given iterators (not owned; they must outlive this object) and, for each
    // listed table that none of them walks, the rows of that table. Invalid iterators are
    // skipped.
    CvxTimeCorrelatedIter(const CvxData& data, const std::vector<CvxSampleIterBase*>& iterators,
                          const std::vector<CvxID>& tables);
    CvxTimeCorrelatedIter(const CvxTimeCorrelatedIter&) = delete;
    CvxTimeCorrelatedIter& operator=(const CvxTimeCorrelatedIter&) = delete;
    ~CvxTimeCorrelatedIter();

    // Puts every member on its first entry at or after the position.
    void SetPosition(const CvxPosition& position);
    void First();
    void Last();
    void Next();
    void Prev();
    bool IsDone() const { return m_state != State::OnRow; }
    CvxPosition GetPosition() const { return IsDone() ? CvxPosition() : m_current; }

    // Number of iterators given at construction (table rows added for other tables not counted).
    int GetIterCount() const { return m_iterCount; }
    CvxSampleIterBase* GetIter(int i) const { return m_members[static_cast<size_t>(i)]; }
    // Whether the i-th iterator has an entry at the current position.
    bool IsAtCurrent(int i) const;
    // Text and status of the i-th iterator at the current position: status 1 and an empty
    // text when it has no entry there.
    void GetValue(int i, std::u16string& text, int& status) const;

private:
    enum class State { BeforeFirst, OnRow, AfterLast };

    void AddTableRows(const CvxData& data, const std::vector<CvxID>& tables);
    // Sets the current position to the earliest member entry (AfterLast when none).
    void TakeEarliest();

    std::vector<CvxSampleIterBase*> m_members;
    std::vector<std::unique_ptr<CvxSampleIterBase>> m_owned;
    int m_iterCount = 0;
    State m_state = State::BeforeFirst;
    CvxPosition m_current;
};

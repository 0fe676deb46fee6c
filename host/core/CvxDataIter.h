#pragma once
// An iterator over the rows first .. end - 1 of a store, with a cursor `current`; all three
// are signed 32-bit indices. The behaviour, which the store iterators build on:
//
//   First           current = first
//   Last            current = end, then Prev() (a virtual call: so end - 1 unless Prev is
//                   overridden)
//   Next            current + 1
//   Prev            current - 1
//   IsDone          current >= end or current < first
//   Goto(row)       row < first: current = first, answers false;
//                   row < end:   current = row, answers true;
//                   otherwise:   Last() (virtual), answers false
//   GetIndex        current
//   GetCount        end - first
//
// Next and Prev stop at the limits of the 32-bit range instead of overflowing; the iterator
// is done there anyway.

#include "CvxIter.h"

#include <cstdint>

class CvxDataIter : public CvxIter {
public:
    CvxDataIter() = default;
    // Rows first .. end - 1, with the cursor on first.
    CvxDataIter(std::int32_t first, std::int32_t end) : m_first(first), m_end(end), m_current(first) {}

    void First() override;
    void Last() override;
    void Next() override;
    void Prev() override;
    bool IsDone() const override;

    virtual bool Goto(std::int32_t row);
    virtual std::int32_t GetIndex() const { return m_current; }
    virtual std::int32_t GetCount() const
    {
        // Computed wide, so that extreme ranges wrap instead of overflowing.
        return static_cast<std::int32_t>(static_cast<std::int64_t>(m_end) - m_first);
    }

protected:
    std::int32_t GetFirstIndex() const { return m_first; }
    std::int32_t GetEndIndex() const { return m_end; }
    void SetIndex(std::int32_t current) { m_current = current; }
    void SetRange(std::int32_t first, std::int32_t end)
    {
        m_first = first;
        m_end = end;
    }

private:
    std::int32_t m_first = 0;
    std::int32_t m_end = 0;
    std::int32_t m_current = 0;
};

#include "CvxComparePageSubRowDataSource.h"

#include <algorithm>
#include <limits>

template <typename T>
void CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::Turn(std::int32_t row)
{
    CvxCompareRefPtr<Page> page = m_store->GetPaging().Lookup(row);
    m_pageStart = page->GetStart();
    m_page.Attach(std::move(page));
    m_page.Goto(row - m_pageStart);
    m_hasPage = true;
}

template <typename T>
void CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::First()
{
    SetIndex(GetFirstIndex());
    if (!IsDone()) {
        Turn(Cur());
    }
}

template <typename T>
void CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::Last()
{
    const std::int32_t last = GetEndIndex() - 1;
    SetIndex(last < GetFirstIndex() ? GetFirstIndex() : last);
    if (!IsDone()) {
        Turn(Cur());
        m_page.GotoSubRow(m_page.GetLastSubRow());
    }
}

template <typename T>
void CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::Next()
{
    if (!m_hasPage) {
        CvxDataIter::Next();
        Settle();
        return;
    }
    // The row follows the page iterator; past its page, the next page is looked up.
    m_page.Next();
    if (!m_page.IsDone()) {
        SetIndex(m_pageStart + m_page.GetIndex());
        return;
    }
    const std::int64_t next = static_cast<std::int64_t>(m_pageStart) + m_page.GetCount();
    SetIndex(static_cast<std::int32_t>(std::min<std::int64_t>(next, std::numeric_limits<std::int32_t>::max())));
    if (!IsDone()) {
        Turn(Cur());
    }
}

template <typename T>
void CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::Prev()
{
    if (!m_hasPage) {
        CvxDataIter::Prev();
        Settle();
        if (m_hasPage && !IsDone()) {
            m_page.GotoSubRow(m_page.GetLastSubRow());
        }
        return;
    }
    m_page.Prev();
    if (!m_page.IsDone()) {
        SetIndex(m_pageStart + m_page.GetIndex());
        return;
    }
    SetIndex(m_pageStart == std::numeric_limits<std::int32_t>::min() ? m_pageStart : m_pageStart - 1);
    if (!IsDone()) {
        Turn(Cur());
        m_page.GotoSubRow(m_page.GetLastSubRow());
    }
}

template <typename T>
bool CvxComparePageSubRowDataSource<T>::CvxComparePageSubRowDataSourceIter::Goto(std::int32_t row)
{
    const std::int32_t count = m_store->GetPaging().GetCount();
    if (count <= 0) {
        SetIndex(GetFirstIndex());
        return false;
    }
    const std::int32_t clamped = std::clamp(row, 0, count - 1);
    CvxDataIter::Goto(clamped);
    if (!IsDone()) {
        Turn(Cur());
    }
    return clamped == row;
}

template class CvxComparePageSubRowDataSource<std::uint8_t>;
template class CvxComparePageSubRowDataSource<std::uint16_t>;
template class CvxComparePageSubRowDataSource<std::uint32_t>;
template class CvxComparePageSubRowDataSource<std::uint64_t>;
template class CvxComparePageSubRowDataSource<CvxUInt>;
template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint8_t>>;
template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint16_t>>;
template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint32_t>>;
template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint64_t>>;
template class CvxComparePageSubRowDataSource<std::u16string>;

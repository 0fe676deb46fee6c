#include "CvxComparePageDataSource.h"

#include <algorithm>

template <typename T>
bool CvxComparePageDataSource<T>::CvxComparePageDataSourceIter::Goto(std::int32_t row)
{
    const std::int32_t count = m_store->GetPaging().GetCount();
    if (count <= 0) {
        SetIndex(GetFirstIndex());
        return false;
    }
    const std::int32_t clamped = std::clamp(row, 0, count - 1);
    CvxDataIter::Goto(clamped);
    Settle();
    return clamped == row;
}

template <typename T>
void CvxComparePageDataSource<T>::CvxComparePageDataSourceIter::Turn(std::int32_t row)
{
    m_page = m_store->GetPaging().Lookup(row);
    m_values = m_page->GetValues();
    m_pageStart = m_page->GetStart();
    m_pageLength = static_cast<std::uint32_t>(m_page->GetCount());
    m_pageLast = static_cast<std::int32_t>(std::min<std::int64_t>(
        static_cast<std::int64_t>(m_pageStart) + m_pageLength - 1, std::numeric_limits<std::int32_t>::max()));
}

template class CvxComparePageDataSource<std::uint8_t>;
template class CvxComparePageDataSource<std::uint16_t>;
template class CvxComparePageDataSource<std::uint32_t>;
template class CvxComparePageDataSource<std::uint64_t>;
template class CvxComparePageDataSource<CvxUInt>;
template class CvxComparePageDataSource<CvxCompareFourState<std::uint8_t>>;
template class CvxComparePageDataSource<CvxCompareFourState<std::uint16_t>>;
template class CvxComparePageDataSource<CvxCompareFourState<std::uint32_t>>;
template class CvxComparePageDataSource<CvxCompareFourState<std::uint64_t>>;
template class CvxComparePageDataSource<std::u16string>;

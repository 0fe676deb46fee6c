#include "CvxCompareDataSourceIter.h"

bool CvxCompareDataSourceIter::GetReservedValue(std::int64_t&)
{
    return false;
}

bool CvxCompareDataSourceIter::GetValue(CvxUInt&)
{
    return false;
}

bool CvxCompareDataSourceIter::GetValue(std::u16string&)
{
    return false;
}

std::int32_t CvxCompareDataSourceIter::GetSubRow() const
{
    return 0;
}

bool CvxCompareDataSourceIter::GotoSubRow(std::int32_t k)
{
    return k == 0;
}

std::int32_t CvxCompareDataSourceIter::GetLastSubRow() const
{
    return 0;
}

std::int32_t CvxCompareDataSourceIter::GetReservedQuery() const
{
    return 1;
}

bool CvxCompareDataSourceIter::HasSubRows() const
{
    return false;
}

std::int32_t CvxCompareDataSourceIter::GetValueRun(const void*& values, int& width)
{
    values = nullptr;
    width = 0;
    return 0;
}

#include "CvxCompareVectorSubRowDataSource.h"

template class CvxCompareVectorSubRowDataSource<std::uint8_t>;
template class CvxCompareVectorSubRowDataSource<std::uint16_t>;
template class CvxCompareVectorSubRowDataSource<std::uint32_t>;
template class CvxCompareVectorSubRowDataSource<std::uint64_t>;
template class CvxCompareVectorSubRowDataSource<CvxUInt>;
template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint8_t>>;
template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint16_t>>;
template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint32_t>>;
template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint64_t>>;
template class CvxCompareVectorSubRowDataSource<std::u16string>;

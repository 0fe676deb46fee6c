#include "CvxCompareVectorDataSource.h"

template class CvxCompareVectorDataSource<std::uint8_t>;
template class CvxCompareVectorDataSource<std::uint16_t>;
template class CvxCompareVectorDataSource<std::uint32_t>;
template class CvxCompareVectorDataSource<std::uint64_t>;
template class CvxCompareVectorDataSource<CvxUInt>;
template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint8_t>>;
template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint16_t>>;
template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint32_t>>;
template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint64_t>>;
template class CvxCompareVectorDataSource<std::u16string>;

#include "CvxCompareDataSourceFactory.h"

#include "CvxComparePageDataSource.h"
#include "CvxComparePageSubRowDataSource.h"
#include "CvxDataColumnComponent.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"

namespace {

constexpr std::int32_t kNumericPageSize = 32768;
constexpr std::int32_t kSubRowPageSize = 4096;
constexpr std::int32_t kStringPageSize = 4096;
constexpr std::int32_t kStringPageLimit = 15;

template <typename T>
std::unique_ptr<CvxCompareDataSource> Make(bool hasSubRows)
{
    const CvxCompareStoreGeometry g = CvxCompareGeometry(CvxCompareElement<T>::kWidth, hasSubRows);
    if (hasSubRows) {
        return std::make_unique<CvxComparePageSubRowDataSource<T>>(g.pageSize, g.pageLimit);
    }
    return std::make_unique<CvxComparePageDataSource<T>>(g.pageSize, g.pageLimit);
}

int WidthForChannels(int channels)
{
    if (channels <= 8) {
        return 1;
    }
    if (channels <= 16) {
        return 2;
    }
    if (channels <= 32) {
        return 4;
    }
    return channels > 64 ? 16 : 8;
}

} // namespace

int CvxCompareElementWidth(const CvxLabelChannel& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    if (base != nullptr && base->IsA(EvxLabelKind::StringLabel)) {
        return 0;
    }
    const int channels = label.GetNumberOfChannels();
    if (base != nullptr && base->IsFourState() && channels <= 64) {
        return 16;
    }
    return WidthForChannels(channels);
}

CvxCompareStoreKind CvxCompareStoreKindOf(const CvxDataColumnComponent& column, const CvxLabelChannel& label)
{
    if (column.GetValueKind() == EvxValueKind::String) {
        return {0, false};
    }
    const int channels = label.IsWholeLabel() ? column.GetWidth() : 1;
    return {WidthForChannels(channels), column.HasXZ() && channels <= 64};
}

CvxCompareStoreGeometry CvxCompareGeometry(int elementWidth, bool hasSubRows)
{
    if (elementWidth == 0) {
        return {kStringPageSize, kStringPageLimit};
    }
    const std::int32_t pageSize = hasSubRows ? kSubRowPageSize : kNumericPageSize;
    switch (elementWidth) {
    case 1:
    case 2: return {pageSize, 64};
    case 4: return {pageSize, 32};
    case 8: return {pageSize, 16};
    default: return {pageSize, 8};
    }
}

std::unique_ptr<CvxCompareDataSource> CreateCompareDataSource(const CvxCompareStoreKind& kind, bool hasSubRows)
{
    if (kind.fourState) {
        switch (kind.valueWidth) {
        case 1: return Make<CvxCompareFourState<std::uint8_t>>(hasSubRows);
        case 2: return Make<CvxCompareFourState<std::uint16_t>>(hasSubRows);
        case 4: return Make<CvxCompareFourState<std::uint32_t>>(hasSubRows);
        case 8: return Make<CvxCompareFourState<std::uint64_t>>(hasSubRows);
        default: break; // wider values keep no mask
        }
    }
    switch (kind.valueWidth) {
    case 0: return Make<std::u16string>(hasSubRows);
    case 1: return Make<std::uint8_t>(hasSubRows);
    case 2: return Make<std::uint16_t>(hasSubRows);
    case 4: return Make<std::uint32_t>(hasSubRows);
    case 8: return Make<std::uint64_t>(hasSubRows);
    default: return Make<CvxUInt>(hasSubRows);
    }
}

std::unique_ptr<CvxCompareDataSource> CreateCompareDataSource(const CvxLabelChannel& label, bool hasSubRows)
{
    return CreateCompareDataSource(CvxCompareStoreKind{CvxCompareElementWidth(label), false}, hasSubRows);
}

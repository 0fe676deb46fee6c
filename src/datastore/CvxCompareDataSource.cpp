#include "CvxCompareDataSource.h"

#include <cstring>

void CvxCompareDataSource::AppendSubRow(const std::u16string&, std::int32_t) {}

void CvxCompareDataSource::AppendRow(const std::u16string&, std::int32_t, std::int32_t) {}

void CvxCompareDataSource::Append(const std::u16string&) {}

void CvxCompareDataSource::Append(const CvxUInt&) {}

void CvxCompareDataSource::AppendSubRow(const CvxUInt&, std::int32_t) {}

void CvxCompareDataSource::AppendRow(const CvxUInt&, std::int32_t, std::int32_t) {}

void CvxCompareDataSource::EndAppend() {}

bool CvxCompareDataSource::IsString() const
{
    return false;
}

int CvxCompareDataSource::GetValueWidth() const
{
    return 0;
}

bool CvxCompareDataSource::IsFourState() const
{
    return false;
}

void CvxCompareDataSource::Save(CvxPersistenceDataStream&) {}

void CvxCompareDataSource::Load(CvxPersistenceDataStream&) {}

void CvxCompareDataSource::AppendValues(const void* values, int width, std::int32_t count)
{
    const auto* bytes = static_cast<const std::uint8_t*>(values);
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint64_t v = 0;
        std::memcpy(&v, bytes + static_cast<std::size_t>(i) * static_cast<std::size_t>(width), static_cast<std::size_t>(width));
        Append(CvxUInt(v));
    }
}

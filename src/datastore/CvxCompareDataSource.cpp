#include "CvxCompareDataSource.h"

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

void CvxCompareDataSource::Save(CvxPersistenceDataStream&) {}

void CvxCompareDataSource::Load(CvxPersistenceDataStream&) {}

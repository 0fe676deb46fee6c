#include "CvxCompareSource.h"

bool CvxCompareSource::HasSubRows() const
{
    if (!m_store) {
        return false;
    }
    std::unique_ptr<CvxCompareDataSourceIter> iter(m_store->CreateIter());
    return iter && iter->HasSubRows();
}

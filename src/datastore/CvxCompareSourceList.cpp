#include "CvxCompareSourceList.h"

CvxCompareSource& CvxCompareSourceList::Add(const CvxLabelChannel& label, std::unique_ptr<CvxCompareDataSource> store)
{
    m_entries.push_back(std::make_unique<CvxCompareSource>(label, std::move(store)));
    return *m_entries.back();
}

CvxCompareSource* CvxCompareSourceList::Find(const CvxLabelChannel& label) const
{
    for (const auto& entry : m_entries) {
        if (entry->GetLabelChannel() == label) {
            return entry.get();
        }
    }
    return nullptr;
}

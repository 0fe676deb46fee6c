#pragma once
// The reference buffer: the copied buses/signals in order, each with its store. The list owns
// its entries; clearing it destroys the stores (and so removes their paging files).

#include "CvxCompareSource.h"

#include <cstddef>
#include <memory>
#include <vector>

class CvxCompareSourceList {
public:
    using Entries = std::vector<std::unique_ptr<CvxCompareSource>>;

    void Clear() { m_entries.clear(); }
    std::size_t GetCount() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    // Adds an entry at the end; answers it.
    CvxCompareSource& Add(const CvxLabelChannel& label, std::unique_ptr<CvxCompareDataSource> store);
    CvxCompareSource& GetAt(std::size_t i) const { return *m_entries.at(i); }
    // The first entry for the label channel, or null.
    CvxCompareSource* Find(const CvxLabelChannel& label) const;

    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }

private:
    Entries m_entries;
};

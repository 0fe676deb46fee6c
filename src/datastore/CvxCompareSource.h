#pragma once
// One entry of the reference buffer: a bus/signal (label channel) and the store that keeps
// its copied values. The entry owns its store.

#include "CvxCompareDataSource.h"
#include "CvxLabelChannel.h"

#include <memory>

class CvxCompareSource {
public:
    CvxCompareSource(const CvxLabelChannel& label, std::unique_ptr<CvxCompareDataSource> store)
        : m_label(label), m_store(std::move(store))
    {
    }

    const CvxLabelChannel& GetLabelChannel() const { return m_label; }
    CvxCompareDataSource* GetDataSource() const { return m_store.get(); }
    // Whether the store's iterator walks sub-rows (the persisted HasSubrows flag).
    bool HasSubRows() const;

private:
    CvxLabelChannel m_label;
    std::unique_ptr<CvxCompareDataSource> m_store;
};

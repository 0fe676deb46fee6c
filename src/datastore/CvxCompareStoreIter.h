#pragma once
// An iterator of a reference store, owned: it goes back to its store when dropped.

#include "CvxCompareDataSource.h"
#include "CvxCompareDataSourceIter.h"

#include <memory>

struct CvxCompareStoreIterDeleter {
    const CvxCompareDataSource* store = nullptr;
    void operator()(CvxCompareDataSourceIter* it) const { store->DestroyIter(it); }
};

using CvxCompareStoreIter = std::unique_ptr<CvxCompareDataSourceIter, CvxCompareStoreIterDeleter>;

inline CvxCompareStoreIter CvxMakeStoreIter(const CvxCompareDataSource& store)
{
    return CvxCompareStoreIter(store.CreateIter(), CvxCompareStoreIterDeleter{&store});
}

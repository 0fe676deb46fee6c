#pragma once
// The store interface of the reference buffer: one store keeps the values of one bus/signal,
// appended row by row (or sub-row by sub-row) and then read through iterators. A store object
// is a small handle on a shared, reference-counted body; Clone makes another handle on the
// same body and every iterator holds one too, so the body lives until the last of them goes.
//
// Slots, in order: destructor, Clone, CreateIter, DestroyIter, GetCount, the six append
// overloads (string sub-row, string row, string, value, value sub-row, value row), EndAppend,
// IsString, Save, Load. The base class answers as a store that takes nothing.
//
// Clone and CreateIter answer null when the memory for the new object cannot be had.

#include "CvxCompareDataSourceIter.h"
#include "CvxUInt.h"

#include <cstdint>
#include <string>

class CvxPersistenceDataStream;

class CvxCompareDataSource {
public:
    CvxCompareDataSource() = default;
    CvxCompareDataSource(const CvxCompareDataSource&) = delete;
    CvxCompareDataSource& operator=(const CvxCompareDataSource&) = delete;
    virtual ~CvxCompareDataSource() = default;

    // A new handle of the same class on the same body; the caller owns it.
    virtual CvxCompareDataSource* Clone() const = 0;
    // A new iterator over rows 0 .. GetCount() - 1 as they are now, on row 0.
    virtual CvxCompareDataSourceIter* CreateIter() const = 0;
    // Deletes an iterator made by CreateIter; null is ignored.
    virtual void DestroyIter(CvxCompareDataSourceIter* iter) const = 0;
    virtual std::int32_t GetCount() const = 0;

    virtual void AppendSubRow(const std::u16string& value, std::int32_t subRow);
    virtual void AppendRow(const std::u16string& value, std::int32_t subRow, std::int32_t subRowCount);
    virtual void Append(const std::u16string& value);
    virtual void Append(const CvxUInt& value);
    virtual void AppendSubRow(const CvxUInt& value, std::int32_t subRow);
    virtual void AppendRow(const CvxUInt& value, std::int32_t subRow, std::int32_t subRowCount);
    // End of filling: paged stores write their last page and release their file.
    virtual void EndAppend();
    // Beyond the slots, for the reference copy's block-wise path: appends `count` values of
    // `width` bytes (1, 2, 4 or 8) as Append(CvxUInt) would, one by one.
    virtual void AppendValues(const void* values, int width, std::int32_t count);
    virtual bool IsString() const;
    // Beyond the slots, for the persisted layout: bytes of one value (1, 2, 4, 8 or 16; 0 for
    // strings) and whether an X/Z mask of the same width goes with each value.
    virtual int GetValueWidth() const;
    virtual bool IsFourState() const;
    // Paged stores write and read their persisted form (see docs/datastore.md).
    virtual void Save(CvxPersistenceDataStream& stream);
    virtual void Load(CvxPersistenceDataStream& stream);
};

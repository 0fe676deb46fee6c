#pragma once
// The paged sub-row store: as the paged store, with in-memory sub-row stores
// (CvxCompareVectorSubRowDataSource bodies) as pages. A row's sub-rows always share its page.
// Pages vary in length in the file, so the file offset of each page is kept.
//
// The iterator walks every sub-row slot of every row; it holds a page handle and a vector
// sub-row iterator over that page, whose moves it follows. GetSubRow answers the page
// iterator's sub-row (docs/datastore.md).

#include "CvxCompareDataSource.h"
#include "CvxComparePageFile.h"
#include "CvxCompareVectorSubRowDataSource.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

template <typename T>
class CvxComparePageSubRowDataSource final : public CvxCompareDataSource {
public:
    using Element = CvxCompareElement<T>;
    using Page = typename CvxCompareVectorSubRowDataSource<T>::Ref;
    using PageIter = typename CvxCompareVectorSubRowDataSource<T>::Iter;

    class CvxComparePageSubRowDataSourceRef final : public CvxDataRefCount {
    public:
        CvxComparePageSubRowDataSourceRef(std::int32_t pageSize, std::int32_t pageLimit) : m_paging(pageSize, pageLimit) {}

        CvxComparePageFile<Page>& GetPaging() { return m_paging; }

        void AppendRow(const T& value, std::int32_t subRow, std::int32_t subRowCount)
        {
            Page* page = m_paging.GetWritePage();
            if (page == nullptr || page->IsFull()) {
                page = &m_paging.PrepareWritePage();
            }
            page->AppendRow(Element::Narrow(value, m_narrowed), subRow, subRowCount);
            m_paging.AddRow();
        }
        void AppendSubRow(const T& value, std::int32_t subRow)
        {
            Page* page = m_paging.GetWritePage();
            if (page == nullptr) {
                throw std::out_of_range("invalid vector<T> subscript");
            }
            page->AppendSubRow(Element::Narrow(value, m_narrowed), subRow);
        }

    private:
        ~CvxComparePageSubRowDataSourceRef() override = default;

        CvxComparePageFile<Page> m_paging;
        T m_narrowed{};
    };

    using Ref = CvxComparePageSubRowDataSourceRef;

    class CvxComparePageSubRowDataSourceIter final : public CvxCompareDataSourceIter {
    public:
        explicit CvxComparePageSubRowDataSourceIter(CvxCompareRefPtr<Ref> store)
            : CvxCompareDataSourceIter(0, store->GetPaging().GetCount()), m_store(std::move(store))
        {
        }

        void First() override;
        // The last sub-row of the last row.
        void Last() override;
        void Next() override;
        void Prev() override;
        bool IsDone() const override { return Cur() >= GetEndIndex() || Cur() < GetFirstIndex(); }
        // Sub-row 0 of the row clamped to 0 .. count - 1; false when it had to clamp.
        bool Goto(std::int32_t row) override;

        bool GetValue(CvxUInt& out) override
        {
            Settle();
            return m_page.GetValue(out);
        }
        bool GetValue(std::u16string& out) override
        {
            Settle();
            return m_page.GetValue(out);
        }
        using CvxCompareDataSourceIter::GetValue;
        std::int32_t GetSubRow() const override { return m_page.GetSubRow(); }
        bool GotoSubRow(std::int32_t k) override
        {
            Settle();
            return m_page.GotoSubRow(k);
        }
        std::int32_t GetLastSubRow() const override { return m_page.GetLastSubRow(); }
        bool HasSubRows() const override { return true; }

    private:
        // Brings the page to the cursor (sub-row 0) when the cursor is on a row outside it.
        void Settle()
        {
            const std::int32_t c = Cur();
            if (!IsDone() && (!m_hasPage || c < m_pageStart || c - m_pageStart >= m_page.GetCount())) {
                Turn(c);
            }
        }
        void Turn(std::int32_t row);

        CvxCompareRefPtr<Ref> m_store;
        PageIter m_page;
        bool m_hasPage = false;
        std::int32_t m_pageStart = 0;
    };

    using Iter = CvxComparePageSubRowDataSourceIter;

    CvxComparePageSubRowDataSource(std::int32_t pageSize, std::int32_t pageLimit) : m_body(new Ref(pageSize, pageLimit)) {}
    explicit CvxComparePageSubRowDataSource(CvxCompareRefPtr<Ref> body) : m_body(std::move(body)) {}

    CvxComparePageSubRowDataSource* Clone() const override
    {
        return new (std::nothrow) CvxComparePageSubRowDataSource(m_body);
    }
    Iter* CreateIter() const override { return new (std::nothrow) Iter(m_body); }
    void DestroyIter(CvxCompareDataSourceIter* iter) const override { delete iter; }
    std::int32_t GetCount() const override { return m_body->GetPaging().GetCount(); }

    void AppendSubRow(const std::u16string& value, std::int32_t subRow) override
    {
        if constexpr (Element::kIsString) {
            m_body->AppendSubRow(value, subRow);
        }
    }
    void AppendRow(const std::u16string& value, std::int32_t subRow, std::int32_t subRowCount) override
    {
        if constexpr (Element::kIsString) {
            m_body->AppendRow(value, subRow, subRowCount);
        }
    }
    void AppendSubRow(const CvxUInt& value, std::int32_t subRow) override
    {
        if constexpr (!Element::kIsString) {
            m_body->AppendSubRow(Element::FromUInt(value), subRow);
        }
    }
    void AppendRow(const CvxUInt& value, std::int32_t subRow, std::int32_t subRowCount) override
    {
        if constexpr (!Element::kIsString) {
            m_body->AppendRow(Element::FromUInt(value), subRow, subRowCount);
        }
    }
    using CvxCompareDataSource::Append;

    void EndAppend() override { m_body->GetPaging().EndAppend(); }
    bool IsString() const override { return Element::kIsString; }
    int GetValueWidth() const override { return static_cast<int>(Element::kValueWidth); }
    bool IsFourState() const override { return Element::kIsFourState; }
    void Save(CvxPersistenceDataStream& stream) override { m_body->GetPaging().Save(stream); }
    void Load(CvxPersistenceDataStream& stream) override { m_body->GetPaging().Load(stream); }

    std::int32_t GetPageSize() const { return m_body->GetPaging().GetPageSize(); }
    std::int32_t GetPageLimit() const { return m_body->GetPaging().GetPageLimit(); }
    const std::string& GetFileName() const { return m_body->GetPaging().GetFileName(); }

private:
    CvxCompareRefPtr<Ref> m_body;
};

extern template class CvxComparePageSubRowDataSource<std::uint8_t>;
extern template class CvxComparePageSubRowDataSource<std::uint16_t>;
extern template class CvxComparePageSubRowDataSource<std::uint32_t>;
extern template class CvxComparePageSubRowDataSource<std::uint64_t>;
extern template class CvxComparePageSubRowDataSource<CvxUInt>;
extern template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint8_t>>;
extern template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint16_t>>;
extern template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint32_t>>;
extern template class CvxComparePageSubRowDataSource<CvxCompareFourState<std::uint64_t>>;
extern template class CvxComparePageSubRowDataSource<std::u16string>;

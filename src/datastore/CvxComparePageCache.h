#pragma once
// The pages a paged store keeps in memory: a double-ended queue (a fixed ring, so it never
// allocates once full) of at most `limit` pages, oldest loaded at the front. A lookup hit does
// not move a page: pages leave in the order in which they were loaded, whatever their use.
// A page that someone else still holds (an iterator on it, the write page) is not reused for
// other rows; it leaves the cache and a fresh page takes its place.

#include "CvxCompareRefPtr.h"

#include <cstdint>
#include <vector>

template <typename Page>
class CvxComparePageCache {
public:
    CvxComparePageCache(std::int32_t limit, std::int32_t pageSize)
        : m_ring(static_cast<std::size_t>(limit < 1 ? 1 : limit)), m_pageSize(pageSize)
    {
    }

    std::int32_t GetSize() const { return m_size; }
    std::int32_t GetLimit() const { return static_cast<std::int32_t>(m_ring.size()); }

    // The page whose start .. start + count - 1 holds the row, searched from the back; null
    // when none does.
    Page* Find(std::int32_t row) const
    {
        for (std::int32_t i = m_size - 1; i >= 0; --i) {
            Page* page = At(i).Get();
            if (row >= page->GetStart() && static_cast<std::int64_t>(row) < static_cast<std::int64_t>(page->GetStart()) + page->GetCount()) {
                return page;
            }
        }
        return nullptr;
    }

    // A page for new rows, empty and starting at `start`, added at the back: a new one while
    // the cache holds fewer than limit pages, else the front one reused.
    CvxCompareRefPtr<Page> Take(std::int32_t start)
    {
        CvxCompareRefPtr<Page> page;
        if (m_size == GetLimit()) {
            page = std::move(At(0));
            m_head = (m_head + 1) % GetLimit();
            --m_size;
        }
        if (page.IsUnique()) {
            page->Reset(start);
        } else {
            page = CvxCompareRefPtr<Page>(new Page(m_pageSize));
            page->SetStart(start);
        }
        At(m_size) = page;
        ++m_size;
        return page;
    }

    // Pages in cache order, front first.
    template <typename Fn>
    void ForEach(Fn&& fn) const
    {
        for (std::int32_t i = 0; i < m_size; ++i) {
            fn(*At(i));
        }
    }

    void Clear()
    {
        for (auto& page : m_ring) {
            page.Reset();
        }
        m_head = 0;
        m_size = 0;
    }

private:
    CvxCompareRefPtr<Page>& At(std::int32_t i) { return m_ring[static_cast<std::size_t>((m_head + i) % GetLimit())]; }
    const CvxCompareRefPtr<Page>& At(std::int32_t i) const
    {
        return m_ring[static_cast<std::size_t>((m_head + i) % GetLimit())];
    }

    std::vector<CvxCompareRefPtr<Page>> m_ring;
    std::int32_t m_head = 0;
    std::int32_t m_size = 0;
    std::int32_t m_pageSize;
};

#pragma once
// The paging of one paged store: its temporary file, the cache of pages in memory, the page
// being filled, and the persisted form. Shared by the paged stores with and without
// sub-rows; `Page` is the body of the in-memory store that serves as page (a vector body or
// a vector sub-row body).
//
// Page k holds rows k x page size .. (k + 1) x page size - 1. Pages of a fixed layout size
// (numeric values without sub-rows) lie at k x page size x width in the file; the others are
// written one after the other and their offsets kept per page. Every page is written whole,
// its unused slots as zero values. The persisted form is the row count (signed 32-bit
// little-endian) followed by the ceil(count / page size) pages in the file layout.
//
// Sequential reading costs one file read per page; once the cache is full, pages are reused,
// so steady appending and reading allocate nothing.

#include "CvxCompareByteStream.h"
#include "CvxCompareMemoryReader.h"
#include "CvxComparePageCache.h"
#include "CvxCompareRefPtr.h"
#include "CvxCompareTempFile.h"
#include "CvxInfoMgr.h"
#include "CvxPersistenceDataStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

template <typename Page>
class CvxComparePageFile {
public:
    CvxComparePageFile(std::int32_t pageSize, std::int32_t pageLimit)
        : m_cache(std::max(pageLimit, 1), std::max(pageSize, 1)), m_pageSize(std::max(pageSize, 1)),
          m_pageLimit(std::max(pageLimit, 1))
    {
    }

    std::int32_t GetPageSize() const { return m_pageSize; }
    std::int32_t GetPageLimit() const { return m_pageLimit; }
    std::int32_t GetCount() const { return m_count; }
    const std::string& GetFileName() const { return m_file.GetName(); }
    const CvxComparePageCache<Page>& GetCache() const { return m_cache; }

    // The page being filled (null before the first row, after EndAppend and after Load).
    Page* GetWritePage() const { return m_writePage.Get(); }

    // The write page with room for one more row: a full one goes to the file first, and a
    // page for row count is taken from the cache. A store that is ended (EndAppend, Load)
    // takes no more rows, as a full one takes none: its last page is in the file already.
    Page& PrepareWritePage()
    {
        if (m_writePage && !m_writePage->IsFull()) {
            return *m_writePage;
        }
        if (m_count == std::numeric_limits<std::int32_t>::max() || m_ended) {
            throw std::out_of_range("invalid vector<T> subscript");
        }
        if (m_writePage) {
            WritePage(*m_writePage);
        }
        m_writePage = m_cache.Take(m_count - m_count % m_pageSize);
        return *m_writePage;
    }
    void AddRow() { ++m_count; }
    void AddRows(std::int32_t rows) { m_count += rows; }

    // Writes the last page whole and gives the file descriptor back.
    void EndAppend()
    {
        m_ended = true;
        if (m_writePage) {
            WritePage(*m_writePage);
            m_writePage.Reset();
        }
        m_file.Close();
    }

    // The page that holds the row: from the cache, or read from the file into a new or
    // reused page (which then claims all its slots).
    CvxCompareRefPtr<Page> Lookup(std::int32_t row)
    {
        if (Page* hit = m_cache.Find(row)) {
            return CvxCompareRefPtr<Page>(hit);
        }
        const std::int32_t start = row - row % m_pageSize;
        CvxCompareRefPtr<Page> page = m_cache.Take(start);
        ReadPage(*page, start);
        return page;
    }

    void Save(CvxPersistenceDataStream& stream)
    {
        // A store saved while still filling is closed first, so that its last page is in.
        EndAppend();
        const std::int32_t count = m_count;
        m_io.SetStream(&stream);
        m_io.Write(&count, sizeof count);
        CvxCompareRefPtr<Page> scratch(new Page(m_pageSize));
        for (std::int64_t start = 0; start < count; start += m_pageSize) {
            ReadPage(*scratch, static_cast<std::int32_t>(start));
            m_io.SetStream(&stream);
            if constexpr (Page::kFixedSize) {
                m_io.Write(scratch->GetData(), scratch->GetByteSize());
            } else {
                m_scratch.clear();
                scratch->Encode(m_scratch);
                m_io.Write(m_scratch.data(), m_scratch.size());
            }
        }
        // A page the paging file lost (a write or read that failed) would be saved as zeros:
        // the setup must not pass it off as the reference.
        if (m_file.IsFailed()) {
            stream.SetFailed("the paging file " + m_file.GetName() + " of the reference lost pages");
        }
        m_file.Close();
    }

    // Replaces the contents with the persisted form read from the stream. No count is
    // trusted beyond the bytes that back it: rows the stream does not hold are dropped, and
    // one line naming the stream goes to the host log when the stream was short.
    void Load(CvxPersistenceDataStream& stream)
    {
        m_cache.Clear();
        m_writePage.Reset();
        m_offsets.clear();
        m_count = 0;
        m_file.Truncate();

        m_io.SetStream(&stream);
        std::int32_t count = 0;
        bool shortStream = m_io.Read(&count, sizeof count) != sizeof count || count < 0;
        count = std::max(count, 0);
        CvxCompareRefPtr<Page> page(new Page(m_pageSize));
        std::int32_t loaded = 0;
        for (std::int64_t start = 0; start < count && !shortStream; start += m_pageSize) {
            page->Reset(static_cast<std::int32_t>(start));
            m_io.SetStream(&stream);
            CvxCompareStreamReader reader(m_io, m_scratch);
            const std::int32_t rows = page->Decode(reader);
            const auto meaningful = static_cast<std::int32_t>(std::min<std::int64_t>(m_pageSize, count - start));
            const std::int32_t kept = std::min(rows, meaningful);
            if (kept > 0) {
                WritePage(*page);
                loaded = static_cast<std::int32_t>(start) + kept;
            }
            shortStream = rows < m_pageSize;
        }
        m_count = loaded;
        m_ended = true;
        m_file.Close();
        if (shortStream) {
            CvxInfoMgr::GetInstance().LogMessage(kMessageError, u"Compare data store: the data stream \"" + stream.GetName()
                                                                    + u"\" is short: " + Number(loaded) + u" of "
                                                                    + Number(count) + u" rows loaded");
        } else if (stream.GetRemaining() > 0) {
            // Bytes past the pages its count names: the count or the bytes are wrong, and a
            // reference read from either would compare wrongly.
            CvxInfoMgr::GetInstance().LogMessage(
                kMessageError, u"Compare data store: the data stream \"" + stream.GetName() + u"\" holds "
                                   + Number(static_cast<std::int32_t>(std::min<std::size_t>(stream.GetRemaining(), INT32_MAX)))
                                   + u" bytes more than its " + Number(count) + u" rows");
        }
    }

private:
    static std::u16string Number(std::int32_t n)
    {
        const std::string digits = std::to_string(n);
        return {digits.begin(), digits.end()};
    }

    std::int64_t PageIndex(std::int32_t start) const { return start / m_pageSize; }

    void WritePage(Page& page)
    {
        page.ClearTail();
        m_io.SetFile(&m_file);
        if constexpr (Page::kFixedSize) {
            m_file.Seek(PageIndex(page.GetStart()) * static_cast<std::int64_t>(page.GetByteSize()));
            m_io.Write(page.GetData(), page.GetByteSize());
        } else {
            const auto k = static_cast<std::size_t>(PageIndex(page.GetStart()));
            const std::int64_t offset = m_file.GetSize();
            if (k >= m_offsets.size()) {
                m_offsets.resize(k + 1, -1);
            }
            m_offsets[k] = offset;
            m_scratch.clear();
            page.Encode(m_scratch);
            m_file.Seek(offset);
            m_io.Write(m_scratch.data(), m_scratch.size());
        }
    }

    // Fills the page with page `start / page size` from the file; what cannot be read (a
    // failed or short file, a page never written) reads as zero values.
    void ReadPage(Page& page, std::int32_t start)
    {
        page.Reset(start);
        m_io.SetFile(&m_file);
        if constexpr (Page::kFixedSize) {
            const std::size_t bytes = page.GetByteSize();
            m_file.Seek(PageIndex(start) * static_cast<std::int64_t>(bytes));
            const std::size_t got = m_io.Read(page.GetData(), bytes);
            std::memset(static_cast<std::uint8_t*>(page.GetData()) + got, 0, bytes - got);
            page.SetFull();
        } else {
            const auto k = static_cast<std::size_t>(PageIndex(start));
            std::size_t got = 0;
            if (k < m_offsets.size() && m_offsets[k] >= 0) {
                // Pages are written once each, in row order: page k ends where k + 1 begins.
                const std::int64_t next = k + 1 < m_offsets.size() ? m_offsets[k + 1] : m_file.GetSize();
                const auto length = static_cast<std::size_t>(std::max<std::int64_t>(next - m_offsets[k], 0));
                if (m_scratch.size() < length) {
                    m_scratch.resize(length);
                }
                m_file.Seek(m_offsets[k]);
                got = m_io.Read(m_scratch.data(), length);
            }
            CvxCompareMemoryReader reader(m_scratch.data(), got);
            page.Decode(reader);
        }
    }

    CvxCompareTempFile m_file;
    CvxCompareByteStream m_io;
    CvxComparePageCache<Page> m_cache;
    CvxCompareRefPtr<Page> m_writePage;
    // File offset of each variable-size page (-1: not written).
    std::vector<std::int64_t> m_offsets;
    std::int32_t m_pageSize;
    std::int32_t m_pageLimit;
    std::int32_t m_count = 0;
    bool m_ended = false;
    std::vector<std::uint8_t> m_scratch;
};

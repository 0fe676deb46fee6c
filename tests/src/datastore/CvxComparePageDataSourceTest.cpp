// Paged stores: the persisted layout byte for byte, page boundaries, the cache's eviction
// order, the paging files, and what happens when files or streams fail or lie.

#include "CvxStoreTestSupport.h"

#include "CvxComparePageDataSource.h"
#include "CvxPersistenceDataStream.h"

#include <csignal>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>

namespace {

constexpr std::int32_t kPageSize = 4;

// The persisted form written out by hand: count, then whole pages of page-size slots.
template <typename T>
std::vector<std::uint8_t> Persisted(std::int32_t count)
{
    std::vector<std::uint8_t> bytes;
    auto put = [&](std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    put(static_cast<std::uint32_t>(count), 4);
    const std::int32_t slots = (count + kPageSize - 1) / kPageSize * kPageSize;
    for (std::int32_t i = 0; i < slots; ++i) {
        if constexpr (std::is_same_v<T, std::u16string>) {
            const std::u16string s = i < count ? TestString(i) : std::u16string();
            put(s.size(), 4);
            for (const char16_t c : s) {
                put(c, 1);
            }
        } else {
            const CvxUInt v = i < count ? TestNumber<T>(i) : CvxUInt();
            for (int w = 0; w < 4 && 4 * w < static_cast<int>(sizeof(T)); ++w) {
                put(v.GetWord(w), std::min<int>(4, sizeof(T)));
            }
        }
    }
    return bytes;
}

template <typename T>
class CvxPageLayoutTest : public CvxStoreTest {};

using Elements = ::testing::Types<std::uint8_t, std::uint16_t, std::uint32_t, std::uint64_t, CvxUInt, std::u16string>;
TYPED_TEST_SUITE(CvxPageLayoutTest, Elements);

TYPED_TEST(CvxPageLayoutTest, PersistedFormIsExactAtPageBoundaries)
{
    for (const std::int32_t count : {0, 1, kPageSize, kPageSize + 1}) {
        CvxComparePageDataSource<TypeParam> store(kPageSize, 2);
        for (std::int32_t i = 0; i < count; ++i) {
            if constexpr (std::is_same_v<TypeParam, std::u16string>) {
                store.Append(TestString(i));
            } else {
                store.Append(TestNumber<TypeParam>(i));
            }
        }
        store.EndAppend();
        CvxPersistenceDataStream stream(u"s");
        store.Save(stream);
        EXPECT_EQ(stream.GetBytes(), Persisted<TypeParam>(count)) << "count " << count;

        CvxComparePageDataSource<TypeParam> loaded(kPageSize, 2);
        stream.SeekToBegin();
        loaded.Load(stream);
        EXPECT_EQ(loaded.GetCount(), count);
    }
}

// Appends write straight into the page and count rows once a page: the count asked while the
// store fills, a save that ends it and a walk of what was saved must see every row.
TYPED_TEST(CvxPageLayoutTest, CountAndSaveWhileFillingSeeEveryRow)
{
    CvxComparePageDataSource<TypeParam> store(kPageSize, 2);
    auto append = [&](std::int32_t i) {
        if constexpr (std::is_same_v<TypeParam, std::u16string>) {
            store.Append(TestString(i));
        } else {
            store.Append(TestNumber<TypeParam>(i));
        }
    };
    std::int32_t appended = 0;
    for (const std::int32_t upTo : {1, kPageSize - 1, kPageSize, 3 * kPageSize + 2}) {
        for (; appended < upTo; ++appended) {
            append(appended);
        }
        ASSERT_EQ(store.GetCount(), upTo);
    }
    CvxPersistenceDataStream stream(u"s");
    store.Save(stream);
    EXPECT_EQ(stream.GetBytes(), Persisted<TypeParam>(appended));
    // Saving ends the store: it takes no more rows.
    EXPECT_THROW(append(appended), std::out_of_range);
    EXPECT_EQ(store.GetCount(), appended);

    std::unique_ptr<CvxCompareDataSourceIter> it(store.CreateIter());
    std::int32_t row = 0;
    for (it->First(); !it->IsDone(); it->Next(), ++row) {
        if constexpr (std::is_same_v<TypeParam, std::u16string>) {
            std::u16string text;
            it->GetValue(text);
            EXPECT_EQ(text, TestString(row)) << "row " << row;
        } else {
            CvxUInt value;
            it->GetValue(value);
            EXPECT_EQ(value, TestNumber<TypeParam>(row)) << "row " << row;
        }
    }
    EXPECT_EQ(row, appended);
}

TEST_F(CvxStoreTest, NarrowStoresKeepTheLowBitsOnly)
{
    CvxComparePageDataSource<std::uint16_t> store(kPageSize, 2);
    store.Append(CvxUInt(0x12345678U, 0x9ABCDEF0U, 1, 2));
    store.EndAppend();
    std::unique_ptr<CvxComparePageDataSource<std::uint16_t>::Iter> it(store.CreateIter());
    it->First();
    CvxUInt v(9, 9, 9, 9);
    EXPECT_TRUE(it->GetValue(v));
    EXPECT_EQ(v, CvxUInt(0x5678U, 0, 0, 0));
}

// Writes `value` over every slot of the paging file, behind the store's back.
void Scribble(const std::string& file, std::size_t bytes, std::uint8_t value)
{
    const int fd = ::open(file.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::vector<std::uint8_t> junk(bytes, value);
    ASSERT_EQ(::pwrite(fd, junk.data(), junk.size(), 0), static_cast<ssize_t>(junk.size()));
    ::close(fd);
}

TEST_F(CvxStoreTest, CacheEvictsTheEarliestLoadedPageEvenIfUsedLast)
{
    CvxComparePageDataSource<std::uint32_t> store(kPageSize, 2);
    for (std::int32_t i = 0; i < 4 * kPageSize; ++i) {
        store.Append(CvxUInt(static_cast<std::uint64_t>(i)));
    }
    store.EndAppend();
    std::unique_ptr<CvxComparePageDataSource<std::uint32_t>::Iter> it(store.CreateIter());
    auto valueAt = [&](std::int32_t row) {
        it->Goto(row);
        CvxUInt v;
        it->GetValue(v);
        return v.GetWord(0);
    };
    // Pages 0 and 1 load, page 0 is used again, page 2 loads: page 0 goes, not page 1.
    EXPECT_EQ(valueAt(0), 0U);
    EXPECT_EQ(valueAt(kPageSize), static_cast<std::uint32_t>(kPageSize));
    EXPECT_EQ(valueAt(1), 1U);
    EXPECT_EQ(valueAt(2 * kPageSize), static_cast<std::uint32_t>(2 * kPageSize));
    Scribble(store.GetFileName(), 4 * kPageSize * 4, 0xEE);
    EXPECT_EQ(valueAt(kPageSize + 1), static_cast<std::uint32_t>(kPageSize + 1)) << "page 1 stays cached";
    EXPECT_EQ(valueAt(2), 0xEEEEEEEEU) << "page 0 was evicted and reads the file again";
}

TEST_F(CvxStoreTest, SequentialReadAcrossManyPagesReusesPages)
{
    CvxComparePageDataSource<std::uint8_t> store(kPageSize, 3);
    const std::int32_t rows = 50 * kPageSize + 3;
    for (std::int32_t i = 0; i < rows; ++i) {
        store.Append(CvxUInt(static_cast<std::uint64_t>(i)));
    }
    store.EndAppend();
    std::unique_ptr<CvxComparePageDataSource<std::uint8_t>::Iter> it(store.CreateIter());
    std::int32_t n = 0;
    std::int32_t viaRuns = 0;
    for (it->First(); !it->IsDone(); it->Next()) {
        CvxUInt v;
        it->GetValue(v);
        EXPECT_EQ(v.GetWord(0), static_cast<std::uint32_t>(n & 0xFF));
        ++n;
    }
    for (it->First(); !it->IsDone();) {
        const auto run = it->GetRun();
        ASSERT_FALSE(run.empty());
        EXPECT_EQ(run[0], static_cast<std::uint8_t>(it->GetIndex()));
        viaRuns += static_cast<std::int32_t>(run.size());
        it->Skip(static_cast<std::int32_t>(run.size()));
    }
    EXPECT_EQ(n, rows);
    EXPECT_EQ(viaRuns, rows);
    EXPECT_EQ(store.GetBody()->GetPaging().GetCache().GetSize(), 3);
}

TEST_F(CvxStoreTest, PagingFilesAreExclusiveAndGoWithTheBody)
{
    std::string first;
    {
        CvxComparePageDataSource<std::uint8_t> a(kPageSize, 2);
        CvxComparePageDataSource<std::uint8_t> b(kPageSize, 2);
        first = a.GetFileName();
        const std::string prefix = m_dir.string() + "/C";
        ASSERT_EQ(first.rfind(prefix, 0), 0U) << first;
        EXPECT_EQ(first.substr(first.size() - 4), ".tmp");
        EXPECT_NE(a.GetFileName(), b.GetFileName());
        EXPECT_EQ(PagingFiles().size(), 2U);
    }
    EXPECT_TRUE(PagingFiles().empty());

    // Unwinding an exception destroys the stores on the way, and their files with them.
    try {
        CvxComparePageDataSource<std::u16string> store(kPageSize, 2);
        store.Append(u"x");
        ASSERT_EQ(PagingFiles().size(), 1U);
        throw std::runtime_error("copy interrupted");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(PagingFiles().empty());
}

TEST_F(CvxStoreTest, StringsUseTheEightBitCodePage)
{
    CvxComparePageDataSource<std::u16string> store(kPageSize, 2);
    const std::u16string plain = u"MOV A,#0x3F";
    store.Append(plain);
    store.Append(u"Stra\u00DFe");
    store.Append(u"\u20AC5");
    store.Append(std::u16string());
    store.Append(u"next page");
    store.EndAppend();
    std::unique_ptr<CvxComparePageDataSource<std::u16string>::Iter> it(store.CreateIter());
    std::vector<std::u16string> seen;
    for (it->Goto(0); !it->IsDone(); it->Next()) {
        std::u16string s;
        it->GetValue(s);
        seen.push_back(s);
    }
    // The euro sign keeps its low 8 bits, 0xAC, which reads back as U+00AC.
    EXPECT_EQ(seen, (std::vector<std::u16string>{plain, u"Stra\u00DFe", u"\u00AC5", u"", u"next page"}));
}

TEST_F(CvxStoreTest, UncreatableFileIsLoggedOnceAndReadsZero)
{
    std::filesystem::path blocker = m_dir / "not-a-dir";
    { std::ofstream(blocker) << "x"; }
    CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8((blocker / "sub").string()));
    CvxComparePageDataSource<std::uint32_t> store(kPageSize, 1);
    for (std::int32_t i = 0; i < 3 * kPageSize; ++i) {
        store.Append(CvxUInt(static_cast<std::uint64_t>(i + 1)));
    }
    store.EndAppend();
    EXPECT_TRUE(store.GetFileName().empty());
    std::unique_ptr<CvxComparePageDataSource<std::uint32_t>::Iter> it(store.CreateIter());
    it->Goto(0);
    CvxUInt v(5, 5, 5, 5);
    it->GetValue(v);
    EXPECT_EQ(v, CvxUInt());
    CvxPersistenceDataStream stream(u"s");
    store.Save(stream);
    EXPECT_EQ(stream.GetLength(), 4U + 3 * kPageSize * 4);
    EXPECT_EQ(LoggedErrors(u"cannot create the paging file"), 1);
    EXPECT_EQ(LoggedErrors(u""), 1);
}

TEST_F(CvxStoreTest, WriteFailureIsLoggedOnceAndLeavesZeros)
{
    // The file size limit makes writes past 16 bytes fail, as a full disk would.
    CvxComparePageDataSource<std::uint32_t> store(kPageSize, 1);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &small);
    for (std::int32_t i = 0; i < 4 * kPageSize; ++i) {
        store.Append(CvxUInt(static_cast<std::uint64_t>(i + 1)));
    }
    store.EndAppend();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    std::unique_ptr<CvxComparePageDataSource<std::uint32_t>::Iter> it(store.CreateIter());
    std::vector<std::uint32_t> seen;
    for (it->First(); !it->IsDone(); it->Next()) {
        CvxUInt v;
        it->GetValue(v);
        seen.push_back(v.GetWord(0));
    }
    ASSERT_EQ(seen.size(), 16U);
    EXPECT_EQ(seen[0], 1U) << "the first page made it to the file";
    EXPECT_EQ(std::vector<std::uint32_t>(seen.begin() + kPageSize, seen.end()), std::vector<std::uint32_t>(12, 0))
        << "the others did not";
    EXPECT_EQ(LoggedErrors(u"cannot write the paging file \"" + CvxStringConvert::FromUtf8(store.GetFileName())), 1);
    EXPECT_EQ(LoggedErrors(u""), 1);
}

TEST_F(CvxStoreTest, RemovedFileIsLoggedOnceAndReadsZero)
{
    CvxComparePageDataSource<std::uint64_t> store(kPageSize, 1);
    for (std::int32_t i = 0; i < 3 * kPageSize; ++i) {
        store.Append(CvxUInt(static_cast<std::uint64_t>(i + 1)));
    }
    store.EndAppend();
    ASSERT_EQ(std::filesystem::remove(store.GetFileName()), true);
    std::unique_ptr<CvxComparePageDataSource<std::uint64_t>::Iter> it(store.CreateIter());
    CvxUInt v;
    it->Goto(3 * kPageSize - 1);
    it->GetValue(v);
    EXPECT_EQ(v.Low64(), static_cast<std::uint64_t>(3 * kPageSize)) << "the last page is still cached";
    for (it->First(); !it->IsDone(); it->Next()) {
        it->GetValue(v);
        EXPECT_EQ(v.Low64(), 0U);
    }
    EXPECT_EQ(LoggedErrors(u"cannot reopen the paging file"), 1);
    EXPECT_EQ(LoggedErrors(u""), 1);
}

struct HostileCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::int32_t count; // rows the store may keep
};

std::vector<std::uint8_t> Le32(std::int32_t v)
{
    std::vector<std::uint8_t> b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
}

std::vector<std::uint8_t> Cat(std::vector<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST_F(CvxStoreTest, LoadTrustsNoCountBeyondItsBytes)
{
    const std::vector<HostileCase> numeric = {
        {"empty stream", {}, 0},
        {"three bytes", {1, 0, 0}, 0},
        {"negative count", Le32(-5), 0},
        {"huge count, no pages", Le32(0x7FFFFFFF), 0},
        {"huge count, one page and a bit", Cat({Le32(0x7FFFFFFF), std::vector<std::uint8_t>(4 * 4 + 2 * 4 + 3, 7)}), 6},
        {"count within a page, padding cut", Cat({Le32(2), std::vector<std::uint8_t>(2 * 4, 7)}), 2},
    };
    for (const auto& c : numeric) {
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxPersistenceDataStream stream(u"CompareSource3");
        stream.SetBytes(c.bytes);
        CvxComparePageDataSource<std::uint32_t> store(kPageSize, 2);
        store.Load(stream);
        EXPECT_EQ(store.GetCount(), c.count) << c.name;
        EXPECT_EQ(LoggedErrors(u"\"CompareSource3\" is short"), c.bytes.size() >= 4 && c.count == 0 && c.bytes == Le32(0) ? 0 : 1)
            << c.name;
        std::unique_ptr<CvxComparePageDataSource<std::uint32_t>::Iter> it(store.CreateIter());
        std::int32_t n = 0;
        for (it->First(); !it->IsDone(); it->Next()) {
            CvxUInt v;
            it->GetValue(v);
            EXPECT_EQ(v.GetWord(0), 0x07070707U) << c.name;
            ++n;
        }
        EXPECT_EQ(n, c.count) << c.name;
    }

    const std::vector<HostileCase> strings = {
        {"length beyond the stream", Cat({Le32(1), Le32(0x7FFFFFF0), {'a', 'b'}}), 0},
        {"second record cut", Cat({Le32(2), Le32(1), {'a'}, Le32(3), {'b'}}), 1},
        {"negative length reads empty", Cat({Le32(1), Le32(-9), Le32(0), Le32(0), Le32(0)}), 1},
    };
    for (const auto& c : strings) {
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxPersistenceDataStream stream(u"CompareSource4");
        stream.SetBytes(c.bytes);
        CvxComparePageDataSource<std::u16string> store(kPageSize, 2);
        store.Load(stream);
        EXPECT_EQ(store.GetCount(), c.count) << c.name;
        EXPECT_EQ(LoggedErrors(u"\"CompareSource4\" is short"), std::string(c.name) == "negative length reads empty" ? 0 : 1)
            << c.name;
    }
}

} // namespace

// The reference buffer's paged stores: appending and reading 100 million values (10 million
// strings or sub-row entries), against writing or reading the same bytes of the paging file
// with one write or read call per page, in the same run.
//
// Read cases walk the store through its iterator of the concrete type: `ratio` is the bulk
// walk (GetRun/Skip over each page's run); `row_ratio` the walk row by row
// (First/IsDone/GetValue/Next), which the comparison and the grid use.

#include "CvxBench.h"

#include "CvxComparePageDataSource.h"
#include "CvxComparePageSubRowDataSource.h"
#include "CvxInfoMgr.h"
#include "CvxStringConvert.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::int32_t kRows = 100'000'000;
constexpr std::int32_t kStringRows = 10'000'000;
constexpr std::int32_t kPageSize = 32768;
constexpr std::int32_t kSubRowPageSize = 4096;
constexpr std::int32_t kStringPageSize = 4096;
constexpr std::int64_t kMiB = 1024 * 1024;

std::uint64_t ValueAt(std::int64_t i)
{
    return static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL;
}

// Reads a file with one read call per `chunk` bytes.
void ReadFile(const std::string& name, std::size_t chunk, std::vector<std::uint8_t>& buffer)
{
    buffer.resize(chunk);
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    std::uint64_t sum = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), chunk);
        if (got <= 0) {
            break;
        }
        sum += buffer[0];
    }
    ::close(fd);
    CvxBenchKeep(sum);
}

std::size_t FileSize(const std::string& name)
{
    std::error_code ec;
    return static_cast<std::size_t>(std::filesystem::file_size(name, ec));
}

template <typename T>
void FillNumeric(CvxComparePageDataSource<T>& store, std::int32_t rows)
{
    for (std::int32_t i = 0; i < rows; ++i) {
        store.Append(CvxUInt(ValueAt(i), static_cast<std::uint32_t>(i), 0, 0));
    }
    store.EndAppend();
}

CvxBenchResult StoreU32Append()
{
    CvxBenchBaseDir dir;
    std::vector<std::uint32_t> page(kPageSize);
    const CvxBenchTimes times = CvxBenchBestPair(
        2,
        [&] {
            CvxComparePageDataSource<std::uint32_t> store(kPageSize, 32);
            FillNumeric(store, kRows);
        },
        [&] {
            const std::string name = dir.Path("baseline.bin");
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            for (std::int32_t start = 0; start < kRows; start += kPageSize) {
                for (std::int32_t j = 0; j < kPageSize; ++j) {
                    page[static_cast<std::size_t>(j)] = static_cast<std::uint32_t>(ValueAt(start + j));
                }
                CvxBenchKeep(::write(fd, page.data(), page.size() * sizeof(std::uint32_t)));
            }
            ::close(fd);
            ::unlink(name.c_str());
        });
    CvxBenchResult r;
    r.itemsPerS = kRows / times.seconds;
    r.baselineItemsPerS = kRows / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    return r;
}

template <typename T>
std::uint32_t Low(const T& v)
{
    if constexpr (std::is_same_v<T, CvxUInt>) {
        return v.GetWord(0);
    } else {
        return static_cast<std::uint32_t>(v);
    }
}

// Walks a filled numeric store in bulk and row by row; the baseline reads its file. Like the
// baseline, which only touches what each read call delivered, the walks take one value per
// page into their check sum: the cost measured is the store's, not that of summing.
template <typename T>
CvxBenchResult NumericRead(std::int32_t pageLimit, bool reportMemory)
{
    CvxBenchBaseDir dir;
    const std::int64_t rssBefore = CvxBenchCurrentRss();
    CvxBenchResetPeakRss();
    CvxComparePageDataSource<T> store(kPageSize, pageLimit);
    FillNumeric(store, kRows);
    std::vector<std::uint8_t> buffer;
    const std::size_t pageBytes = kPageSize * sizeof(T);
    std::uint64_t bulkSum = 0;
    std::uint64_t rowSum = 0;
    const CvxBenchTimes bulk = CvxBenchBestPair(
        3,
        [&] {
            std::unique_ptr<typename CvxComparePageDataSource<T>::Iter> it(store.CreateIter());
            std::uint64_t sum = 0;
            for (it->First(); !it->IsDone();) {
                const auto run = it->GetRun();
                sum += Low(run.back());
                it->Skip(static_cast<std::int32_t>(run.size()));
            }
            bulkSum = sum;
        },
        [&] { ReadFile(store.GetFileName(), pageBytes, buffer); });
    const double rowSeconds = CvxBenchBestSeconds(2, [&] {
        std::unique_ptr<typename CvxComparePageDataSource<T>::Iter> it(store.CreateIter());
        std::uint64_t sum = 0;
        CvxUInt v;
        for (it->First(); !it->IsDone(); it->Next()) {
            it->GetValue(v);
            if ((it->GetIndex() + 1) % kPageSize == 0 || it->GetIndex() == kRows - 1) {
                sum += v.GetWord(0);
            }
        }
        rowSum = sum;
    });
    const std::int64_t peak = CvxBenchPeakRss();

    CvxBenchResult r;
    r.itemsPerS = kRows / bulk.seconds;
    r.baselineItemsPerS = kRows / bulk.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("row_items_per_s", kRows / rowSeconds);
    r.extra.emplace_back("row_ratio", bulk.baselineSeconds / rowSeconds);
    r.Check("sums_agree", bulkSum == rowSum);
    if (reportMemory) {
        const std::int64_t bound = static_cast<std::int64_t>(pageLimit) * kPageSize * static_cast<std::int64_t>(sizeof(T)) + 32 * kMiB;
        // The store's share is what the process grew by: earlier cases may have left memory.
        r.extra.emplace_back("peak_rss_bytes", static_cast<double>(peak));
        r.extra.emplace_back("rss_before_bytes", static_cast<double>(rssBefore));
        r.extra.emplace_back("rss_bound_bytes", static_cast<double>(bound));
        r.Check("rss_within_bound", peak - rssBefore <= bound);
    }
    return r;
}

CvxBenchResult StoreStringRead()
{
    CvxBenchBaseDir dir;
    CvxComparePageDataSource<std::u16string> store(kStringPageSize, 15);
    std::u16string text;
    for (std::int32_t i = 0; i < kStringRows; ++i) {
        text = u"CMD ";
        const std::string digits = std::to_string(ValueAt(i) % 100000);
        text.append(digits.begin(), digits.end());
        store.Append(text);
    }
    store.EndAppend();
    const std::size_t pages = (kStringRows + kStringPageSize - 1) / kStringPageSize;
    const std::size_t chunk = FileSize(store.GetFileName()) / pages + 1;
    std::vector<std::uint8_t> buffer;
    const CvxBenchTimes times = CvxBenchBestPair(
        3,
        [&] {
            std::unique_ptr<CvxComparePageDataSource<std::u16string>::Iter> it(store.CreateIter());
            std::size_t chars = 0;
            std::u16string value;
            for (it->First(); !it->IsDone(); it->Next()) {
                it->GetValue(value);
                chars += value.size();
            }
            CvxBenchKeep(chars);
        },
        [&] { ReadFile(store.GetFileName(), chunk, buffer); });
    CvxBenchResult r;
    r.itemsPerS = kStringRows / times.seconds;
    r.baselineItemsPerS = kStringRows / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    return r;
}

// 10 million rows of one to three sub-rows, walked entry by entry.
CvxBenchResult StoreSubRowU16Read()
{
    CvxBenchBaseDir dir;
    CvxComparePageSubRowDataSource<std::uint16_t> store(kSubRowPageSize, 64);
    std::int64_t entries = 0;
    for (std::int32_t i = 0; i < kStringRows; ++i) {
        const int n = 1 + static_cast<int>(ValueAt(i) >> 62) % 3;
        store.AppendRow(CvxUInt(ValueAt(i)), 0, n);
        for (int s = 1; s < n; ++s) {
            store.AppendSubRow(CvxUInt(ValueAt(i) + static_cast<std::uint64_t>(s)), s);
        }
        entries += n;
    }
    store.EndAppend();
    const std::size_t pages = (kStringRows + kSubRowPageSize - 1) / kSubRowPageSize;
    const std::size_t chunk = FileSize(store.GetFileName()) / pages + 1;
    std::vector<std::uint8_t> buffer;
    std::int64_t walked = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        3,
        [&] {
            std::unique_ptr<CvxComparePageSubRowDataSource<std::uint16_t>::Iter> it(store.CreateIter());
            std::int64_t n = 0;
            std::uint64_t sum = 0;
            CvxUInt v;
            for (it->First(); !it->IsDone(); it->Next()) {
                it->GetValue(v);
                sum += v.GetWord(0);
                ++n;
            }
            walked = n;
            CvxBenchKeep(sum);
        },
        [&] { ReadFile(store.GetFileName(), chunk, buffer); });
    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(entries) / times.seconds;
    r.baselineItemsPerS = static_cast<double>(entries) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("entries", static_cast<double>(entries));
    r.Check("entries_agree", walked == entries);
    return r;
}

const CvxBenchRegistrar kStoreU32Append("store_u32_append", StoreU32Append, 0.65, 0);
const CvxBenchRegistrar kStoreU32Read("store_u32_read", [] { return NumericRead<std::uint32_t>(32, true); }, 0.5, 0);
const CvxBenchRegistrar kStoreU8Read("store_u8_read", [] { return NumericRead<std::uint8_t>(64, false); }, 0.5, 0);
const CvxBenchRegistrar kStoreUInt128Read("store_uint128_read", [] { return NumericRead<CvxUInt>(8, false); }, 0.5, 0);
const CvxBenchRegistrar kStoreStringRead("store_string_read", StoreStringRead, 0, 0);
const CvxBenchRegistrar kStoreSubRowU16Read("store_subrow_u16_read", StoreSubRowU16Read, 0, 0);

} // namespace

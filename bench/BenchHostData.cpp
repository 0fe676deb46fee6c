// Walking and storing acquired data in the host core.

#include "CvxBench.h"

#include "CvxDataBuilder.h"
#include "CvxSampleIntegerIter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kRows = 100'000'000;

std::uint32_t ValueAt(std::int64_t i)
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * 2654435761U);
}

// Walking 100 million 32-bit values through the integer iterator, against a plain loop
// summing the same values in an array.
CvxBenchResult IterU32Seq()
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Bench");
    CvxDataColumnComponent& column = builder.AddBus(table, u"DATA32", 32);
    for (std::int64_t i = 0; i < kRows; ++i) {
        column.Append(ValueAt(i));
    }
    const CvxID label = column.GetLabelID();
    const auto data = builder.Finish();

    std::vector<std::uint32_t> plain(static_cast<size_t>(kRows));
    for (std::int64_t i = 0; i < kRows; ++i) {
        plain[static_cast<size_t>(i)] = ValueAt(i);
    }

    std::uint64_t iterSum = 0;
    std::uint64_t plainSum = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        5,
        [&] {
            CvxSampleIntegerIter it(*data, CvxLabelChannel(label), CvxSampleIterBase::kModeSamples);
            std::uint64_t sum = 0;
            CvxUInt value;
            for (it.First(); !it.IsDone(); it.Next()) {
                it.GetValue(value);
                sum += value.GetWord(0);
            }
            iterSum = sum;
        },
        [&] {
            std::uint64_t sum = 0;
            for (const std::uint32_t v : plain) {
                sum += v;
            }
            plainSum = sum;
        });
    CvxBenchKeep(iterSum);
    CvxBenchKeep(plainSum);

    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(kRows) / times.seconds;
    r.baselineItemsPerS = static_cast<double>(kRows) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.Check("sums_agree", iterSum == plainSum);
    return r;
}

// Memory per row of a 100-million-row 8-bit column (the ratio is bytes per row); the
// speed is that of appending, against appending to a reserved array.
CvxBenchResult DataU8Bytes()
{
    const std::int64_t before = CvxBenchCurrentRss();
    std::shared_ptr<CvxData> data;
    const double appendSeconds = CvxBenchBestSeconds(1, [&] {
        CvxDataBuilder builder;
        CvxDataTable& table = builder.AddTable(u"Bench");
        CvxDataColumnComponent& column = builder.AddBus(table, u"DATA8", 8);
        for (std::int64_t i = 0; i < kRows; ++i) {
            column.Append(static_cast<std::uint8_t>(ValueAt(i)));
        }
        data = builder.Finish();
    });
    const std::int64_t after = CvxBenchCurrentRss();
    const std::size_t accounted = data->MemoryBytes();
    data.reset();

    const double plainSeconds = CvxBenchBestSeconds(1, [&] {
        std::vector<std::uint8_t> plain;
        plain.reserve(static_cast<size_t>(kRows));
        for (std::int64_t i = 0; i < kRows; ++i) {
            plain.push_back(static_cast<std::uint8_t>(ValueAt(i)));
        }
        CvxBenchKeep(plain.back());
    });

    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(kRows) / appendSeconds;
    r.baselineItemsPerS = static_cast<double>(kRows) / plainSeconds;
    // Run after other cases, the column may reuse memory they freed and the process not grow:
    // what the data accounts for is then the lower bound.
    r.ratio = static_cast<double>(std::max<std::int64_t>(after - before, static_cast<std::int64_t>(accounted)))
        / static_cast<double>(kRows);
    r.extra.emplace_back("accounted_bytes_per_row", static_cast<double>(accounted) / static_cast<double>(kRows));
    return r;
}

const CvxBenchRegistrar kIterU32Seq("iter_u32_seq", IterU32Seq, 0.45, 0);
const CvxBenchRegistrar kDataU8Bytes("data_u8_bytes", DataU8Bytes, 0, 1.1);

} // namespace

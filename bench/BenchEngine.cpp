// The reference copy and the comparison: 4 columns x 10 million 32-bit values (1 million
// strings or sub-row samples), comparisons per second against memcmp of the same input and
// reference bytes, and the copy against writing the same bytes sequentially.

#include "CvxBench.h"

#include "CvxCompareModel.h"
#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxMessageRun.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::int64_t kRows = 10'000'000;
constexpr std::int64_t kSmallRows = 1'000'000;
constexpr int kColumns = 4;

std::uint32_t ValueAt(int column, std::int64_t row)
{
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(row) + 1) * 2654435761U) ^ static_cast<std::uint32_t>(column);
}

// One table of four 32-bit buses; `shift` moves every value one row later, `changeEvery`
// alters one row in that many (0: none).
std::shared_ptr<CvxData> MakeU32(std::int64_t shift, std::int64_t changeEvery, std::vector<std::uint32_t>* flat)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Bench");
    table.SetUniformTimeBase(CvxTime::FromNs(10));
    for (int c = 0; c < kColumns; ++c) {
        CvxDataColumnComponent& column = builder.AddBus(table, u"D" + std::u16string(1, char16_t(u'0' + c)), 32);
        for (std::int64_t row = 0; row < kRows; ++row) {
            std::uint32_t v = ValueAt(c, row - shift);
            if (changeEvery > 0 && row % changeEvery == changeEvery / 2) {
                v ^= 0x10;
            }
            column.Append(v);
            if (flat != nullptr) {
                flat->push_back(v);
            }
        }
    }
    return builder.Finish();
}

std::vector<CvxLabelChannel> AllLabels(const CvxData& data)
{
    std::vector<CvxLabelChannel> labels;
    const CvxDataTable& table = data.GetTable(0);
    for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
        labels.emplace_back(table.GetColumn(c).GetLabelID());
    }
    return labels;
}

// memcmp over the whole of both arrays.
int ScanAll(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(std::uint32_t));
}

CvxBenchResult EngineU32(std::int64_t shift, std::int64_t changeEvery)
{
    CvxBenchBaseDir dir;
    CvxLabelMgr::GetInstance().Clear();
    CvxCompareModel model;
    model.SetOverviewWidth(1920);
    std::vector<std::uint32_t> input;
    input.reserve(static_cast<std::size_t>(kRows * kColumns));
    {
        const auto data = MakeU32(0, 0, nullptr);
        model.OnRun(CvxMessageRun(data, 1));
        model.CopyReference(AllLabels(*data), CvxCompareRange());
    }
    model.OnRun(CvxMessageRun(MakeU32(shift, changeEvery, &input), 2));
    CvxCompareReferenceOffset offset;
    offset.SetSampleOffset(static_cast<int>(shift));
    model.SetReferenceOffset(offset);

    // memcmp stops at the first difference; the baseline is the time to compare all the
    // input bytes with as many reference bytes, so it compares the input with a copy.
    const std::vector<std::uint32_t> paired = input;
    int unequal = 0;
    const CvxBenchTimes times = CvxBenchBestPair(
        3, [&] { model.Compare(false); }, [&] { unequal = ScanAll(input, paired); });
    CvxBenchKeep(unequal);

    const double comparisons = model.GetResults().GetComparisons();
    CvxBenchResult r;
    r.itemsPerS = comparisons / times.seconds;
    r.baselineItemsPerS = static_cast<double>(kRows * kColumns) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("comparisons", comparisons);
    r.extra.emplace_back("differences", model.GetResults().GetDifferences());
    return r;
}

// Strings or sub-rows: the entry-by-entry path, one million samples per column.
CvxBenchResult EngineOther(bool strings)
{
    CvxBenchBaseDir dir;
    CvxLabelMgr::GetInstance().Clear();
    CvxCompareModel model;
    model.SetOverviewWidth(1920);
    const auto make = [&](bool change) {
        CvxDataBuilder builder;
        CvxDataTable& table = builder.AddTable(u"Bench");
        table.SetUniformTimeBase(CvxTime::FromNs(10));
        for (int c = 0; c < kColumns; ++c) {
            const std::u16string name = u"S" + std::u16string(1, char16_t(u'0' + c));
            CvxDataColumnComponent& column = strings ? builder.AddString(table, name) : builder.AddBus(table, name, 16, true);
            for (std::int64_t row = 0; row < kSmallRows; ++row) {
                const bool altered = change && row % 100 == 50;
                if (strings) {
                    column.AppendString(altered ? u"WRITE 0x0104" : (row % 3 == 0 ? u"READ 0x0100" : u"IDLE"));
                } else {
                    const int slots = 1 + static_cast<int>(row % 3);
                    column.AppendRow(slots);
                    for (int s = 0; s < slots; ++s) {
                        column.AppendSubRow(s, static_cast<std::uint64_t>(row + s + (altered ? 1 : 0)));
                    }
                }
            }
        }
        return builder.Finish();
    };
    const auto first = make(false);
    model.OnRun(CvxMessageRun(first, 1));
    model.CopyReference(AllLabels(*first), CvxCompareRange());
    model.OnRun(CvxMessageRun(make(true), 2));
    const double seconds = CvxBenchBestSeconds(2, [&] { model.Compare(false); });
    CvxBenchResult r;
    r.itemsPerS = model.GetResults().GetComparisons() / seconds;
    r.extra.emplace_back("comparisons", model.GetResults().GetComparisons());
    return r;
}

// The reference copy of 4 x 10 million values against writing the same bytes to a file.
CvxBenchResult CopyU32()
{
    CvxBenchBaseDir dir;
    CvxLabelMgr::GetInstance().Clear();
    CvxCompareModel model;
    model.SetOverviewWidth(1920);
    std::vector<std::uint32_t> flat;
    flat.reserve(static_cast<std::size_t>(kRows * kColumns));
    const auto data = MakeU32(0, 0, &flat);
    model.OnRun(CvxMessageRun(data, 1));
    const std::vector<CvxLabelChannel> labels = AllLabels(*data);
    const std::string path = dir.Path("raw.bin");
    const CvxBenchTimes times = CvxBenchBestPair(
        2, [&] { model.CopyReference(labels, CvxCompareRange()); },
        [&] {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            constexpr std::size_t kPage = 32768 * sizeof(std::uint32_t);
            const auto* bytes = reinterpret_cast<const char*>(flat.data());
            const std::size_t total = flat.size() * sizeof(std::uint32_t);
            for (std::size_t at = 0; fd >= 0 && at < total; at += kPage) {
                CvxBenchKeep(::write(fd, bytes + at, std::min(kPage, total - at)));
            }
            if (fd >= 0) {
                ::close(fd);
            }
        });
    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(kRows * kColumns) / times.seconds;
    r.baselineItemsPerS = static_cast<double>(kRows * kColumns) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    return r;
}

const CvxBenchRegistrar kEqualOffset1("engine_u32_equal_offset1", [] { return EngineU32(1, 0); }, 0.25, 0);
const CvxBenchRegistrar kOnePercent("engine_u32_1pct", [] { return EngineU32(0, 100); }, 0.1, 0);
const CvxBenchRegistrar kString("engine_string", [] { return EngineOther(true); }, 0, 0);
const CvxBenchRegistrar kSubRow("engine_subrow", [] { return EngineOther(false); }, 0, 0);
const CvxBenchRegistrar kCopy("copy_u32", CopyU32, 0, 0);

} // namespace

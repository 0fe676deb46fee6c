// The overview strip's ticks: a comparison of 100 million samples (10 ns apart) that found a
// difference every 100 samples, one million in all, held as the results hold them (the first
// difference of each overview bucket, the overview 1,000,000 buckets wide). The ticks are
// rebuilt for a 1,000-row strip through the pane's own code, as on a data-changed message.
// Baseline: one pass summing the same difference positions.

#include "CvxBench.h"

#include "CvxCompareOverviewScale.h"
#include "CvxCompareResults.h"

namespace {

constexpr std::int64_t kSamples = 100'000'000;
constexpr std::int64_t kDifferences = 1'000'000;
constexpr int kStripHeight = 1000;

CvxBenchResult OverviewTicks()
{
    const CvxInt128 period = CvxTime::FromNs(10).AsInt128();
    const CvxInt128 first = 0;
    const CvxInt128 last = (kSamples - 1) * period;
    CvxCompareResults results;
    results.SetOverviewWidth(static_cast<int>(kDifferences));
    results.SetScale(first, last);
    for (std::int64_t i = 0; i < kDifferences; ++i) {
        const CvxTime at(first + i * (kSamples / kDifferences) * period);
        results.MarkBucket(results.BucketOf(at.AsInt128()), at);
    }
    results.RebuildBucketList();
    const auto marked = static_cast<std::int64_t>(results.GetBucketList().size());

    std::vector<int> ticks;
    const auto rebuild = [&] {
        CvxCompareOverviewScale scale;
        scale.Set(first, last, kStripHeight);
        ticks = scale.Ticks(results);
        CvxBenchKeep(ticks.data());
    };
    CvxInt128 sum = 0;
    const auto baseline = [&] {
        sum = 0;
        for (const int bucket : results.GetBucketList()) {
            sum += results.GetBucketTime(bucket).AsInt128();
        }
        CvxBenchKeep(sum);
    };
    const CvxBenchTimes times = CvxBenchBestPair(7, rebuild, baseline);

    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(marked) / times.seconds;
    r.baselineItemsPerS = static_cast<double>(marked) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("differences", static_cast<double>(marked));
    r.extra.emplace_back("ticks", static_cast<double>(ticks.size()));
    r.extra.emplace_back("ticks_ms", times.seconds * 1000);
    // The bucket scale rounds its divisor down, so the last few differences fall past the
    // last bucket; nearly all must be there, and every row of the strip holds one.
    r.Check("differences_held", marked >= kDifferences - 100);
    r.Check("every_row_ticked", ticks.size() == static_cast<std::size_t>(kStripHeight));
    return r;
}

const CvxBenchRegistrar kOverviewTicks("overview_ticks", OverviewTicks, 0.3, 0);

} // namespace

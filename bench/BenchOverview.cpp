// The overview strip's ticks: a comparison of 100 million samples (10 ns apart) that found a
// difference every 100 samples, one million in all. The ticks of a 1,000-row strip are built
// from the one million difference positions through the strip's own code (the scale and its
// tick collector). Baseline: one pass summing the same positions.
//
// The pane itself, on a data-changed message, builds its ticks from the results' overview
// buckets (the first difference of each, at most desktop width + 1 of them): the case also
// times that rebuild, with the million differences marked into 1,921 buckets, and checks that
// it gives the same rows.

#include "CvxBench.h"

#include "CvxCompareOverviewScale.h"
#include "CvxCompareResults.h"

namespace {

constexpr std::int64_t kSamples = 100'000'000;
constexpr std::int64_t kDifferences = 1'000'000;
constexpr int kStripHeight = 1000;
constexpr int kDesktopWidth = 1920;

CvxBenchResult OverviewTicks()
{
    const CvxInt128 period = CvxTime::FromNs(10).AsInt128();
    const CvxInt128 first = 0;
    const CvxInt128 last = (kSamples - 1) * period;
    std::vector<CvxInt128> positions;
    positions.reserve(kDifferences);
    for (std::int64_t i = 0; i < kDifferences; ++i) {
        // Every 100 samples, at a varying place within the 100.
        positions.push_back(first + (i * (kSamples / kDifferences) + (i * 37) % 100) * period);
    }
    CvxCompareResults results;
    results.SetOverviewWidth(kDesktopWidth);
    results.SetScale(first, last);
    for (const CvxInt128 at : positions) {
        results.MarkBucket(results.BucketOf(at), CvxTime(at));
    }
    results.RebuildBucketList();

    CvxCompareOverviewScale scale;
    std::vector<int> ticks;
    const auto build = [&] {
        scale.Set(first, last, kStripHeight);
        ticks = scale.Ticks(positions);
        CvxBenchKeep(ticks.data());
    };
    CvxInt128 sum = 0;
    const auto baseline = [&] {
        sum = 0;
        for (const CvxInt128 at : positions) {
            sum += at;
        }
        CvxBenchKeep(sum);
    };
    const CvxBenchTimes times = CvxBenchBestPair(7, build, baseline);

    std::vector<int> paneTicks;
    const double paneSeconds = CvxBenchBestSeconds(7, [&] {
        CvxCompareOverviewScale paneScale;
        paneScale.Set(first, last, kStripHeight);
        paneTicks = paneScale.Ticks(results);
        CvxBenchKeep(paneTicks.data());
    });

    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(kDifferences) / times.seconds;
    r.baselineItemsPerS = static_cast<double>(kDifferences) / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("ticks", static_cast<double>(ticks.size()));
    r.extra.emplace_back("ticks_ms", times.seconds * 1000);
    r.extra.emplace_back("sum_ms", times.baselineSeconds * 1000);
    r.extra.emplace_back("marked_buckets", static_cast<double>(results.GetBucketList().size()));
    r.extra.emplace_back("pane_rebuild_ms", paneSeconds * 1000);
    r.Check("every_row_ticked", ticks.size() == static_cast<std::size_t>(kStripHeight));
    r.Check("pane_ticks_agree", paneTicks == ticks);
    return r;
}

const CvxBenchRegistrar kOverviewTicks("overview_ticks", OverviewTicks, 0.3, 0);

} // namespace

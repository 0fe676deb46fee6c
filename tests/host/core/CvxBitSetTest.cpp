// Small sets of attributes and the large row bit sets of comparison results.

#include "CvxBitSet.h"
#include "CvxCacheBitSet.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

TEST(CvxBitSetTest, AddRemoveAndScan)
{
    CvxBitSet set{9, 11, 200};
    EXPECT_TRUE(set.Contains(9));
    EXPECT_FALSE(set.Contains(10));
    EXPECT_FALSE(set.Contains(-1));
    EXPECT_EQ(set.Count(), 3);
    EXPECT_EQ(set.NextSet(10), 11);
    EXPECT_EQ(set.NextSet(12), 200);
    EXPECT_EQ(set.NextSet(201), -1);
    set.Remove(200);
    set.Add(-5); // ignored
    EXPECT_EQ(set, (CvxBitSet{11, 9}));
    set.Clear();
    EXPECT_TRUE(set.IsEmpty());
}

TEST(CvxCacheBitSetTest, CountsOnceAndIgnoresMembersOutsideItsSize)
{
    CvxCacheBitSet set(100);
    set.Add(3);
    set.Add(3);
    set.Add(99);
    set.Add(100);
    set.Add(-1);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_TRUE(set.Contains(99));
    EXPECT_FALSE(set.Contains(100));
    set.AddRange(0, 10);
    EXPECT_EQ(set.Count(), 11 + 1);
    set.AddRange(95, 1000); // clipped
    EXPECT_EQ(set.Count(), 12 + 4);
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.NextSet(0), -1);
    EXPECT_EQ(CvxCacheBitSet(0).NextSet(0), -1);
}

// Scans agree with a plain ordered set over sparse and dense patterns, across word and
// summary-word boundaries (64 and 4096 bits).
TEST(CvxCacheBitSetTest, ScansMatchAReferenceSet)
{
    std::mt19937_64 rng(7);
    for (const std::int64_t size : {1, 63, 64, 65, 4095, 4096, 4097, 300000}) {
        for (const int members : {0, 1, 5, 200}) {
            CvxCacheBitSet set(size);
            std::set<std::int64_t> reference;
            for (int i = 0; i < members; ++i) {
                const auto m = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(size));
                set.Add(m);
                reference.insert(m);
            }
            if (size > 200) {
                set.AddRange(size - 130, size - 1); // a dense run at the end
                for (std::int64_t m = size - 130; m < size; ++m) {
                    reference.insert(m);
                }
            }
            ASSERT_EQ(set.Count(), static_cast<std::int64_t>(reference.size()));
            for (int probe = 0; probe < 300; ++probe) {
                const auto from = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(size + 2)) - 1;
                const auto next = reference.lower_bound(from);
                EXPECT_EQ(set.NextSet(from), next == reference.end() ? -1 : *next) << size << " " << from;
                auto prev = reference.upper_bound(from);
                EXPECT_EQ(set.PrevSet(from), prev == reference.begin() ? -1 : *--prev) << size << " " << from;
            }
            std::int64_t n = 0;
            for (const std::int64_t m : reference) {
                EXPECT_EQ(set.Select(n++), m);
            }
            EXPECT_EQ(set.Select(n), -1);
            CvxCacheBitSet copy = set;
            EXPECT_EQ(copy, set);
            set.Clear();
            EXPECT_EQ(set.NextSet(0), -1);
            EXPECT_EQ(set.PrevSet(size), -1);
        }
    }
}

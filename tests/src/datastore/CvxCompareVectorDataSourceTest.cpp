// The in-memory stores used as pages: where their rows start and end, and the container
// errors they raise when they cannot take a row.

#include "CvxCompareVectorDataSource.h"
#include "CvxCompareVectorSubRowDataSource.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// The text of the exception `f` throws, as type E; empty when it throws none.
template <typename E, typename F>
std::string Thrown(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return {};
}

template <typename Store>
void ExpectStartAndEnd(Store& store)
{
    EXPECT_EQ(store.GetStart(), 0);
    EXPECT_EQ(store.GetEnd(), -1); // empty: one before the start
    store.SetStart(10);
    EXPECT_EQ(store.GetEnd(), 9);
}

} // namespace

TEST(CvxCompareVectorDataSource, RowsRunFromTheStartAndFullStoresRefuseMore)
{
    CvxCompareVectorDataSource<std::uint16_t> store(3);
    ExpectStartAndEnd(store);
    for (std::uint64_t v = 0; v < 3; ++v) {
        store.Append(CvxUInt(v));
    }
    EXPECT_EQ(store.GetEnd(), 12);
    EXPECT_EQ(Thrown<std::out_of_range>([&] { store.Append(CvxUInt(9)); }), "invalid vector<T> subscript");
    EXPECT_EQ(store.GetCount(), 3);
    EXPECT_EQ(Thrown<std::length_error>([] { CvxCompareVectorDataSource<std::u16string> bad(-1); }), "vector<T> too long");
}

TEST(CvxCompareVectorSubRowDataSource, RowsRunFromTheStartAndBadSlotsAreRefused)
{
    CvxCompareVectorSubRowDataSource<std::uint8_t> store(2);
    ExpectStartAndEnd(store);
    store.AppendRow(CvxUInt(1), 0, 2);
    store.AppendSubRow(CvxUInt(2), 1);
    EXPECT_EQ(store.GetEnd(), 10);
    EXPECT_EQ(Thrown<std::out_of_range>([&] { store.AppendSubRow(CvxUInt(3), 2); }), "invalid vector<T> subscript");
    store.AppendRow(CvxUInt(4), 0, 1);
    EXPECT_EQ(Thrown<std::out_of_range>([&] { store.AppendRow(CvxUInt(5), 0, 1); }), "invalid vector<T> subscript");
    EXPECT_EQ(Thrown<std::length_error>([] { CvxCompareVectorSubRowDataSource<std::uint8_t> bad(-5); }),
              "vector<T> too long");
}

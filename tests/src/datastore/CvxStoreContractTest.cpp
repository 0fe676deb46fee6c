// One contract, run against every store kind and element type: what the comparison and the
// grid rely on when they fill a store and walk it.

#include "CvxStoreTestSupport.h"

#include "CvxComparePageDataSource.h"
#include "CvxComparePageSubRowDataSource.h"
#include "CvxCompareVectorDataSource.h"
#include "CvxCompareVectorSubRowDataSource.h"
#include "CvxPersistenceDataStream.h"

namespace {

constexpr std::int32_t kPageSize = 4;
constexpr std::int32_t kPageLimit = 2;
constexpr std::int32_t kRows = 3 * kPageSize + 1; // more pages than the cache holds, the last one partial

enum class Kind { Vector, Page, VectorSubRow, PageSubRow };

template <Kind K, typename T>
struct Case {
    static constexpr Kind kKind = K;
    using Type = T;
    static constexpr bool kPaged = K == Kind::Page || K == Kind::PageSubRow;
    static constexpr bool kSubRows = K == Kind::VectorSubRow || K == Kind::PageSubRow;

    static std::unique_ptr<CvxCompareDataSource> Make()
    {
        if constexpr (K == Kind::Vector) {
            return std::make_unique<CvxCompareVectorDataSource<T>>(kRows + 3);
        } else if constexpr (K == Kind::Page) {
            return std::make_unique<CvxComparePageDataSource<T>>(kPageSize, kPageLimit);
        } else if constexpr (K == Kind::VectorSubRow) {
            return std::make_unique<CvxCompareVectorSubRowDataSource<T>>(kRows + 3);
        } else {
            return std::make_unique<CvxComparePageSubRowDataSource<T>>(kPageSize, kPageLimit);
        }
    }

    static void Append(CvxCompareDataSource& store, std::int64_t i)
    {
        if constexpr (std::is_same_v<T, std::u16string>) {
            if constexpr (kSubRows) {
                store.AppendRow(TestString(i), 0, 1);
            } else {
                store.Append(TestString(i));
            }
        } else {
            if constexpr (kSubRows) {
                store.AppendRow(TestNumber<T>(i), 0, 1);
            } else {
                store.Append(TestNumber<T>(i));
            }
        }
    }
};

template <typename C>
class CvxStoreContractTest : public CvxStoreTest {
protected:
    using T = typename C::Type;

    std::unique_ptr<CvxCompareDataSource> Filled(std::int32_t rows)
    {
        auto store = C::Make();
        for (std::int32_t i = 0; i < rows; ++i) {
            C::Append(*store, i);
        }
        store->EndAppend();
        return store;
    }

    // Rows visited by a forward walk, as "index=value" texts.
    static std::vector<std::string> Walk(CvxCompareDataSourceIter& it)
    {
        std::vector<std::string> seen;
        for (it.First(); !it.IsDone(); it.Next()) {
            seen.push_back(std::to_string(it.GetIndex()) + "=" + ValueText<T>(it));
        }
        return seen;
    }
    static std::vector<std::string> Expected(std::int32_t rows)
    {
        std::vector<std::string> all;
        for (std::int32_t i = 0; i < rows; ++i) {
            all.push_back(std::to_string(i) + "=" + ExpectedText<T>(i));
        }
        return all;
    }
};

using Cases = ::testing::Types<
    Case<Kind::Vector, std::uint8_t>, Case<Kind::Vector, std::uint16_t>, Case<Kind::Vector, std::uint32_t>,
    Case<Kind::Vector, std::uint64_t>, Case<Kind::Vector, CvxUInt>, Case<Kind::Vector, std::u16string>,
    Case<Kind::Page, std::uint8_t>, Case<Kind::Page, std::uint16_t>, Case<Kind::Page, std::uint32_t>,
    Case<Kind::Page, std::uint64_t>, Case<Kind::Page, CvxUInt>, Case<Kind::Page, std::u16string>,
    Case<Kind::VectorSubRow, std::uint8_t>, Case<Kind::VectorSubRow, std::uint16_t>,
    Case<Kind::VectorSubRow, std::uint32_t>, Case<Kind::VectorSubRow, std::uint64_t>,
    Case<Kind::VectorSubRow, CvxUInt>, Case<Kind::VectorSubRow, std::u16string>, Case<Kind::PageSubRow, std::uint8_t>,
    Case<Kind::PageSubRow, std::uint16_t>, Case<Kind::PageSubRow, std::uint32_t>,
    Case<Kind::PageSubRow, std::uint64_t>, Case<Kind::PageSubRow, CvxUInt>, Case<Kind::PageSubRow, std::u16string>,
    Case<Kind::Vector, CvxCompareFourState<std::uint8_t>>, Case<Kind::Page, CvxCompareFourState<std::uint8_t>>,
    Case<Kind::Page, CvxCompareFourState<std::uint16_t>>, Case<Kind::Page, CvxCompareFourState<std::uint32_t>>,
    Case<Kind::Page, CvxCompareFourState<std::uint64_t>>, Case<Kind::PageSubRow, CvxCompareFourState<std::uint8_t>>,
    Case<Kind::VectorSubRow, CvxCompareFourState<std::uint64_t>>>;
TYPED_TEST_SUITE(CvxStoreContractTest, Cases);

TYPED_TEST(CvxStoreContractTest, WalksForwardAndBackOverEveryRow)
{
    using T = typename TestFixture::T;
    auto store = this->Filled(kRows);
    ASSERT_EQ(store->GetCount(), kRows);
    CvxIterPtr it(store->CreateIter());
    ASSERT_TRUE(it);
    EXPECT_EQ(it->GetCount(), kRows);
    EXPECT_EQ(this->Walk(*it), this->Expected(kRows));

    std::vector<std::string> back;
    for (it->Last(); !it->IsDone(); it->Prev()) {
        back.insert(back.begin(), std::to_string(it->GetIndex()) + "=" + ValueText<T>(*it));
    }
    EXPECT_EQ(back, this->Expected(kRows));
    EXPECT_EQ(it->HasSubRows(), TypeParam::kKind == Kind::PageSubRow);
}

TYPED_TEST(CvxStoreContractTest, GotoClampsToTheRows)
{
    using T = typename TestFixture::T;
    auto store = this->Filled(kRows);
    CvxIterPtr it(store->CreateIter());
    EXPECT_TRUE(it->Goto(kPageSize + 1));
    EXPECT_EQ(it->GetIndex(), kPageSize + 1);
    EXPECT_EQ(ValueText<T>(*it), ExpectedText<T>(kPageSize + 1));
    EXPECT_FALSE(it->Goto(-3));
    EXPECT_EQ(it->GetIndex(), 0);
    EXPECT_EQ(ValueText<T>(*it), ExpectedText<T>(0));
    EXPECT_FALSE(it->Goto(kRows + 100));
    EXPECT_EQ(it->GetIndex(), kRows - 1);
    EXPECT_EQ(ValueText<T>(*it), ExpectedText<T>(kRows - 1));
    it->Next();
    EXPECT_TRUE(it->IsDone());
    it->Prev();
    EXPECT_FALSE(it->IsDone());
    EXPECT_EQ(ValueText<T>(*it), ExpectedText<T>(kRows - 1));
}

TYPED_TEST(CvxStoreContractTest, IteratorKeepsTheRowsOfItsCreation)
{
    auto store = TypeParam::Make();
    for (std::int32_t i = 0; i < kPageSize; ++i) {
        TypeParam::Append(*store, i);
    }
    CvxIterPtr early(store->CreateIter());
    for (std::int32_t i = kPageSize; i < kRows; ++i) {
        TypeParam::Append(*store, i);
    }
    store->EndAppend();
    EXPECT_EQ(this->Walk(*early), this->Expected(kPageSize));
    CvxIterPtr late(store->CreateIter());
    EXPECT_EQ(this->Walk(*late), this->Expected(kRows));
}

TYPED_TEST(CvxStoreContractTest, OtherTypeOverloadsDoNothing)
{
    using T = typename TestFixture::T;
    auto store = this->Filled(2);
    // Appends of the other element type, and of the other row shape, are ignored.
    if constexpr (std::is_same_v<T, std::u16string>) {
        store->Append(CvxUInt(7));
        store->AppendRow(CvxUInt(7), 0, 1);
        store->AppendSubRow(CvxUInt(7), 0);
    } else {
        store->Append(std::u16string(u"x"));
        store->AppendRow(std::u16string(u"x"), 0, 1);
        store->AppendSubRow(std::u16string(u"x"), 0);
    }
    if constexpr (TypeParam::kSubRows) {
        store->Append(CvxUInt(7));
        store->Append(std::u16string(u"x"));
    } else {
        store->AppendRow(CvxUInt(7), 0, 1);
        store->AppendRow(std::u16string(u"x"), 0, 1);
    }
    CvxIterPtr it(store->CreateIter());
    it->First();
    EXPECT_EQ(it->GetCount(), 2);
    if constexpr (std::is_same_v<T, std::u16string>) {
        CvxUInt untouched(1, 2, 3, 4);
        EXPECT_FALSE(it->GetValue(untouched));
        EXPECT_EQ(untouched, CvxUInt(1, 2, 3, 4));
    } else {
        std::u16string untouched = u"keep";
        EXPECT_FALSE(it->GetValue(untouched));
        EXPECT_EQ(untouched, u"keep");
    }
    std::int64_t reserved = 5;
    EXPECT_FALSE(it->GetReservedValue(reserved));
    EXPECT_EQ(it->GetReservedQuery(), 1);
    EXPECT_EQ(store->IsString(), (TypeParam::kPaged && std::is_same_v<T, std::u16string>));
}

TYPED_TEST(CvxStoreContractTest, ClonesShareTheBody)
{
    using T = typename TestFixture::T;
    auto store = this->Filled(kRows);
    std::unique_ptr<CvxCompareDataSource> clone(store->Clone());
    CvxIterPtr it(store->CreateIter());
    store.reset();
    ASSERT_TRUE(clone);
    EXPECT_EQ(clone->GetCount(), kRows);
    // The iterator holds the body too, and reads on after both handles are gone.
    clone.reset();
    EXPECT_TRUE(it->Goto(kRows - 1));
    EXPECT_EQ(ValueText<T>(*it), ExpectedText<T>(kRows - 1));
    if constexpr (TypeParam::kPaged) {
        it.reset();
        EXPECT_TRUE(this->PagingFiles().empty());
    }
}

TYPED_TEST(CvxStoreContractTest, SavedStoreLoadsBackWhole)
{
    if constexpr (TypeParam::kPaged) {
        auto store = this->Filled(kRows);
        CvxPersistenceDataStream stream(u"CompareSource0");
        store->Save(stream);
        auto loaded = TypeParam::Make();
        stream.SeekToBegin();
        loaded->Load(stream);
        EXPECT_EQ(stream.GetRemaining(), 0U);
        EXPECT_EQ(loaded->GetCount(), kRows);
        CvxIterPtr it(loaded->CreateIter());
        EXPECT_EQ(this->Walk(*it), this->Expected(kRows));
        CvxPersistenceDataStream again(u"again");
        loaded->Save(again);
        EXPECT_EQ(again.GetBytes(), stream.GetBytes());
        EXPECT_EQ(this->LoggedErrors(u""), 0);
    }
}

TYPED_TEST(CvxStoreContractTest, AnEndedStoreTakesNoMoreRows)
{
    if constexpr (TypeParam::kPaged) {
        // Ended by EndAppend, or by a Load: its last page is in the file already, and a row
        // more would start a second page at the same place.
        auto ended = this->Filled(kRows);
        CvxPersistenceDataStream stream(u"CompareSource0");
        ended->Save(stream);
        auto loaded = TypeParam::Make();
        stream.SeekToBegin();
        loaded->Load(stream);
        for (CvxCompareDataSource* store : {ended.get(), loaded.get()}) {
            EXPECT_THROW(TypeParam::Append(*store, kRows), std::out_of_range);
            EXPECT_EQ(store->GetCount(), kRows);
            CvxIterPtr it(store->CreateIter());
            EXPECT_EQ(this->Walk(*it), this->Expected(kRows));
        }
    }
}

} // namespace

// Four-state values against two-state ones: an X or Z bit never equals 0 or 1, whichever side
// holds it and whatever kind of column or store each side got; the mask survives the copy,
// paging, a setup round trip and the remote reply.

#include "CvxCompareDataPersistence.h"
#include "CvxCompareDataSourceFactory.h"
#include "CvxCompareSourceList.h"
#include "CvxCompareTestData.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceSetup.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

namespace {

// One row of a bus: value bits and X/Z mask; rows of sub-row columns have two slots.
struct Row {
    std::uint64_t value;
    std::uint64_t mask;
};

std::shared_ptr<CvxData> MakeData(int width, const std::vector<Row>& rows, bool subRows)
{
    CvxDataBuilder builder;
    CvxDataTable& t = builder.AddTable(u"T");
    t.SetUniformTimeBase(CvxTime::FromNs(10));
    CvxDataColumnComponent& c = builder.AddBus(t, u"D", width, subRows);
    for (const Row& r : rows) {
        if (subRows) {
            c.AppendRow(2);
            c.AppendSubRow(0, 0);
            c.AppendSubRow(1, r.value, r.mask);
        } else {
            c.Append(r.value, r.mask);
        }
    }
    return builder.Finish();
}

struct Case {
    int width;
    int channel; // -1: the whole bus
    bool subRows;
};

class CvxCompareFourStateTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { CvxResetTestHost(); }

    CvxLabelChannel Label() const { return CvxLabelChannel(CvxTestLabel(u"D"), GetParam().channel); }

    // Copies `reference` and compares `input` against it; answers the differing input rows.
    std::string Compare(const std::vector<Row>& reference, const std::vector<Row>& input)
    {
        const Case& c = GetParam();
        CvxGiveData(m_model, MakeData(c.width, reference, c.subRows));
        m_model.CopyReference({Label()}, CvxCompareRange());
        CvxGiveData(m_model, MakeData(c.width, input, c.subRows));
        std::string rows;
        const CvxCacheBitSet& marks = m_model.GetResults().GetDifferenceMarks().at(0).GetInputRows();
        for (std::int64_t r = 0; r < static_cast<std::int64_t>(input.size()); ++r) {
            rows += marks.Contains(r) ? 'x' : '.';
        }
        return rows;
    }

    CvxCompareModel m_model;
};

} // namespace

TEST_P(CvxCompareFourStateTest, XAndZNeverEqualZeroOrOneOnEitherSide)
{
    const Case& c = GetParam();
    const int bit = c.channel >= 0 ? c.channel : c.width - 1;   // the bit that turns X or Z
    const std::uint64_t b = std::uint64_t{1} << bit;
    const std::vector<Row> twoState = {{0, 0}, {b, 0}, {0, 0}, {b, 0}};
    const std::vector<Row> fourState = {{0, 0}, {b, b}, {0, b}, {b, 0}}; // Z where 1, X where 0

    EXPECT_EQ(Compare(fourState, twoState), ".xx.");
    const CvxCompareDataSource* store = m_model.GetReferenceBuffer().GetAt(0).GetDataSource();
    EXPECT_TRUE(store->IsFourState());
    // The mask is kept at the values' own width.
    EXPECT_EQ(store->GetValueWidth(), c.channel >= 0 || c.width <= 8 ? 1 : c.width <= 16 ? 2 : c.width <= 32 ? 4 : 8);

    EXPECT_EQ(Compare(twoState, fourState), ".xx.");
    EXPECT_FALSE(m_model.GetReferenceBuffer().GetAt(0).GetDataSource()->IsFourState());
    EXPECT_EQ(Compare(fourState, fourState), "....");
    // X against Z of the same bit differs too.
    EXPECT_EQ(Compare(fourState, {{0, 0}, {0, b}, {b, b}, {b, 0}}), ".xx.");
}

TEST_P(CvxCompareFourStateTest, TheMaskSurvivesASetupRoundTripAndShowsInTheRemoteReply)
{
    const Case& c = GetParam();
    const int bit = c.channel >= 0 ? c.channel : c.width - 1;
    const std::uint64_t b = std::uint64_t{1} << bit;
    ASSERT_EQ(Compare({{0, 0}, {0, b}}, {{0, 0}, {0, 0}}), ".x");

    CvxPersistenceSetup setup(true);
    CvxPersistenceData data;
    CvxCompareDataPersistence::Save(setup, &data, m_model.GetReferenceBuffer());
    setup.Rewind();
    setup.SetStoring(false);
    CvxCompareSourceList loaded;
    ASSERT_TRUE(CvxCompareDataPersistence::Load(setup, &data, loaded));
    ASSERT_EQ(loaded.GetCount(), 1U);
    CvxCompareDataSource* store = loaded.GetAt(0).GetDataSource();
    EXPECT_TRUE(store->IsFourState());
    CvxCompareDataSourceIter* it = store->CreateIter();
    ASSERT_TRUE(it->Goto(1));
    if (c.subRows) {
        ASSERT_TRUE(it->GotoSubRow(1));
    }
    CvxUInt value;
    it->GetValue(value);
    store->DestroyIter(it);
    EXPECT_EQ(value, CvxUInt::FourState(0, c.channel >= 0 ? 1 : b));

    if (c.subRows) {
        return; // the reply shows a sample's first sub-row, which is equal here
    }
    std::u16string reply;
    ASSERT_TRUE(m_model.GetDataWithArgs(u"<GetDifference Index='0'/>", reply));
    EXPECT_NE(reply.find(u"Reference='X"), std::u16string::npos) << CvxStringConvert::ToUtf8(reply);
}

INSTANTIATE_TEST_SUITE_P(Widths, CvxCompareFourStateTest,
                         ::testing::Values(Case{1, -1, false}, Case{4, -1, false}, Case{8, -1, false},
                                           Case{16, -1, false}, Case{32, -1, false}, Case{64, -1, false},
                                           Case{12, 3, false}, Case{4, -1, true}, Case{64, -1, true}));

TEST(CvxCompareFourStateStore, OneBitFourStateValuesTakeTwoBytes)
{
    CvxResetTestHost();
    const auto store = CreateCompareDataSource(CvxCompareStoreKind{1, true}, false);
    EXPECT_TRUE(store->IsFourState());
    EXPECT_EQ(CvxCompareGeometry(2, false).pageLimit, 64); // the page budget of a 2-byte element
    // Wider values keep no mask: a 128-bit bus with X/Z is a string label.
    EXPECT_FALSE(CreateCompareDataSource(CvxCompareStoreKind{16, true}, false)->IsFourState());
}

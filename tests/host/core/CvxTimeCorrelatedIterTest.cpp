// Walking several tables together in time order.

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxSampleIntegerIter.h"
#include "CvxTimeCorrelatedIter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Table A samples every 10 ns from 0 (rows 0..4: 0, 10, 20, 30, 40 ns); table B has rows at
// 5, 20 and 35 ns. At 20 ns both have a row: B's (sample 1, two sub-rows) comes before A's
// (sample 2), as positions at one time order by sample number.
class CvxTimeCorrelatedIterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxLabelMgr::GetInstance().Clear();
        CvxDataBuilder builder;
        CvxDataTable& a = builder.AddTable(u"A");
        a.SetUniformTimeBase(CvxTime::FromNs(10));
        CvxDataColumnComponent& colA = builder.AddBus(a, u"DA", 8);
        for (int i = 0; i < 5; ++i) {
            colA.Append(static_cast<std::uint64_t>(0xA0 + i));
        }
        CvxDataTable& b = builder.AddTable(u"B");
        b.SetTickTimeBase(CvxTime::FromNs(1));
        CvxDataColumnComponent& colB = builder.AddBus(b, u"DB", 8, true);
        for (const std::int64_t t : {5, 20, 35}) {
            b.AppendRowTime(t);
        }
        colB.AppendRow(1);
        colB.AppendSubRow(0, 0xB0);
        colB.AppendRow(2);
        colB.AppendSubRow(0, 0xB1);
        colB.AppendSubRow(1, 0xB2);
        colB.AppendRow(1);
        colB.AppendSubRow(0, 0xB3);
        m_data = builder.Finish();
        m_labelA = colA.GetLabelID();
        m_labelB = colB.GetLabelID();
        m_tableA = a.GetID();
        m_tableB = b.GetID();
    }

    // "<table><value>" per row visited, from the member that has the row.
    static std::vector<std::u16string> Rows(CvxTimeCorrelatedIter& it, bool forward)
    {
        std::vector<std::u16string> rows;
        for (forward ? it.First() : it.Last(); !it.IsDone(); forward ? it.Next() : it.Prev()) {
            std::u16string row;
            for (int i = 0; i < it.GetIterCount(); ++i) {
                std::u16string text;
                int status = 0;
                it.GetValue(i, text, status);
                if (status == kStatusValid) {
                    row += text;
                }
            }
            rows.push_back(row);
        }
        return rows;
    }

    std::shared_ptr<CvxData> m_data;
    CvxID m_labelA;
    CvxID m_labelB;
    CvxID m_tableA;
    CvxID m_tableB;
};

} // namespace

TEST_F(CvxTimeCorrelatedIterTest, InterleavesTablesForwardAndBackward)
{
    CvxSampleIntegerIter a(*m_data, CvxLabelChannel(m_labelA), CvxSampleIterBase::kModeSamples);
    CvxSampleIntegerIter b(*m_data, CvxLabelChannel(m_labelB), CvxSampleIterBase::kModeSubRows);
    CvxTimeCorrelatedIter it(*m_data, std::vector<CvxSampleIterBase*>{&a, &b}, {m_tableA, m_tableB});
    EXPECT_EQ(it.GetIterCount(), 2);

    const std::vector<std::u16string> expected{u"A0", u"B0", u"A1", u"B1", u"B2", u"A2", u"A3", u"B3", u"A4"};
    EXPECT_EQ(Rows(it, true), expected);

    std::vector<std::u16string> backward = Rows(it, false);
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, expected);
}

TEST_F(CvxTimeCorrelatedIterTest, PositionsBetweenSamplesAndStepsAcrossTables)
{
    CvxSampleIntegerIter a(*m_data, CvxLabelChannel(m_labelA), CvxSampleIterBase::kModeSamples);
    CvxSampleIntegerIter b(*m_data, CvxLabelChannel(m_labelB), CvxSampleIterBase::kModeSubRows);
    CvxTimeCorrelatedIter it(*m_data, std::vector<CvxSampleIterBase*>{&a, &b}, {});

    it.SetPosition(CvxPosition::AtTime(CvxTime::FromNs(31)));
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime::FromNs(35)); // B's row
    EXPECT_EQ(a.GetRow(), 4);                                   // each member at or after the position
    EXPECT_FALSE(it.IsAtCurrent(0));
    EXPECT_TRUE(it.IsAtCurrent(1));
    std::u16string text;
    int status = 0;
    it.GetValue(0, text, status);
    EXPECT_EQ(status, kStatusNoSample);
    EXPECT_TRUE(text.empty());

    it.Prev(); // back across the table boundary to A's row at 30 ns
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime::FromNs(30));
    EXPECT_EQ(it.GetPosition().GetTableID(), m_tableA);
    EXPECT_EQ(b.GetRow(), 2); // B stays on its first entry at or after 30 ns
    it.Prev();
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime::FromNs(20));
    EXPECT_EQ(it.GetPosition().GetTableID(), m_tableA);
    it.Prev();
    EXPECT_EQ(it.GetPosition().GetTableID(), m_tableB);
    EXPECT_EQ(it.GetPosition().GetSubrowIndex(), 1);

    it.SetPosition(CvxPosition::AtTime(CvxTime::FromNs(41)));
    EXPECT_TRUE(it.IsDone());
    it.Prev(); // from past the end: the last row of all
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime::FromNs(40));
    it.First();
    it.Prev();
    EXPECT_TRUE(it.IsDone());
    it.Next();
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime());
}

TEST_F(CvxTimeCorrelatedIterTest, TableRowsGiveTheDataExtent)
{
    CvxTimeCorrelatedIter it(*m_data, m_data->GetTableIDs());
    it.First();
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime());
    it.Last();
    EXPECT_EQ(it.GetPosition().AsTime(), CvxTime::FromNs(40));
    int rows = 0;
    for (it.First(); !it.IsDone(); it.Next()) {
        ++rows;
    }
    EXPECT_EQ(rows, 8); // B's sub-rows are not rows of the table

    CvxTimeCorrelatedIter onlyB(*m_data, {m_tableB, CvxID::New()});
    onlyB.Last();
    EXPECT_EQ(onlyB.GetPosition().AsTime(), CvxTime::FromNs(35));
    CvxTimeCorrelatedIter none(*m_data, std::vector<CvxID>{});
    none.First();
    EXPECT_TRUE(none.IsDone());
}

// Centre moves, stepping between differences, and the run-until rule.

#include "CvxCompareTestData.h"
#include "CvxMapi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class CvxCompareNavigatorTest : public ::testing::Test {
protected:
    void SetUp() override { CvxResetTestHost(); }

    // Reference of zeros; the input differs at the given rows.
    void Prepare(int rows, const std::vector<int>& differing)
    {
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, std::vector<std::int64_t>(static_cast<size_t>(rows), 0)}}));
        m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
        std::vector<std::int64_t> input(static_cast<size_t>(rows), 0);
        for (const int row : differing) {
            input[static_cast<size_t>(row)] = 1;
        }
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, input}}));
    }

    void CenterOnRow(std::int64_t row) { m_model.MoveCenter(CvxPosition::AtTime(CvxTime::FromNs(10 * row)), false); }
    std::int64_t CenterRow() const { return m_model.GetCenter().AsSample(); }

    CvxCompareModel m_model;
};

} // namespace

TEST_F(CvxCompareNavigatorTest, NextAndPreviousDifferenceSkipTheRowOfTheCentre)
{
    Prepare(10, {2, 5, 7});
    CenterOnRow(5); // on a differing row: the next one is the following difference
    m_model.NextDifference();
    EXPECT_EQ(CenterRow(), 7);
    m_model.NextDifference(); // none after the last: the centre stays
    EXPECT_EQ(CenterRow(), 7);
    m_model.PreviousDifference();
    EXPECT_EQ(CenterRow(), 5);
    m_model.PreviousDifference();
    EXPECT_EQ(CenterRow(), 2);
    m_model.PreviousDifference();
    EXPECT_EQ(CenterRow(), 2);
    // Each move is one undoable centre command.
    m_model.Undo();
    EXPECT_EQ(CenterRow(), 5);
}

TEST_F(CvxCompareNavigatorTest, AvailabilityAtTheEdgesOfTheData)
{
    Prepare(10, {0, 9});
    bool previous = true;
    bool next = true;
    CenterOnRow(0);
    m_model.GetDifferenceAvailability(previous, next);
    EXPECT_FALSE(previous);
    EXPECT_TRUE(next);
    CenterOnRow(9);
    m_model.GetDifferenceAvailability(previous, next);
    EXPECT_TRUE(previous);
    EXPECT_FALSE(next);
    CenterOnRow(4);
    m_model.GetDifferenceAvailability(previous, next);
    EXPECT_TRUE(previous);
    EXPECT_TRUE(next);

    CvxCompareModel empty;
    empty.GetDifferenceAvailability(previous, next);
    EXPECT_FALSE(previous || next);
}

TEST_F(CvxCompareNavigatorTest, DifferencesInTwoTablesGoToTheEarliest)
{
    // Table P samples every 10 ns, table Q every 7 ns; differences at 20 ns (P) and 14 ns (Q).
    CvxDataBuilder ref;
    CvxDataTable& p = ref.AddTable(u"P");
    p.SetUniformTimeBase(CvxTime::FromNs(10));
    CvxDataTable& q = ref.AddTable(u"Q");
    q.SetUniformTimeBase(CvxTime::FromNs(7));
    CvxDataColumnComponent& a = ref.AddBus(p, u"PA", 8);
    CvxDataColumnComponent& b = ref.AddBus(q, u"QB", 8);
    for (int i = 0; i < 5; ++i) {
        a.Append(std::uint64_t{0});
        b.Append(std::uint64_t{0});
    }
    CvxGiveData(m_model, ref.Finish());
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"PA")), CvxLabelChannel(CvxTestLabel(u"QB"))}, CvxCompareRange());

    CvxDataBuilder in;
    CvxDataTable& p2 = in.AddTable(u"P");
    p2.SetUniformTimeBase(CvxTime::FromNs(10));
    CvxDataTable& q2 = in.AddTable(u"Q");
    q2.SetUniformTimeBase(CvxTime::FromNs(7));
    CvxDataColumnComponent& a2 = in.AddBus(p2, u"PA", 8);
    CvxDataColumnComponent& b2 = in.AddBus(q2, u"QB", 8);
    for (int i = 0; i < 5; ++i) {
        a2.Append(std::uint64_t{i == 2 ? 1U : 0U});
        b2.Append(std::uint64_t{i == 2 ? 1U : 0U});
    }
    CvxGiveData(m_model, in.Finish());

    m_model.MoveCenter(CvxPosition::AtTime(CvxTime::FromNs(1)), false);
    m_model.NextDifference();
    EXPECT_EQ(m_model.GetCenter().AsTime(), CvxTime::FromNs(14));
    m_model.NextDifference();
    EXPECT_EQ(m_model.GetCenter().AsTime(), CvxTime::FromNs(20));
}

TEST_F(CvxCompareNavigatorTest, StepsAtTheEndOfTheData)
{
    Prepare(10, {});
    CenterOnRow(8); // the second-to-last sample
    m_model.StepForward(3, false);
    EXPECT_EQ(CenterRow(), 8);
    m_model.StepForward(3, true);
    EXPECT_EQ(CenterRow(), 9);
    m_model.StepBackward(-4, false); // the size is taken as its absolute value
    EXPECT_EQ(CenterRow(), 5);
    m_model.StepBackward(40, true);
    EXPECT_EQ(CenterRow(), 0);
    m_model.GotoLast();
    EXPECT_EQ(CenterRow(), 9);
    m_model.GotoFirst();
    EXPECT_EQ(CenterRow(), 0);
}

TEST_F(CvxCompareNavigatorTest, RunUntilStopsTheRepetitiveRunAtTheThreshold)
{
    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(5);
    rule.SetStopRepetitiveRunEnabled(true);
    m_model.SetRunUntil(rule);
    Prepare(10, {1, 2, 3, 4});
    EXPECT_EQ(CvxSystemMgr::GetInstance().GetStopRequestCount(), 0);
    Prepare(10, {1, 2, 3, 4, 5});
    EXPECT_EQ(CvxSystemMgr::GetInstance().GetStopRequestCount(), 1);
    // A reference copy takes the shortcut and compares no values: the rule stays quiet.
    m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    EXPECT_EQ(CvxSystemMgr::GetInstance().GetStopRequestCount(), 1);
}

TEST_F(CvxCompareNavigatorTest, AnEmptySubjectNamesTheNumberOfDifferences)
{
    const std::filesystem::path outbox = std::filesystem::temp_directory_path() / "cvx-model-tests-outbox";
    std::filesystem::remove_all(outbox);
    CvxMailSettings settings;
    settings.outbox = outbox;
    CvxMapi::SetSettings(settings);

    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(3);
    rule.SetSendEmailEnabled(true);
    rule.GetEmail().SetRecipient(u"lab@example.com");
    rule.GetEmail().SetMessageBody(u"Capture drifted.");
    m_model.SetRunUntil(rule);
    Prepare(20, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    ASSERT_TRUE(CvxMapi::WaitUntilIdle(std::chrono::seconds(10)));

    std::vector<std::filesystem::path> mails;
    for (const auto& entry : std::filesystem::directory_iterator(outbox)) {
        mails.push_back(entry.path());
    }
    ASSERT_EQ(mails.size(), 1U);
    std::ifstream in(mails.front());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Subject: Compare - 12 Differences\r\n"), std::string::npos);
    EXPECT_NE(text.str().find("To: <lab@example.com>\r\n"), std::string::npos);
    EXPECT_NE(text.str().find("\r\n\r\nCapture drifted.\r\n"), std::string::npos);
    CvxMapi::SetSettings(CvxMailSettings());
}

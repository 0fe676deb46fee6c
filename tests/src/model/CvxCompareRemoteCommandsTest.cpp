// The remote command vocabulary: options, Execute, GetOptions, GetNumberOfDifferences and
// GetDifference.

#include "CvxCompareMessage.h"
#include "CvxCompareTestData.h"
#include "CvxDefObserver.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

namespace {

// Counts the data-changed messages the model broadcasts.
class Counter : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
    {
        dataChanged += message->GetType() == CvxCompareDataChangedMessage::kType ? 1 : 0;
    }
    int dataChanged = 0;
};

class CvxCompareRemoteCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxResetTestHost();
        m_model.GetMarkerMgr().Register(CvxID::New());
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1, 2, 3, 4}}, {u"B", 16, {5, 6, 7, 8}}, {u"C", 8, {0, 0, 0, 0}}}));
        m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A")), CvxLabelChannel(CvxTestLabel(u"B"))},
                              CvxCompareRange());
        m_model.AddObserver(&m_counter);
    }
    void TearDown() override { m_model.RemoveObserver(&m_counter); }

    CvxCompareModel m_model;
    Counter m_counter;
};

} // namespace

TEST_F(CvxCompareRemoteCommandsTest, OptionsThenExecuteRecomparesOnce)
{
    CvxCompareRunUntil rule;
    rule.SetStopComparingEnabled(true);
    m_model.SetRunUntil(rule);
    EXPECT_TRUE(m_model.SetOptions(u"<Window><Options MaxDifferences='0' Range='All' ReferenceOffset='5'/></Window>"));
    EXPECT_FALSE(m_model.GetRunUntil().IsStopComparingEnabled());
    EXPECT_TRUE(m_model.GetCompareRange().IsAll());
    EXPECT_EQ(m_model.GetReferenceOffset().GetSampleOffset(), 5);
    EXPECT_EQ(m_counter.dataChanged, 0); // options alone compare nothing
    EXPECT_TRUE(m_model.ExecuteCommand(u"Execute"));
    EXPECT_EQ(m_counter.dataChanged, 1);
    EXPECT_FALSE(m_model.ExecuteCommand(u"execute"));

    EXPECT_TRUE(m_model.SetOptions(u"<Options MaxDifferences='7'/>"));
    EXPECT_TRUE(m_model.GetRunUntil().IsStopComparingEnabled());
    EXPECT_EQ(m_model.GetRunUntil().GetNumberOfDifferences(), 7);
    EXPECT_FALSE(m_model.SetOptions(u"<Options MaxDifferences='-1'/>"));
    EXPECT_EQ(m_model.GetRunUntil().GetNumberOfDifferences(), 7);
    EXPECT_FALSE(m_model.SetOptions(u"not markup"));
    EXPECT_TRUE(m_model.SetOptions(u"<Window><Other/></Window>")); // no Options: nothing changes
}

TEST_F(CvxCompareRemoteCommandsTest, RangesNameTwoMarkersOfTheWindow)
{
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const CvxMarker* m1 = markers.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(10)));
    EXPECT_TRUE(m_model.SetOptions(u"<Options Range='M1..End'/>"));
    EXPECT_EQ(m_model.GetCompareRange().GetType(), CvxCompareRange::kMarkers);
    EXPECT_EQ(m_model.GetCompareRange().GetFromMarkerID(), m1->GetID());
    EXPECT_EQ(m_model.GetCompareRange().GetToMarkerID(), markers.GetEndDataMarkerID());

    const CvxCompareRange before = m_model.GetCompareRange();
    EXPECT_FALSE(m_model.SetOptions(u"<Options Range='..End'/>"));     // the separator may not lead
    EXPECT_FALSE(m_model.SetOptions(u"<Options Range='Begin..M9'/>")); // no marker M9
    EXPECT_FALSE(m_model.SetOptions(u"<Options Range='Begin'/>"));
    EXPECT_EQ(m_model.GetCompareRange(), before);

    std::u16string reply;
    EXPECT_TRUE(m_model.GetDataValue(u"GetOptions", reply));
    EXPECT_EQ(reply, u"<Options ReferenceOffset='0' Range='M1..End' MaxDifferences='0'/>\r\n");
    m_model.SetOptions(u"<Options Range='All'/>");
    EXPECT_TRUE(m_model.GetDataValue(u"GetOptions", reply));
    EXPECT_EQ(reply, u"<Options ReferenceOffset='0' Range='Begin..End' MaxDifferences='0'/>\r\n");
    EXPECT_FALSE(m_model.GetDataValue(u"GetOption", reply));
}

TEST_F(CvxCompareRemoteCommandsTest, TimeRangesPlaceUserMarkersOnceAtEachTime)
{
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const int before = markers.GetNumberOfUserModifiableMarkers();
    EXPECT_TRUE(m_model.SetOptions(u"<Options TimeRange='1000..5000'/>"));
    const CvxCompareRange first = m_model.GetCompareRange();
    EXPECT_EQ(first.GetType(), CvxCompareRange::kMarkers);
    EXPECT_EQ(markers.GetMarker(first.GetFromMarkerID())->GetPosition(), CvxPosition::AtTime(CvxTime(CvxInt128(1000))));
    EXPECT_EQ(markers.GetMarker(first.GetToMarkerID())->GetPosition(), CvxPosition::AtTime(CvxTime(CvxInt128(5000))));

    // A rig repeats the request before every run: the same two markers serve again.
    EXPECT_TRUE(m_model.SetOptions(u"<Options TimeRange='1000..5000'/>"));
    EXPECT_EQ(m_model.GetCompareRange(), first);
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), before + 2);
    EXPECT_TRUE(m_model.SetOptions(u"<Options TimeRange='1000..7000'/>"));
    EXPECT_EQ(m_model.GetCompareRange().GetFromMarkerID(), first.GetFromMarkerID());
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), before + 3);

    EXPECT_FALSE(m_model.SetOptions(u"<Options TimeRange='1000-7000'/>"));
    EXPECT_FALSE(m_model.SetOptions(u"<Options TimeRange='..7000'/>"));
    EXPECT_FALSE(m_model.SetOptions(u"<Options TimeRange='1000..99999999999999999999'/>")); // beyond 64 bits
    EXPECT_FALSE(m_model.SetOptions(u"<Options TimeRange='1000..\u0137000'/>")); // U+0137 is not '7'
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), before + 3);
}

TEST_F(CvxCompareRemoteCommandsTest, CenterMovesTheWindowToTheFirstSampleAtOrAfterTheTime)
{
    // Samples every 10 ns from 0.
    const struct {
        const char16_t* request;
        bool accepted;
        std::int64_t sample;
    } cases[] = {
        {u"<Options Center='20000000'/>", true, 2},
        {u"<Options Center='15000000'/>", true, 2},
        {u"<Options Center='0'/>", true, 0},
        {u"<Options Center='99999999999'/>", true, 3},
        {u"<Options Center='20ns'/>", false, 0},
        {u"<Options Center='10000000' Range='Begin..M9'/>", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CvxStringConvert::ToUtf8(c.request));
        m_model.MoveCenter(CvxPosition::AtTime(CvxTime::FromNs(0)), false);
        EXPECT_EQ(m_model.SetOptions(c.request), c.accepted);
        EXPECT_EQ(m_model.GetCenter().AsSample(), c.sample);
    }
}

TEST_F(CvxCompareRemoteCommandsTest, DifferencesCountRowsOnceAndListEveryColumn)
{
    // Row 1 differs in A and B, row 3 in A only.
    CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1, 9, 3, 9}}, {u"B", 16, {5, 9, 7, 8}}, {u"C", 8, {0, 0, 0, 0}}}));
    EXPECT_EQ(m_model.GetResults().GetDifferences(), 3);
    std::u16string reply;
    EXPECT_TRUE(m_model.GetDataValue(u"GetNumberOfDifferences", reply));
    EXPECT_EQ(reply, u"2");

    EXPECT_TRUE(m_model.GetDataWithArgs(u"<GetDifference Index='0'/>", reply));
    EXPECT_EQ(reply, u"<Differences Sample='1'>\r\n"
                     u"<Difference Name='A' Reference='02' Value='09'/>\r\n"
                     u"<Difference Name='B' Reference='0006' Value='0009'/>\r\n"
                     u"</Differences>\r\n");
    EXPECT_TRUE(m_model.GetDataWithArgs(u"<GetDifference Index='1'/>", reply));
    EXPECT_EQ(reply, u"<Differences Sample='3'>\r\n"
                     u"<Difference Name='A' Reference='04' Value='09'/>\r\n"
                     u"<Difference Name='B' Reference='0008' Value='0008'/>\r\n" // matched: its reference
                     u"</Differences>\r\n");
    // Asked for, each column says whether it differs there.
    EXPECT_TRUE(m_model.GetDataWithArgs(u"<GetDifference Index='1' Marks='T'/>", reply));
    EXPECT_EQ(reply, u"<Differences Sample='3'>\r\n"
                     u"<Difference Name='A' Reference='04' Value='09' Different='T'/>\r\n"
                     u"<Difference Name='B' Reference='0008' Value='0008' Different='F'/>\r\n"
                     u"</Differences>\r\n");

    const std::u16string kept = reply;
    for (const char16_t* bad : {u"<GetDifference Index='2'/>", u"<GetDifference Index='-1'/>", u"<GetDifference/>",
                                u"<Other Index='0'/>", u""}) {
        EXPECT_FALSE(m_model.GetDataWithArgs(bad, reply)) << std::string(bad, bad + 1);
        EXPECT_EQ(reply, kept);
    }
}

TEST_F(CvxCompareRemoteCommandsTest, DifferencesPairAsTheComparisonPairedWhateverTheSettingsSayNow)
{
    // Reference A: 10 20 30 ... 90 (hex 0A 14 1E ...); the input is the reference moved by the offset, with one
    // value changed at row 5, so that row 5 differs and its reference is the shifted one.
    std::vector<std::int64_t> reference;
    for (std::int64_t v = 1; v <= 9; ++v) {
        reference.push_back(10 * v);
    }
    struct Case {
        int offset;
        const char16_t* between; // an options request between the comparison and the question
        const char16_t* expected;
    };
    const Case cases[] = {
        {3, u"<Options ReferenceOffset='-3'/>", u"Reference='1E' Value='63'"},
        {-3, u"<Options ReferenceOffset='0'/>", u"Reference='5A' Value='63'"},
        {0, u"<Options Range='Trigger..End' ReferenceOffset='2'/>", u"Reference='3C' Value='63'"},
    };
    for (const Case& c : cases) {
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, reference}}));
        m_model.CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
        std::vector<std::int64_t> input(9, 0);
        for (std::int64_t k = 0; k < 9; ++k) {
            const std::int64_t r = k - c.offset;
            input[static_cast<std::size_t>(k)] = r >= 0 && r < 9 ? reference[static_cast<std::size_t>(r)] : 0;
        }
        input[5] = 99;
        ASSERT_TRUE(m_model.SetOptions(u"<Options Range='All' ReferenceOffset='" + CvxStringConvert::FromUtf8(std::to_string(c.offset)) + u"'/>"));
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, input}}));
        ASSERT_TRUE(m_model.SetOptions(c.between));
        std::u16string reply;
        ASSERT_TRUE(m_model.GetDataWithArgs(u"<GetDifference Index='0'/>", reply)) << c.offset;
        EXPECT_NE(reply.find(u"Sample='5'"), std::u16string::npos) << CvxStringConvert::ToUtf8(reply);
        EXPECT_NE(reply.find(c.expected), std::u16string::npos) << c.offset << ": " << CvxStringConvert::ToUtf8(reply);
    }
}

TEST_F(CvxCompareRemoteCommandsTest, AnOptionsRequestAppliesWholeOrNotAtAll)
{
    ASSERT_TRUE(m_model.SetOptions(u"<Options Range='Trigger..End' ReferenceOffset='4' MaxDifferences='3'/>"));
    const CvxCompareRange range = m_model.GetCompareRange();
    const CvxCompareRunUntil rule = m_model.GetRunUntil();
    const char16_t* refused[] = {
        u"<Options Range='All' ReferenceOffset='1' Threshold='0'/>",
        u"<Options Range='All' ReferenceOffset='1' Threshold='many'/>",
        u"<Options Range='All' MaxDifferences='-1'/>",
        u"<Options ReferenceOffset='1' Range='Begin..Nowhere'/>",
        u"<Options ReferenceOffset='one'/>",
        u"<Options Range='All' StopRepetitiveRun='maybe'/>",
        u"<Window><Options ReferenceOffset='1' TimeRange='5..'/></Window>",
    };
    for (const char16_t* request : refused) {
        EXPECT_FALSE(m_model.SetOptions(request)) << CvxStringConvert::ToUtf8(request);
        EXPECT_EQ(m_model.GetCompareRange(), range) << CvxStringConvert::ToUtf8(request);
        EXPECT_EQ(m_model.GetReferenceOffset().GetSampleOffset(), 4) << CvxStringConvert::ToUtf8(request);
        EXPECT_EQ(m_model.GetRunUntil().GetNumberOfDifferences(), rule.GetNumberOfDifferences());
        EXPECT_FALSE(m_model.GetRunUntil().IsStopRepetitiveRunEnabled());
    }
    // Only a "Window" root is searched for its "Options" child: another root holds none.
    EXPECT_TRUE(m_model.SetOptions(u"<Other><Options ReferenceOffset='9'/></Other>"));
    EXPECT_EQ(m_model.GetReferenceOffset().GetSampleOffset(), 4);
    // Where two attributes say the same thing, TimeRange wins over Range and Threshold over the
    // number of MaxDifferences.
    ASSERT_TRUE(m_model.SetOptions(u"<Options Range='All' TimeRange='0..10' MaxDifferences='2' Threshold='7'/>"));
    EXPECT_FALSE(m_model.GetCompareRange().IsAll());
    EXPECT_TRUE(m_model.GetRunUntil().IsStopComparingEnabled());
    EXPECT_EQ(m_model.GetRunUntil().GetNumberOfDifferences(), 7);
}

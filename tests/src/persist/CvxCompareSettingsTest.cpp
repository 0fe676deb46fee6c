// Settings records in a setup: the exact Config texts, round trips of every record, and
// loads of setups that hold only part of what a save writes, or something else entirely.

#include "CvxCompareColumnPersistence.h"
#include "CvxCompareConfig.h"
#include "CvxCompareProperties.h"
#include "CvxCompareRange.h"
#include "CvxCompareReferenceOffset.h"
#include "CvxCompareRunUntil.h"
#include "CvxPersistTestSupport.h"

#include <climits>

namespace {

template <typename Record>
Record RoundTrip(const Record& saved)
{
    CvxPersistenceSetup setup;
    saved.Save(setup);
    CvxStartLoading(setup);
    Record loaded;
    loaded.Load(setup);
    return loaded;
}

// The Config text a record wrote under the element path.
std::u16string ConfigAt(CvxPersistenceSetup& setup, const std::vector<std::u16string>& path)
{
    CvxStartLoading(setup);
    for (const std::u16string& tag : path) {
        if (!setup.OpenTag(tag)) {
            return u"(no element " + tag + u")";
        }
    }
    std::u16string text;
    setup.Read(u"Config", text);
    return text;
}

// A setup whose element path holds the given Config text, ready to load.
void WriteConfig(CvxPersistenceSetup& setup, const std::vector<std::u16string>& path, const std::u16string& config)
{
    CvxOpenPath(setup, path);
    setup.Write(u"Config", config);
    CvxStartLoading(setup);
}

CvxCompareProperties EveryPropertySet()
{
    CvxCompareProperties p;
    p.SetLabelFontName(u"Sans 'A'");
    p.SetDataFontName(u"Mono");
    p.SetFontPointSize(9);
    p.SetCenterRectDisplayed(false);
    p.SetBaseDisplayed(true);
    p.SetTriggerDisplayed(false);
    p.SetActivityIndicatorDisplayed(true);
    p.SetMinDefColWidth(20);
    p.SetDefColWidth(80);
    p.SetHeaderRowHeight(3);
    p.SetMarkersDisplayed(false);
    p.SetDiffBackgroundColor(1);
    p.SetDiffForegroundColor(2);
    p.SetRefBackgroundColor(3);
    p.SetNoRefBackgroundColor(4);
    p.SetBackgroundColor(5);
    p.SetTextColor(6);
    p.SetCenterRectColor(7);
    return p;
}

} // namespace

using CvxCompareSettingsTest = CvxPersistTest;

TEST_F(CvxCompareSettingsTest, ConfigTextsAreTheMarkupWritersOutputInTheFixedAttributeOrder)
{
    CvxPersistenceSetup properties;
    EveryPropertySet().Save(properties);
    EXPECT_EQ(ConfigAt(properties, {u"CompareProperties"}),
              u"<Config StrLabelFontName='Sans &apos;A&apos;' StrDataFontName='Mono' FontPointSize='9' "
              u"CenterRectDisplayed='F' BaseDisplayed='T' TriggerDisplayed='F' ActivityIndicatorDisplayed='T' "
              u"MinDefColWidth='20' DefColWidth='80' HeaderRowHeight='3' MarkersDisplayed='F' "
              u"DiffBackgroundColor='1' DiffForegroundColor='2' RefBackgroundColor='3' NoRefBackgroundColor='4' "
              u"BackgroundColor='5' TextColor='6' CenterRectColor='7'/>\r\n");

    CvxPersistenceSetup column;
    CvxCompareColumnPersistence::SaveColumn(column, CvxCompareColumn());
    EXPECT_EQ(ConfigAt(column, {u"CompareColumn"}),
              u"<Config Width='-1' ActivityIndicatorSupported='F' Color='16777215' Alignment='Right'/>\r\n");
    EXPECT_EQ(ConfigAt(column, {u"CompareColumn", u"DifferenceDisplay", u"CompareColumnDifference"}),
              u"<Config Name='ALL'/>\r\n");

    CvxPersistenceSetup runUntil;
    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(-3);
    rule.SetStopComparingEnabled(true);
    rule.GetEmail().SetSubject(u"it's <5> & \"more\"");
    rule.Save(runUntil);
    EXPECT_EQ(ConfigAt(runUntil, {u"CompareRunUntil"}),
              u"<Config NumberOfDifferences='-3' SendEmailEnabled='F' StopRepetitiveRunEnabled='F' "
              u"StopComparingEnabled='T'/>\r\n");
    EXPECT_EQ(ConfigAt(runUntil, {u"CompareRunUntil", u"EMail", u"CompareEmail"}),
              u"<Config Recipient='' Subject='it&apos;s &lt;5&gt; &amp; &quot;more&quot;' MessageBody=''/>\r\n");

    CvxPersistenceSetup range;
    CvxCompareRange markers;
    markers.SetType(CvxCompareRange::kMarkers);
    markers.Save(range);
    EXPECT_EQ(ConfigAt(range, {u"CompareRange"}), u"<Config Range='Markers'/>\r\n");

    CvxPersistenceSetup offset;
    CvxCompareReferenceOffset time;
    time.SetKind(CvxCompareReferenceOffset::kTime);
    time.SetSampleOffset(-12);
    time.Save(offset);
    EXPECT_EQ(ConfigAt(offset, {u"CompareReferenceOffset"}), u"<Config ReferenceOffset='Time' SampleOffset='-12'/>\r\n");
}

TEST_F(CvxCompareSettingsTest, EveryRecordRoundTrips)
{
    const CvxCompareProperties properties = EveryPropertySet();
    EXPECT_FALSE(RoundTrip(properties) == CvxCompareProperties());
    EXPECT_TRUE(RoundTrip(properties) == properties);

    CvxCompareRange range;
    range.SetType(CvxCompareRange::kMarkers);
    EXPECT_EQ(RoundTrip(range), range);

    CvxCompareReferenceOffset offset;
    offset.SetKind(CvxCompareReferenceOffset::kTime);
    offset.SetSampleOffset(INT_MIN);
    EXPECT_EQ(RoundTrip(offset), offset);

    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(INT_MAX);
    rule.SetSendEmailEnabled(true);
    rule.SetStopRepetitiveRunEnabled(true);
    rule.GetEmail().SetRecipient(u"lab@example.org");
    rule.GetEmail().SetSubject(u"it's <5> & \"more\" \u00e9\u4e2d");
    rule.GetEmail().SetMessageBody(u"line 1\r\nline 2\ttab");
    EXPECT_EQ(RoundTrip(rule), rule);

    for (const int code : {CvxCompareColumnDifference::kAll, CvxCompareColumnDifference::kPairedDifferences,
                           CvxCompareColumnDifference::kInputOnly}) {
        const CvxCompareColumnDifference display(code);
        CvxCompareColumnDifference loaded(code == 0 ? 2 : 0);
        CvxPersistenceSetup setup;
        display.Save(setup);
        CvxStartLoading(setup);
        loaded.Load(setup);
        EXPECT_EQ(loaded.GetCode(), code);
    }
}

TEST_F(CvxCompareSettingsTest, PartialOrBrokenConfigChangesOnlyWhatItHolds)
{
    CvxPersistenceSetup partial;
    WriteConfig(partial, {u"CompareProperties"}, u"<Config FontPointSize='14' TextColor=\"-1\" Unknown='x'/>");
    CvxCompareProperties loaded;
    loaded.Load(partial);
    CvxCompareProperties expected;
    expected.SetFontPointSize(14);
    expected.SetTextColor(-1);
    EXPECT_TRUE(loaded == expected);

    struct Case {
        const char* what;
        std::u16string config;
        bool send;
        bool stopComparing;
        int threshold;
    };
    // The record starts with send on, stop comparing off and threshold 5.
    const Case cases[] = {
        {"lower-case t is false", u"<Config SendEmailEnabled='t' StopComparingEnabled='T'/>", false, true, 5},
        {"only the threshold", u"<Config NumberOfDifferences='12abc'/>", true, false, 12},
        {"does not parse", u"<Config NumberOfDifferences='3' StopComparingEnabled='T'", true, false, 5},
        {"another element", u"<Options NumberOfDifferences='3'/>", true, false, 5},
        {"empty text", u"", true, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CvxPersistenceSetup setup;
        WriteConfig(setup, {u"CompareRunUntil"}, c.config);
        CvxCompareRunUntil rule;
        rule.SetSendEmailEnabled(true);
        rule.SetNumberOfDifferences(5);
        rule.Load(setup);
        EXPECT_EQ(rule.IsSendEmailEnabled(), c.send);
        EXPECT_EQ(rule.IsStopComparingEnabled(), c.stopComparing);
        EXPECT_EQ(rule.GetNumberOfDifferences(), c.threshold);
    }

    // Unknown words keep the codes.
    CvxPersistenceSetup words;
    WriteConfig(words, {u"CompareRange"}, u"<Config Range='markers'/>");
    CvxCompareRange range;
    range.Load(words);
    EXPECT_EQ(range.GetType(), CvxCompareRange::kAll);
}

TEST_F(CvxCompareSettingsTest, UnknownDifferenceDisplayNameIsLoggedAndIgnored)
{
    CvxPersistenceSetup setup;
    WriteConfig(setup, {u"CompareColumnDifference"}, u"<Config Name='SIDE_BY_SIDE'/>");
    CvxCompareColumnDifference display(CvxCompareColumnDifference::kInputOnly);
    display.Load(setup);
    EXPECT_EQ(display.GetCode(), CvxCompareColumnDifference::kInputOnly);
    EXPECT_EQ(Logged(kMessageError),
              std::vector<std::u16string>{u"CvxCompareColumnDifference::Load( SIDE_BY_SIDE ) -> base not found"});
}

TEST_F(CvxCompareSettingsTest, ColumnListKeepsTheColumnsWhoseLabelsRemainInSavedOrder)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B", u"C"});
    std::vector<CvxCompareColumn> saved;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        CvxCompareColumn column{CvxLabelChannel(labels[i], static_cast<int>(i) - 1)};
        column.SetWidth(static_cast<int>(40 + i), false);
        column.SetAlignment(static_cast<int>(i));
        column.SetColor(0x102030 + static_cast<int>(i));
        column.SetBase(CvxBase(kBaseDecimal));
        column.SetActivityIndicatorSupported(i == 2);
        column.SetDifferenceDisplay(CvxCompareColumnDifference(static_cast<int>(i)));
        saved.push_back(column);
    }
    CvxPersistenceSetup setup;
    CvxCompareColumnPersistence::SaveColumns(setup, saved);
    CvxLabelMgr::GetInstance().RemoveLabel(labels[1]);
    CvxStartLoading(setup);

    std::vector<CvxCompareColumn> loaded{CvxCompareColumn()};
    ASSERT_TRUE(CvxCompareColumnPersistence::LoadColumns(setup, loaded));
    ASSERT_EQ(loaded.size(), 2U);
    for (const auto& [got, want] : {std::pair{loaded[0], saved[0]}, std::pair{loaded[1], saved[2]}}) {
        EXPECT_NE(got.GetID(), want.GetID()); // identifiers are the window's own, made anew
        EXPECT_EQ(got.GetLabel(), want.GetLabel());
        EXPECT_EQ(got.GetWidth(), want.GetWidth());
        EXPECT_EQ(got.GetAlignment(), want.GetAlignment());
        EXPECT_EQ(got.GetColor(), want.GetColor());
        EXPECT_EQ(got.GetBase(), want.GetBase());
        EXPECT_EQ(got.GetMarkerID(), want.GetMarkerID());
        EXPECT_EQ(got.IsActivityIndicatorSupported(), want.IsActivityIndicatorSupported());
        EXPECT_EQ(got.GetDifferenceDisplay(), want.GetDifferenceDisplay());
    }
}

TEST_F(CvxCompareSettingsTest, ColumnCountIsNotTrusted)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B"});
    const std::vector<CvxCompareColumn> two{CvxCompareColumn{CvxLabelChannel(labels[0])},
                                            CvxCompareColumn{CvxLabelChannel(labels[1])}};
    for (const auto& [count, expected] : {std::pair{0, 0U}, std::pair{-1, 0U}, std::pair{INT_MIN, 0U},
                                          std::pair{1, 1U}, std::pair{INT_MAX, 2U}}) {
        SCOPED_TRACE(count);
        CvxPersistenceSetup setup;
        CvxCompareColumnPersistence::SaveColumns(setup, two);
        CvxStartLoading(setup);
        setup.SetStoring(true);
        ASSERT_TRUE(setup.OpenTag(u"CompareColumnModel"));
        setup.Write(u"NumberOfColumns", count);
        CvxStartLoading(setup);
        std::vector<CvxCompareColumn> loaded(3);
        ASSERT_TRUE(CvxCompareColumnPersistence::LoadColumns(setup, loaded));
        EXPECT_EQ(loaded.size(), expected);
    }

    // No column model at all: the list stays as it was.
    CvxPersistenceSetup empty(false);
    std::vector<CvxCompareColumn> kept = two;
    EXPECT_FALSE(CvxCompareColumnPersistence::LoadColumns(empty, kept));
    EXPECT_EQ(kept, two);
}

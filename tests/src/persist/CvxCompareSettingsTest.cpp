// Settings records in a setup: the exact Config texts, round trips, and loads of setups that
// hold only part of what a save writes, or something else entirely.

#include "CvxCompareColumnPersistence.h"
#include "CvxCompareProperties.h"
#include "CvxCompareRange.h"
#include "CvxCompareReferenceOffset.h"
#include "CvxCompareRunUntil.h"
#include "CvxPersistTestSupport.h"
#include "CvxStringConvert.h"

#include <climits>
#include <tuple>

namespace {

// The Config text at an element path of a saved setup.
std::u16string ConfigAt(CvxPersistenceSetup& setup, const std::vector<std::u16string>& path)
{
    CvxStartLoading(setup);
    for (const std::u16string& tag : path) {
        EXPECT_TRUE(setup.OpenTag(tag)) << CvxStringConvert::ToUtf8(tag);
    }
    std::u16string text;
    setup.Read(u"Config", text);
    return text;
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

// What a column persists (its identifier and left edge are the window's own).
auto Persisted(const CvxCompareColumn& c)
{
    return std::tuple(c.GetLabel(), c.GetWidth(), c.GetAlignment(), c.GetColor(), c.GetBase().GetCode(),
                      c.GetMarkerID(), c.IsActivityIndicatorSupported(), c.GetDifferenceDisplay().GetCode());
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

TEST_F(CvxCompareSettingsTest, PartialOrBrokenConfigChangesOnlyWhatItHolds)
{
    CvxPersistenceSetup partial;
    CvxWriteAt(partial, {u"CompareProperties"}, u"Config", u"<Config FontPointSize='14' TextColor=\"-1\" Unknown='x'/>");
    CvxCompareProperties loaded;
    loaded.Load(partial);
    CvxCompareProperties expected;
    expected.SetFontPointSize(14);
    expected.SetTextColor(-1);
    EXPECT_TRUE(loaded == expected);

    // The record starts with send on, stop comparing off and threshold 5.
    const struct {
        const char16_t* config;
        bool send;
        bool stopComparing;
        int threshold;
    } cases[] = {
        {u"<Config SendEmailEnabled='t' StopComparingEnabled='T'/>", false, true, 5}, // only "T" is true
        {u"<Config NumberOfDifferences='12abc'/>", true, false, 12},
        {u"<Config NumberOfDifferences='3' StopComparingEnabled='T'", true, false, 5}, // does not parse
        {u"<Options NumberOfDifferences='3'/>", true, false, 5},
        {u"", true, false, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CvxStringConvert::ToUtf8(c.config));
        CvxPersistenceSetup setup;
        CvxWriteAt(setup, {u"CompareRunUntil"}, u"Config", std::u16string_view(c.config));
        CvxCompareRunUntil rule;
        rule.SetSendEmailEnabled(true);
        rule.SetNumberOfDifferences(5);
        rule.Load(setup);
        EXPECT_EQ(std::tuple(rule.IsSendEmailEnabled(), rule.IsStopComparingEnabled(), rule.GetNumberOfDifferences()),
                  std::tuple(c.send, c.stopComparing, c.threshold));
    }

    CvxPersistenceSetup word; // words are matched exactly
    CvxWriteAt(word, {u"CompareRange"}, u"Config", u"<Config Range='markers'/>");
    CvxCompareRange range;
    range.Load(word);
    EXPECT_EQ(range.GetType(), CvxCompareRange::kAll);
}

TEST_F(CvxCompareSettingsTest, UnknownDifferenceDisplayNameIsLoggedAndIgnored)
{
    CvxPersistenceSetup setup;
    CvxWriteAt(setup, {u"CompareColumnDifference"}, u"Config", u"<Config Name='SIDE_BY_SIDE'/>");
    CvxCompareColumnDifference display(CvxCompareColumnDifference::kInputOnly);
    display.Load(setup);
    EXPECT_EQ(display.GetCode(), CvxCompareColumnDifference::kInputOnly);
    EXPECT_EQ(Logged(kMessageError),
              std::vector<std::u16string>{u"CvxCompareColumnDifference::Load( SIDE_BY_SIDE ) -> base not found"});
}

TEST_F(CvxCompareSettingsTest, ColumnsOfDeletedLabelsAreDroppedAndCountsAreNotTrusted)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B", u"C"});
    std::vector<CvxCompareColumn> saved;
    for (int i = 0; i < 3; ++i) {
        CvxCompareColumn& column = saved.emplace_back(CvxLabelChannel(labels[static_cast<std::size_t>(i)], i - 1));
        column.SetWidth(40 + i, false);
        column.SetAlignment(i);
        column.SetColor(0x102030 + i);
        column.SetBase(CvxBase(kBaseDecimal + i));
        column.SetActivityIndicatorSupported(i == 2);
        column.SetDifferenceDisplay(CvxCompareColumnDifference(i));
    }
    CvxPersistenceSetup setup;
    CvxCompareColumnPersistence::SaveColumns(setup, saved);
    CvxLabelMgr::GetInstance().RemoveLabel(labels[1]);

    const struct {
        int count;
        std::vector<int> kept; // indices into `saved`
    } cases[] = {{3, {0, 2}}, {INT_MAX, {0, 2}}, {1, {0}}, {0, {}}, {-1, {}}, {INT_MIN, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        CvxWriteAt(setup, {u"CompareColumnModel"}, u"NumberOfColumns", c.count);
        std::vector<CvxCompareColumn> loaded(2);
        ASSERT_TRUE(CvxCompareColumnPersistence::LoadColumns(setup, loaded));
        ASSERT_EQ(loaded.size(), c.kept.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const CvxCompareColumn& want = saved[static_cast<std::size_t>(c.kept[i])];
            EXPECT_EQ(Persisted(loaded[i]), Persisted(want));
            EXPECT_NE(loaded[i].GetID(), want.GetID());
        }
    }

    CvxPersistenceSetup empty(false);
    std::vector<CvxCompareColumn> kept = saved;
    EXPECT_FALSE(CvxCompareColumnPersistence::LoadColumns(empty, kept));
    EXPECT_EQ(kept, saved);
}

// A whole Compare window through the host's setup file: saved by one tool, loaded by a fresh
// one, which then compares the same way; and what a load does with what the host no longer
// offers, with viewer locks, and with a reference buffer whose data streams are missing.

#include "CvxCompare.h"
#include "CvxCompareDataPersistence.h"
#include "CvxCompareDataSourceFactory.h"
#include "CvxCompareModel.h"
#include "CvxCompareSourceList.h"
#include "CvxMessageLoad.h"
#include "CvxMessageRun.h"
#include "CvxMessageSave.h"
#include "CvxPersistenceElement.h"
#include "CvxPersistenceData.h"
#include "CvxPersistTestSupport.h"
#include "CvxSetupFile.h"
#include "CvxSimulatedAnalyzer.h"

#include <climits>
#include <memory>
#include <string>

namespace {

class CvxCompareSetupRoundTripTest : public CvxPersistTest {
protected:
    std::unique_ptr<CvxCompare> MakeTool()
    {
        CvxID type;
        type.SetValue(std::string_view(CvxCompare::kTypeID));
        auto tool = std::make_unique<CvxCompare>(CvxID::New(), CvxID::New(), type, CvxID::New(), nullptr);
        CvxMessageBase init(kHostMsgInitialize);
        tool->OnHostMessage(init);
        return tool;
    }
    // Saves the tool into a setup file; answers its path.
    std::filesystem::path SaveToFile(CvxCompare& tool, bool duplicate = false, const CvxID& newID = CvxID())
    {
        CvxPersistenceSetup setup;
        CvxPersistenceData data;
        CvxMessageSave save(&setup, &data, duplicate, newID);
        tool.OnHostMessage(save);
        const std::filesystem::path path = m_dir / "window.cvxsetup";
        EXPECT_TRUE(CvxSetupFile(path).Save(setup, data));
        return path;
    }
    void LoadFromFile(CvxCompare& tool, const std::filesystem::path& path, bool duplicate = false)
    {
        CvxPersistenceSetup setup;
        CvxPersistenceData data;
        ASSERT_TRUE(CvxSetupFile(path).Load(setup, data));
        CvxMessageLoad load(&setup, &data, tool.GetInstanceID(), duplicate);
        tool.OnHostMessage(load);
    }
    void Offer(std::vector<CvxID> labels)
    {
        CvxSystemMgr::GetInstance().SetLabelProvider([labels](const CvxID&) { return labels; });
    }
    static CvxID Label(const std::u16string& name) { return CvxLabelMgr::GetInstance().FindLabelByName(name)->GetID(); }
    static std::vector<CvxID> ColumnLabels(const CvxCompareModel& model)
    {
        std::vector<CvxID> out;
        for (const CvxCompareColumn& c : model.GetColumns()) {
            out.push_back(c.GetLabel().GetLabelID());
        }
        return out;
    }
};

void ExpectSameMarks(const std::vector<CvxCompareTableMarks>& a, const std::vector<CvxCompareTableMarks>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].GetTableID(), b[i].GetTableID());
        EXPECT_TRUE(a[i].GetInputRows() == b[i].GetInputRows());
        EXPECT_TRUE(a[i].GetReferenceRows() == b[i].GetReferenceRows());
    }
}

} // namespace

TEST_F(CvxCompareSetupRoundTripTest, AWholeWindowComesBackAndComparesTheSame)
{
    CvxSimulatedAnalyzer sim;
    std::string error;
    ASSERT_TRUE(sim.SetOption("samples", "120000", error)) << error;
    ASSERT_TRUE(sim.SetOption("fault_rate", "200", error)) << error;
    const std::shared_ptr<CvxData> reference = sim.Acquire();
    const std::shared_ptr<CvxData> input = sim.Acquire();
    ASSERT_TRUE(reference && input) << sim.GetLastError();
    Offer(sim.GetOfferedLabels());

    auto first = MakeTool();
    CvxCompareModel& a = first->GetModel();
    CvxMessageRun referenceRun(reference, 1);
    first->OnHostMessage(referenceRun);
    ASSERT_GT(a.GetColumnCount(), 4);

    std::vector<CvxLabelChannel> copied;
    for (const char16_t* name : {u"DATA8", u"ADDR16", u"DATA32", u"WIDE96", u"CMD", u"ST_DATA", u"ST_OP"}) {
        copied.emplace_back(Label(name));
    }
    copied.emplace_back(Label(u"ADDR16"), 3);
    a.CopyReference(copied, CvxCompareRange());
    CvxCompareRange markers;
    markers.SetType(CvxCompareRange::kMarkers);
    markers.SetFromMarkerID(a.GetMarkerMgr().GetTriggerMarkerID());
    markers.SetToMarkerID(a.GetMarkerMgr().GetEndDataMarkerID());
    CvxCompareReferenceOffset offset;
    offset.SetSampleOffset(1);
    a.SetRangeAndOffset(markers, offset);

    std::vector<CvxCompareColumn> records = a.GetColumns();
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].SetDifferenceDisplay(CvxCompareColumnDifference(static_cast<int>(i % 3)));
        records[i].SetWidth(30 + static_cast<int>(i));
        records[i].SetAlignment(static_cast<int>(i % 3));
    }
    a.RequestColumnProperties(records);
    CvxCompareProperties properties = a.GetProperties();
    properties.SetDataFontName(u"Data 'Mono'");
    properties.SetDiffBackgroundColor(0x00112233);
    properties.SetBaseDisplayed(true);
    ASSERT_TRUE(a.RequestProperties(properties));
    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(INT_MAX); // never reached: nothing is sent or stopped here
    rule.SetSendEmailEnabled(true);
    rule.GetEmail().SetRecipient(u"bench@example.org");
    rule.GetEmail().SetMessageBody(u"The <compare> & more");
    a.SetRunUntil(rule);

    CvxMessageRun inputRun(input, 2);
    first->OnHostMessage(inputRun);
    a.Recompare();
    a.GotoLast();
    ASSERT_GT(a.GetResults().GetDifferences(), 0);
    ASSERT_GT(a.GetResults().GetComparisons(), 100000);

    const std::filesystem::path path = SaveToFile(*first);
    const CvxCompareModel& saved = a;
    auto second = MakeTool();
    CvxCompareModel& b = second->GetModel();
    CvxMessageRecorder recorder;
    b.AddObserver(&recorder);
    LoadFromFile(*second, path);
    EXPECT_EQ(recorder.types.back(), 129);

    ASSERT_EQ(b.GetColumnCount(), saved.GetColumnCount());
    for (int i = 0; i < b.GetColumnCount(); ++i) {
        const CvxCompareColumn& got = b.GetColumns()[static_cast<std::size_t>(i)];
        const CvxCompareColumn& want = saved.GetColumns()[static_cast<std::size_t>(i)];
        EXPECT_EQ(got.GetLabel(), want.GetLabel());
        EXPECT_EQ(got.GetWidth(), want.GetWidth());
        EXPECT_EQ(got.GetLeft(), want.GetLeft());
        EXPECT_EQ(got.GetAlignment(), want.GetAlignment());
        EXPECT_EQ(got.GetDifferenceDisplay(), want.GetDifferenceDisplay());
        EXPECT_EQ(got.GetBase(), want.GetBase());
    }
    EXPECT_TRUE(b.GetProperties() == saved.GetProperties());
    EXPECT_EQ(b.GetCompareRange(), saved.GetCompareRange());
    EXPECT_EQ(b.GetReferenceRange(), saved.GetReferenceRange());
    EXPECT_EQ(b.GetReferenceOffset(), saved.GetReferenceOffset());
    EXPECT_EQ(b.GetRunUntil(), saved.GetRunUntil());
    EXPECT_EQ(b.GetCenter(), saved.GetCenter());
    ASSERT_EQ(b.GetReferenceBuffer().GetCount(), copied.size());
    for (std::size_t i = 0; i < copied.size(); ++i) {
        const CvxCompareSource& got = b.GetReferenceBuffer().GetAt(i);
        const CvxCompareSource& want = saved.GetReferenceBuffer().GetAt(i);
        EXPECT_EQ(got.GetLabelChannel(), copied[i]);
        EXPECT_EQ(got.HasSubRows(), want.HasSubRows());
        EXPECT_EQ(got.GetDataSource()->GetCount(), want.GetDataSource()->GetCount());
        EXPECT_EQ(got.GetDataSource()->IsString(), want.GetDataSource()->IsString());
    }
    EXPECT_TRUE(b.GetReferenceBuffer().GetAt(5).HasSubRows());
    EXPECT_GT(b.GetReferenceBuffer().GetAt(0).GetDataSource()->GetCount(), 100000);

    second->OnHostMessage(inputRun);
    b.Recompare();
    EXPECT_EQ(b.GetResults().GetSamplesCompared(), saved.GetResults().GetSamplesCompared());
    EXPECT_EQ(b.GetResults().GetComparisons(), saved.GetResults().GetComparisons());
    EXPECT_EQ(b.GetResults().GetDifferences(), saved.GetResults().GetDifferences());
    ExpectSameMarks(b.GetResults().GetDifferenceMarks(), saved.GetResults().GetDifferenceMarks());
    ExpectSameMarks(b.GetResults().GetMatchMarks(), saved.GetResults().GetMatchMarks());
    EXPECT_EQ(b.GetResults().GetBucketList(), saved.GetResults().GetBucketList());
}

TEST_F(CvxCompareSetupRoundTripTest, SaveWritesTheLayoutInItsFixedOrder)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B"});
    Offer(labels);
    auto tool = MakeTool();
    CvxCompareModel& model = tool->GetModel();
    model.CreateDefaultColumns();
    for (const CvxID& id : labels) {
        model.GetReferenceBuffer().Add(CvxLabelChannel(id), CreateCompareDataSource(CvxLabelChannel(id), false));
    }
    model.GetLockedViewers().Add(CvxID::New());
    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    CvxMessageSave save(&setup, &data);
    tool->OnHostMessage(save);

    ASSERT_EQ(setup.GetRoot().GetChildCount(), 1U);
    const CvxPersistenceElement& root = setup.GetRoot().GetChild(0);
    EXPECT_EQ(root.GetName(), u"CompareModel");
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < root.GetChildCount(); ++i) {
        names.push_back(root.GetChild(i).GetName());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"CenterPosition", u"CompareRange", u"CompareReferenceRange",
                                                  u"CompareProperties", u"CompareColumnModel",
                                                  u"CompareReferenceOffset", u"CompareRunUntil", u"CompareData",
                                                  u"LockViewer0"}));
    ASSERT_EQ(root.GetKeyCount(), 2U);
    EXPECT_EQ(root.GetKey(0).first, u"Config");
    EXPECT_EQ(std::get<std::u16string>(root.GetKey(0).second), u"<Config/>\r\n");
    EXPECT_EQ(root.GetKey(1).first, u"NumberOfLockViewers");
    const CvxPersistenceElement& columns = *root.FindChild(u"CompareColumnModel");
    ASSERT_NE(columns.FindValue(u"NumberOfColumns"), nullptr);
    EXPECT_EQ(*columns.FindValue(u"NumberOfColumns"), CvxPersistenceElement::Value(2));
    EXPECT_NE(columns.FindChild(u"column1"), nullptr);
    const CvxPersistenceElement& source = *root.FindChild(u"CompareData")->FindChild(u"CompareSource1");
    EXPECT_EQ(std::get<std::u16string>(*source.FindValue(u"Config")), u"<Config HasSubrows='F'/>\r\n");
    EXPECT_NE(source.FindValue(u"LabelID"), nullptr);
    ASSERT_EQ(data.GetStreamCount(), 2U);
    EXPECT_EQ(data.GetStream(1).GetName(), u"CompareSource1");
}

TEST_F(CvxCompareSetupRoundTripTest, LoadDropsWhatTheHostNoLongerOffers)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B", u"C", u"D"});
    Offer({labels[0], labels[1], labels[2]});
    auto first = MakeTool();
    first->GetModel().CreateDefaultColumns();
    ASSERT_EQ(ColumnLabels(first->GetModel()), (std::vector<CvxID>{labels[0], labels[1], labels[2]}));
    const std::filesystem::path path = SaveToFile(*first);

    struct Case {
        const char* what;
        std::vector<CvxID> offered;
        std::vector<CvxID> columns;
        bool deleteRecorded;
    };
    const Case cases[] = {
        {"everything still offered", {labels[0], labels[1], labels[2]}, {labels[0], labels[1], labels[2]}, false},
        {"B no longer offered", {labels[2], labels[0]}, {labels[0], labels[2]}, true},
        {"none left: default columns", {labels[3]}, {labels[3]}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Offer(c.offered);
        auto tool = MakeTool();
        LoadFromFile(*tool, path);
        EXPECT_EQ(ColumnLabels(tool->GetModel()), c.columns);
        EXPECT_EQ(tool->GetModel().IsHistoryEmpty(), !c.deleteRecorded);
    }

    // A label deleted from the host altogether: its column is dropped silently.
    Offer(labels);
    CvxLabelMgr::GetInstance().RemoveLabel(labels[1]);
    auto tool = MakeTool();
    LoadFromFile(*tool, path);
    EXPECT_EQ(ColumnLabels(tool->GetModel()), (std::vector<CvxID>{labels[0], labels[2]}));
    EXPECT_TRUE(Logged(kMessageError).empty());
}

TEST_F(CvxCompareSetupRoundTripTest, DuplicatingSaveReKeysTheViewerLocksAndLoadMergesThem)
{
    auto first = MakeTool();
    const CvxID own = first->GetInstanceID();
    const CvxID viewer = CvxID::New();
    const CvxID copy = CvxID::New();
    first->GetModel().GetLockedViewers().Add(viewer);
    first->GetModel().GetLockedViewers().Add(own, false);
    const CvxUtilsLockViewers before = first->GetModel().GetLockedViewers();

    const auto savedLocks = [&](bool duplicate) {
        const std::filesystem::path path = SaveToFile(*first, duplicate, copy);
        CvxPersistenceSetup setup;
        CvxPersistenceData data;
        CvxSetupFile(path).Load(setup, data);
        CvxUtilsLockViewers locks;
        EXPECT_TRUE(setup.OpenTag(u"CompareModel"));
        locks.Load(setup);
        return locks;
    };
    EXPECT_EQ(savedLocks(false).GetPluginIDs(), (std::vector<CvxID>{viewer, own}));
    const CvxUtilsLockViewers duplicated = savedLocks(true);
    EXPECT_EQ(duplicated.GetPluginIDs(), (std::vector<CvxID>{viewer, copy}));
    EXPECT_FALSE(duplicated.IsLocked(copy));
    EXPECT_EQ(first->GetModel().GetLockedViewers(), before);

    // Loading replaces the set; loading a duplicate merges into it.
    const CvxID mine = CvxID::New();
    for (const bool duplicate : {false, true}) {
        auto tool = MakeTool();
        tool->GetModel().GetLockedViewers().Add(mine);
        LoadFromFile(*tool, m_dir / "window.cvxsetup", duplicate);
        EXPECT_EQ(tool->GetModel().GetLockedViewers().GetPluginIDs(),
                  duplicate ? (std::vector<CvxID>{mine, viewer, copy}) : (std::vector<CvxID>{viewer, copy}));
    }
}

TEST_F(CvxCompareSetupRoundTripTest, ReferenceBufferToleratesMissingStreamsAndCounts)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B"});
    CvxCompareSourceList sources;
    for (const CvxID& id : labels) {
        auto store = CreateCompareDataSource(CvxLabelChannel(id), false);
        for (std::uint64_t v = 0; v < 70000; ++v) {
            store->Append(CvxUInt(v));
        }
        sources.Add(CvxLabelChannel(id), std::move(store));
    }
    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    CvxCompareDataPersistence::Save(setup, &data, sources);
    ASSERT_TRUE(data.RemoveDataStream(u"CompareSource0"));
    CvxStartLoading(setup);
    setup.SetStoring(true);
    ASSERT_TRUE(setup.OpenTag(u"CompareData"));
    setup.Write(u"NumberOfCompareSources", INT_MAX);
    CvxStartLoading(setup);

    CvxCompareSourceList loaded;
    ASSERT_TRUE(CvxCompareDataPersistence::Load(setup, &data, loaded));
    ASSERT_EQ(loaded.GetCount(), 2U);
    EXPECT_EQ(loaded.GetAt(0).GetLabelChannel(), CvxLabelChannel(labels[0]));
    EXPECT_EQ(loaded.GetAt(0).GetDataSource()->GetCount(), 0);
    EXPECT_EQ(loaded.GetAt(1).GetDataSource()->GetCount(), 70000);
    EXPECT_EQ(Logged(kMessageWarning),
              std::vector<std::u16string>{
                  u"Compare data: the data stream \"CompareSource0\" is missing; the reference of A is empty"});

    // Without a CompareData element the buffer is left as it was.
    CvxPersistenceSetup empty(false);
    EXPECT_FALSE(CvxCompareDataPersistence::Load(empty, &data, loaded));
    EXPECT_EQ(loaded.GetCount(), 2U);
}

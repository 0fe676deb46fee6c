// A whole Compare window through the host's setup file: saved by one tool, loaded by a fresh
// one, which then compares the same way; and what a load does with labels the host no longer
// offers, with viewer locks, and with missing data streams.

#include "CvxCompare.h"
#include "CvxCompareColumnPersistence.h"
#include "CvxCompareDataPersistence.h"
#include "CvxCompareDataSourceFactory.h"
#include "CvxCompareModel.h"
#include "CvxMessageLoad.h"
#include "CvxMessageRun.h"
#include "CvxMessageSave.h"
#include "CvxPersistTestSupport.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceElement.h"
#include "CvxSetupFile.h"
#include "CvxSimulatedAnalyzer.h"

#include <climits>
#include <memory>

namespace {

class CvxCompareSetupRoundTripTest : public CvxPersistTest {
protected:
    static std::unique_ptr<CvxCompare> MakeTool()
    {
        CvxID type;
        type.SetValue(std::string_view(CvxCompare::kTypeID));
        auto tool = std::make_unique<CvxCompare>(CvxID::New(), CvxID::New(), type, CvxID::New(), nullptr);
        CvxMessageBase init(kHostMsgInitialize);
        tool->OnHostMessage(init);
        return tool;
    }
    std::filesystem::path Save(CvxCompare& tool, bool duplicate = false, const CvxID& newID = CvxID())
    {
        CvxPersistenceData data;
        CvxMessageSave save(&m_setup, &data, duplicate, newID);
        tool.OnHostMessage(save);
        EXPECT_TRUE(CvxSetupFile(m_dir / "window.cvxsetup").Save(m_setup, data));
        return m_dir / "window.cvxsetup";
    }
    void Load(CvxCompare& tool, bool duplicate = false)
    {
        CvxPersistenceSetup setup;
        CvxPersistenceData data;
        ASSERT_TRUE(CvxSetupFile(m_dir / "window.cvxsetup").Load(setup, data));
        CvxMessageLoad load(&setup, &data, tool.GetInstanceID(), duplicate);
        tool.OnHostMessage(load);
    }
    static void Offer(std::vector<CvxID> labels)
    {
        CvxSystemMgr::GetInstance().SetLabelProvider([labels](const CvxID&) { return labels; });
    }
    static std::vector<CvxID> ColumnLabels(const CvxCompare& tool)
    {
        std::vector<CvxID> out;
        for (const CvxCompareColumn& c : tool.GetModel().GetColumns()) {
            out.push_back(c.GetLabel().GetLabelID());
        }
        return out;
    }
    CvxPersistenceSetup m_setup;
};

void ExpectSameMarks(const std::vector<CvxCompareTableMarks>& a, const std::vector<CvxCompareTableMarks>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i].GetInputRows() == b[i].GetInputRows() && a[i].GetReferenceRows() == b[i].GetReferenceRows());
    }
}

} // namespace

TEST_F(CvxCompareSetupRoundTripTest, AWholeWindowComesBackAndComparesTheSame)
{
    CvxSimulatedAnalyzer sim;
    std::string error;
    ASSERT_TRUE(sim.SetOption("samples", "120000", error) && sim.SetOption("fault_rate", "200", error)) << error;
    CvxMessageRun referenceRun(sim.Acquire(), 1);
    CvxMessageRun inputRun(sim.Acquire(), 2);
    Offer(sim.GetOfferedLabels());

    auto first = MakeTool();
    CvxCompareModel& a = first->GetModel();
    first->OnHostMessage(referenceRun);
    std::vector<CvxLabelChannel> copied;
    for (const char16_t* name : {u"DATA8", u"ADDR16", u"DATA32", u"WIDE96", u"CMD", u"ST_DATA", u"ST_OP"}) {
        copied.emplace_back(CvxLabelMgr::GetInstance().FindLabelByName(name)->GetID());
    }
    copied.emplace_back(copied[1].GetLabelID(), 3);
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
    a.RequestProperties(properties);
    CvxCompareRunUntil rule;
    rule.SetNumberOfDifferences(INT_MAX); // never reached: nothing is sent or stopped here
    rule.SetSendEmailEnabled(true);
    rule.GetEmail().SetRecipient(u"bench@example.org");
    rule.GetEmail().SetMessageBody(u"The <compare> & more");
    a.SetRunUntil(rule);
    first->OnHostMessage(inputRun);
    a.Recompare();
    a.GotoLast();
    ASSERT_GT(a.GetResults().GetDifferences(), 0);

    Save(*first);
    auto second = MakeTool();
    CvxCompareModel& b = second->GetModel();
    CvxMessageRecorder recorder;
    b.AddObserver(&recorder);
    Load(*second);
    EXPECT_EQ(recorder.types.back(), 129);

    ASSERT_EQ(b.GetColumnCount(), a.GetColumnCount());
    for (std::size_t i = 0; i < a.GetColumns().size(); ++i) {
        const CvxCompareColumn& got = b.GetColumns()[i];
        const CvxCompareColumn& want = a.GetColumns()[i];
        EXPECT_EQ(std::tuple(got.GetLabel(), got.GetWidth(), got.GetLeft(), got.GetAlignment(),
                             got.GetDifferenceDisplay().GetCode()),
                  std::tuple(want.GetLabel(), want.GetWidth(), want.GetLeft(), want.GetAlignment(),
                             want.GetDifferenceDisplay().GetCode()));
    }
    EXPECT_TRUE(b.GetProperties() == a.GetProperties());
    EXPECT_EQ(b.GetCompareRange(), a.GetCompareRange());
    EXPECT_EQ(b.GetReferenceRange(), a.GetReferenceRange());
    EXPECT_EQ(b.GetReferenceOffset(), a.GetReferenceOffset());
    EXPECT_EQ(b.GetRunUntil(), a.GetRunUntil());
    EXPECT_EQ(b.GetCenter(), a.GetCenter());
    ASSERT_EQ(b.GetReferenceBuffer().GetCount(), copied.size());
    for (std::size_t i = 0; i < copied.size(); ++i) {
        const CvxCompareSource& got = b.GetReferenceBuffer().GetAt(i);
        const CvxCompareSource& want = a.GetReferenceBuffer().GetAt(i);
        EXPECT_EQ(got.GetLabelChannel(), copied[i]);
        EXPECT_EQ(std::tuple(got.HasSubRows(), got.GetDataSource()->GetCount(), got.GetDataSource()->IsString()),
                  std::tuple(want.HasSubRows(), want.GetDataSource()->GetCount(), want.GetDataSource()->IsString()));
    }
    EXPECT_TRUE(b.GetReferenceBuffer().GetAt(5).HasSubRows());
    EXPECT_GT(b.GetReferenceBuffer().GetAt(0).GetDataSource()->GetCount(), 100000);

    second->OnHostMessage(inputRun);
    b.Recompare();
    EXPECT_EQ(std::tuple(b.GetResults().GetSamplesCompared(), b.GetResults().GetComparisons(),
                         b.GetResults().GetDifferences(), b.GetResults().GetBucketList()),
              std::tuple(a.GetResults().GetSamplesCompared(), a.GetResults().GetComparisons(),
                         a.GetResults().GetDifferences(), a.GetResults().GetBucketList()));
    ExpectSameMarks(b.GetResults().GetDifferenceMarks(), a.GetResults().GetDifferenceMarks());
    ExpectSameMarks(b.GetResults().GetMatchMarks(), a.GetResults().GetMatchMarks());

    // The elements under CompareModel, in their order.
    const CvxPersistenceElement& model = *m_setup.GetRoot().FindChild(u"CompareModel");
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < model.GetChildCount(); ++i) {
        names.push_back(model.GetChild(i).GetName());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"CenterPosition", u"CompareRange", u"CompareReferenceRange",
                                                  u"CompareProperties", u"CompareColumnModel",
                                                  u"CompareReferenceOffset", u"CompareRunUntil", u"CompareData",
                                                  u"UserMarkers"}));
    EXPECT_EQ(*model.FindValue(u"Config"), CvxPersistenceElement::Value(u"<Config/>\r\n"));
    EXPECT_EQ(model.GetKey(1).first, u"NumberOfLockViewers");
}

TEST_F(CvxCompareSetupRoundTripTest, LoadDropsColumnsTheHostNoLongerOffers)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B", u"C", u"D"});
    Offer({labels[0], labels[1], labels[2]});
    auto first = MakeTool();
    first->GetModel().CreateDefaultColumns();
    Save(*first);
    const struct {
        std::vector<CvxID> offered;
        std::vector<CvxID> columns;
    } cases[] = {
        {{labels[0], labels[1], labels[2]}, {labels[0], labels[1], labels[2]}},
        {{labels[2], labels[0]}, {labels[0], labels[2]}},
        {{labels[3]}, {labels[3]}}, // none left: the default columns
    };
    for (const auto& c : cases) {
        Offer(c.offered);
        auto tool = MakeTool();
        Load(*tool);
        EXPECT_EQ(ColumnLabels(*tool), c.columns);
        EXPECT_EQ(tool->GetModel().IsHistoryEmpty(), c.offered.size() == 3); // drops are one delete command
    }
}

TEST_F(CvxCompareSetupRoundTripTest, DuplicatingSaveReKeysTheViewerLocksAndLoadMergesThem)
{
    auto first = MakeTool();
    const CvxID viewer = CvxID::New();
    const CvxID copy = CvxID::New();
    first->GetModel().GetLockedViewers().Add(viewer);
    first->GetModel().GetLockedViewers().Add(first->GetInstanceID(), false);
    const CvxUtilsLockViewers before = first->GetModel().GetLockedViewers();
    for (const bool duplicate : {false, true}) {
        Save(*first, duplicate, copy);
        CvxStartLoading(m_setup);
        m_setup.OpenTag(u"CompareModel");
        CvxUtilsLockViewers saved;
        saved.Load(m_setup);
        EXPECT_EQ(saved.GetPluginIDs(),
                  (std::vector<CvxID>{viewer, duplicate ? copy : first->GetInstanceID()}));
        m_setup.Clear();
        m_setup.SetStoring(true);
    }
    EXPECT_EQ(first->GetModel().GetLockedViewers(), before);

    const CvxID mine = CvxID::New();
    for (const bool duplicate : {false, true}) {
        auto tool = MakeTool();
        tool->GetModel().GetLockedViewers().Add(mine);
        Load(*tool, duplicate);
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
    CvxPersistenceData data;
    CvxCompareDataPersistence::Save(m_setup, &data, sources);
    ASSERT_TRUE(data.RemoveDataStream(u"CompareSource0"));
    CvxWriteAt(m_setup, {u"CompareData"}, u"NumberOfCompareSources", INT_MAX);

    CvxCompareSourceList loaded;
    ASSERT_TRUE(CvxCompareDataPersistence::Load(m_setup, &data, loaded));
    ASSERT_EQ(loaded.GetCount(), 2U);
    EXPECT_EQ(loaded.GetAt(0).GetLabelChannel(), CvxLabelChannel(labels[0]));
    EXPECT_EQ(loaded.GetAt(0).GetDataSource()->GetCount(), 0);
    EXPECT_EQ(loaded.GetAt(1).GetDataSource()->GetCount(), 70000);
    EXPECT_EQ(Logged(kMessageWarning),
              std::vector<std::u16string>{
                  u"Compare data: the data stream \"CompareSource0\" is missing; the reference of A is empty"});
}

TEST_F(CvxCompareSetupRoundTripTest, AMissingEntryCostsOnlyItself)
{
    const std::vector<CvxID> labels = MakeLabels({u"A", u"B", u"C"});
    CvxCompareSourceList sources;
    std::vector<CvxCompareColumn> columns;
    for (const CvxID& id : labels) {
        auto store = CreateCompareDataSource(CvxLabelChannel(id), false);
        store->Append(CvxUInt(7));
        sources.Add(CvxLabelChannel(id), std::move(store));
        CvxCompareColumn column;
        column.SetLabel(CvxLabelChannel(id));
        columns.push_back(column);
    }
    CvxPersistenceData data;
    CvxCompareDataPersistence::Save(m_setup, &data, sources);
    CvxCompareColumnPersistence::SaveColumns(m_setup, columns);
    // The middle entries lose their names: what follows them must still load; a count far
    // beyond the elements makes nothing more.
    for (const char16_t* list : {u"CompareData", u"CompareColumnModel"}) {
        CvxPersistenceElement& element = *m_setup.GetRoot().FindChild(list);
        for (std::size_t c = 0; c < element.GetChildCount(); ++c) {
            CvxPersistenceElement& entry = element.GetChild(c);
            if (entry.GetName() == u"CompareSource1" || entry.GetName() == u"column1") {
                entry.SetName(u"damaged");
            }
        }
    }
    CvxWriteAt(m_setup, {u"CompareData"}, u"NumberOfCompareSources", INT_MAX);

    CvxCompareSourceList loaded;
    ASSERT_TRUE(CvxCompareDataPersistence::Load(m_setup, &data, loaded));
    ASSERT_EQ(loaded.GetCount(), 2U);
    EXPECT_EQ(loaded.GetAt(1).GetLabelChannel(), CvxLabelChannel(labels[2]));
    EXPECT_EQ(loaded.GetAt(1).GetDataSource()->GetCount(), 1);
    std::vector<CvxCompareColumn> back;
    m_setup.Rewind();
    ASSERT_TRUE(CvxCompareColumnPersistence::LoadColumns(m_setup, back));
    ASSERT_EQ(back.size(), 2U);
    EXPECT_EQ(back[1].GetLabel(), CvxLabelChannel(labels[2]));
}

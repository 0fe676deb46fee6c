// The marker manager of a window across acquisitions: the data markers follow the data,
// user markers keep their times.

#include "CvxData.h"
#include "CvxDataBuilder.h"
#include "CvxDefObserver.h"
#include "CvxLabelMgr.h"
#include "CvxMarkerMgr.h"
#include "CvxMvcDefMsg.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Tables of evenly spaced samples: `rows` rows, `trigger` the trigger row, `periodNs` apart.
std::shared_ptr<CvxData> MakeData(std::initializer_list<std::tuple<int, int, int>> tables)
{
    CvxDataBuilder builder;
    int n = 0;
    for (const auto& [rows, trigger, periodNs] : tables) {
        CvxDataTable& table = builder.AddTable(u"T" + std::u16string(1, static_cast<char16_t>(u'0' + n++)));
        table.SetUniformTimeBase(CvxTime::FromNs(periodNs));
        table.SetTriggerRow(trigger);
        CvxDataColumnComponent& column = builder.AddBus(table, u"D", 8);
        for (int i = 0; i < rows; ++i) {
            column.Append(static_cast<std::uint64_t>(i));
        }
    }
    return builder.Finish();
}

struct CountingObserver : CvxDefObserver {
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override { types.push_back(message->GetType()); }
    std::vector<int> types;
};

class CvxMarkerMgrTest : public ::testing::Test {
protected:
    void SetUp() override { CvxLabelMgr::GetInstance().Clear(); }
};

} // namespace

TEST_F(CvxMarkerMgrTest, DataMarkersFollowEachAcquisitionAndUserMarkersKeepTheirTimes)
{
    CvxMarkerMgr markers;
    CountingObserver observer;
    markers.AddObserver(&observer);
    EXPECT_FALSE(markers.Register(CvxID::NullID()));
    EXPECT_TRUE(markers.Register(CvxID::New()));

    // Two tables: -20..20 ns every 10 ns (trigger row 2) and 0..9 ns every 3 ns.
    const auto first = MakeData({{5, 2, 10}, {4, 0, 3}});
    markers.SetData(first.get());
    const CvxMarker* begin = markers.GetMarker(markers.GetBeginDataMarkerID());
    const CvxMarker* end = markers.GetMarker(markers.GetEndDataMarkerID());
    const CvxMarker* trigger = markers.GetMarker(markers.GetTriggerMarkerID());
    ASSERT_TRUE(begin && end && trigger);
    EXPECT_EQ(begin->GetPosition(), first->GetTable(0).GetRowPosition(0));
    EXPECT_EQ(end->GetPosition(), first->GetTable(0).GetRowPosition(4));
    EXPECT_EQ(trigger->GetPosition(), first->GetTable(0).GetRowPosition(2));
    EXPECT_EQ(trigger->GetPosition().AsTime(), CvxTime());
    EXPECT_EQ(observer.types, std::vector<int>{CvxMarkerMgr::kMarkersChangedMessage});

    // A user marker on a sample that the next acquisition no longer has at that time, and one
    // on a sample that it still has.
    CvxMarker* m1 = markers.AddUserMarker(first->GetTable(1).GetRowPosition(3)); // 9 ns
    CvxMarker* m2 = markers.AddUserMarker(first->GetTable(0).GetRowPosition(0)); // -20 ns
    EXPECT_EQ(m1->GetName(), u"M1");
    EXPECT_EQ(m2->GetName(), u"M2");
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), 2);

    const auto second = MakeData({{8, 4, 10}}); // -40..30 ns
    markers.SetData(second.get());
    EXPECT_EQ(begin->GetPosition(), second->GetTable(0).GetRowPosition(0));
    EXPECT_EQ(end->GetPosition(), second->GetTable(0).GetRowPosition(7));
    EXPECT_EQ(trigger->GetPosition(), second->GetTable(0).GetRowPosition(4));
    EXPECT_EQ(m1->GetPosition().AsTime(), CvxTime::FromNs(9));
    EXPECT_FALSE(m1->GetPosition().HasSample());
    EXPECT_EQ(m2->GetPosition().AsTime(), CvxTime::FromNs(-20));

    // Without data the data markers go back to "0 s"; user markers still keep their times.
    markers.SetData(nullptr);
    EXPECT_EQ(begin->GetPosition(), CvxPosition::AtTime(CvxTime()));
    EXPECT_EQ(m1->GetPosition().AsTime(), CvxTime::FromNs(9));
}

TEST_F(CvxMarkerMgrTest, OnlyUserMarkersAreModifiableAndNamesAreReused)
{
    CvxMarkerMgr markers;
    const auto data = MakeData({{10, 0, 1}});
    markers.SetData(data.get());
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), 0);
    EXPECT_EQ(markers.GetMarkers(false).size(), 3U);
    EXPECT_FALSE(markers.IsDragable(markers.GetBeginDataMarkerID()));
    EXPECT_FALSE(markers.MoveMarkerPosition(markers.GetTriggerMarkerID(), data->GetTable(0).GetRowPosition(5)));
    EXPECT_FALSE(markers.DeleteMarker(markers.GetEndDataMarkerID()));

    CvxMarker* m1 = markers.AddUserMarker(data->GetTable(0).GetRowPosition(7));
    CvxMarker* m2 = markers.AddUserMarker(data->GetTable(0).GetRowPosition(3));
    EXPECT_TRUE(m1->IsFlagSet(kMarkerFlagUser));
    EXPECT_FALSE(markers.GetMarker(markers.GetBeginDataMarkerID())->IsFlagSet(kMarkerFlagUser));
    EXPECT_NE(m1->GetBackgroundColor(), m2->GetBackgroundColor());
    EXPECT_TRUE(markers.IsDragable(m2->GetID()));
    EXPECT_TRUE(markers.MoveMarkerPosition(m2->GetID(), data->GetTable(0).GetRowPosition(9)));
    EXPECT_EQ(m2->GetPosition().AsSample(), 9);

    // By position: Begin (0), Trigger (0), M1 (7), M2 (9), End (9) - ties keep the manager's order.
    std::vector<std::u16string> names;
    for (const CvxMarker* m : markers.GetMarkers(true)) {
        names.push_back(m->GetName());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Begin", u"Trigger", u"M1", u"End", u"M2"}));

    EXPECT_EQ(markers.FindMarkerByName(u"M2"), m2);
    EXPECT_EQ(markers.FindMarkerByName(u"Trigger")->GetNameWithAbbreviation(), u"Trigger (T)");
    EXPECT_EQ(m2->GetNameWithAbbreviation(), u"M2");
    EXPECT_EQ(markers.FindMarkerByName(u"M9"), nullptr);

    const CvxID gone = m1->GetID();
    EXPECT_TRUE(markers.DeleteMarker(gone));
    EXPECT_EQ(markers.GetMarker(gone), nullptr);
    EXPECT_EQ(markers.AddUserMarker(CvxPosition::AtTime(CvxTime()))->GetName(), u"M1");
    EXPECT_EQ(markers.GetNumberOfUserModifiableMarkers(), 2);
}

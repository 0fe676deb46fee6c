// The undoable commands through the model's requests: each change is recorded once and its
// undo brings back exactly what was there, and the observers hear what changed.

#include "CvxCompareColumnWidthCommand.h"
#include "CvxCompareModel.h"
#include "CvxCompareMoveColumnsCommand.h"
#include "CvxCompareMoveOriginCommand.h"
#include "CvxPersistTestSupport.h"
#include "CvxStdToolCmdIFace.h"

#include <functional>

namespace {

// The plug-in that made the labels: renames them unless the name is empty or taken.
class CvxRenamingSource : public CvxStdToolCmdIFace {
public:
    explicit CvxRenamingSource(const CvxID& id) : m_id(id) {}
    CvxID GetInstanceID() const override { return m_id; }
    bool CanRenameLabel(const CvxID&) const override { return true; }
    int RenameLabel(const CvxID& label, const std::u16string& name) override
    {
        if (name.empty()) {
            return kRenameEmptyName;
        }
        if (CvxLabelMgr::GetInstance().FindLabelByName(name) != nullptr) {
            return kRenameNameNotUnique;
        }
        CvxLabelMgr::GetInstance().IDToLabel(label)->SetName(name);
        return kRenameDone;
    }

private:
    CvxID m_id;
};

class CvxCompareCommandsTest : public CvxPersistTest {
protected:
    void SetUp() override
    {
        CvxPersistTest::SetUp();
        m_labels = MakeLabels({u"A", u"B", u"C", u"D"}, m_creator);
        std::vector<CvxCompareColumn> columns;
        for (std::size_t i = 0; i < m_labels.size(); ++i) {
            columns.emplace_back(CvxLabelChannel(m_labels[i]));
            columns.back().SetWidth(50 + 10 * static_cast<int>(i));
        }
        m_model.ReplaceColumns(columns);
        m_original = m_model.GetColumns();
        m_model.AddObserver(&m_recorder);
    }

    CvxID Column(std::size_t i) const { return m_original.at(i).GetID(); }
    std::vector<int> Widths() const
    {
        std::vector<int> out;
        for (const CvxCompareColumn& c : m_model.GetColumns()) {
            out.push_back(c.GetWidth());
        }
        return out;
    }
    std::vector<int> Lefts() const
    {
        std::vector<int> out;
        for (const CvxCompareColumn& c : m_model.GetColumns()) {
            out.push_back(c.GetLeft());
        }
        return out;
    }
    // The columns by their index in the original list, in display order.
    std::vector<int> Order() const
    {
        std::vector<int> out;
        for (const CvxCompareColumn& c : m_model.GetColumns()) {
            int index = -1;
            for (std::size_t i = 0; i < m_original.size(); ++i) {
                index = m_original[i].GetID() == c.GetID() ? static_cast<int>(i) : index;
            }
            out.push_back(index);
        }
        return out;
    }

    CvxID m_creator = CvxID::New();
    std::vector<CvxID> m_labels;
    std::vector<CvxCompareColumn> m_original;
    CvxCompareModel m_model;
    CvxMessageRecorder m_recorder;
};

} // namespace

TEST_F(CvxCompareCommandsTest, WidthChangeAndItsUndoKeepLeftEdgesAsRunningSums)
{
    ASSERT_EQ(Lefts(), (std::vector<int>{0, 50, 110, 180}));
    ASSERT_TRUE(m_model.RequestColumnWidth(Column(1), 100));
    EXPECT_EQ(Widths(), (std::vector<int>{50, 100, 70, 80}));
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 150, 220}));
    EXPECT_EQ(m_recorder.types, std::vector<int>{104});
    EXPECT_EQ(m_model.GetHistorySize(), 1U);

    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(m_model.GetColumns(), m_original);
    EXPECT_TRUE(m_model.IsHistoryEmpty());

    EXPECT_FALSE(m_model.RequestColumnWidth(CvxID::New(), 100));
    EXPECT_TRUE(m_model.IsHistoryEmpty());
    // A width command for a column that is gone changes nothing.
    CvxCompareColumnWidthCommand(m_model, CvxID::New(), 5, 50).Execute();
    EXPECT_EQ(m_model.GetColumns(), m_original);
}

TEST_F(CvxCompareCommandsTest, UndoRestoresTheColumnListExactly)
{
    using Before = CvxCompareMoveColumnsCommand;
    struct Case {
        const char* what;
        std::function<void()> request;
        std::vector<int> order; // -1: a new column
    };
    const Case cases[] = {
        {"insert before B, selected",
         [&] { m_model.RequestInsertColumns({CvxCompareColumn{CvxLabelChannel(m_labels[3])}, CvxCompareColumn()}, Column(1), false, true); },
         {0, -1, -1, 1, 2, 3}},
        {"insert after D", [&] { m_model.RequestInsertColumns({CvxCompareColumn()}, Column(3), true, false); }, {0, 1, 2, 3, -1}},
        {"delete A and C", [&] { m_model.RequestDeleteColumns({Column(0), Column(2)}); }, {1, 3}},
        {"move C, A before B", [&] { m_model.RequestMoveColumns({Column(2), Column(0)}, Column(1), Before::kBeforeTarget); }, {0, 2, 1, 3}},
        {"move A, B after C", [&] { m_model.RequestMoveColumns({Column(0), Column(1)}, Column(2), Before::kAfterTarget); }, {2, 0, 1, 3}},
        {"move B after D", [&] { m_model.RequestMoveColumns({Column(1)}, Column(3), Before::kAfterTarget); }, {0, 2, 3, 1}},
        {"move A to the end", [&] { m_model.RequestMoveColumns({Column(0)}, CvxID(), Before::kBeforeTarget); }, {1, 2, 3, 0}},
        {"restore a reversed list",
         [&] { m_model.RequestRestoreColumns({m_original[3], m_original[2], m_original[1], m_original[0]}); }, {3, 2, 1, 0}},
        {"column properties",
         [&] {
             CvxCompareColumn c = m_original[1];
             c.SetColor(0x123456);
             c.SetWidth(300);
             m_model.RequestColumnProperties({c});
         },
         {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.request();
        EXPECT_EQ(Order(), c.order);
        EXPECT_NE(m_model.GetColumns(), m_original);
        int left = 0;
        for (const CvxCompareColumn& column : m_model.GetColumns()) {
            EXPECT_EQ(column.GetLeft(), left);
            left += std::max(column.GetWidth(), 0);
        }
        ASSERT_EQ(m_model.GetHistorySize(), 1U);
        ASSERT_TRUE(m_model.Undo());
        EXPECT_EQ(m_model.GetColumns(), m_original);
    }
}

TEST_F(CvxCompareCommandsTest, UndoOfAStoredListBringsItBackWhateverHappenedSince)
{
    m_model.DeleteColumns({Column(3)});
    m_model.RequestStoreColumns(m_original);
    m_model.SetColumnWidth(Column(0), 5);
    m_model.MoveColumns({Column(0)}, CvxID());
    m_model.ReplaceColumns({m_original[2]});
    ASSERT_EQ(m_model.GetHistorySize(), 1U);
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(m_model.GetColumns(), m_original);
}

TEST_F(CvxCompareCommandsTest, PropertiesRequestRecordsOnlyARealChange)
{
    const CvxCompareProperties original = m_model.GetProperties();
    EXPECT_FALSE(m_model.RequestProperties(CvxCompareProperties(original)));
    EXPECT_TRUE(m_model.IsHistoryEmpty());
    EXPECT_TRUE(m_recorder.types.empty());

    CvxCompareProperties changed = original;
    changed.SetSelectionTextColor(original.GetSelectionTextColor() + 1); // not persisted, still a change
    ASSERT_TRUE(m_model.RequestProperties(changed));
    EXPECT_TRUE(m_model.GetProperties() == changed);
    EXPECT_EQ(m_recorder.types, (std::vector<int>{117, 102, 120}));
    ASSERT_TRUE(m_model.Undo());
    EXPECT_TRUE(m_model.GetProperties() == original);
    EXPECT_EQ(m_recorder.types, (std::vector<int>{117, 102, 120, 117, 102, 120}));
}

TEST_F(CvxCompareCommandsTest, OriginTravelsAsTheCommandItself)
{
    std::vector<std::pair<int, int>> origins;
    m_recorder.onMessage = [&](CvxMvcDefMsg& message) {
        if (message.GetType() == CvxCompareCommand::kMoveOrigin) {
            const auto& origin = dynamic_cast<CvxCompareMoveOriginCommand&>(message);
            origins.emplace_back(origin.GetOriginX(), origin.GetOriginY());
        }
    };
    m_model.RequestMoveOrigin(40, 7, 0, 3);
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(origins, (std::vector<std::pair<int, int>>{{40, 7}, {0, 3}}));
}

TEST_F(CvxCompareCommandsTest, RenameGoesThroughTheCreatingPlugInAndShowsItsRefusals)
{
    CvxRenamingSource source(m_creator);
    CvxStdCmdIFaceMgr::GetInstance().Register(m_creator, &source);
    std::vector<std::pair<int, std::u16string>> shown;
    CvxInfoDlg::SetHook([&](int type, const std::u16string& text) { shown.emplace_back(type, text); });
    const auto name = [&] { return CvxLabelMgr::GetInstance().IDToLabel(m_labels[0])->GetName(); };

    ASSERT_TRUE(m_model.RequestRenameLabel(Column(0), u""));
    ASSERT_TRUE(m_model.RequestRenameLabel(Column(0), u"B"));
    EXPECT_EQ(name(), u"A");
    EXPECT_EQ(shown, (std::vector<std::pair<int, std::u16string>>{{2, u"Bus/Signal name can't be empty."},
                                                                 {2, u"Bus/Signal name must be unique."}}));

    ASSERT_TRUE(m_model.RequestRenameLabel(Column(0), u"ADDR"));
    EXPECT_EQ(name(), u"ADDR");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(name(), u"A");
    EXPECT_EQ(shown.size(), 2U);

    // Headless, the refusal goes to the log.
    CvxInfoDlg::SetHook({});
    m_model.RequestRenameLabel(Column(1), u"C");
    EXPECT_EQ(Logged(kMessageWarning), std::vector<std::u16string>{u"Bus/Signal name must be unique."});
    EXPECT_FALSE(m_model.RequestRenameLabel(CvxID::New(), u"X"));
}

// The undoable commands through the model's requests: each change is recorded once, its undo
// brings back exactly what was there, and the observers hear what changed.

#include "CvxCompareCenterDelayCommand.h"
#include "CvxCompareColumnListCommands.h"
#include "CvxCompareColumnPropertiesCommand.h"
#include "CvxCompareColumnWidthCommand.h"
#include "CvxCompareModel.h"
#include "CvxCompareMoveColumnsCommand.h"
#include "CvxCompareMoveOriginCommand.h"
#include "CvxMessageLockPosition.h"
#include "CvxSystemMgr.h"
#include "CvxPersistTestSupport.h"
#include "CvxStdToolCmdIFace.h"

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

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

// Per displayed column: its index in the original list (-1 for a new one), width, left edge.
using ColumnLayout = std::vector<std::tuple<int, int, int>>;

class CvxCompareCommandsTest : public CvxPersistTest {
protected:
    void SetUp() override
    {
        CvxPersistTest::SetUp();
        m_labels = MakeLabels({u"A", u"B", u"C", u"D"}, m_creator);
        std::vector<CvxCompareColumn> columns;
        for (std::size_t i = 0; i < m_labels.size(); ++i) {
            columns.emplace_back(CvxLabelChannel(m_labels[i])).SetWidth(50 + 10 * static_cast<int>(i));
        }
        m_model.ReplaceColumns(columns);
        m_original = m_model.GetColumns();
        m_model.AddObserver(&m_recorder);
    }

    CvxID Column(std::size_t i) const { return m_original.at(i).GetID(); }
    ColumnLayout Layout() const
    {
        ColumnLayout out;
        for (const CvxCompareColumn& c : m_model.GetColumns()) {
            const auto it = std::find_if(m_original.begin(), m_original.end(),
                                         [&](const CvxCompareColumn& o) { return o.GetID() == c.GetID(); });
            out.emplace_back(it == m_original.end() ? -1 : static_cast<int>(it - m_original.begin()), c.GetWidth(),
                             c.GetLeft());
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

TEST_F(CvxCompareCommandsTest, UndoRestoresTheColumnListExactly)
{
    using Move = CvxCompareMoveColumnsCommand;
    const CvxCompareColumn fresh;
    const struct {
        const char* what;
        std::function<void()> request;
        ColumnLayout layout;
    } cases[] = {
        {"width", [&] { m_model.RequestColumnWidth(Column(1), 100); }, {{0, 50, 0}, {1, 100, 50}, {2, 70, 150}, {3, 80, 220}}},
        {"insert before B", [&] { m_model.RequestInsertColumns({fresh}, Column(1), false, true); },
         {{0, 50, 0}, {-1, -1, 50}, {1, 60, 50}, {2, 70, 110}, {3, 80, 180}}},
        {"insert after D", [&] { m_model.RequestInsertColumns({fresh}, Column(3), true, false); },
         {{0, 50, 0}, {1, 60, 50}, {2, 70, 110}, {3, 80, 180}, {-1, -1, 260}}},
        {"delete A and C", [&] { m_model.RequestDeleteColumns({Column(0), Column(2)}); }, {{1, 60, 0}, {3, 80, 60}}},
        {"move C, A before B", [&] { m_model.RequestMoveColumns({Column(2), Column(0)}, Column(1), Move::kBeforeTarget); },
         {{0, 50, 0}, {2, 70, 50}, {1, 60, 120}, {3, 80, 180}}},
        {"move A, B after C", [&] { m_model.RequestMoveColumns({Column(0), Column(1)}, Column(2), Move::kAfterTarget); },
         {{2, 70, 0}, {0, 50, 70}, {1, 60, 120}, {3, 80, 180}}},
        {"move A to the end", [&] { m_model.RequestMoveColumns({Column(0)}, CvxID(), Move::kBeforeTarget); },
         {{1, 60, 0}, {2, 70, 60}, {3, 80, 130}, {0, 50, 210}}},
        {"restore", [&] { m_model.RequestRestoreColumns({m_original[3], m_original[0]}); }, {{3, 80, 0}, {0, 50, 80}}},
        {"column properties",
         [&] {
             CvxCompareColumn c = m_original[0];
             c.SetWidth(20);
             m_model.RequestColumnProperties({c});
         },
         {{0, 20, 0}, {1, 60, 20}, {2, 70, 80}, {3, 80, 150}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.request();
        EXPECT_EQ(Layout(), c.layout);
        ASSERT_EQ(m_model.GetHistorySize(), 1U);
        ASSERT_TRUE(m_model.Undo());
        EXPECT_EQ(m_model.GetColumns(), m_original);
    }
    EXPECT_FALSE(m_model.RequestColumnWidth(CvxID::New(), 100));
    EXPECT_TRUE(m_model.IsHistoryEmpty());
}

TEST_F(CvxCompareCommandsTest, UndoOfAStoredListBringsItBackWhateverHappenedSince)
{
    m_model.DeleteColumns({Column(3)});
    m_model.RequestStoreColumns(m_original);
    m_model.SetColumnWidth(Column(0), 5);
    m_model.MoveColumns({Column(0)}, CvxID());
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
    ASSERT_TRUE(m_model.Undo());
    EXPECT_TRUE(m_model.GetProperties() == original);
    EXPECT_EQ(m_recorder.types, (std::vector<int>{117, 102, 120, 117, 102, 120}));
}

TEST_F(CvxCompareCommandsTest, RenameGoesThroughTheCreatingPlugInAndShowsItsRefusals)
{
    CvxRenamingSource source(m_creator);
    CvxStdCmdIFaceMgr::GetInstance().Register(m_creator, &source);
    std::vector<std::pair<int, std::u16string>> shown;
    CvxInfoDlg::SetHook([&](int type, const std::u16string& text) { shown.emplace_back(type, text); });
    const auto name = [&] { return CvxLabelMgr::GetInstance().IDToLabel(m_labels[0])->GetName(); };

    m_model.RequestRenameLabel(Column(0), u"");
    m_model.RequestRenameLabel(Column(0), u"B");
    EXPECT_EQ(name(), u"A");
    EXPECT_EQ(shown, (std::vector<std::pair<int, std::u16string>>{{2, u"Bus/Signal name can't be empty."},
                                                                 {2, u"Bus/Signal name must be unique."}}));
    m_model.RequestRenameLabel(Column(0), u"ADDR");
    EXPECT_EQ(name(), u"ADDR");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(name(), u"A");

    CvxInfoDlg::SetHook({}); // headless, the refusal goes to the log
    m_model.RequestRenameLabel(Column(1), u"C");
    EXPECT_EQ(Logged(kMessageWarning), std::vector<std::u16string>{u"Bus/Signal name must be unique."});
}

TEST_F(CvxCompareCommandsTest, CommandsTellTheViewsWhatChangedAndTheirUndoSwapsOldAndNew)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CvxCompareCommand>()> make;
        std::vector<int> messages;     // broadcast by Execute
        std::vector<int> undoMessages; // by Undo
    };
    std::vector<CvxCompareColumn> changed = m_original;
    changed[1].SetWidth(99, false);
    const Case cases[] = {
        {"width", [&] { return std::make_unique<CvxCompareColumnWidthCommand>(m_model, Column(0), 70, 50); }, {104}, {104}},
        {"move",
         [&] {
             return std::make_unique<CvxCompareMoveColumnsCommand>(m_model, std::vector<CvxID>{Column(3)}, Column(0),
                                                                   CvxCompareMoveColumnsCommand::kBeforeTarget);
         },
         {102},
         {106}}, // undone by restoring the list
        {"restore", [&] { return std::make_unique<CvxCompareRestoreModelCommand>(m_model, m_original); }, {106}, {106}},
        {"properties",
         [&] {
             return std::make_unique<CvxCompareColumnPropertiesCommand>(m_model, std::vector<CvxCompareColumn>{changed[1]});
         },
         {102, 120},
         {102, 120}},
        {"origin", [&] { return std::make_unique<CvxCompareMoveOriginCommand>(m_model, 5, 6, 1, 2); }, {10}, {10}},
    };
    for (const Case& c : cases) {
        auto command = c.make();
        for (const bool undo : {false, true}) {
            m_recorder.types.clear();
            ASSERT_TRUE(undo ? command->Undo() : command->Execute()) << c.what;
            for (const int message : undo ? c.undoMessages : c.messages) {
                EXPECT_GE(std::count(m_recorder.types.begin(), m_recorder.types.end(), message), 1)
                    << c.what << (undo ? " undo " : " ") << message;
            }
        }
    }
    EXPECT_EQ(Layout(), (ColumnLayout{{0, 50, 0}, {1, 60, 50}, {2, 70, 110}, {3, 80, 180}}));

    // The move-origin undo carries old and new swapped.
    struct Origins : CvxDefObserver {
        void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
        {
            if (message->GetType() == CvxCompareCommand::kMoveOrigin) {
                const auto* origin = static_cast<CvxCompareMoveOriginCommand*>(message);
                seen.push_back({origin->GetOriginX(), origin->GetOriginY(), origin->GetOldOriginX(), origin->GetOldOriginY()});
            }
        }
        std::vector<std::array<int, 4>> seen;
    } origins;
    m_model.AddObserver(&origins);
    CvxCompareMoveOriginCommand origin(m_model, 5, 6, 1, 2);
    origin.Execute();
    origin.Undo();
    m_model.RemoveObserver(&origins);
    EXPECT_EQ(origins.seen, (std::vector<std::array<int, 4>>{{5, 6, 1, 2}, {1, 2, 5, 6}}));

    // The centre-delay command tells locked viewers only when its flag says so, its undo too.
    int sent = 0;
    CvxSystemMgr::GetInstance().SetLockPositionSender([&](CvxMessageLockPosition&) { ++sent; });
    const CvxPosition a = CvxPosition::AtTime(CvxTime::FromNs(10));
    const CvxPosition b = CvxPosition::AtTime(CvxTime::FromNs(20));
    CvxCompareCenterDelayCommand quiet(m_model, a, b, false);
    quiet.Execute();
    quiet.Undo();
    EXPECT_EQ(sent, 0);
    EXPECT_EQ(m_model.GetCenter(), b);
    CvxCompareCenterDelayCommand told(m_model, a, b, true);
    told.Execute();
    EXPECT_EQ(m_model.GetCenter(), a);
    told.Undo();
    EXPECT_EQ(sent, 2);
    EXPECT_EQ(m_model.GetCenter(), b);
    CvxSystemMgr::GetInstance().SetLockPositionSender({});
}

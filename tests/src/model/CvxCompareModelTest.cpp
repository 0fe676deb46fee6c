// The column set of the model: default columns, pasted columns, widths and left edges.

#include "CvxCompareColumnClipboard.h"
#include "CvxCompareTestData.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

namespace {

class CvxCompareModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxResetTestHost();
        CvxGiveData(m_model, CvxMakeTestData({{u"A", 8, {1}}, {u"B", 8, {2}}, {u"C", 8, {3}}}));
        std::vector<CvxCompareColumn> columns;
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            columns.emplace_back(CvxLabelChannel(CvxTestLabel(name)));
        }
        m_model.ReplaceColumns(columns);
    }

    std::u16string Names() const
    {
        std::u16string names;
        for (const CvxCompareColumn& column : m_model.GetColumns()) {
            names += column.GetLabel().GetName();
        }
        return names;
    }

    CvxCompareModel m_model;
};

} // namespace

TEST_F(CvxCompareModelTest, PastedColumnsGoBeforeTheFirstSelectedColumnAndUndoAsOne)
{
    std::vector<CvxCompareColumn> copied{m_model.GetColumns()[2], m_model.GetColumns()[0]};
    copied[0].SetWidth(77, false);
    copied[0].SetDifferenceDisplay(CvxCompareColumnDifference(CvxCompareColumnDifference::kInputOnly));
    copied[1] = CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A"), 3));
    const std::u16string text = CvxCompareColumnClipboard::ToMarkup(copied, u"Compare 1");

    m_model.SetColumnSelection({m_model.GetColumns()[1].GetID()});
    m_model.PasteColumns(text);
    EXPECT_EQ(Names(), u"ACA[3]BC");
    const CvxCompareColumn& pasted = m_model.GetColumns()[1];
    EXPECT_EQ(pasted.GetWidth(), 77);
    EXPECT_EQ(pasted.GetDifferenceDisplay().GetCode(), CvxCompareColumnDifference::kInputOnly);
    EXPECT_NE(pasted.GetID(), copied[0].GetID()); // new columns, not the copied ones

    m_model.Undo();
    EXPECT_EQ(Names(), u"ABC");

    m_model.SetColumnSelection({});
    m_model.PasteColumns(u"<Labels><Label Channel='1'/><Label LabelID='{nonsense}'/>"
                         u"<Label LabelID='" + CvxTestLabel(u"B").ToU16String() + u"'/></Labels>");
    EXPECT_EQ(Names(), u"ABCB"); // without a selection: at the end; unreadable entries skipped
    m_model.PasteColumns(u"<Viewer><Other/></Viewer>");
    m_model.PasteColumns(u"");
    EXPECT_EQ(Names(), u"ABCB");
}

TEST_F(CvxCompareModelTest, WidthsClampAndLeftEdgesFollow)
{
    CvxCompareColumn column;
    column.SetWidth(5);
    EXPECT_EQ(column.GetWidth(), 10);
    column.SetWidth(5, false);
    EXPECT_EQ(column.GetWidth(), 5);

    for (const CvxCompareColumn& c : std::vector<CvxCompareColumn>(m_model.GetColumns())) {
        m_model.SetColumnWidth(c.GetID(), 40);
    }
    m_model.SetColumnWidth(m_model.GetColumns()[0].GetID(), 25);
    EXPECT_EQ(m_model.GetColumns()[1].GetLeft(), 25);
    EXPECT_EQ(m_model.GetColumns()[2].GetLeft(), 65);
    EXPECT_FALSE(m_model.SetColumnWidth(CvxID::New(), 30));
}

TEST_F(CvxCompareModelTest, EveryColumnWhoseLabelSupportsItShowsAnActivityIndicator)
{
    // Set by ReplaceColumns (as a load does), and by insertion and paste.
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        EXPECT_TRUE(column.IsActivityIndicatorSupported()) << CvxStringConvert::ToUtf8(column.GetLabel().GetName());
    }
    m_model.InsertColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"B")))}, CvxID::NullID(), false, false);
    m_model.PasteColumns(u"<Labels><Label LabelID='" + CvxTestLabel(u"C").ToU16String() + u"'/></Labels>");
    ASSERT_EQ(m_model.GetColumns().size(), 5U);
    EXPECT_TRUE(m_model.GetColumns()[3].IsActivityIndicatorSupported());
    EXPECT_TRUE(m_model.GetColumns()[4].IsActivityIndicatorSupported());

    // A label the host gives no indicator: not supported, and never updated.
    CvxStdCmdIFaceMgr::GetInstance().SetActivityIndicatorLabelQuery(
        [](const CvxLabelChannel& label) { return label.GetName() != u"A"; });
    m_model.ReplaceColumns(m_model.GetColumns());
    EXPECT_FALSE(m_model.GetColumns()[0].IsActivityIndicatorSupported());
    m_model.OnUpdateActivityIndicators();
    EXPECT_EQ(m_model.GetColumns()[0].GetActivityIndicator().GetLevel(), CvxActivityIndicator().GetLevel());
    CvxStdCmdIFaceMgr::GetInstance().SetActivityIndicatorLabelQuery({});
}

TEST_F(CvxCompareModelTest, ActivityUpdatesHeldBackDuringMovesAreMadeWhenTheLastHoldEnds)
{
    const auto level = [&] { return m_model.GetColumns()[1].GetActivityIndicator().GetLevel(); };
    ASSERT_EQ(level(), CvxActivityIndicator::kLevelUnknown);
    m_model.HoldActivityUpdates(true);
    m_model.HoldActivityUpdates(true); // a thumb drag with a step inside it
    m_model.OnUpdateActivityIndicators();
    EXPECT_EQ(level(), CvxActivityIndicator::kLevelUnknown);
    m_model.HoldActivityUpdates(false);
    EXPECT_EQ(level(), CvxActivityIndicator::kLevelUnknown);
    m_model.HoldActivityUpdates(false);
    EXPECT_EQ(level(), CvxActivityIndicator::kLevelHigh); // B holds 2 throughout
    m_model.HoldActivityUpdates(false); // an unmatched release changes nothing
    m_model.HoldActivityUpdates(true);
    m_model.HoldActivityUpdates(false);
    EXPECT_EQ(level(), CvxActivityIndicator::kLevelHigh);
}

// "Compare Properties" as real widgets: the column page's scope and its agreeing values, the
// window page's previews and the column widths that follow them, Apply and OK in their order
// as undoable commands (nothing recorded for unchanged pages), Cancel leaving the model as it
// was, the run-until actions and the e-mail, help topics, and the page each command opens.

#include "../views/CvxCompareWindowTest.h"

#include "CvxBaseComboBox.h"
#include "CvxCheckComboBox.h"
#include "CvxColorWellButton.h"
#include "CvxComboBox.h"
#include "CvxCompareDoc.h"
#include "CvxCompareMessage.h"
#include "CvxComparePropertyPage.h"
#include "CvxComparePropertyPageColumn.h"
#include "CvxComparePropertyPageRun.h"
#include "CvxComparePropertySheet.h"
#include "CvxCompareRunUntil.h"
#include "CvxCompareView.h"
#include "CvxDefObserver.h"
#include "CvxHelpMgr.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkerPropertyPage.h"
#include "CvxPainterSelect.h"
#include "CvxPlugInMgr.h"
#include "CvxQtText.h"
#include "CvxUiServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Records the previews that pass the model.
struct PreviewRecorder : CvxDefObserver {
    std::vector<CvxCompareProperties> previews;
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
    {
        if (message->GetType() == CvxComparePropertiesChangingMessage::kType) {
            const auto* properties = static_cast<CvxComparePropertiesChangingMessage*>(message)->GetProperties();
            if (properties != nullptr) {
                previews.push_back(*properties);
            }
        }
    }
};

class CvxComparePropertySheetTest : public CvxCompareWindowTest {
protected:
    void SetUp() override
    {
        CvxCompareWindowTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
        // A (in the reference) and B (not), with different widths and colours.
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4}}, {u"B", 16, {0, 0, 0, 0}}}));
        Model().ReplaceColumns({CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"A"))),
                                CvxCompareColumn(CvxLabelChannel(CvxTestLabel(u"B")))});
        Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
        std::vector<CvxCompareColumn> records = Model().GetColumns();
        records[0].SetWidth(60);
        records[0].SetColor(0x0000FF);
        records[0].SetAlignment(0);
        records[1].SetWidth(90);
        records[1].SetColor(0x00FF00);
        records[1].SetAlignment(1);
        Model().ReplaceColumnRecords(records);
        m_history = Model().GetHistorySize();
    }
    void TearDown() override
    {
        m_sheet.reset();
        CvxHelpMgr::SetHook(nullptr);
        CvxCompareWindowTest::TearDown();
    }

    CvxComparePropertySheet& Open(int page, const CvxID& marker = CvxID())
    {
        m_sheet = std::make_unique<CvxComparePropertySheet>(Model(), m_view.get(), page, marker);
        m_sheet->show();
        return *m_sheet;
    }
    void Show(int page) { m_sheet->SetActivePage(page); }
    template <typename T>
    T* Control(int id)
    {
        return m_sheet->findChild<T*>(QString::number(id));
    }
    void Press(const char* button) { m_sheet->findChild<QAbstractButton*>(button)->click(); }
    const CvxCompareColumn& Column(int i) { return Model().GetColumns()[static_cast<std::size_t>(i)]; }
    std::vector<CvxID> Ids() { return {Column(0).GetID(), Column(1).GetID()}; }

    std::unique_ptr<CvxComparePropertySheet> m_sheet;
    std::size_t m_history = 0;
};

using Column = CvxComparePropertyPageColumn;
using Window = CvxComparePropertyPage;

} // namespace

TEST_F(CvxComparePropertySheetTest, TheColumnPageShowsTheSelectionAsItsScopeAndOffersSelectedOnlyForSeveral)
{
    struct Case {
        std::vector<int> selected;
        int scope;
        bool offersSelected;
    };
    for (const Case& c : {Case{{}, Column::kScopeAll, false}, Case{{1}, 1, false}, Case{{0, 1}, Column::kScopeSelected, true}}) {
        std::vector<CvxID> selected;
        for (const int i : c.selected) {
            selected.push_back(Column(i).GetID());
        }
        Model().SetColumnSelection(selected);
        Open(CvxComparePropertySheet::kColumnPage);
        auto* scopes = Control<CvxComboBox>(Column::kScope);
        ASSERT_NE(scopes, nullptr);
        EXPECT_EQ(m_sheet->GetColumnPage().GetScope(), c.scope);
        EXPECT_EQ(scopes->GetSelectedData(), c.scope);
        EXPECT_EQ(scopes->findText("<selected>") >= 0, c.offersSelected);
        EXPECT_EQ(scopes->itemText(0), QString("<all>"));
        EXPECT_GE(scopes->findText("B"), 0);
    }
}

TEST_F(CvxComparePropertySheetTest, SeveralColumnsShowOnlyWhatTheyShareAndAChoiceWritesToAllOfThem)
{
    Open(CvxComparePropertySheet::kColumnPage);
    auto* width = Control<CvxIntegerEditCtrl>(Column::kWidth);
    auto* color = Control<CvxColorWellButton>(Column::kColor);
    auto* alignment = Control<CvxComboBox>(Column::kAlignment);
    EXPECT_TRUE(width->GetEdit()->text().isEmpty());
    EXPECT_TRUE(color->IsNoColorState());
    EXPECT_EQ(alignment->currentIndex(), -1); // left and centred

    alignment->setCurrentIndex(alignment->findText("Right"));
    EXPECT_TRUE(m_sheet->GetColumnPage().IsModified());
    EXPECT_TRUE(m_sheet->findChild<QAbstractButton*>("12321")->isEnabled());
    EXPECT_EQ(Column(1).GetAlignment(), 1); // nothing applied yet
    Press("12321");
    EXPECT_EQ(Column(0).GetAlignment(), 2);
    EXPECT_EQ(Column(1).GetAlignment(), 2);
    EXPECT_EQ(Column(0).GetWidth(), 60); // the widths they did not share stay theirs
    EXPECT_EQ(Column(1).GetWidth(), 90);
    EXPECT_EQ(Model().GetHistorySize(), m_history + 1);
    EXPECT_FALSE(m_sheet->findChild<QAbstractButton*>("12321")->isEnabled());

    // One column: its own values; a width typed and a colour chosen in the real colour dialog.
    auto* scopes = Control<CvxComboBox>(Column::kScope);
    scopes->setCurrentIndex(scopes->findText("A"));
    EXPECT_EQ(width->GetEdit()->text(), QString("60"));
    EXPECT_FALSE(color->IsNoColorState());
    EXPECT_EQ(color->GetColorRef(), 0x0000FF);
    width->GetEdit()->setText("75");
    ASSERT_TRUE(width->Commit());
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QString("ColorDialog"));
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    color->click();
    Press("1");
    EXPECT_EQ(Column(0).GetWidth(), 75);
    EXPECT_EQ(Column(0).GetColor(), CvxColorRef(QColor(0x12, 0x34, 0x56)));
    EXPECT_EQ(Column(1).GetWidth(), 90);
    EXPECT_EQ(Model().GetHistorySize(), m_history + 2);
    // Undo brings the records back as they were before OK.
    ASSERT_TRUE(Model().Undo());
    EXPECT_EQ(Column(0).GetWidth(), 60);
    EXPECT_EQ(Column(0).GetColor(), 0x0000FF);
    EXPECT_EQ(Column(0).GetAlignment(), 2);
}

TEST_F(CvxComparePropertySheetTest, DisplayIsOfferedForReferencedColumnsAndMarkerForMarkerRelativeTime)
{
    Model().SetColumnSelection({Column(1).GetID()});
    Open(CvxComparePropertySheet::kColumnPage);
    auto* display = Control<CvxComboBox>(Column::kDisplay);
    auto* marker = Control<CvxMarkerComboBox>(Column::kMarker);
    auto* base = Control<CvxBaseComboBox>(Column::kBase);
    EXPECT_FALSE(display->isEnabled()); // B is not in the reference
    EXPECT_EQ(display->currentIndex(), -1);
    EXPECT_FALSE(marker->isEnabled());

    auto* scopes = Control<CvxComboBox>(Column::kScope);
    scopes->setCurrentIndex(scopes->findText("A"));
    EXPECT_TRUE(display->isEnabled());
    EXPECT_EQ(display->currentText(), QString("All"));
    display->setCurrentIndex(display->findText("Input Only"));
    EXPECT_EQ(base->GetBase(), static_cast<int>(kBaseHex));
    Press("12321");
    EXPECT_EQ(Column(0).GetDifferenceDisplay().GetCode(), CvxCompareColumnDifference::kInputOnly);

    // A marker-relative base enables the marker list and takes the marker it shows.
    CvxMarker* m1 = Model().GetMarkerMgr().AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(20)));
    std::vector<CvxCompareColumn> records = Model().GetColumns();
    records[0].SetBase(CvxBase(kBaseTime));
    Model().ReplaceColumnRecords(records);
    Model().SetColumnSelection({Column(0).GetID()});
    Open(CvxComparePropertySheet::kColumnPage);
    marker = Control<CvxMarkerComboBox>(Column::kMarker);
    base = Control<CvxBaseComboBox>(Column::kBase);
    EXPECT_FALSE(marker->isEnabled());
    base->setCurrentIndex(base->findData(static_cast<int>(kBaseTimeRelative)));
    EXPECT_TRUE(marker->isEnabled());
    marker->setCurrentIndex(marker->findText(CvxQt(m1->GetNameWithAbbreviation())));
    Press("1");
    EXPECT_EQ(Column(0).GetBase().GetCode(), static_cast<int>(kBaseTimeRelative));
    EXPECT_EQ(Column(0).GetMarkerID(), m1->GetID());
}

TEST_F(CvxComparePropertySheetTest, WindowPreviewsReachTheColumnPageAndCancelLeavesTheModelAsItWas)
{
    PreviewRecorder previews;
    Model().AddObserver(&previews);
    const CvxCompareProperties before = Model().GetProperties();
    Open(CvxComparePropertySheet::kWindowPage);
    Show(CvxComparePropertySheet::kColumnPage); // the column page exists, and follows previews
    Show(CvxComparePropertySheet::kWindowPage);
    auto* base = Control<QCheckBox>(Window::kShowBase);
    ASSERT_NE(base, nullptr);
    base->click();
    ASSERT_EQ(previews.previews.size(), 1U);
    EXPECT_EQ(previews.previews[0].IsBaseDisplayed(), !before.IsBaseDisplayed());
    EXPECT_EQ(Model().GetProperties().IsBaseDisplayed(), before.IsBaseDisplayed());

    // A larger font previewed: the column page's widths grow before anything is applied.
    const std::vector<CvxCompareColumn> widths = m_sheet->GetColumnPage().GetWorking();
    auto* font = Control<CvxIntegerEditCtrl>(Window::kFontSize);
    font->GetEdit()->setText("30");
    ASSERT_TRUE(font->Commit());
    ASSERT_EQ(previews.previews.size(), 2U);
    EXPECT_EQ(previews.previews[1].GetFontPointSize(), 30);
    EXPECT_GT(m_sheet->GetColumnPage().GetWorking()[0].GetWidth(), widths[0].GetWidth());
    EXPECT_EQ(Column(0).GetWidth(), 60);

    Press("2");
    EXPECT_TRUE(Model().GetProperties() == before);
    EXPECT_EQ(Column(0).GetWidth(), 60);
    EXPECT_EQ(Model().GetHistorySize(), m_history);

    // OK this time: the properties and the widths as two commands; undone one by one.
    Open(CvxComparePropertySheet::kWindowPage);
    Show(CvxComparePropertySheet::kColumnPage);
    Show(CvxComparePropertySheet::kWindowPage);
    font = Control<CvxIntegerEditCtrl>(Window::kFontSize);
    font->GetEdit()->setText("30");
    ASSERT_TRUE(font->Commit());
    Press("1");
    EXPECT_EQ(Model().GetProperties().GetFontPointSize(), 30);
    EXPECT_GT(Column(0).GetWidth(), 60);
    EXPECT_EQ(Model().GetHistorySize(), m_history + 2);
    ASSERT_TRUE(Model().Undo());
    ASSERT_TRUE(Model().Undo());
    EXPECT_TRUE(Model().GetProperties() == before);
    EXPECT_EQ(Column(0).GetWidth(), 60);
    Model().RemoveObserver(&previews);
}

TEST_F(CvxComparePropertySheetTest, UnchangedPagesRecordNothingAndTheRunUntilActionsAreIndependent)
{
    Open(CvxComparePropertySheet::kWindowPage);
    Show(CvxComparePropertySheet::kColumnPage);
    Show(CvxComparePropertySheet::kDifferencePage);
    Press("1");
    EXPECT_EQ(Model().GetHistorySize(), m_history);

    struct Case {
        bool comparing, run, mail;
    };
    for (const Case& c : {Case{true, false, false}, Case{false, true, false}, Case{false, false, true},
                          Case{true, true, true}, Case{false, false, false}}) {
        Open(CvxComparePropertySheet::kDifferencePage);
        const CvxCompareRunUntil& was = Model().GetRunUntil();
        const std::pair<QCheckBox*, bool> boxes[] = {
            {Control<QCheckBox>(19495), c.comparing != was.IsStopComparingEnabled()},
            {Control<QCheckBox>(19492), c.run != was.IsStopRepetitiveRunEnabled()},
            {Control<QCheckBox>(19493), c.mail != was.IsSendEmailEnabled()}};
        for (const auto& [box, toggle] : boxes) {
            ASSERT_NE(box, nullptr);
            if (toggle) {
                box->click();
            }
        }
        EXPECT_EQ(Control<QCheckBox>(19495)->text(), QString("Stop &comparing"));
        Control<CvxIntegerEditCtrl>(19491)->GetEdit()->setText("25");
        Press("1");
        const CvxCompareRunUntil& now = Model().GetRunUntil();
        EXPECT_EQ(now.IsStopComparingEnabled(), c.comparing);
        EXPECT_EQ(now.IsStopRepetitiveRunEnabled(), c.run);
        EXPECT_EQ(now.IsSendEmailEnabled(), c.mail);
        EXPECT_EQ(now.GetNumberOfDifferences(), 25);
    }
    EXPECT_EQ(Model().GetHistorySize(), m_history); // the rule is not an undoable change

    // The mail's text comes from its own dialog; its OK marks the page changed.
    Open(CvxComparePropertySheet::kDifferencePage);
    QTimer::singleShot(50, [] {
        QWidget* mail = QApplication::activeModalWidget();
        ASSERT_NE(mail, nullptr);
        EXPECT_EQ(mail->objectName(), QString("3429"));
        mail->findChild<QWidget*>("19476")->findChild<QLineEdit*>()->setText("lab@example.com");
        mail->findChild<QAbstractButton*>("1")->click();
    });
    Control<QAbstractButton>(19494)->click();
    EXPECT_TRUE(m_sheet->GetDifferencePage().IsModified());
    Press("1");
    EXPECT_EQ(Model().GetRunUntil().GetEmail().GetRecipient(), u"lab@example.com");
}

TEST_F(CvxComparePropertySheetTest, HelpFollowsThePageAndTheLockListBuildsTheLockedViewers)
{
    std::vector<std::u16string> topics;
    CvxHelpMgr::SetHook([&](const std::u16string& topic) { topics.push_back(topic); });
    const CvxID listing = CvxID::New();
    ASSERT_TRUE(CvxPlugInMgr::GetInstance().AddInstance(listing, u"Listing", 3));
    CvxPlugInMgr::GetInstance().SetFullName(listing, u"Listing 1");
    Model().GetLockedViewers().Add(listing, true);

    Open(CvxComparePropertySheet::kColumnPage);
    for (const int page : {1, 0, 2, 3}) {
        Show(page);
        Press("9");
    }
    EXPECT_EQ(topics, (std::vector<std::u16string>{u"compare_options.htm", u"compare_options.htm",
                                                   u"Markers_Set_Properties.htm", u""}));

    Show(CvxComparePropertySheet::kWindowPage);
    auto* locks = Control<CvxCheckComboBox>(Window::kLockTo);
    ASSERT_NE(locks, nullptr);
    ASSERT_EQ(locks->count(), 1);
    EXPECT_EQ(locks->itemText(0), QString("Listing 1"));
    EXPECT_TRUE(locks->GetCheck(0));
    EXPECT_EQ(locks->GetEmptyText(), QString("<<no locked windows>>"));
    locks->SetCheck(0, false);
    m_sheet->GetWindowPage().SetModified(true); // as the user's toggle marks it
    Press("1");
    EXPECT_TRUE(Model().GetLockedViewers().Contains(listing)); // an unlocked viewer stays listed
    EXPECT_FALSE(Model().GetLockedViewers().IsLocked(listing));
}

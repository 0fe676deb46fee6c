// The bar of buttons above the grid and the dialogs it opens, as real widgets: the buttons'
// enabling, the command messages run as clicks, Enter and Escape left alone; Range & Reference
// with its markers, radio buttons and offset limits; Select Buses/Signals with its list, its
// default markers, its images and its question; Run Until. Cancel leaves the model as it was.

#include "../views/CvxCompareWindowTest.h"

#include "CvxButton.h"
#include "CvxCompareControlsDlg.h"
#include "CvxCompareDoc.h"
#include "CvxCompareEmailDlg.h"
#include "CvxCompareMessage.h"
#include "CvxCompareRangeDlg.h"
#include "CvxCompareReferenceLabelSelectionDlg.h"
#include "CvxCompareRunUntilDlg.h"
#include "CvxCompareView.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxLabelTreeCtrl.h"
#include "CvxMarker.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"
#include "CvxUiServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Answers the next modal dialog (a message box or ours): `act` clicks or types in it.
void AnswerNextDialog(std::function<void(QWidget&)> act)
{
    QTimer::singleShot(50, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

void Click(QWidget& dialog, const char* name)
{
    auto* button = dialog.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class CvxCompareBarTest : public CvxCompareWindowTest {
protected:
    void SetUp() override
    {
        CvxCompareWindowTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
        m_bar = m_view->findChild<CvxCompareControlsDlg*>("3423");
        ASSERT_NE(m_bar, nullptr);
    }
    bool Enabled(int id) { return m_bar->GetButton(id)->isEnabled(); }
    // A and B over 8 rows; a reference of A is copied, then rows 2 and 5 of A differ.
    void GiveDifferences()
    {
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3, 4, 5, 6, 7, 8}}, {u"B", 8, {0, 0, 0, 0, 0, 0, 0, 0}}}));
        Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
        CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 9, 4, 5, 9, 7, 8}}, {u"B", 8, {0, 0, 0, 0, 0, 0, 0, 0}}}), 2);
        ASSERT_EQ(Model().GetResults().GetDifferences(), 2);
    }

    CvxCompareControlsDlg* m_bar = nullptr;
};

} // namespace

TEST_F(CvxCompareBarTest, ButtonsFollowTheDataTheReferenceAndTheDifferences)
{
    using Bar = CvxCompareControlsDlg;
    for (const int id : {Bar::kPrevious, Bar::kNext, Bar::kCopy, Bar::kRangeAndOffset}) {
        EXPECT_FALSE(Enabled(id)) << id; // no data yet
    }
    EXPECT_EQ(m_bar->GetButton(Bar::kNext)->toolTip(), QString("Goto Next Difference"));
    EXPECT_EQ(m_bar->GetButton(Bar::kRangeAndOffset)->text(), QString("&Range && Offset..."));

    // Data but no reference: Copy only.
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1, 2, 3}}}));
    EXPECT_TRUE(Enabled(Bar::kCopy));
    EXPECT_FALSE(Enabled(Bar::kRangeAndOffset));

    // A comparison without differences leaves both steps disabled wherever the centre is.
    Model().CopyReference({CvxLabelChannel(CvxTestLabel(u"A"))}, CvxCompareRange());
    EXPECT_TRUE(Enabled(Bar::kRangeAndOffset));
    EXPECT_FALSE(Enabled(Bar::kPrevious));
    EXPECT_FALSE(Enabled(Bar::kNext));

    GiveDifferences();
    Model().GotoFirst();
    EXPECT_TRUE(Enabled(Bar::kNext));
    EXPECT_FALSE(Enabled(Bar::kPrevious));
    QTest::mouseClick(m_bar->GetButton(Bar::kNext), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(Model().GetCenter().AsSample(), 2);
    EXPECT_FALSE(Enabled(Bar::kPrevious)); // the first difference: none before it

    // The next-difference message runs as a click, once, even with ">>" disabled.
    m_bar->GetButton(Bar::kNext)->setEnabled(false);
    CvxCompareNextDifferenceMessage next;
    Model().Broadcast(next);
    EXPECT_EQ(Model().GetCenter().AsSample(), 2); // not yet: it runs from the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(Model().GetCenter().AsSample(), 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(Model().GetCenter().AsSample(), 5);
    EXPECT_TRUE(Enabled(Bar::kPrevious));
    EXPECT_FALSE(Enabled(Bar::kNext));

    // Enter and Escape do not close the bar.
    m_bar->GetButton(Bar::kCopy)->setFocus();
    QTest::keyClick(m_bar, Qt::Key_Escape);
    QTest::keyClick(m_bar, Qt::Key_Return);
    EXPECT_TRUE(m_bar->isVisible());
}

TEST_F(CvxCompareBarTest, RangeAndReferenceShowsMissingMarkersAsTheDataEndsAndKeepsTheOffsetInItsLimits)
{
    GiveDifferences();
    CvxMarkerMgr& markers = Model().GetMarkerMgr();
    CvxMarker* gone = markers.AddUserMarker(Model().GetDataFirst());
    CvxCompareRange saved;
    saved.SetType(CvxCompareRange::kMarkers);
    saved.SetFromMarkerID(gone->GetID());
    saved.SetToMarkerID(CvxID::New());
    Model().SetRangeAndOffset(saved, Model().GetReferenceOffset());
    markers.DeleteMarker(saved.GetFromMarkerID());

    {
        CvxCompareRangeDlg dialog(Model(), m_view.get());
        auto* from = dialog.findChild<CvxMarkerComboBox*>("19463");
        auto* to = dialog.findChild<CvxMarkerComboBox*>("19464");
        EXPECT_EQ(from->GetSelectedMarker(), markers.GetBeginDataMarkerID());
        EXPECT_EQ(to->GetSelectedMarker(), markers.GetEndDataMarkerID());
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("19462")->isChecked());
        EXPECT_TRUE(from->isEnabled());
        Click(dialog, "19461");
        EXPECT_FALSE(from->isEnabled());
        EXPECT_FALSE(dialog.findChild<QWidget*>("19466")->isEnabled());
        Click(dialog, "19462");
        EXPECT_TRUE(to->isEnabled());
        EXPECT_TRUE(dialog.isVisible() || !dialog.isVisible()); // the radio buttons never close it
        EXPECT_EQ(dialog.result(), 0);

        // The offset: the limits are taken, a value beyond is not.
        auto* offset = dialog.findChild<CvxIntegerEditCtrl*>("19468");
        QLineEdit* edit = offset->GetEdit();
        for (const char* accepted : {"-999999999", "999999999"}) {
            edit->selectAll();
            QTest::keyClicks(edit, accepted);
            QTest::keyClick(edit, Qt::Key_Tab);
            EXPECT_EQ(offset->GetIntegerValue(), QString(accepted).toLongLong());
        }
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "1000000000");
        EXPECT_FALSE(offset->IsValid() && offset->GetIntegerValue() == 1000000000);
        edit->selectAll();
        QTest::keyClicks(edit, "-3");
        dialog.accept();
    }
    // OK stored the markers the dialog showed and the offset.
    EXPECT_EQ(Model().GetCompareRange().GetType(), CvxCompareRange::kMarkers);
    EXPECT_EQ(Model().GetCompareRange().GetFromMarkerID(), markers.GetBeginDataMarkerID());
    EXPECT_EQ(Model().GetCompareRange().GetToMarkerID(), markers.GetEndDataMarkerID());
    EXPECT_EQ(Model().GetReferenceOffset().GetSampleOffset(), -3);
    EXPECT_EQ(Model().GetReferenceRange(), Model().GetCompareRange());

    // Cancel leaves everything as it was.
    const CvxCompareRange range = Model().GetCompareRange();
    {
        CvxCompareRangeDlg dialog(Model(), m_view.get());
        Click(dialog, "19461");
        dialog.findChild<CvxIntegerEditCtrl*>("19468")->SetValue(7);
        dialog.reject();
    }
    EXPECT_EQ(Model().GetCompareRange(), range);
    EXPECT_EQ(Model().GetReferenceOffset().GetSampleOffset(), -3);
}

TEST_F(CvxCompareBarTest, SelectBusesSignalsKeepsItsListInOrderAndAsksBeforeCopyingNothing)
{
    GiveDifferences();
    CvxCompareReferenceLabelSelectionDlg dialog(Model(), m_view.get());
    auto* tree = dialog.findChild<CvxLabelTreeCtrl*>("19481");
    auto* list = dialog.findChild<QTreeWidget*>("19484");
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 1); // the reference holds A
    EXPECT_EQ(list->topLevelItem(0)->text(0), QString("A"));
    EXPECT_FALSE(dialog.findChild<QWidget*>("19482")->isEnabled()); // nothing chosen in the tree

    // Adding A again changes nothing; adding B and A appends only B.
    const auto select = [&](const std::vector<QString>& names) {
        tree->clearSelection();
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            if (std::find(names.begin(), names.end(), (*it)->text(0)) != names.end()) {
                (*it)->setSelected(true);
            }
        }
    };
    select({"A"});
    EXPECT_TRUE(dialog.findChild<QWidget*>("19482")->isEnabled());
    dialog.Add();
    EXPECT_EQ(dialog.GetSelected().size(), 1U);
    select({"A", "B"});
    dialog.Add();
    ASSERT_EQ(dialog.GetSelected().size(), 2U);
    EXPECT_EQ(dialog.GetSelected()[1], CvxLabelChannel(CvxTestLabel(u"B")));
    EXPECT_EQ(list->topLevelItem(0)->data(0, Qt::UserRole).toInt(), 2); // a whole bus

    // Remove rows 1 and 3 of five: 0, 2 and 4 stay in their order.
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1}}, {u"B", 8, {1}}, {u"C", 8, {1}}, {u"D", 8, {1}}, {u"E", 8, {1}}}));
    tree->Fill();
    select({"C", "D", "E"});
    dialog.Add();
    ASSERT_EQ(list->topLevelItemCount(), 5);
    list->clearSelection();
    list->topLevelItem(1)->setSelected(true);
    list->topLevelItem(3)->setSelected(true);
    dialog.Remove();
    std::vector<QString> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        rows.push_back(list->topLevelItem(i)->text(0));
    }
    EXPECT_EQ(rows, (std::vector<QString>{"A", "C", "E"}));

    // An empty list disables the range, whatever its type.
    list->selectAll();
    dialog.Remove();
    EXPECT_FALSE(dialog.findChild<QWidget*>("19485")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QWidget*>("19486")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QWidget*>("19488")->isEnabled());

    // OK with nothing selected asks; Cancel keeps the dialog open and the reference as it is.
    AnswerNextDialog([](QWidget& box) {
        ASSERT_NE(qobject_cast<QMessageBox*>(&box), nullptr);
        EXPECT_EQ(qobject_cast<QMessageBox*>(&box)->text(), QString("No buses/signals have been selected. Okay to continue?"));
        qobject_cast<QMessageBox*>(&box)->reject();
    });
    dialog.accept();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(Model().GetReferenceBuffer().GetCount(), 1U);
}

TEST_F(CvxCompareBarTest, SelectionDefaultsToTheUserMarkersAndImagesShowLockedLabels)
{
    GiveDifferences();
    CvxMarker* only = Model().GetMarkerMgr().AddUserMarker(Model().GetDataFirst());
    ASSERT_NE(only, nullptr);
    {
        CvxCompareReferenceLabelSelectionDlg dialog(Model(), m_view.get());
        EXPECT_EQ(dialog.findChild<CvxMarkerComboBox*>("19488")->GetSelectedMarker(), only->GetID());
        EXPECT_EQ(dialog.findChild<CvxMarkerComboBox*>("19490")->GetSelectedMarker(), only->GetID());
    }
    // A single signal shows image 4, locked 5; a whole bus 2, locked 3.
    CvxGiveData(Model(), CvxMakeTestData({{u"A", 8, {1}}, {u"S", 1, {0}}}));
    CvxLabelBase* a = CvxLabelMgr::GetInstance().IDToLabel(CvxTestLabel(u"A"));
    CvxLabelBase* s = CvxLabelMgr::GetInstance().IDToLabel(CvxTestLabel(u"S"));
    EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(CvxLabelChannel(a->GetID())), 2);
    EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(CvxLabelChannel(s->GetID())), 4);
    a->SetLocked(true);
    s->SetLocked(true);
    EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(CvxLabelChannel(a->GetID())), 3);
    EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(CvxLabelChannel(s->GetID())), 5);
    EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(CvxLabelChannel(a->GetID(), 0)), 5);
}

TEST_F(CvxCompareBarTest, CopyThroughTheBarCopiesTheListOverTheRangeAndRunUntilKeepsItsRule)
{
    GiveDifferences();
    // Copy... with B added: the reference holds A and B, in that order.
    AnswerNextDialog([](QWidget& dialog) {
        auto* selection = qobject_cast<CvxCompareReferenceLabelSelectionDlg*>(&dialog);
        ASSERT_NE(selection, nullptr);
        auto* tree = selection->findChild<CvxLabelTreeCtrl*>("19481");
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            (*it)->setSelected((*it)->text(0) == "B");
        }
        Click(*selection, "19482");
        Click(*selection, "1");
    });
    QTest::mouseClick(m_bar->GetButton(CvxCompareControlsDlg::kCopy), Qt::LeftButton);
    QTest::qWait(200);
    ASSERT_EQ(Model().GetReferenceBuffer().GetCount(), 2U);
    EXPECT_EQ(Model().GetResults().GetDifferences(), 0);

    // Run Until: threshold, stop the run, the mail; not undoable.
    const std::size_t history = Model().GetHistorySize();
    AnswerNextDialog([](QWidget& dialog) {
        auto* threshold = dialog.findChild<CvxIntegerEditCtrl*>("19491");
        ASSERT_NE(threshold, nullptr);
        threshold->GetEdit()->selectAll();
        QTest::keyClicks(threshold->GetEdit(), "5");
        dialog.findChild<QCheckBox*>("19492")->setChecked(true);
        dialog.findChild<QCheckBox*>("19493")->setChecked(true);
        AnswerNextDialog([](QWidget& email) {
            ASSERT_EQ(email.objectName(), QString("3429"));
            auto* to = email.findChild<QLineEdit*>("edit");
            ASSERT_NE(to, nullptr);
            to->setText("rig@example.org");
            Click(email, "1");
        });
        Click(dialog, "19494");
        Click(dialog, "1");
    });
    QTest::mouseClick(m_bar->GetButton(CvxCompareControlsDlg::kRunUntil), Qt::LeftButton);
    QTest::qWait(400);
    const CvxCompareRunUntil& rule = Model().GetRunUntil();
    EXPECT_EQ(rule.GetNumberOfDifferences(), 5);
    EXPECT_TRUE(rule.IsStopRepetitiveRunEnabled());
    EXPECT_TRUE(rule.IsSendEmailEnabled());
    EXPECT_EQ(CvxQt(rule.GetEmail().GetRecipient()), QString("rig@example.org"));
    EXPECT_EQ(Model().GetHistorySize(), history);
}

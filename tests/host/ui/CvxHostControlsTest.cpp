// The host's basic controls as real widgets on the offscreen platform: buttons report their
// clicks to their dialog by posted events, dialogs are taken down all at once, and the marker
// list and text edits tell the caller of the user's changes only.

#include "CvxQtTestApp.h"

#include "CvxAlphaEditCtrl.h"
#include "CvxButton.h"
#include "CvxDialog.h"
#include "CvxID.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxPosition.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A parent that keeps the ids of the clicks posted to it.
class ClickRecorder : public QWidget {
public:
    std::vector<int> clicks;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == CvxButtonClickEvent::kType) {
            clicks.push_back(static_cast<CvxButtonClickEvent*>(event)->GetID());
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

TEST(CvxHostControls, ButtonPostsItsIdToItsParentOncePerClick)
{
    CvxQtTestApp();
    ClickRecorder parent;
    auto* apply = new CvxButton(1012, "Apply", &parent);
    auto* close = new CvxButton(1013, "Close", &parent);
    EXPECT_EQ(apply->objectName(), QString("1012"));
    EXPECT_EQ(close->GetID(), 1013);
    parent.show();
    QTest::mouseClick(apply, Qt::LeftButton);
    // Posted, not sent: the dialog hears of the click only once the click has finished.
    EXPECT_TRUE(parent.clicks.empty());
    QTest::mouseClick(close, Qt::LeftButton);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(&parent);
    EXPECT_EQ(parent.clicks, (std::vector<int>{1012, 1013, 1012}));

    apply->ShowToolTip("Applies the changes", 10, 20);
    EXPECT_EQ(apply->toolTip(), QString("Applies the changes"));
}

TEST(CvxHostControls, PopDownAllTakesDownOpenDialogsOnly)
{
    CvxQtTestApp();
    int commandRuns = 0;
    CvxDialog withCommand("Compare Options", 31, nullptr);
    withCommand.SetPopDownCommand([&] {
        ++commandRuns;
        withCommand.hide();
    });
    CvxDialog plain("Go To", 32, nullptr);
    CvxDialog closed("Find", 33, nullptr);
    closed.SetPopDownCommand([&] { ++commandRuns; });
    // One whose owner deletes it while another pops down.
    QPointer<CvxDialog> owned = new CvxDialog("Owned", 34, nullptr);
    CvxDialog owner("Owner", 35, nullptr);
    owner.SetPopDownCommand([&] {
        delete owned;
        owner.hide();
    });
    EXPECT_EQ(plain.objectName(), QString("32"));
    EXPECT_EQ(plain.GetName(), QString("Go To"));
    withCommand.show();
    plain.show();
    owned->show();
    owner.show();

    CvxDialog::PopDownAll();
    EXPECT_EQ(commandRuns, 1);
    EXPECT_FALSE(withCommand.isVisible());
    EXPECT_FALSE(plain.isVisible());
    EXPECT_EQ(plain.result(), QDialog::Rejected);
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(owned.isNull());
}

TEST(CvxHostControls, DialogUnitsFollowTheFont)
{
    CvxQtTestApp();
    QWidget small;
    QWidget large;
    QFont font = large.font();
    font.setPointSize(small.font().pointSize() * 3);
    large.setFont(font);
    EXPECT_EQ(CvxDialog::DialogUnitsX(small, 4), QFontMetrics(small.font()).averageCharWidth());
    EXPECT_EQ(CvxDialog::DialogUnitsY(small, 8), QFontMetrics(small.font()).height());
    EXPECT_GT(CvxDialog::DialogUnitsX(large, 100), CvxDialog::DialogUnitsX(small, 100));
    EXPECT_GT(CvxDialog::DialogUnitsY(large, 100), CvxDialog::DialogUnitsY(small, 100));
}

TEST(CvxHostControls, MarkerComboListsMarkersAndHearsOnlyTheUsersChoice)
{
    CvxQtTestApp();
    CvxMarkerMgr markers;
    CvxMarker* m1 = markers.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(5)));
    CvxMarkerMgr otherViewer;
    otherViewer.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(1)));
    CvxMarker* foreign = otherViewer.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(2)));
    std::vector<CvxMarker*> offered = markers.GetMarkers(false);
    offered.push_back(otherViewer.GetMarker(otherViewer.GetTriggerMarkerID()));
    offered.push_back(foreign);

    CvxMarkerComboBox combo(2040, nullptr);
    std::vector<CvxID> heard;
    bool take = true;
    combo.SetValueChangedCommand([&](const CvxID& marker) {
        heard.push_back(marker);
        return take;
    });
    combo.SetMarkers(offered, markers);
    ASSERT_EQ(combo.count(), 4); // the other viewer's markers are not this viewer's
    EXPECT_EQ(combo.itemText(0), QString("Begin (B)"));
    EXPECT_EQ(combo.itemText(2), QString("Trigger (T)"));
    EXPECT_EQ(combo.GetSelectedMarker(), markers.GetBeginDataMarkerID());

    EXPECT_TRUE(combo.SelectMarker(m1->GetID()));
    EXPECT_EQ(combo.GetSelectedMarker(), m1->GetID());
    EXPECT_FALSE(combo.SelectMarker(foreign->GetID()));
    EXPECT_EQ(combo.GetSelectedMarker(), m1->GetID());
    combo.SetMarkers(markers.GetMarkers(true), markers); // the choice survives a refill
    EXPECT_EQ(combo.GetSelectedMarker(), m1->GetID());
    EXPECT_TRUE(heard.empty());

    combo.setCurrentIndex(combo.findText("End (E)"));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], markers.GetEndDataMarkerID());

    // A choice the caller does not take is undone.
    take = false;
    combo.setCurrentIndex(combo.findText("Begin (B)"));
    EXPECT_EQ(heard.size(), 2u);
    EXPECT_EQ(combo.GetSelectedMarker(), markers.GetEndDataMarkerID());

    combo.SetMarkers({}, markers);
    EXPECT_TRUE(combo.GetSelectedMarker().IsNull());
    EXPECT_EQ(heard.size(), 2u);
}

TEST(CvxHostControls, MarkerComboHearsTheKeyboard)
{
    CvxQtTestApp();
    CvxMarkerMgr markers;
    CvxMarkerComboBox combo(2041, nullptr);
    std::vector<CvxID> heard;
    combo.SetValueChangedCommand([&](const CvxID& marker) {
        heard.push_back(marker);
        return true;
    });
    combo.SetMarkers(markers.GetMarkers(false), markers);
    combo.show();
    QTest::keyClick(&combo, Qt::Key_Down);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], markers.GetEndDataMarkerID());
}

TEST(CvxHostControls, AlphaEditTellsOfTheUsersTypingNotOfSetText)
{
    CvxQtTestApp();
    for (const bool multiLine : {false, true}) {
        CvxAlphaEditCtrl edit(3001, multiLine, nullptr);
        EXPECT_EQ(edit.objectName(), QString("3001"));
        int changes = 0;
        edit.SetValueChangedCommand([&] { ++changes; });
        edit.SetKeypadCaption("Comment");
        edit.SetText("first");
        EXPECT_EQ(changes, 0);
        QWidget* inner = edit.findChild<QWidget*>("edit");
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->accessibleName(), QString("Comment"));
        if (multiLine) {
            auto* lines = qobject_cast<QPlainTextEdit*>(inner);
            ASSERT_NE(lines, nullptr);
            EXPECT_EQ(lines->placeholderText(), QString("Comment"));
            lines->moveCursor(QTextCursor::End);
            QTest::keyClick(lines, Qt::Key_Return);
            QTest::keyClicks(lines, "ab");
            EXPECT_EQ(edit.GetText(), QString("first\nab"));
        } else {
            auto* line = qobject_cast<QLineEdit*>(inner);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->placeholderText(), QString("Comment"));
            line->end(false);
            QTest::keyClicks(line, " ab");
            EXPECT_EQ(edit.GetText(), QString("first ab"));
        }
        EXPECT_EQ(changes, 3);
    }
}

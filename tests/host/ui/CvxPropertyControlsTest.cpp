// The controls the property pages are made of, as real widgets on the offscreen platform: the
// colour well with Qt's colour dialog, the check combo box with its popup, and the combo boxes
// of integer items and of number bases, each telling the user's changes only.

#include "CvxQtTestApp.h"

#include "CvxBaseComboBox.h"
#include "CvxCheckComboBox.h"
#include "CvxColorWellButton.h"
#include "CvxComboBox.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Clicks the well and answers its colour dialog (found as a remote client finds it) with
// `chosen`, or cancels it when that is invalid. Gives the colour the dialog opened on.
QColor ChooseInDialog(CvxColorWellButton& well, const QColor& chosen)
{
    QColor offered;
    QTimer::singleShot(0, [&] {
        QColorDialog* dialog = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == "ColorDialog") {
                dialog = qobject_cast<QColorDialog*>(window);
            }
        }
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isModal());
        offered = dialog->currentColor();
        if (chosen.isValid()) {
            dialog->setCurrentColor(chosen);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    QTest::mouseClick(&well, Qt::LeftButton);
    return offered;
}

// A point inside the swatch, off its frame and crossing lines.
QColor SwatchPixel(CvxColorWellButton& well)
{
    const QImage image = well.grab().toImage();
    return image.pixelColor(image.width() / 5, image.height() / 2);
}

} // namespace

TEST(CvxPropertyControls, ColorWellTakesTheColourChosenInTheDialog)
{
    CvxQtTestApp();
    CvxColorWellButton well(19429, nullptr);
    well.resize(60, 28);
    well.show();
    QSignalSpy changed(&well, &CvxColorWellButton::colorChanged);
    well.SetColorRef(0x563412); // 0x00BBGGRR
    EXPECT_EQ(well.GetColor(), QColor(0x12, 0x34, 0x56));
    well.SetNoColorState(true);

    EXPECT_EQ(ChooseInDialog(well, QColor()), QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_TRUE(well.IsNoColorState());

    ChooseInDialog(well, QColor(Qt::green));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 19429);
    EXPECT_EQ(changed[0][1].value<QColor>(), QColor(Qt::green));
    EXPECT_EQ(well.GetColorRef(), 0x00FF00);
    EXPECT_FALSE(well.IsNoColorState());

    // The same colour again still counts: choosing it is what ends the no-colour state.
    well.SetNoColorState(true);
    ChooseInDialog(well, QColor(Qt::green));
    EXPECT_EQ(changed.size(), 2);
    EXPECT_FALSE(well.IsNoColorState());
}

TEST(CvxPropertyControls, ColorWellPaintsItsColourNoColourAndGreyWhenDisabled)
{
    CvxQtTestApp();
    CvxColorWellButton well(19437, nullptr);
    well.resize(60, 28);
    well.SetColor(Qt::red);
    EXPECT_EQ(SwatchPixel(well), QColor(Qt::red));
    well.SetNoColorState(true);
    EXPECT_NE(SwatchPixel(well), QColor(Qt::red));
    well.SetNoColorState(false);
    well.setEnabled(false);
    EXPECT_LT(SwatchPixel(well).hsvSaturation(), 30);
}

TEST(CvxPropertyControls, CheckComboTogglesInItsOpenPopupAndShowsTheCheckedItems)
{
    CvxQtTestApp();
    CvxCheckComboBox combo(19490, nullptr);
    QSignalSpy changed(&combo, &CvxCheckComboBox::selectionChanged);
    combo.SetEmptyText("<<no locked windows>>");
    combo.AddItem("Listing", false);
    combo.AddItem("Compare 2", true);
    EXPECT_EQ(combo.AddItem("Compare 3", false), 2);
    combo.SetCheck(2, true);
    EXPECT_EQ(combo.GetText(), QString("Compare 2, Compare 3"));
    EXPECT_TRUE(changed.isEmpty());

    combo.show();
    combo.showPopup();
    QAbstractItemView* view = combo.view();
    const auto click = [&](int row) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(combo.model()->index(row, 0)).center());
    };
    click(0);
    EXPECT_TRUE(view->isVisible()); // still open for the next one
    click(1);
    EXPECT_EQ(combo.GetText(), QString("Listing, Compare 3"));
    view->setCurrentIndex(combo.model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_FALSE(combo.GetCheck(2));
    EXPECT_EQ(changed.size(), 3);
    combo.hidePopup();

    combo.SetCheck(0, false);
    EXPECT_EQ(combo.GetText(), QString("<<no locked windows>>"));
    EXPECT_EQ(changed.size(), 3);
}

TEST(CvxPropertyControls, ComboTellsTheUsersChoiceNotTheCallers)
{
    CvxQtTestApp();
    CvxComboBox combo(19446, nullptr);
    QSignalSpy changed(&combo, &CvxComboBox::selectionChanged);
    combo.AddItem("<all>", -1); // -1 is data like any other, not "nothing chosen"
    combo.AddItem("Center", 1);
    combo.AddItem("Right", 2);
    EXPECT_EQ(combo.GetSelectedData(), -1);
    EXPECT_TRUE(combo.SelectData(2));
    EXPECT_FALSE(combo.SelectData(7));
    EXPECT_EQ(combo.GetSelectedData(), 2);
    combo.SelectIndex(-1);
    EXPECT_FALSE(combo.GetSelectedData().has_value());
    combo.Clear();
    combo.AddItem("Left", 0);
    combo.AddItem("Right", 2);
    EXPECT_TRUE(changed.isEmpty());

    combo.show();
    QTest::keyClick(&combo, Qt::Key_Down);
    combo.setCurrentIndex(0); // as a remote client chooses
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0][0].toInt(), 19446);
}

TEST(CvxPropertyControls, BaseComboListsTheBasesOfItsGroup)
{
    CvxQtTestApp();
    const auto listed = [](const CvxBaseComboBox& combo) {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i) {
            texts.append(combo.itemText(i) + "=" + combo.itemData(i).toString());
        }
        return texts.join(", ");
    };
    CvxBaseComboBox combo(19430, nullptr);
    QSignalSpy changed(&combo, &CvxComboBox::selectionChanged);
    EXPECT_EQ(listed(combo), QString("Hex=1, Binary=2, Octal=3, Decimal=4, Signed Decimal=5, ASCII=6, Symbols=7"));
    EXPECT_TRUE(combo.SetBase(kBaseDecimal));
    EXPECT_FALSE(combo.SetBase(kBaseTime));
    // A group that holds the chosen base keeps it; one that does not starts at its first.
    combo.SetBaseGroup(kBaseGroupSymbol);
    EXPECT_EQ(combo.GetBase(), kBaseDecimal);
    combo.SetBaseGroup(kBaseGroupTime);
    EXPECT_EQ(listed(combo), QString("Time=8, Time Relative=10"));
    EXPECT_EQ(combo.GetBase(), kBaseTime);
    EXPECT_TRUE(changed.isEmpty());

    combo.setCurrentIndex(1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(combo.GetBase(), kBaseTimeRelative);
}

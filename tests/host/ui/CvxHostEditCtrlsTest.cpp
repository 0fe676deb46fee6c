// The numeric edits and their keypad as real widgets on the offscreen platform: they only
// ever hold a number within their range, say the range when they refuse one, and tell the
// caller of each new number the user enters.

#include "CvxQtTestApp.h"

#include "CvxIntegerEditCtrl.h"
#include "CvxKeypadDlg.h"
#include "CvxNumericEditCtrl.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <limits>

namespace {

// Types into the edit as the user does and finishes with Return.
void Enter(CvxNumericEditCtrl& control, const QString& text)
{
    control.GetEdit()->clear();
    QTest::keyClicks(control.GetEdit(), text);
    QTest::keyClick(control.GetEdit(), Qt::Key_Return);
}

void Press(QDialog& keypad, const QString& key)
{
    auto* button = keypad.findChild<QPushButton*>(key);
    ASSERT_NE(button, nullptr) << key.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

QPushButton* OkOf(QDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

TEST(CvxHostEditCtrls, IntegerEditRefusesOutOfRangeAndMalformedTextAndKeepsTheLastValue)
{
    CvxQtTestApp();
    CvxIntegerEditCtrl control(4100, nullptr);
    EXPECT_EQ(control.objectName(), QString("4100"));
    EXPECT_NE(control.findChild<QLineEdit*>("edit"), nullptr);
    EXPECT_NE(control.findChild<QToolButton*>("keypad"), nullptr);
    int changes = 0;
    control.SetValueChangedCommand([&] { ++changes; });

    Enter(control, "-999999999");
    EXPECT_EQ(control.GetIntegerValue(), -999999999);
    Enter(control, "999999999");
    EXPECT_EQ(control.GetIntegerValue(), 999999999);
    EXPECT_EQ(changes, 2);

    Enter(control, "1000000000");
    EXPECT_EQ(control.GetLastError(), QString("Enter a number from -999999999 to 999999999."));
    EXPECT_EQ(control.GetEdit()->text(), QString("999999999"));
    EXPECT_EQ(control.GetIntegerValue(), 999999999);
    EXPECT_EQ(changes, 2);

    // The keyboard cannot type a letter or a point; pasted text is refused when taken.
    Enter(control, "12a.5");
    EXPECT_EQ(control.GetIntegerValue(), 125);
    control.GetEdit()->setText("12a");
    EXPECT_FALSE(control.IsValid());
    EXPECT_EQ(control.GetIntegerValue(), 125);
    QTest::keyClick(control.GetEdit(), Qt::Key_Return);
    EXPECT_EQ(control.GetEdit()->text(), QString("125"));
    EXPECT_EQ(changes, 3);

    // The same number again is no change; nor is the caller's own SetValue.
    Enter(control, "0125");
    control.SetValue(7);
    EXPECT_EQ(control.GetIntegerValue(), 7);
    EXPECT_EQ(changes, 3);
}

TEST(CvxHostEditCtrls, IntegerEditIsExactOverSixtyFourBits)
{
    CvxQtTestApp();
    CvxIntegerEditCtrl control(4101, nullptr);
    control.SetRange(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    Enter(control, "9223372036854775807");
    EXPECT_EQ(control.GetIntegerValue(), std::numeric_limits<qint64>::max());
    Enter(control, "9223372036854775808");
    EXPECT_EQ(control.GetIntegerValue(), std::numeric_limits<qint64>::max());
    EXPECT_TRUE(control.GetLastError().contains("-9223372036854775808 to 9223372036854775807"));

    // A narrower range brings the value in, and SetValue stays within it.
    control.SetRange(100, 10);
    EXPECT_EQ(control.GetIntegerValue(), 100);
    control.SetValue(-5);
    EXPECT_EQ(control.GetIntegerValue(), 10);
}

TEST(CvxHostEditCtrls, NumericEditTakesFractionsAndCommitsWhenLeft)
{
    CvxQtTestApp();
    CvxNumericEditCtrl control(4102, nullptr);
    control.SetRange(-1.5, 2.5);
    int changes = 0;
    control.SetValueChangedCommand([&] { ++changes; });
    Enter(control, "2.25");
    EXPECT_DOUBLE_EQ(control.GetValue(), 2.25);
    Enter(control, "2.5001");
    EXPECT_DOUBLE_EQ(control.GetValue(), 2.25);
    EXPECT_EQ(control.GetLastError(), QString("Enter a number from -1.5 to 2.5."));
    Enter(control, "nan");
    EXPECT_DOUBLE_EQ(control.GetValue(), 2.25);
    EXPECT_EQ(changes, 1);

    // Leaving the edit finishes editing as Return does.
    control.GetEdit()->setText("-1.5");
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(control.GetEdit(), &leave);
    EXPECT_DOUBLE_EQ(control.GetValue(), -1.5);
    EXPECT_EQ(changes, 2);
    control.GetEdit()->setText("x");
    QCoreApplication::sendEvent(control.GetEdit(), &leave);
    EXPECT_EQ(control.GetEdit()->text(), QString("-1.5"));
    EXPECT_EQ(changes, 2);
}

TEST(CvxHostEditCtrls, KeypadTypesSignsAndPointsAndRefusesWhatTheCheckRefuses)
{
    CvxQtTestApp();
    CvxKeypadDlg keypad("Delay", false, [](const QString& text) {
        return text.toDouble() > 10 ? QString("Enter a number from 0 to 10.") : QString();
    });
    EXPECT_EQ(keypad.windowTitle(), QString("Delay"));
    keypad.show();
    for (const char* key : {"1", "2", "point", "point", "5", "minus"}) {
        Press(keypad, key);
    }
    EXPECT_EQ(keypad.GetText(), QString("-12.5"));
    Press(keypad, "minus");
    EXPECT_EQ(keypad.GetText(), QString("12.5"));

    QString message;
    QTimer::singleShot(30, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(OkOf(keypad), Qt::LeftButton);
    EXPECT_EQ(message, QString("Enter a number from 0 to 10."));
    EXPECT_TRUE(keypad.isVisible());

    Press(keypad, "back");
    Press(keypad, "back");
    EXPECT_EQ(keypad.GetText(), QString("12"));
    Press(keypad, "clear");
    Press(keypad, "7");
    QTest::mouseClick(OkOf(keypad), Qt::LeftButton);
    EXPECT_EQ(keypad.result(), QDialog::Accepted);
    EXPECT_EQ(keypad.GetText(), QString("7"));

    CvxKeypadDlg whole("Count", true, {});
    EXPECT_EQ(whole.findChild<QPushButton*>("point"), nullptr);
}

TEST(CvxHostEditCtrls, KeypadButtonEntersItsNumberIntoTheEdit)
{
    CvxQtTestApp();
    CvxIntegerEditCtrl control(4103, nullptr);
    control.SetKeypadCaption("Sample Offset");
    control.SetValue(5);
    int changes = 0;
    control.SetValueChangedCommand([&] { ++changes; });
    QString title;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* keypad = qobject_cast<CvxKeypadDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(keypad, nullptr);
        title = keypad->windowTitle();
        shown = keypad->GetText();
        for (const char* key : {"clear", "4", "2", "minus"}) {
            Press(*keypad, key);
        }
        QTest::mouseClick(OkOf(*keypad), Qt::LeftButton);
    });
    QTest::mouseClick(control.findChild<QToolButton*>("keypad"), Qt::LeftButton);
    EXPECT_EQ(title, QString("Sample Offset"));
    EXPECT_EQ(shown, QString("5"));
    EXPECT_EQ(control.GetIntegerValue(), -42);
    EXPECT_EQ(changes, 1);
}

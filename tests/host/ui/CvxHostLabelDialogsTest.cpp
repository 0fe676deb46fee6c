// The host's dialogs for the trigger and for one bus/signal, with real widgets on the
// offscreen platform and the real session around the simulated analyzer: what each offers,
// what it refuses (said in the dialog, which stays open) and what OK really changes.

#include "CvxQtTestApp.h"

#include "CvxAdvancedTriggerDlg.h"
#include "CvxBase.h"
#include "CvxChannelAssignDlg.h"
#include "CvxData.h"
#include "CvxFindLabelDlg.h"
#include "CvxHostSession.h"
#include "CvxLabelMgr.h"
#include "CvxSimpleTriggerDlg.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxSymbolsDlg.h"
#include "CvxVcdSource.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Failures show texts, not UTF-16 code units.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

template <typename T>
T* Find(const QWidget& dialog, const char* name)
{
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// A radio button takes clicks on its circle and text only, at its left; others anywhere.
void Click(const QWidget& dialog, const char* name)
{
    auto* button = Find<QAbstractButton>(dialog, name);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    QTest::mouseClick(button, Qt::LeftButton, {}, radio ? QPoint(8, button->height() / 2) : button->rect().center());
}

void Type(const QWidget& dialog, const char* name, const QString& text)
{
    auto* edit = Find<QLineEdit>(dialog, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QString Text(const QWidget& dialog, const char* name)
{
    return Find<QLabel>(dialog, name)->text();
}

// Edits a cell as the user does: the cell's editor, the text typed, Return (which the
// delegate commits on the next event-loop turn).
void TypeCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->model()->index(row, column)));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// The session around the simulated analyzer after one run of 500 timing samples.
class HostLabelDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxLabelMgr::GetInstance().Clear();
        auto source = std::make_unique<CvxSimulatedAnalyzer>();
        std::string error;
        ASSERT_TRUE(source->SetOption("samples", "500", error)) << error;
        m_session.SetSource(std::move(source));
        ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
        m_offered = m_session.GetSource()->GetOfferedLabels();
    }

    CvxID Label(const char16_t* name) const
    {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().FindLabelByName(name);
        return label != nullptr ? label->GetID() : CvxID::NullID();
    }
    std::uint64_t ValueAtTrigger(const char16_t* name) const
    {
        const CvxDataColumnComponent* column = m_session.GetData()->GetColumnWithLabelID(Label(name));
        return column != nullptr ? column->GetValue(column->GetTable().GetTriggerRow()).Low64() : ~0ULL;
    }

    CvxHostSession m_session;
    std::vector<CvxID> m_offered;
};

} // namespace

// The dialog offers the buses/signals the analyzer triggers on, starts from its trigger,
// refuses a bad pattern and a pattern the host refuses in place, keeps the pattern across a
// base switch, and OK makes the pattern the next acquisition's trigger.
TEST_F(HostLabelDialogsTest, SimpleTriggerEditsTheAnalyzersPattern)
{
    CvxSimpleTriggerDlg dialog(m_offered);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Simple Trigger");
    EXPECT_EQ(Find<QPushButton>(dialog, "ok")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>(dialog, "cancel")->text(), "Cancel");
    auto* label = Find<QComboBox>(dialog, "label");
    auto* base = Find<QComboBox>(dialog, "base");
    QStringList names;
    for (int i = 0; i < label->count(); ++i) {
        names << label->itemText(i);
    }
    EXPECT_EQ(names, QStringList({"CLK", "RD_STRB", "WR_STRB", "DATA8", "ADDR16", "DATA32", "DATA64"}));
    EXPECT_EQ(label->currentText(), "ADDR16");
    EXPECT_EQ(base->currentText(), "Hex");
    EXPECT_EQ(Find<QLineEdit>(dialog, "pattern")->text(), "0100");

    label->setCurrentIndex(label->findText("CLK"));
    EXPECT_EQ(base->currentText(), "Binary"); // a signal's pattern is a binary digit
    label->setCurrentIndex(label->findText("DATA8"));
    EXPECT_EQ(base->currentText(), "Hex");
    Type(dialog, "pattern", "5G");
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Text(dialog, "error").contains("DATA8")) << Text(dialog, "error").toStdString();
    EXPECT_TRUE(Text(dialog, "error").contains("not a hexadecimal pattern")) << Text(dialog, "error").toStdString();

    Type(dialog, "pattern", "5x");
    base->setCurrentIndex(base->findText("Binary"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "pattern")->text(), "0101XXXX");
    Type(dialog, "pattern", "01011011");
    base->setCurrentIndex(base->findText("Hex"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "pattern")->text(), "5B");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    CvxPatternModel set;
    ASSERT_TRUE(CvxStdCmdIFaceMgr::GetInstance().GetSimpleTrigger(set));
    EXPECT_EQ(set.GetLabel().GetLabelID(), Label(u"DATA8"));
    EXPECT_EQ(set.GetText(), u"5B");
    ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    EXPECT_EQ(ValueAtTrigger(u"DATA8"), 0x5BU);

    // The source changes under the open dialog: the host's refusal is shown.
    CvxSimpleTriggerDlg stale(m_offered);
    stale.show();
    m_session.SetSource(std::make_unique<CvxVcdSource>());
    Click(stale, "ok");
    EXPECT_TRUE(stale.isVisible());
    EXPECT_TRUE(Text(stale, "error").startsWith("The trigger was not set:")) << Text(stale, "error").toStdString();

    // A capture file has no trigger: nothing to choose, and OK says so.
    CvxSimpleTriggerDlg none(m_offered);
    none.show();
    EXPECT_EQ(Find<QComboBox>(none, "label")->count(), 0);
    Click(none, "ok");
    EXPECT_TRUE(none.isVisible());
    EXPECT_EQ(Text(none, "error"), "There is no bus/signal the trigger can be set on.");
}

// A fixed sample makes the trigger advanced and is the next acquisition's trigger row; the
// dialog starts from it, and a pattern makes the trigger simple again. A source that cannot
// trigger at a sample has the choice disabled, with the reason.
TEST_F(HostLabelDialogsTest, AdvancedTriggerChoosesAPatternOrAFixedSample)
{
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    {
        CvxAdvancedTriggerDlg dialog(m_offered);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Advanced Trigger");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "onPattern")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(dialog, "atSample")->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(dialog, "sample")->isEnabled());
        EXPECT_EQ(Find<QLineEdit>(dialog, "pattern")->text(), "0100");
        Click(dialog, "atSample");
        EXPECT_TRUE(Find<QLineEdit>(dialog, "sample")->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(dialog, "pattern")->isEnabled());
        for (const char* bad : {"abc", "-3", "1.5"}) {
            Type(dialog, "sample", bad);
            Click(dialog, "ok");
            EXPECT_TRUE(dialog.isVisible()) << bad;
            EXPECT_TRUE(Text(dialog, "error").contains(QString("\"%1\"").arg(bad))) << Text(dialog, "error").toStdString();
        }
        Type(dialog, "sample", "77");
        Click(dialog, "ok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    EXPECT_EQ(m_session.GetData()->GetTable(0).GetTriggerRow(), 77);
    {
        CvxAdvancedTriggerDlg dialog(m_offered);
        dialog.show();
        EXPECT_TRUE(Find<QRadioButton>(dialog, "atSample")->isChecked());
        EXPECT_EQ(Find<QLineEdit>(dialog, "sample")->text(), "77");
        Click(dialog, "onPattern");
        auto* label = Find<QComboBox>(dialog, "label");
        label->setCurrentIndex(label->findText("RD_STRB"));
        Type(dialog, "pattern", "1");
        Click(dialog, "ok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(ifaces.AreAllAnalyzerModuleTriggersSimple());
    EXPECT_EQ(ifaces.GetTriggerRow(), -1);
    ASSERT_TRUE(m_session.Run()) << m_session.GetLastError();
    EXPECT_EQ(ValueAtTrigger(u"RD_STRB"), 1U);

    m_session.SetSource(std::make_unique<CvxVcdSource>());
    CvxAdvancedTriggerDlg files(m_offered);
    files.show();
    EXPECT_FALSE(Find<QRadioButton>(files, "atSample")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(files, "onPattern")->isChecked());
    EXPECT_EQ(Text(files, "sampleNote"), "This analyzer cannot trigger at a fixed sample.");
    Click(files, "ok");
    EXPECT_TRUE(files.isVisible());
    EXPECT_EQ(Text(files, "error"), "There is no bus/signal the trigger can be set on.");
}

// Each button searches in its direction; a search that finds nothing, or nothing to search
// for, is said in the dialog, which stays open for the next search until Close.
TEST_F(HostLabelDialogsTest, FindBusSignalSearchesEachWayAndSaysWhenNothingMatches)
{
    std::vector<std::pair<QString, int>> calls;
    bool found = true;
    CvxFindLabelDlg dialog([&](const QString& text, int direction) {
        calls.emplace_back(text, direction);
        return found;
    });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Find Bus/Signal");
    EXPECT_EQ(Find<QPushButton>(dialog, "first")->text(), "Find First");
    EXPECT_EQ(Find<QPushButton>(dialog, "next")->text(), "Find Next");
    EXPECT_EQ(Find<QPushButton>(dialog, "previous")->text(), "Find Previous");
    EXPECT_EQ(Find<QPushButton>(dialog, "close")->text(), "Close");
    Click(dialog, "next");
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Text(dialog, "status"), "Type the beginning of a bus/signal name.");
    Type(dialog, "text", " AD ");
    Click(dialog, "first");
    Click(dialog, "next");
    found = false;
    Click(dialog, "previous");
    EXPECT_EQ(calls, (std::vector<std::pair<QString, int>>{{"AD", 0}, {"AD", 1}, {"AD", -1}}));
    EXPECT_EQ(Text(dialog, "status"), "No bus/signal begins with \"AD\".");
    EXPECT_TRUE(dialog.isVisible());
    found = true;
    Click(dialog, "next");
    EXPECT_TRUE(Text(dialog, "status").isEmpty());
    Click(dialog, "close");
    EXPECT_FALSE(dialog.isVisible());
}

// Only buses/signals of up to 64 bits whose creator takes symbols have symbols to edit. OK
// names the first bad row and stays open; a good table replaces the bus's symbols, which the
// dialog shows next time.
TEST_F(HostLabelDialogsTest, SymbolsAreCheckedRowByRowAndStoredThroughTheCreator)
{
    const CvxID data8 = Label(u"DATA8");
    EXPECT_TRUE(CvxSymbolsDlg::HasSymbolsToEdit(data8));
    EXPECT_TRUE(CvxSymbolsDlg::HasSymbolsToEdit(Label(u"CLK")));
    EXPECT_FALSE(CvxSymbolsDlg::HasSymbolsToEdit(Label(u"WIDE96")));
    EXPECT_FALSE(CvxSymbolsDlg::HasSymbolsToEdit(Label(u"CMD")));
    EXPECT_FALSE(CvxSymbolsDlg::HasSymbolsToEdit(Label(u"Time")));
    EXPECT_FALSE(CvxSymbolsDlg::HasSymbolsToEdit(CvxID::New()));
    {
        CvxSymbolsDlg dialog(data8);
        dialog.show();
        auto* table = Find<QTableWidget>(dialog, "table");
        EXPECT_EQ(table->rowCount(), 0);
        const auto refused = [&](const char* expected) {
            Click(dialog, "ok");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Text(dialog, "error"), expected);
        };
        Click(dialog, "add");
        Click(dialog, "add");
        ASSERT_EQ(table->rowCount(), 2);
        refused("Row 1: the value is empty.");
        TypeCell(table, 0, 0, "1FF");
        TypeCell(table, 0, 1, "ALL");
        refused("Row 1: 1FF does not fit in the 8 bits of DATA8.");
        TypeCell(table, 0, 0, "ff");
        TypeCell(table, 1, 0, "0xFF");
        refused("Row 2: the symbol has no name.");
        TypeCell(table, 1, 1, "ONE");
        refused("Row 2: the value FF is already the value of row 1.");
        TypeCell(table, 1, 0, "G");
        refused("Row 2: \"G\" is not a hexadecimal value.");
        TypeCell(table, 1, 0, "10000000000000000");
        refused("Row 2: 10000000000000000 does not fit in the 8 bits of DATA8.");
        TypeCell(table, 1, 0, "00000000000000000001"); // leading zeros do not count
        Click(dialog, "ok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    const std::map<CvxUInt, std::u16string> both{{CvxUInt(1), u"ONE"}, {CvxUInt(0xFF), u"ALL"}};
    EXPECT_EQ(CvxLabelMgr::GetInstance().IDToLabel(data8)->GetSymbols(), both);
    {
        CvxSymbolsDlg dialog(data8);
        dialog.show();
        auto* table = Find<QTableWidget>(dialog, "table");
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 0)->text(), "1");
        EXPECT_EQ(table->item(1, 1)->text(), "ALL");
        table->setCurrentCell(0, 0);
        Click(dialog, "remove");
        Click(dialog, "ok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(CvxLabelMgr::GetInstance().IDToLabel(data8)->GetSymbols(),
              (std::map<CvxUInt, std::u16string>{{CvxUInt(0xFF), u"ALL"}}));

    CvxSymbolsDlg wide(Label(u"WIDE96"));
    wide.show();
    EXPECT_FALSE(Find<QPushButton>(wide, "ok")->isEnabled());
    EXPECT_EQ(Text(wide, "error"), "The symbols of WIDE96 cannot be edited.");
}

// The bits of a bus, most significant first, with the channel each comes from; the list
// cannot be edited and a line says why.
TEST_F(HostLabelDialogsTest, AssignChannelsListsTheBitsReadOnly)
{
    CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    auto made = std::make_unique<CvxLabelBase>(CvxID::New(), u"NIBBLE", EvxLabelKind::BusSignal, 4);
    made->SetChannelNames({u"D4", u"D5", u"", u"D7"});
    const CvxID nibble = labels.AddLabel(std::move(made))->GetID();
    CvxChannelAssignDlg dialog(nibble);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Assign Channels");
    auto* table = Find<QTableWidget>(dialog, "channels");
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->item(0, 0)->text(), "3");
    EXPECT_EQ(table->item(0, 1)->text(), "D7");
    EXPECT_EQ(table->item(1, 1)->text(), "(not named by the source)");
    EXPECT_EQ(table->item(3, 0)->text(), "0");
    EXPECT_EQ(table->item(3, 1)->text(), "D4");
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
    EXPECT_EQ(table->indexWidget(table->model()->index(0, 1)), nullptr);
    EXPECT_EQ(Text(dialog, "note"), "The channels of NIBBLE come from its source and cannot be changed here.");
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    CvxChannelAssignDlg text(Label(u"CMD"));
    EXPECT_EQ(Find<QTableWidget>(text, "channels")->rowCount(), 0);
    EXPECT_EQ(Text(text, "note"), "CMD is not made of acquisition channels.");
    CvxChannelAssignDlg gone(CvxID::New());
    EXPECT_EQ(Text(gone, "note"), "The bus/signal no longer exists.");
}

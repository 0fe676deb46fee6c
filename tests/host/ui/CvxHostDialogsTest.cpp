// The host's dialogs that the module's windows open, with real widgets on the offscreen
// platform: each refuses what it cannot take with a message and stays open, and hands back
// exactly what was chosen.

#include "CvxQtTestApp.h"

#include "CvxBase.h"
#include "CvxDataBuilder.h"
#include "CvxFindDlg.h"
#include "CvxFindModel.h"
#include "CvxLabelMgr.h"
#include "CvxLabelRenameDlg.h"
#include "CvxLabelSelectionDlg.h"
#include "CvxMarkerDlg.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkerNewDlg.h"
#include "CvxViewerGotoDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Accepts the next message box and keeps its text.
class MessageCatcher {
public:
    MessageCatcher()
    {
        QTimer::singleShot(30, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
    }
    QString text;
};

// 100 rows 10 ns apart, the trigger at row 10 (samples -10 to 89), two tables of labels.
struct Capture {
    Capture()
    {
        CvxLabelMgr::GetInstance().Clear();
        CvxDataBuilder builder;
        CvxDataTable& timing = builder.AddTable(u"Timing");
        timing.SetTickTimeBase(CvxTime::FromNs(10));
        timing.SetTriggerRow(10);
        CvxDataColumnComponent& data8 = builder.AddBus(timing, u"DATA8", 8);
        CvxDataColumnComponent& clk = builder.AddBus(timing, u"CLK", 1);
        for (int i = 0; i < 100; ++i) {
            timing.AppendRowTime(i);
            data8.Append(static_cast<std::uint64_t>(i));
            clk.Append(static_cast<std::uint64_t>(i & 1));
        }
        CvxDataTable& state = builder.AddTable(u"State");
        CvxDataColumnComponent& op = builder.AddBus(state, u"OP", 4);
        labels = {data8.GetLabelID(), clk.GetLabelID(), op.GetLabelID()};
        data = builder.Finish();
        markers.SetData(data.get());
    }
    std::shared_ptr<CvxData> data;
    std::vector<CvxID> labels;
    CvxMarkerMgr markers;
};

} // namespace

TEST(CvxHostDialogs, RenameRefusesEmptyAndCheckedNamesAndTrims)
{
    CvxQtTestApp();
    CvxLabelRenameDlg dialog("DATA8", [](const QString& name) {
        return name == "ADDR16" ? QString("The name ADDR16 is in use.") : QString();
    });
    auto* edit = dialog.findChild<QLineEdit*>("Name");
    EXPECT_EQ(edit->text(), QString("DATA8"));
    edit->setText("   ");
    {
        MessageCatcher message;
        dialog.accept();
        EXPECT_EQ(message.text, QString("A bus/signal needs a name."));
    }
    edit->setText("ADDR16");
    {
        MessageCatcher message;
        dialog.accept();
        EXPECT_EQ(message.text, QString("The name ADDR16 is in use."));
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    edit->setText("  BUS_A ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetName(), QString("BUS_A"));
}

TEST(CvxHostDialogs, LabelSelectionGroupsByTableAndReturnsTheChosenInListOrder)
{
    CvxQtTestApp();
    Capture capture;
    CvxLabelSelectionDlg dialog(capture.labels);
    auto* tree = dialog.findChild<QTreeWidget*>("Labels");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QString("Timing"));
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), QString("CLK"));
    EXPECT_TRUE(tree->topLevelItem(0)->child(0)->toolTip(0).contains("8-bit bus"));
    {
        MessageCatcher message;
        dialog.accept();
        EXPECT_EQ(message.text, QString("Choose at least one bus/signal."));
    }
    dialog.Select({capture.labels[2], capture.labels[0]});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetSelection(), (std::vector<CvxID>{capture.labels[0], capture.labels[2]}));
}

TEST(CvxHostDialogs, GotoTakesSamplesTimesAndMarkersWithinTheData)
{
    CvxQtTestApp();
    Capture capture;
    CvxViewerGotoDlg dialog(capture.data, CvxLabelChannel(capture.labels[0]), &capture.markers);
    auto* sample = dialog.findChild<QLineEdit*>("Sample");
    auto* time = dialog.findChild<QLineEdit*>("Time");
    for (const char* bad : {"90", "-11", "ten"}) {
        sample->setText(bad);
        MessageCatcher message;
        dialog.accept();
        EXPECT_EQ(message.text, QString("Type a sample number from -10 to 89.")) << bad;
    }
    dialog.findChild<QRadioButton*>("ByTime")->setChecked(true);
    for (const char* bad : {"1us", "500", "5 parsecs"}) {
        time->setText(bad);
        MessageCatcher message;
        dialog.accept();
        EXPECT_TRUE(message.text.startsWith("Type a time from 0fs to 990ns, with its unit")) << bad << " " << message.text.toStdString();
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    time->setText("500ns");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetKind(), CvxViewerGotoDlg::EvxKind::Time);
    EXPECT_EQ(dialog.GetTime(), CvxTime::FromNs(500));

    CvxViewerGotoDlg byMarker(capture.data, CvxLabelChannel(capture.labels[0]), &capture.markers);
    auto* combo = byMarker.findChild<QComboBox*>("Marker");
    ASSERT_GE(combo->count(), 2);
    combo->setCurrentIndex(combo->count() - 1); // by position: the end of the data last
    byMarker.findChild<QRadioButton*>("ByMarker")->setChecked(true);
    byMarker.accept();
    EXPECT_EQ(byMarker.GetKind(), CvxViewerGotoDlg::EvxKind::Time);
    EXPECT_EQ(byMarker.GetTime(), CvxTime::FromNs(990));

    CvxViewerGotoDlg bySample(capture.data, CvxLabelChannel(capture.labels[0]), nullptr);
    bySample.findChild<QLineEdit*>("Sample")->setText("-3");
    bySample.accept();
    EXPECT_EQ(bySample.GetKind(), CvxViewerGotoDlg::EvxKind::Sample);
    EXPECT_EQ(bySample.GetSample(), -3);
}

TEST(CvxHostDialogs, MarkersAreMadeChosenAndDeleted)
{
    CvxQtTestApp();
    Capture capture;
    CvxMarkerNewDlg make(capture.markers, CvxTime::FromNs(250));
    auto* name = make.findChild<QLineEdit*>("Name");
    auto* time = make.findChild<QLineEdit*>("Time");
    EXPECT_EQ(time->text(), QString("250ns"));
    name->setText("Trigger");
    {
        MessageCatcher message;
        make.accept();
        EXPECT_EQ(message.text, QString("There is a marker named Trigger already."));
    }
    name->setText("Glitch");
    time->setText("soon");
    {
        MessageCatcher message;
        make.accept();
        EXPECT_TRUE(message.text.startsWith("Type the time with its unit"));
    }
    time->setText("0.3us");
    make.accept();
    ASSERT_NE(make.GetMarker(), nullptr);
    EXPECT_EQ(capture.markers.FindMarkerByName(u"Glitch"), make.GetMarker());
    EXPECT_EQ(make.GetMarker()->GetPosition().AsTime(), CvxTime::FromNs(300));
    capture.markers.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(400)));

    CvxMarkerDlg go(CvxMarkerDlg::EvxMode::Goto, capture.markers);
    EXPECT_EQ(go.findChild<QListWidget*>("Markers")->count(), static_cast<int>(capture.markers.GetMarkers(true).size()));

    CvxMarkerDlg remove(CvxMarkerDlg::EvxMode::Delete, capture.markers);
    auto* list = remove.findChild<QListWidget*>("Markers");
    ASSERT_EQ(list->count(), 2); // user markers only
    EXPECT_TRUE(list->item(0)->text().startsWith("Glitch"));
    list->item(0)->setSelected(true);
    remove.accept();
    EXPECT_EQ(remove.result(), QDialog::Accepted);
    EXPECT_EQ(capture.markers.FindMarkerByName(u"Glitch"), nullptr);
    EXPECT_EQ(capture.markers.GetNumberOfUserModifiableMarkers(), 1);
}

TEST(CvxHostDialogs, FindTakesEveryPatternFirstThenSearchesOnFromEachFind)
{
    CvxQtTestApp();
    Capture capture;
    CvxFindModel model;
    model.AddPattern(CvxPatternModel(CvxLabelChannel(capture.labels[0]), 8, kBaseHex));
    std::vector<std::int64_t> reported;
    CvxFindDlg dialog(model, capture.data, CvxPosition::AtTime(CvxTime()),
                      [&](const CvxPosition& at) { reported.push_back(at.AsSample()); });
    auto* pattern = dialog.findChild<QLineEdit*>("Pattern1");
    pattern->setText("1G");
    {
        MessageCatcher message;
        EXPECT_FALSE(dialog.FindNext());
        EXPECT_TRUE(message.text.startsWith("Pattern 1: '1G' is not a hexadecimal pattern")) << message.text.toStdString();
    }
    pattern->setText("1X"); // DATA8 = row: rows 16 to 31, samples 6 to 21
    EXPECT_TRUE(dialog.FindNext());
    EXPECT_TRUE(dialog.FindNext());
    dialog.findChild<QSpinBox*>("Occurrence")->setValue(20);
    EXPECT_FALSE(dialog.FindNext()); // 14 more, not 20
    EXPECT_TRUE(dialog.findChild<QLabel*>("Status")->text().startsWith("Not found"));
    dialog.findChild<QSpinBox*>("Occurrence")->setValue(1);
    dialog.findChild<QRadioButton*>("Backward")->setChecked(true);
    EXPECT_TRUE(dialog.FindNext());
    EXPECT_EQ(reported, (std::vector<std::int64_t>{6, 7, 6}));
}

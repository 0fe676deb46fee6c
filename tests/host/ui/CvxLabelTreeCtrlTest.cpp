// The host's bus/signal tree over a label manager set up here, as a real widget on the
// offscreen platform: which folders and labels it shows, what a selection made with the mouse
// gives back, and the image of each kind of label.

#include "CvxQtTestApp.h"

#include "CvxLabelMgr.h"
#include "CvxLabelTooltipFormatter.h"
#include "CvxLabelTreeCtrl.h"
#include "CvxQtText.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Root
//   Analyzer (module folder)
//     Control (group folder): DATA (4 channels), CMD (string)
//     Empty (group folder)
//     CLK (1 channel, locked)
//   Time (time label)
struct Labels {
    Labels()
    {
        CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
        mgr.Clear();
        module = Add(u"Analyzer", EvxLabelKind::ModuleFolder, 0, mgr.GetLabelRootID());
        group = Add(u"Control", EvxLabelKind::GroupFolder, 0, module);
        data = Add(u"DATA", EvxLabelKind::BusSignal, 4, group);
        command = Add(u"CMD", EvxLabelKind::StringLabel, 0, group);
        empty = Add(u"Empty", EvxLabelKind::GroupFolder, 0, module);
        clock = Add(u"CLK", EvxLabelKind::BusSignal, 1, module);
        mgr.IDToLabel(clock)->SetLocked(true);
        time = Add(u"Time", EvxLabelKind::TimeLabel, 128, mgr.GetLabelRootID());
    }
    ~Labels() { CvxLabelMgr::GetInstance().Clear(); }

    static CvxID Add(const char16_t* name, EvxLabelKind kind, int channels, const CvxID& parent)
    {
        auto label = std::make_unique<CvxLabelBase>(CvxID::New(), name, kind, channels);
        label->SetParentID(parent);
        return CvxLabelMgr::GetInstance().AddLabel(std::move(label))->GetID();
    }

    CvxID module, group, data, command, empty, clock, time;
};

void Click(QTreeWidget& tree, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, modifiers, tree.visualItemRect(item).center());
}

} // namespace

TEST(CvxLabelTreeCtrl, FillsChosenFoldersAndLabelsWithBusChannels)
{
    CvxQtTestApp();
    Labels labels;
    CvxLabelTreeCtrl tree(5001, CvxBitSet{2}, CvxBitSet{3, 4}, CvxLabelMgr::GetInstance().GetLabelRootID(), nullptr);
    EXPECT_EQ(tree.objectName(), QString("5001"));
    tree.Fill();
    tree.Fill(); // a refill replaces, not adds

    // The module folder is not shown: its group folder and CLK take its place. The empty
    // folder and the time label are left out.
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* group = tree.topLevelItem(0);
    EXPECT_EQ(group->text(0), QString("Control"));
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(tree.topLevelItem(1)->text(0), QString("CLK"));
    EXPECT_EQ(tree.topLevelItem(1)->childCount(), 0);
    ASSERT_EQ(group->childCount(), 2);
    QTreeWidgetItem* data = group->child(0);
    EXPECT_EQ(data->text(0), QString("DATA"));
    EXPECT_FALSE(data->isExpanded());
    ASSERT_EQ(data->childCount(), 4);
    EXPECT_EQ(data->child(3)->text(0), QString("DATA[3]"));
    EXPECT_EQ(group->child(1)->text(0), QString("CMD"));
    EXPECT_EQ(group->child(1)->childCount(), 0);

    EXPECT_EQ(data->toolTip(0), CvxQt(CvxLabelTooltipFormatter::Format(CvxLabelChannel(labels.data))));
    EXPECT_EQ(data->child(2)->toolTip(0), CvxQt(CvxLabelTooltipFormatter::Format(CvxLabelChannel(labels.data, 2))));
    const auto& images = CvxLabelTreeCtrl::Images();
    EXPECT_EQ(data->icon(0).cacheKey(), images[2].cacheKey());
    EXPECT_EQ(data->child(0)->icon(0).cacheKey(), images[4].cacheKey());
    EXPECT_EQ(tree.topLevelItem(1)->icon(0).cacheKey(), images[5].cacheKey());
    EXPECT_EQ(group->icon(0).cacheKey(), images[6].cacheKey());

    // Below a folder, with module folders shown too.
    CvxLabelTreeCtrl below(5002, CvxBitSet{1, 2}, CvxBitSet{3}, labels.module, nullptr);
    below.Fill();
    ASSERT_EQ(below.topLevelItemCount(), 2);
    EXPECT_EQ(below.topLevelItem(0)->text(0), QString("Control"));
    EXPECT_EQ(below.topLevelItem(0)->childCount(), 1);
}

TEST(CvxLabelTreeCtrl, SelectionComesBackInTreeOrderWithoutFolders)
{
    CvxQtTestApp();
    Labels labels;
    CvxLabelTreeCtrl tree(5003, CvxBitSet{1, 2}, CvxBitSet{3, 4}, CvxLabelMgr::GetInstance().GetLabelRootID(), nullptr);
    tree.Fill();
    tree.resize(300, 600);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    EXPECT_FALSE(tree.HasSelection());

    QTreeWidgetItem* module = tree.topLevelItem(0);
    QTreeWidgetItem* group = module->child(0);
    QTreeWidgetItem* data = group->child(0);
    data->setExpanded(true);
    QTreeWidgetItem* clock = module->child(1);
    Click(tree, clock);
    Click(tree, data->child(2), Qt::ControlModifier);
    Click(tree, group, Qt::ControlModifier);
    EXPECT_TRUE(tree.HasSelection());
    Click(tree, data, Qt::ControlModifier);
    EXPECT_EQ(tree.GetSelectedLabels(),
              (std::vector<CvxLabelChannel>{CvxLabelChannel(labels.data), CvxLabelChannel(labels.data, 2), CvxLabelChannel(labels.clock)}));

    // Shift extends over a range: the last two channels and CMD.
    Click(tree, data->child(2));
    Click(tree, group->child(1), Qt::ShiftModifier);
    EXPECT_EQ(tree.GetSelectedLabels(),
              (std::vector<CvxLabelChannel>{CvxLabelChannel(labels.data, 2), CvxLabelChannel(labels.data, 3), CvxLabelChannel(labels.command)}));

    tree.ClearSelectionAfterTake(true);
    EXPECT_EQ(tree.GetSelectedLabels().size(), 3u);
    tree.ClearSelectionAfterTake(false);
    EXPECT_FALSE(tree.HasSelection());

    // A folder alone is no selection of buses/signals.
    Click(tree, group);
    EXPECT_FALSE(tree.HasSelection());
}

TEST(CvxLabelTreeCtrl, ImageOfEachKindAndItsLockedForm)
{
    CvxQtTestApp();
    Labels labels;
    const CvxID none = Labels::Add(u"NONE", EvxLabelKind::BusSignal, 0, labels.group);
    CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    struct Row {
        CvxLabelChannel label;
        int unlocked;
        int locked;
    };
    const Row rows[] = {
        {CvxLabelChannel(labels.data), 2, 3},
        {CvxLabelChannel(labels.data, 0), 4, 5},
        {CvxLabelChannel(labels.clock), 4, 5},
        {CvxLabelChannel(labels.group), 6, 7},
        {CvxLabelChannel(labels.command), 8, 9},
        {CvxLabelChannel(none), 10, 10},
        {CvxLabelChannel(labels.module), 10, 10},
        {CvxLabelChannel(labels.time), 10, 10},
        {CvxLabelChannel(CvxID::New()), 10, 10},
    };
    for (const Row& row : rows) {
        const std::string name = CvxQt(row.label.GetName()).toStdString();
        if (CvxLabelBase* label = mgr.IDToLabel(row.label.GetLabelID())) {
            label->SetLocked(false);
            EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(row.label), row.unlocked) << name;
            label->SetLocked(true);
        }
        EXPECT_EQ(CvxLabelTreeCtrl::ImageOf(row.label), row.locked) << name;
    }

    const auto& images = CvxLabelTreeCtrl::Images();
    ASSERT_EQ(images.size(), 12u);
    for (std::size_t i = 0; i < images.size(); i += 2) {
        const QImage plain = images[i].pixmap(16, 16).toImage();
        const QImage padlocked = images[i + 1].pixmap(16, 16).toImage();
        EXPECT_EQ(plain.size(), QSize(16, 16));
        EXPECT_NE(plain, padlocked) << i;
        if (i > 0) {
            EXPECT_NE(plain, images[0].pixmap(16, 16).toImage()) << i;
        }
    }
}

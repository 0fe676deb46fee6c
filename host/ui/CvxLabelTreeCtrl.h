#pragma once
// The host's tree of buses/signals below one folder, known by its control id (also its object
// name). Folders of the chosen kinds are shown expanded; folders of other kinds are left out
// and their labels shown in their place, and a folder with nothing to show is left out. Labels
// of the chosen kinds are items; a bus of more than one channel also lists its channels
// (collapsed). Every item shows its image (ImageOf) and the label's tool tip. Several items
// may be selected (Ctrl, Shift); the caller reads them with GetSelectedLabels.

#include "CvxBitSet.h"
#include "CvxID.h"
#include "CvxLabelChannel.h"

#include <QIcon>
#include <QTreeWidget>

#include <vector>

class CvxLabelTreeCtrl : public QTreeWidget {
public:
    CvxLabelTreeCtrl(int id, const CvxBitSet& folderTypes, const CvxBitSet& labelTypes, const CvxID& root, QWidget* parent);

    // (Re)builds the tree from the label manager.
    void Fill();
    bool HasSelection() const;
    // The selected buses/signals (-1: the whole bus) and channels, in tree order; selected
    // folders give nothing.
    std::vector<CvxLabelChannel> GetSelectedLabels() const;
    // After the caller took the selection: cleared, unless it is to be kept.
    void ClearSelectionAfterTake(bool keep);

    // The index into Images() for a label or channel: 2 a whole bus, 4 a signal or a bus's
    // channel, 6 a group folder, 8 a string label, each one more when the label is locked;
    // 10 anything else (a bus without channels, other kinds, an unknown label).
    static int ImageOf(const CvxLabelChannel& label);
    // Twelve 16x16 images, each odd one the even one before it with a padlock: 0 blank,
    // 2 bus, 4 signal, 6 folder, 8 string, 10 a dot. Shared with list controls of labels.
    static const std::vector<QIcon>& Images();

private:
    void AddChildren(QTreeWidgetItem* parent, const CvxID& folder);
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const CvxLabelChannel& label, const QString& text);

    CvxBitSet m_folderTypes;
    CvxBitSet m_labelTypes;
    CvxID m_root;
};

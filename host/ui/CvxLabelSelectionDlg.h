#pragma once
// "Select Buses/Signals": the buses/signals a tool is offered, by table (folder), to choose
// one or more from (Ctrl and Shift extend the choice, a double click takes one). OK needs at
// least one; the chosen ones come back in the order the list shows them. Each entry shows
// the label's tool tip.

#include <QDialog>

#include <vector>

class CvxID;
class QTreeWidget;

class CvxLabelSelectionDlg : public QDialog {
    Q_OBJECT
public:
    CvxLabelSelectionDlg(const std::vector<CvxID>& offered, QWidget* parent = nullptr);

    std::vector<CvxID> GetSelection() const;
    // Chooses the labels (tests and remote clients choose through the list as well).
    void Select(const std::vector<CvxID>& labels);
    void accept() override;

private:
    QTreeWidget* m_tree = nullptr;
};

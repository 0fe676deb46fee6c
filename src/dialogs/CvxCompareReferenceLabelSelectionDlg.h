#pragma once
// "Select Buses/Signals" (template 3430): what the reference buffer is copied from. The tree
// offers the buses/signals (whole buses and their channels); Add appends the chosen ones not
// yet listed, Remove drops the selected rows; the list's order is the order copied. The data
// range is all data, or from one marker to another (missing markers default to the first and
// second user markers, else the begin and end of data). OK with nothing selected asks first;
// then the dialog closes and the model copies and compares under the wait cursor.

#include "CvxDialog.h"

#include <memory>
#include <vector>

class CvxCompareModel;
class CvxLabelChannel;
class CvxLabelTreeCtrl;
class CvxCompareRangeGroup;
class QPushButton;
class QTreeWidget;

class CvxCompareReferenceLabelSelectionDlg : public CvxDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3430;

    CvxCompareReferenceLabelSelectionDlg(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareReferenceLabelSelectionDlg() override;

    // The selected list, in its order.
    const std::vector<CvxLabelChannel>& GetSelected() const;
    // Add and Remove, as their buttons run them.
    void Add();
    void Remove();
    void accept() override;

private:
    void Rebuild();
    void UpdateStates();

    struct Working;
    CvxCompareModel& m_model;
    std::unique_ptr<Working> m_working;
    CvxLabelTreeCtrl* m_tree = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    CvxCompareRangeGroup* m_range = nullptr;
};

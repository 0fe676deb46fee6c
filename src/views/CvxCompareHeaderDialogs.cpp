#include "CvxCompareHeaderDialogs.h"

#include "CvxAdvancedTriggerDlg.h"
#include "CvxChannelAssignDlg.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareHeaderViewport.h"
#include "CvxCompareModel.h"
#include "CvxFindLabelDlg.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxLabelRenameDlg.h"
#include "CvxLabelSelectionDlg.h"
#include "CvxQtText.h"
#include "CvxSimpleTriggerDlg.h"
#include "CvxSymbolsDlg.h"
#include "CvxSystemMgr.h"

#include <QPointer>

bool CvxCompareHeaderDialogs::Insert(CvxCompareModel& model, const CvxCompareColumn* at, bool after, QWidget* parent)
{
    CvxLabelSelectionDlg dialog(CvxSystemMgr::GetInstance().GetLabelsForTool(model.GetOwnInstance()), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    std::vector<CvxCompareColumn> columns;
    for (const CvxID& label : dialog.GetSelection()) {
        columns.emplace_back(CvxLabelChannel(label, -1));
    }
    if (columns.empty()) {
        return false;
    }
    const CvxID position = at != nullptr ? at->GetID() : CvxID();
    model.RequestInsertColumns(std::move(columns), position, at == nullptr || after, true);
    CvxCompareColumnWidth::SizeUnsized(model);
    return true;
}

bool CvxCompareHeaderDialogs::Rename(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent)
{
    const QString current = CvxCompareHeaderViewport::NameText(column);
    CvxLabelRenameDlg dialog(current, {}, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.GetName() == current) {
        return false;
    }
    return model.RequestRenameLabel(column.GetID(), CvxU16(dialog.GetName()));
}

bool CvxCompareHeaderDialogs::Symbols(const CvxCompareColumn& column, QWidget* parent)
{
    CvxSymbolsDlg dialog(column.GetLabel().GetLabelID(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CvxCompareHeaderDialogs::HasSymbolsToEdit(const CvxCompareColumn& column)
{
    return CvxSymbolsDlg::HasSymbolsToEdit(column.GetLabel().GetLabelID());
}

bool CvxCompareHeaderDialogs::AssignChannels(const CvxCompareColumn& column, QWidget* parent)
{
    CvxChannelAssignDlg dialog(column.GetLabel().GetLabelID(), parent);
    return dialog.exec() == QDialog::Accepted;
}

void CvxCompareHeaderDialogs::FindLabel(std::function<bool(const QString& text, int direction)> find, QWidget* parent)
{
    // One Find Bus/Signal dialog per header, left open for further finds.
    static const char* const kName = "FindBusSignal";
    if (auto* open = parent->findChild<CvxFindLabelDlg*>(kName)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dialog = new CvxFindLabelDlg(std::move(find), parent);
    dialog->setObjectName(kName);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

namespace {

std::vector<CvxID> OfferedLabels(const CvxCompareModel& model)
{
    std::vector<CvxID> labels;
    for (const CvxCompareColumn& column : model.GetColumns()) {
        labels.push_back(column.GetLabel().GetLabelID());
    }
    for (const CvxID& label : CvxSystemMgr::GetInstance().GetLabelsForTool(model.GetOwnInstance())) {
        if (std::find(labels.begin(), labels.end(), label) == labels.end()) {
            labels.push_back(label);
        }
    }
    return labels;
}

} // namespace

bool CvxCompareHeaderDialogs::SimpleTrigger(const CvxCompareModel& model, QWidget* parent)
{
    CvxSimpleTriggerDlg dialog(OfferedLabels(model), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CvxCompareHeaderDialogs::AdvancedTrigger(const CvxCompareModel& model, QWidget* parent)
{
    CvxAdvancedTriggerDlg dialog(OfferedLabels(model), parent);
    return dialog.exec() == QDialog::Accepted;
}

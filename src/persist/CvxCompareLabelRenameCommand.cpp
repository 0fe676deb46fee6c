#include "CvxCompareLabelRenameCommand.h"

#include "CvxCompareModel.h"
#include "CvxInfoDlg.h"
#include "CvxLabelMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"

CvxCompareLabelRenameCommand::CvxCompareLabelRenameCommand(CvxCompareModel& model, const CvxID& column,
                                                           std::u16string newName, std::u16string oldName)
    : CvxCompareCommand(kLabelRename, model), m_column(column), m_new(std::move(newName)), m_old(std::move(oldName))
{
}

bool CvxCompareLabelRenameCommand::Execute()
{
    const CvxCompareColumn* column = Model().FindColumn(m_column);
    if (column == nullptr) {
        return true;
    }
    const CvxID label = column->GetLabel().GetLabelID();
    const CvxID creator = CvxLabelMgr::GetInstance().LabelIDToPlugInInstanceID(label);
    CvxStdToolCmdIFace* iface = CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(creator);
    if (iface == nullptr || !iface->CanRenameLabel(label)) {
        return true;
    }
    switch (iface->RenameLabel(label, m_new)) {
    case CvxStdToolCmdIFace::kRenameEmptyName:
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, u"Bus/Signal name can't be empty.");
        break;
    case CvxStdToolCmdIFace::kRenameNameNotUnique:
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, u"Bus/Signal name must be unique.");
        break;
    default:
        break;
    }
    return true;
}

bool CvxCompareLabelRenameCommand::Undo()
{
    CvxCompareLabelRenameCommand(Model(), m_column, m_old, m_new).Execute();
    return true;
}

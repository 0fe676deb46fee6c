#include "CvxCompareGridDialogs.h"

#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxFindDlg.h"
#include "CvxFindMgr.h"
#include "CvxFindModel.h"
#include "CvxInfoDlg.h"
#include "CvxLabelMgr.h"
#include "CvxMarkerDlg.h"
#include "CvxMarkerNewDlg.h"
#include "CvxStringConvert.h"
#include "CvxViewerGotoDlg.h"

bool CvxCompareGridDialogs::NewMarker(CvxCompareModel& model, QWidget* parent)
{
    CvxMarkerNewDlg dialog(model.GetMarkerMgr(), model.GetCenter().AsTime(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CvxCompareGridDialogs::PlaceMarker(CvxCompareModel& model, const CvxPosition& at, QWidget* parent)
{
    CvxMarkerDlg dialog(CvxMarkerDlg::EvxMode::Place, model.GetMarkerMgr(), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.GetSelection().empty()) {
        return false;
    }
    return model.GetMarkerMgr().MoveMarkerPosition(dialog.GetSelection().front(), at);
}

bool CvxCompareGridDialogs::GotoMarker(CvxCompareModel& model, QWidget* parent)
{
    CvxMarkerDlg dialog(CvxMarkerDlg::EvxMode::Goto, model.GetMarkerMgr(), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.GetSelection().empty()) {
        return false;
    }
    const CvxMarker* marker = model.GetMarkerMgr().GetMarker(dialog.GetSelection().front());
    if (marker == nullptr) {
        return false;
    }
    model.MoveCenter(marker->GetPosition(), true);
    return true;
}

bool CvxCompareGridDialogs::DeleteMarkers(CvxCompareModel& model, QWidget* parent)
{
    CvxMarkerDlg dialog(CvxMarkerDlg::EvxMode::Delete, model.GetMarkerMgr(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CvxCompareGridDialogs::Goto(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent)
{
    if (!model.IsDataValid()) {
        return false;
    }
    CvxViewerGotoDlg dialog(model.GetInputData(), column.GetLabel(), &model.GetMarkerMgr(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (dialog.GetKind() == CvxViewerGotoDlg::EvxKind::Time || dialog.GetTable() == nullptr) {
        model.MoveCenter(CvxPosition::AtTime(dialog.GetTime()), true);
        return true;
    }
    const CvxDataTable& table = *dialog.GetTable();
    model.MoveCenter(table.GetRowPosition(table.GetRowOfSample(dialog.GetSample())), true);
    return true;
}

bool CvxCompareGridDialogs::Find(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent)
{
    if (!model.IsDataValid()) {
        return false;
    }
    const CvxLabelChannel& label = column.GetLabel();
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    const int width = label.GetChannel() >= 0 ? 1 : (base != nullptr ? base->GetNumberOfChannels() : 1);
    CvxFindModel find;
    find.AddPattern(CvxPatternModel(label, width, column.GetBase().GetCode()));
    bool found = false;
    CvxFindDlg dialog(find, model.GetInputData(), model.GetCenter(), [&](const CvxPosition& at) {
        model.MoveCenter(at, true);
        found = true;
    }, parent);
    dialog.exec();
    return found;
}

bool CvxCompareGridDialogs::FindAgain(CvxCompareModel& model, const CvxCompareColumn* column, bool forward, QWidget* parent)
{
    const CvxFindMgr& finder = CvxFindMgr::GetInstance();
    if (!model.IsDataValid()) {
        return false;
    }
    if (finder.GetModel().IsEmpty()) {
        return column != nullptr && Find(model, *column, parent);
    }
    CvxPosition found;
    std::string error;
    const bool ok = forward ? finder.FindNext(*model.GetInputData(), model.GetCenter(), found, error)
                            : finder.FindPrevious(*model.GetInputData(), model.GetCenter(), found, error);
    if (!ok) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogInformation,
                         error.empty() ? u"No further match was found." : CvxStringConvert::FromUtf8(error));
        return false;
    }
    model.MoveCenter(found, true);
    return true;
}

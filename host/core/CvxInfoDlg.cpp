#include "CvxInfoDlg.h"

#include "CvxInfoMgr.h"

namespace {

CvxInfoDlg::Hook& TheHook()
{
    static CvxInfoDlg::Hook hook;
    return hook;
}

} // namespace

void CvxInfoDlg::Show(int dialogType, const std::u16string& text)
{
    if (TheHook()) {
        TheHook()(dialogType, text);
        return;
    }
    CvxInfoMgr::GetInstance().LogMessage(dialogType == kDialogError ? kMessageError : kMessageWarning, text);
}

void CvxInfoDlg::SetHook(Hook hook)
{
    TheHook() = std::move(hook);
}

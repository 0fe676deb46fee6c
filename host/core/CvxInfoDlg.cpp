#include "CvxInfoDlg.h"

#include "CvxInfoMgr.h"

namespace {

CvxInfoDlg::Hook& TheHook()
{
    static CvxInfoDlg::Hook hook;
    return hook;
}

CvxInfoDlg::QuestionHook& TheQuestionHook()
{
    static CvxInfoDlg::QuestionHook hook;
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

int CvxInfoDlg::Ask(const std::u16string& text)
{
    if (TheQuestionHook()) {
        return TheQuestionHook()(text) == kAnswerCancel ? kAnswerCancel : kAnswerOk;
    }
    CvxInfoMgr::GetInstance().LogMessage(kMessageWarning, text + u" (answered OK)");
    return kAnswerOk;
}

void CvxInfoDlg::SetQuestionHook(QuestionHook hook)
{
    TheQuestionHook() = std::move(hook);
}

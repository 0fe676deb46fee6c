#include "CvxCompareMenuCmd.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxFocusMgr.h"

#include <algorithm>

CvxCompareMenuCmd::CvxCompareMenuCmd(int hostCommand, CvxCompareModel& model, CvxCompareMessage* message)
    : CvxMenuCmd(hostCommand, u""), m_model(&model), m_message(message)
{
}

CvxCompareMenuCmd::CvxCompareMenuCmd(std::u16string title, CvxCompareModel& model, CvxCompareMessage* message)
    : CvxMenuCmd(0, std::move(title)), m_model(&model), m_message(message)
{
}

void CvxCompareMenuCmd::Detach()
{
    m_model = nullptr;
    m_message = nullptr;
}

bool CvxCompareMenuCmd::Execute()
{
    Send();
    return true;
}

void CvxCompareMenuCmd::Send()
{
    if (m_message == nullptr || m_model == nullptr) {
        return;
    }
    const int type = m_message->GetType();
    if (type != CvxCompareKbTabMessage::kType && type != kCvxCompareKbReverseTabType) {
        m_model->Dispatch(*m_message);
        return;
    }
    CvxFocusMgr& focus = CvxFocusMgr::GetInstance();
    void* focused = focus.GetFocus();
    CvxCompareGetWindowsMessage windows;
    m_model->Dispatch(windows);
    const std::vector<void*>& list = windows.GetWindows();
    if (list.empty()) {
        return;
    }
    const auto it = std::find(list.begin(), list.end(), focused);
    if (it == list.end()) {
        focus.SetFocus(list.front());
        return;
    }
    const auto index = static_cast<std::size_t>(it - list.begin());
    const std::size_t count = list.size();
    const std::size_t target = type == CvxCompareKbTabMessage::kType ? (index + 1) % count : (index + count - 1) % count;
    focus.SetFocus(list[target]);
}

#include "CvxHelpMgr.h"

#include "CvxInfoMgr.h"

#include <utility>

namespace {

CvxHelpMgr::Hook& TheHook()
{
    static CvxHelpMgr::Hook hook;
    return hook;
}

} // namespace

void CvxHelpMgr::ShowTopic(const std::u16string& topic)
{
    if (TheHook()) {
        TheHook()(topic);
        return;
    }
    CvxInfoMgr::GetInstance().LogMessage(kMessageInformation,
                                         u"help: " + (topic.empty() ? std::u16string(u"contents") : topic));
}

void CvxHelpMgr::SetHook(Hook hook)
{
    TheHook() = std::move(hook);
}

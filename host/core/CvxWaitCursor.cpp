#include "CvxWaitCursor.h"

#include <utility>

namespace {

struct Hooks {
    std::function<void(int)> begin;
    std::function<void()> end;
    int depth = 0;
};

Hooks& GetHooks()
{
    static Hooks hooks;
    return hooks;
}

} // namespace

CvxWaitCursor::CvxWaitCursor(int delayMs)
{
    Hooks& hooks = GetHooks();
    if (hooks.depth++ == 0 && hooks.begin) {
        hooks.begin(delayMs);
    }
}

CvxWaitCursor::~CvxWaitCursor()
{
    Hooks& hooks = GetHooks();
    if (--hooks.depth == 0 && hooks.end) {
        hooks.end();
    }
}

void CvxWaitCursor::SetHooks(std::function<void(int delayMs)> begin, std::function<void()> end)
{
    GetHooks().begin = std::move(begin);
    GetHooks().end = std::move(end);
}

int CvxWaitCursor::GetDepth()
{
    return GetHooks().depth;
}

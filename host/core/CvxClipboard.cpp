#include "CvxClipboard.h"

#include <mutex>
#include <utility>

namespace {

struct Clipboard {
    std::mutex mutex;
    std::u16string text;
    std::function<void(const std::u16string&)> set;
    std::function<std::u16string()> get;
};

Clipboard& Instance()
{
    static Clipboard clipboard;
    return clipboard;
}

} // namespace

void CvxClipboard::SetText(const std::u16string& text)
{
    Clipboard& c = Instance();
    std::function<void(const std::u16string&)> set;
    {
        std::lock_guard lock(c.mutex);
        c.text = text;
        set = c.set;
    }
    if (set) {
        set(text);
    }
}

std::u16string CvxClipboard::GetText()
{
    Clipboard& c = Instance();
    std::function<std::u16string()> get;
    {
        std::lock_guard lock(c.mutex);
        if (!c.get) {
            return c.text;
        }
        get = c.get;
    }
    return get();
}

void CvxClipboard::SetHooks(std::function<void(const std::u16string&)> set, std::function<std::u16string()> get)
{
    Clipboard& c = Instance();
    std::lock_guard lock(c.mutex);
    c.set = std::move(set);
    c.get = std::move(get);
}

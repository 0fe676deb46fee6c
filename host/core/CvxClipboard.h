#pragma once
// The host's clipboard, text both ways. The GUI host fills the hooks with the system
// clipboard; headless (no hooks) the text is kept in the process, so that copy and paste
// still work within one session.

#include <functional>
#include <string>

class CvxClipboard {
public:
    static void SetText(const std::u16string& text);
    static std::u16string GetText();
    static void SetHooks(std::function<void(const std::u16string&)> set, std::function<std::u16string()> get);
};

#pragma once
// The host's information dialog: a message shown to the user. The GUI host fills the hook
// with a message box; headless (no hook) the text goes to the host log.

#include <functional>
#include <string>

class CvxInfoDlg {
public:
    static constexpr int kDialogInformation = 1;
    static constexpr int kDialogWarning = 2;
    static constexpr int kDialogError = 3;

    using Hook = std::function<void(int dialogType, const std::u16string& text)>;

    static void Show(int dialogType, const std::u16string& text);
    static void SetHook(Hook hook);
};

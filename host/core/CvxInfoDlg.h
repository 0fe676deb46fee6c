#pragma once
// The host's information dialog: a message shown to the user, or a question answered OK or
// Cancel. The GUI host fills the hooks with message boxes; headless (no hook) the text goes to
// the host log and a question is answered OK, as nobody is there to cancel.

#include <functional>
#include <string>

class CvxInfoDlg {
public:
    static constexpr int kDialogInformation = 1;
    static constexpr int kDialogWarning = 2;
    static constexpr int kDialogError = 3;

    static constexpr int kAnswerOk = 1;
    static constexpr int kAnswerCancel = 2;

    using Hook = std::function<void(int dialogType, const std::u16string& text)>;
    using QuestionHook = std::function<int(const std::u16string& text)>;

    static void Show(int dialogType, const std::u16string& text);
    static void SetHook(Hook hook);
    // kAnswerOk or kAnswerCancel.
    static int Ask(const std::u16string& text);
    static void SetQuestionHook(QuestionHook hook);
};

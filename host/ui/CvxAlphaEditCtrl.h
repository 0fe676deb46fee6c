#pragma once
// A text edit known by its control id (also its object name): one line (a QLineEdit) or
// several (a QPlainTextEdit), the inner edit named "edit". The keypad caption says what to
// enter: it is the edit's accessible name and its placeholder text. The caller's command
// hears of each change the user makes, not of the caller's own SetText.

#include <QWidget>

#include <functional>

class QLineEdit;
class QPlainTextEdit;

class CvxAlphaEditCtrl : public QWidget {
public:
    using Command = std::function<void()>;

    CvxAlphaEditCtrl(int id, bool multiLine, QWidget* parent);

    void SetText(const QString& text);
    QString GetText() const;
    void SetKeypadCaption(const QString& caption);
    void SetValueChangedCommand(Command command);

private:
    void Changed();

    QLineEdit* m_line = nullptr;      // one of the two
    QPlainTextEdit* m_lines = nullptr;
    bool m_quiet = false;             // the caller's own SetText
    Command m_command;
};

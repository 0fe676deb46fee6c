#pragma once
// A number typed into a line edit ("edit"), or entered on a keypad dialog opened by the small
// button beside it ("keypad"); known by its control id (also its object name). The control
// only ever holds a number within its range: text that does not read as one, or lies outside
// the range, is refused when editing finishes (Return or leaving the edit), with a tool tip
// naming the range, and the edit goes back to the last number it held. The caller's command
// hears of each new number the user enters.
// CvxIntegerEditCtrl takes whole numbers only, exact over the full 64-bit range.

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

class CvxNumericEditCtrl : public QWidget {
public:
    using Command = std::function<void()>;

    CvxNumericEditCtrl(int id, QWidget* parent);

    // A value outside the new range is brought to its nearer end.
    void SetRange(double minimum, double maximum);
    // Brought into the range; the command is not run.
    void SetValue(double value);
    // The edit's number when it is valid, else the last valid one.
    double GetValue() const;
    // Whether the edit's text reads as a number within the range.
    bool IsValid() const;
    void SetKeypadCaption(const QString& caption);
    QLineEdit* GetEdit() const { return m_edit; }
    void SetValueChangedCommand(Command command);

    // Takes the edit's text as editing finishing does: a new valid number is kept (and the
    // command run), anything else refused. False when refused.
    bool Commit();
    // Why the last refused text was refused (empty when nothing was refused yet).
    const QString& GetLastError() const { return m_lastError; }
    // The text the keypad and the error messages refer to: "from -5 to 5".
    QString RangeText() const;

protected:
    CvxNumericEditCtrl(int id, bool integer, QWidget* parent);

    // Whether the text reads as a number within the range; if so, `canonical` gets the
    // number's text as the control shows it.
    virtual bool Read(const QString& text, QString& canonical) const;
    // The range's ends as text.
    virtual QString MinimumText() const;
    virtual QString MaximumText() const;
    // Shows a valid number's text as the control's value, without running the command.
    void ShowValue(const QString& text);
    // The edit's text when it is valid, else the last valid text.
    QString CurrentText() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenKeypad();

    QLineEdit* m_edit = nullptr;
    QToolButton* m_keypad = nullptr;
    bool m_integer;
    double m_minimum = -999999999;
    double m_maximum = 999999999;
    QString m_validText; // the last number the control held
    QString m_caption;
    QString m_lastError;
    Command m_command;
};

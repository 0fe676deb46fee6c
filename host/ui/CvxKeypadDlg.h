#pragma once
// The keypad of a numeric edit, for entering a number with the mouse or on a touch screen:
// titled with the edit's caption, a display ("display"), the digits ("0" to "9"), a sign key
// ("minus", which changes the sign), a decimal point ("point", left out for whole numbers),
// "back" and "clear". OK refuses a number the caller's check refuses (its text is shown)
// and stays open.

#include <QDialog>

#include <functional>

class QLineEdit;

class CvxKeypadDlg : public QDialog {
    Q_OBJECT
public:
    // `check` answers why a text cannot be taken (empty: it can).
    using Check = std::function<QString(const QString& text)>;

    CvxKeypadDlg(const QString& caption, bool integer, Check check, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString GetText() const;
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Type(const QString& key);

    QLineEdit* m_display = nullptr;
    bool m_integer;
    Check m_check;
};

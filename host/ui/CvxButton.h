#pragma once
// A push button of a host dialog, known by its control id (also its object name). A click is
// posted to the parent widget as a CvxButtonClickEvent, so the dialog handles all its buttons
// in one place, after the click has finished (the handler may close or rebuild the dialog).

#include <QEvent>
#include <QPushButton>

// The click of a CvxButton, delivered to the button's parent widget.
class CvxButtonClickEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 2025);

    explicit CvxButtonClickEvent(int id) : QEvent(kType), m_id(id) {}
    int GetID() const { return m_id; }

private:
    int m_id;
};

class CvxButton : public QPushButton {
public:
    CvxButton(int id, const QString& text, QWidget* parent);

    int GetID() const { return m_id; }
    // Sets the tool tip. The further arguments (where a caller may name a position for it)
    // are taken and not used: Qt places tool tips at the pointer.
    void ShowToolTip(const QString& text, int a = -1, int b = -1, int c = -1);

private:
    int m_id;
};

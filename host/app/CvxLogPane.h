#pragma once
// The host log in a pane: the lines of the host's information manager as they are logged
// (load warnings, mail, libsigrok), polled a few times a second, errors in red.

#include <QPlainTextEdit>

#include <cstdint>

class CvxLogPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CvxLogPane(QWidget* parent = nullptr);
    // Appends what was logged since the last look.
    void Poll();

private:
    std::uint64_t m_seen = 0;
};

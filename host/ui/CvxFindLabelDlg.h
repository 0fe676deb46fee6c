#pragma once
// "Find Bus/Signal": finds a bus/signal by the beginning of its name, first, next or
// previous, through the caller's search; a search that finds nothing is said in the dialog.
// It stays open for further finds (it may be shown modeless) until Close.
// Controls: "text", "first", "next", "previous", "close", "status".

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

class CvxFindLabelDlg : public QDialog {
    Q_OBJECT
public:
    // Directions of a search.
    static constexpr int kFirst = 0;
    static constexpr int kNext = 1;
    static constexpr int kPrevious = -1;
    // Searches for a bus/signal whose name begins with `text` (one of the directions); false
    // when there is none.
    using Finder = std::function<bool(const QString& text, int direction)>;

    explicit CvxFindLabelDlg(Finder finder, QWidget* parent = nullptr);

    // Searches as the buttons do; false when nothing was found (or there is nothing to find).
    bool Find(int direction);

private:
    Finder m_finder;
    QLineEdit* m_text = nullptr;
    QLabel* m_status = nullptr;
};

#pragma once
// A page of the print dialog's options sheet, made by a print controller for its own
// settings (margins, what each page shows). The sheet applies every page when the user
// accepts the dialog; a page that keeps nothing of its own needs no Apply.

#include <QWidget>

class CvxPrintOptionsPage : public QWidget {
public:
    explicit CvxPrintOptionsPage(QWidget* parent = nullptr) : QWidget(parent) {}
    // Writes the page's controls back into the controller's settings.
    virtual void Apply() {}
};

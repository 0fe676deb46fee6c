#pragma once
// The host's print framework for the windows: Print (the print dialog with the controller's
// options pages among its tabs), Print Preview and Export PDF, each running one CvxPrintJob.
// A job that fails (a layout that does not fit the page) is told in a message box and prints
// nothing. The command line calls WritePdf and tells the failure itself.

#include <QString>

class CvxPrintCtrlBase;
class QPrinter;
class QWidget;

class CvxPrintFramework {
public:
    // False when the user cancels or the job fails (told).
    static bool Print(CvxPrintCtrlBase& controller, QWidget* parent);
    static bool Preview(CvxPrintCtrlBase& controller, QWidget* parent);
    // Asks for the file name, then writes it as WritePdf does.
    static bool ExportPdf(CvxPrintCtrlBase& controller, QWidget* parent);
    // The pages as a PDF file (A4, portrait); false with the reason in `error`.
    static bool WritePdf(CvxPrintCtrlBase& controller, const QString& path, QString& error, int* pages = nullptr);

private:
    static void Tell(QWidget* parent, const QString& error);
};

#pragma once
// One print job on a QPrinter (a real printer, a PDF file or the preview): the controller's
// job begins, it is prepared once on the printer, then each page is drawn by the controller
// and the six header and footer texts (text queries 26 to 31: header left, centre, right,
// footer left, centre, right) are drawn over it with their tokens replaced; the job ends
// whatever happened. A controller that cannot lay out its pages prints nothing.

#include <QString>

#include <map>
#include <string>

class CvxPrintCtrlBase;
class QPrinter;

class CvxPrintJob {
public:
    static constexpr int kFirstTextQuery = 26;

    // False with the reason in `error` (nothing printed); `pages` gets the number printed.
    static bool Run(CvxPrintCtrlBase& controller, QPrinter& printer, QString& error, int* pages = nullptr);
    // Every occurrence of every token by its value; text that names no token stays as it is.
    static std::u16string ReplaceTokens(std::u16string text, const std::map<std::u16string, std::u16string>& tokens);
};

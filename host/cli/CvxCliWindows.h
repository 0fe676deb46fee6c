#pragma once
// What cvx-compare makes with the Compare module's windows: the comparison printed to PDF as
// the window prints it (the tool's own print controller, layout and pages). Qt is started on
// the offscreen platform only when one of these is asked for, so plain runs open no display.

#include <memory>
#include <string>

class CvxPlugInBase;
class QApplication;

class CvxCliWindows {
public:
    CvxCliWindows();
    ~CvxCliWindows();
    CvxCliWindows(const CvxCliWindows&) = delete;
    CvxCliWindows& operator=(const CvxCliWindows&) = delete;

    // Prints the tool's comparison to `path`. `header` and `footer` are "LEFT|CENTRE|RIGHT"
    // (a text without '|' is the left one; empty keeps the tool's texts). Throws CvxCliError
    // when the tool does not print or the pages cannot be laid out; answers the page count.
    int WritePdf(CvxPlugInBase& tool, const std::string& path, const std::string& header, const std::string& footer);

private:
    std::unique_ptr<QApplication> m_app;
};

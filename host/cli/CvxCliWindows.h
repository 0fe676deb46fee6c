#pragma once
// What cvx-compare makes with the Compare module's windows: the comparison printed to PDF as
// the window prints it (the tool's own print controller, layout and pages), and a picture of
// the Compare window. Qt is started on the offscreen platform only when one of these is asked
// for, so plain runs open no display.

#include <cstdint>
#include <memory>
#include <string>

class CvxCliTool;
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
    // Opens the tool's window at `width` x `height` pixels, centres it on `centre` (in
    // femtoseconds, through the tool's options: as any host moves it) when given, and saves
    // what it shows to the PNG file `path`. Throws CvxCliError when it cannot.
    void WritePng(CvxPlugInBase& plugIn, CvxCliTool& tool, const std::string& path, int width, int height,
                  const std::int64_t* centre);

private:
    std::unique_ptr<QApplication> m_app;
};

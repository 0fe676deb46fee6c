#include "CvxCliWindows.h"

#include "CvxCliArgs.h"
#include "CvxCliTool.h"
#include "CvxPlugInView.h"
#include "CvxPlugInViewerBase.h"
#include "CvxPrintCtrlBase.h"
#include "CvxPrintFramework.h"
#include "CvxStringConvert.h"

#include <QApplication>
#include <QPixmap>

#include <cstdlib>
#include <vector>

namespace {

// The text queries of a print controller's header band; the footer's follow them.
constexpr int kFirstHeaderText = 26;
constexpr int kFooterTexts = kFirstHeaderText + 3;

// Sets a band's three texts from "LEFT|CENTRE|RIGHT"; one without '|' is the left text alone.
void SetBand(CvxPrintCtrlBase& controller, int first, const std::string& option, const std::string& texts)
{
    if (texts.empty()) {
        return;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t bar = texts.find('|'); bar != std::string::npos; bar = texts.find('|', start)) {
        parts.push_back(texts.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(texts.substr(start));
    if (parts.size() > 3) {
        throw CvxCliError("option --" + option + ": at most three texts, LEFT|CENTRE|RIGHT");
    }
    parts.resize(3);
    for (int i = 0; i < 3; ++i) {
        controller.SetText(first + i, CvxStringConvert::FromUtf8(parts[static_cast<std::size_t>(i)]));
    }
}

} // namespace

CvxCliWindows::CvxCliWindows()
{
    // A command line has no display; the windows are drawn off the screen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "cvx-compare";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
}

CvxCliWindows::~CvxCliWindows() = default;

int CvxCliWindows::WritePdf(CvxPlugInBase& tool, const std::string& path, const std::string& header,
                            const std::string& footer)
{
    CvxPrintCtrlBase* controller = tool.GetPrintCtrl();
    if (controller == nullptr) {
        throw CvxCliError("option --pdf: the Compare tool does not print (its windows are not in the module)");
    }
    SetBand(*controller, kFirstHeaderText, "header", header);
    SetBand(*controller, kFooterTexts, "footer", footer);
    QString error;
    int pages = 0;
    if (!CvxPrintFramework::WritePdf(*controller, QString::fromStdString(path), error, &pages)) {
        throw CvxCliError(path + ": " + error.toStdString());
    }
    return pages;
}

void CvxCliWindows::WritePng(CvxPlugInBase& plugIn, CvxCliTool& tool, const std::string& path, int width, int height,
                             const std::int64_t* centre)
{
    auto* viewer = dynamic_cast<CvxPlugInViewerBase*>(&plugIn);
    const auto* viewClass = viewer != nullptr ? dynamic_cast<const CvxPlugInViewClass*>(viewer->GetViewClass()) : nullptr;
    if (viewClass == nullptr || viewer->GetDocument() == nullptr) {
        throw CvxCliError("option --png: the Compare tool has no window (its windows are not in the module)");
    }
    std::unique_ptr<CvxPlugInView> view = viewClass->CreateObject();
    if (view == nullptr || !view->Create(*viewer->GetDocument())) {
        throw CvxCliError("option --png: the Compare window could not be made");
    }
    view->resize(width, height);
    view->show();
    // The first showing lays the window out; the centre is moved after it, as a user would.
    QApplication::processEvents();
    if (centre != nullptr) {
        tool.SetOptions(CvxCliTool::OptionsRequest({{u"Center", CvxStringConvert::FromUtf8(std::to_string(*centre))}}),
                        "the centre");
        QApplication::processEvents();
    }
    if (!view->grab().save(QString::fromStdString(path), "PNG")) {
        throw CvxCliError(path + ": the picture could not be written");
    }
}

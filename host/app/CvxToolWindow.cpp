#include "CvxToolWindow.h"

#include "CvxPlugInView.h"
#include "CvxPlugInViewerBase.h"

#include <QVBoxLayout>

CvxToolWindow::CvxToolWindow(const QString& name, CvxPlugInBase& plugIn, CvxStdToolCmdIFace& tool, QWidget* parent)
    : QWidget(parent), m_name(name), m_plugIn(plugIn), m_tool(tool)
{
    setObjectName(name);
    setWindowTitle(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewer = dynamic_cast<CvxPlugInViewerBase*>(&plugIn);
    const auto* viewClass = viewer != nullptr ? dynamic_cast<const CvxPlugInViewClass*>(viewer->GetViewClass()) : nullptr;
    if (viewClass == nullptr || viewer->GetDocument() == nullptr) {
        m_error = tr("the tool has no window of its own");
        return;
    }
    std::unique_ptr<CvxPlugInView> view = viewClass->CreateObject();
    if (view == nullptr || !view->Create(*viewer->GetDocument())) {
        m_error = tr("its window could not be made");
        return;
    }
    m_view = view.release();
    layout->addWidget(m_view);
}

#include "CvxToolWindow.h"

#include "CvxHostCommands.h"
#include "CvxMenuCmd.h"
#include "CvxPlugInView.h"
#include "CvxPlugInViewerBase.h"

#include <QAction>
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
    BindKeys();
}

void CvxToolWindow::BindKeys()
{
    for (const CvxHostCommand& command : CvxHostCommands::Table()) {
        if (command.keys.isEmpty()) {
            continue;
        }
        auto* action = new QAction(this);
        action->setObjectName(QString::number(command.number));
        action->setShortcut(command.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        const int number = command.number;
        connect(action, &QAction::triggered, this, [this, number] { ExecuteCommand(number, QString()); });
    }
}

bool CvxToolWindow::ExecuteCommand(int number, const QString& title)
{
    CvxMenuCmd* cmd = CvxHostCommands::Find(m_plugIn, number, title);
    if (cmd == nullptr || !cmd->IsEnabled()) {
        return false;
    }
    // The host holds a reference of its own while the command runs, so that nothing the
    // command sets off can delete it under it.
    cmd->AddRef();
    cmd->Execute();
    cmd->Release();
    emit CommandExecuted();
    return true;
}

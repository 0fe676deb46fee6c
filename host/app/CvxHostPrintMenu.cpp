#include "CvxHostPrintMenu.h"

#include "CvxPrintFramework.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <array>

void CvxHostPrintMenu::Add(QMenu& file, QWidget& parent, ControllerQuery active)
{
    using Job = bool (*)(CvxPrintCtrlBase&, QWidget*);
    const struct {
        const char* name;
        QString text;
        QKeySequence keys;
        Job job;
    } entries[] = {
        {"Print", QMenu::tr("&Print..."), QKeySequence::Print, &CvxPrintFramework::Print},
        {"PrintPreview", QMenu::tr("Print Pre&view..."), QKeySequence(), &CvxPrintFramework::Preview},
        {"ExportPdf", QMenu::tr("&Export PDF..."), QKeySequence(), &CvxPrintFramework::ExportPdf},
    };
    std::array<QAction*, 3> actions{};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        QAction* action = file.addAction(entries[i].text);
        action->setObjectName(entries[i].name);
        if (!entries[i].keys.isEmpty()) {
            action->setShortcut(entries[i].keys);
        }
        const Job job = entries[i].job;
        QObject::connect(action, &QAction::triggered, &parent, [active, job, &parent] {
            if (CvxPrintCtrlBase* controller = active()) {
                job(*controller, &parent);
            }
        });
        actions[i] = action;
    }
    QObject::connect(&file, &QMenu::aboutToShow, &parent, [active, actions] {
        const bool printable = active() != nullptr;
        for (QAction* action : actions) {
            action->setEnabled(printable);
        }
    });
}

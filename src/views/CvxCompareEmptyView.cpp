#include "CvxCompareEmptyView.h"

#include "CvxCompareContextMenu.h"
#include "CvxCompareEmptyViewport.h"
#include "CvxCompareHeaderRowCommands.h"
#include "CvxCompareModel.h"

#include <QContextMenuEvent>
#include <algorithm>
#include <QMenu>
#include <QMouseEvent>

CvxCompareEmptyView::CvxCompareEmptyView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxCompareEmptyViewport>(), nullptr, false, parent)
{
}

CvxCompareEmptyView::~CvxCompareEmptyView() = default;

bool CvxCompareEmptyView::ExecuteCommand(int id)
{
    return CvxCompareHeaderRowCommands::Execute(GetModel(), id);
}

void CvxCompareEmptyView::ShowContextMenu(const QPoint& at)
{
    m_menu = CvxCompareContextMenu::Build(CvxCompareContextMenu::kEmptyHeader, this);
    CvxCompareHeaderRowCommands::ApplyStates(GetModel(), *m_menu);
    for (QAction* action : m_menu->findChildren<QAction*>()) {
        bool number = false;
        const int id = action->objectName().toInt(&number);
        if (number) {
            connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        }
    }
    const QPoint inside(std::clamp(at.x(), 0, std::max(0, width() - 1)), std::clamp(at.y(), 0, std::max(0, height() - 1)));
    m_menu->popup(mapToGlobal(inside));
}

void CvxCompareEmptyView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        GetModel().SetColumnSelection({});
    }
    CvxComparePaneView::mousePressEvent(event);
}

void CvxCompareEmptyView::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->pos() : rect().center());
}

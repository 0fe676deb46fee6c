#include "CvxCompareEmptyView.h"

#include "CvxCompareContextMenu.h"
#include "CvxCompareEmptyViewport.h"
#include "CvxCompareHeaderRowCommands.h"
#include "CvxCancelMgr.h"
#include "CvxCompareModel.h"
#include "CvxComparePropertySheet.h"
#include "CvxID.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

CvxCompareEmptyView::CvxCompareEmptyView(CvxCompareModel& model, QWidget* parent)
    : CvxComparePaneView(model, std::make_unique<CvxCompareEmptyViewport>(), nullptr, false, parent)
{
}

CvxCompareEmptyView::~CvxCompareEmptyView() = default;

bool CvxCompareEmptyView::IsCommandEnabled(int id) const
{
    if (id == CvxCompareContextMenu::kProperties) {
        return !CvxCancelMgr::GetInstance().IsEnabled();
    }
    return CvxCompareHeaderRowCommands::IsEnabled(GetModel(), id);
}

bool CvxCompareEmptyView::ExecuteCommand(int id)
{
    if (id == CvxCompareContextMenu::kProperties) {
        return IsCommandEnabled(id)
            && CvxComparePropertySheet::Run(GetModel(), this, CvxComparePropertySheet::kWindowPage, CvxID());
    }
    return CvxCompareHeaderRowCommands::Execute(GetModel(), id);
}

void CvxCompareEmptyView::ShowContextMenu(const QPoint& at)
{
    CvxCompareModel& model = GetModel();
    model.SetColumnSelection({});
    m_menu = CvxCompareContextMenu::Build(CvxCompareContextMenu::kEmptyHeader, this);
    CvxCompareContextMenu::Attach(
        *m_menu, *this, [this](int id) { return IsCommandEnabled(id); },
        [&model](int id) { return CvxCompareHeaderRowCommands::IsChecked(model, id); },
        [this](int id) { ExecuteCommand(id); });
    m_menu->popup(mapToGlobal(CvxCompareContextMenu::InPane(*this, at)));
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
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->pos() : CvxCompareContextMenu::AtCursor(*this));
}

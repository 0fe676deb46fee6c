#include "CvxComparePaneKeys.h"

#include "CvxCompareModel.h"

#include <QKeyEvent>

CvxComparePaneKeys::Action CvxComparePaneKeys::Of(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    switch (event.key()) {
    case Qt::Key_Escape: return modifiers == Qt::NoModifier ? kEndDrag : kNone;
    case Qt::Key_Delete: return modifiers == Qt::NoModifier ? kDelete : kNone;
    case Qt::Key_A: return modifiers == Qt::ControlModifier ? kSelectAll : kNone;
    case Qt::Key_U: return modifiers == Qt::ControlModifier ? kSelectNone : kNone;
    case Qt::Key_Plus: return keypad && modifiers == Qt::ControlModifier ? kSizeAll : kNone;
    case Qt::Key_Menu: return modifiers == Qt::NoModifier ? kContextMenu : kNone;
    case Qt::Key_F10: return modifiers == Qt::ShiftModifier ? kContextMenu : kNone;
    default: return kNone;
    }
}

bool CvxComparePaneKeys::Claim(QEvent& event, bool dragging, bool deletes)
{
    if (event.type() != QEvent::ShortcutOverride) {
        return false;
    }
    const Action action = Of(static_cast<const QKeyEvent&>(event));
    const bool claimed = action != kNone && (action != kEndDrag || dragging) && (action != kDelete || deletes);
    if (claimed) {
        event.accept();
    }
    return claimed;
}

void CvxComparePaneKeys::Select(CvxCompareModel& model, bool all)
{
    std::vector<CvxID> columns;
    if (all) {
        for (const CvxCompareColumn& column : model.GetColumns()) {
            columns.push_back(column.GetID());
        }
    }
    model.SetColumnSelection(columns);
}

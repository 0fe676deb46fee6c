#pragma once
// The column header's input: a click selects columns (Ctrl toggles, Shift extends) or opens
// the trigger menu; a drag at a column's right edge resizes it (one undoable width command
// when the button is let go), a drag of a column cell moves the selected columns (one move
// command at the drop place, shown by a floating image of the names and the cursor); Esc or a
// lost capture ends either without a change. Dragging past the pane's edge scrolls the columns
// (faster the further out). A double click sizes a column to its contents or renames its
// bus/signal; keys delete, select all or none, and size every column. The context menus and
// the name tool tips are opened from here.

#include "CvxController.h"
#include "CvxID.h"

#include <QObject>
#include <QPoint>

#include <memory>

class QLabel;
class QTimer;
class CvxCompareColumnSelector;
class CvxCompareHeaderView;

class CvxCompareHeaderController : public QObject, public CvxController {
public:
    enum DragMode { kNone, kResizing, kMovePending, kMoving };

    CvxCompareHeaderController();
    ~CvxCompareHeaderController() override;
    // The view the controller works in (set once the view exists).
    void Attach(CvxCompareHeaderView& view);

    bool MousePress(QMouseEvent& event) override;
    bool MouseMove(QMouseEvent& event) override;
    bool MouseRelease(QMouseEvent& event) override;
    bool MouseDoubleClick(QMouseEvent& event) override;
    bool KeyPress(QKeyEvent& event) override;
    bool ContextMenu(QContextMenuEvent& event) override;
    void FocusChanged(bool in) override;

    DragMode GetDragMode() const { return m_mode; }
    // Ends a resize or move without committing it (Esc, a lost capture).
    void CancelDrag();
    // The place the dragged columns would go: before the column at this index (the column
    // count: at the end); -1 while no move is under way.
    int GetDropIndex() const { return m_dropIndex; }
    bool IsAutoScrolling() const;
    // The floating image of a column move (null while none).
    const QLabel* GetDragImage() const { return m_dragImage.get(); }
    // Opens the "InsideHeader" or "OutsideHeader" menu for a point of the pane.
    void ShowContextMenu(const QPoint& at);

private:
    void StartMove(const QPoint& at);
    void UpdateMove(const QPoint& at);
    void UpdateAutoScroll(int x);
    void AutoScrollTick();
    void UpdateToolTip(const QPoint& at, const QPoint& global);
    void EndDrag();
    bool ColumnAt(const QPoint& at, CvxID& column) const;

    CvxCompareHeaderView* m_view = nullptr;
    std::unique_ptr<CvxCompareColumnSelector> m_selector;
    DragMode m_mode = kNone;
    CvxID m_pressColumn;
    QPoint m_start;
    int m_startWidth = 0;
    bool m_selectOnRelease = false; // a press on a selected column: select only it unless dragged
    int m_dropIndex = -1;
    CvxID m_dropTarget; // the column the moved ones go before (null: the end)
    QTimer* m_scrollTimer = nullptr;
    int m_scrollStep = 0; // +1 scrolls right, -1 left
    QPoint m_last;
    std::unique_ptr<QLabel> m_dragImage;
    CvxID m_tipColumn;
};

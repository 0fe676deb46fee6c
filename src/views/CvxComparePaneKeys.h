#pragma once
// The keys the header and grid panes handle themselves rather than through the host's
// commands: Esc ends a drag, Delete deletes the selected columns (the header), Ctrl+A and
// Ctrl+U select every column or none, Ctrl with keypad plus sizes every column to its
// content, and the context-menu key or Shift+F10 opens the pane's menu. A pane claims these
// keys before the window's shortcuts see them, so that a host binding the same keys (Esc to
// stop a run, Delete to delete columns) leaves them to the pane.

class QEvent;
class QKeyEvent;
class CvxCompareModel;

class CvxComparePaneKeys {
public:
    enum Action { kNone, kEndDrag, kDelete, kSelectAll, kSelectNone, kSizeAll, kContextMenu };

    static Action Of(const QKeyEvent& event);
    // For a pane's event(): accepts a shortcut-override event for a key the pane takes itself
    // now (Esc only while `dragging`, Delete only where the pane `deletes` columns) and
    // answers whether it did.
    static bool Claim(QEvent& event, bool dragging, bool deletes);
    // Ctrl+A and Ctrl+U: every column selected, or none.
    static void Select(CvxCompareModel& model, bool all);
};

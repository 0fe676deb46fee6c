#pragma once
// The data grid in the middle of the Compare window: the grid viewport inside its scroll bars.
// It takes keyboard input (the arrows, pages, Home and End move the centre; left and right
// scroll the columns; the pane's own keys of CvxComparePaneKeys), a wheel notch moves one
// row, and it leads the horizontal scrolling of its column. A click selects columns (Ctrl
// toggles, Shift extends) and a drag outlines cells, whose menu copies their text; the
// context menus offer the grid's commands for the column they were opened on, the host's
// commands act on the selected column (else the first).

#include "CvxComparePaneView.h"

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QTimer;
class CvxCompareColumn;
class CvxCompareColumnSelector;
class CvxCompareDataViewport;
class CvxCompareQuickTrigger;
class CvxPosition;
class CvxID;
class CvxScrollBarWrapper;

class CvxCompareDataView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareDataView(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareDataView() override;

    CvxCompareDataViewport& GetGrid();
    const CvxCompareDataViewport& GetGrid() const;
    // The scroll bars around the view (made by the window, which places them in the splitter).
    void SetScrollBars(CvxScrollBarWrapper* bars);
    CvxScrollBarWrapper* GetScrollBars() const { return m_bars; }
    void SetHorizontalOrigin(int x) override;

    // A command of the grid's menus (35404, 35408, 35457, 35462, 35463, ...) as its entry runs
    // it; false when it is disabled now.
    bool ExecuteCommand(int id);
    bool IsCommandEnabled(int id) const;
    // The same command asked for by a host command (Go To..., Find...): for the selected
    // column, whatever the last context menu was opened on.
    bool ExecuteHostCommand(int id);
    // The menu last opened (null before the first): tests and remote clients pick its entries.
    QMenu* GetMenu() const { return m_menu.get(); }
    // Opens the "InsideColumn" or "OutSideColumn" menu at a point of the pane.
    void ShowContextMenu(const QPoint& at);

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SelectColumn(const CvxID& column, Qt::KeyboardModifiers modifiers);
    // The column the grid's commands act on: the one the context menu was opened on (none
    // outside the columns), else the first selected one, else the first one.
    const CvxCompareColumn* CommandColumn() const;
    // Runs after the current broadcast, from the event loop (the dialogs are modal).
    void Post(std::function<void()> action);
    void ShowMenu(int kind, const QPoint& at);
    void EndOutline();
    // The first marker on the centre row (the null id when none is), for the marker page.
    CvxID MarkerAtCentre() const;
    // The outlined columns (the selected ones) and the quick trigger of the outline.
    std::vector<const CvxCompareColumn*> OutlinedColumns() const;
    void UpdateQuickTrigger(const QPoint& at);
    // The outline's end, or the dragged marker, to the row under the point (kept in the pane).
    void DragTo(const QPoint& at);
    // Outside the pane while dragging: one row a tick, faster the further out.
    void UpdateAutoScroll(int y);
    void AutoScrollTick();

    CvxScrollBarWrapper* m_bars = nullptr;
    bool m_dragging = false;
    std::unique_ptr<CvxID> m_draggedMarker; // the marker being dragged, or null
    std::unique_ptr<CvxPosition> m_markerFrom; // where it was before the drag (Esc puts it back)
    QTimer* m_autoScroll = nullptr;
    int m_autoScrollStep = 0; // -1 up, +1 down
    QPoint m_lastPoint;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<CvxPosition> m_menuRow; // the row the context menu was opened on
    std::unique_ptr<CvxID> m_menuColumn;    // and its column (a null identifier outside them)
    std::unique_ptr<CvxCompareQuickTrigger> m_quick;
    std::unique_ptr<CvxCompareColumnSelector> m_selector;
};

#pragma once
// The column header above the grid: the header viewport with its controller, the trigger
// controls placed in the trigger fields (a pattern edit for a bus, a level button for a
// signal), the context menus and the trigger menu, and the commands they run. It keeps the
// splitter's header row as tall as its lines (the label font measured again on every
// properties change and setup load), shows the side columns while markers are displayed,
// scrolls the selected column into view when asked (the posted show-selected-column event),
// copies and pastes columns, and follows the grid's horizontal scrolling.

#include "CvxComparePaneView.h"

#include <QEvent>

#include <functional>
#include <memory>

class QMenu;
class CvxCompareHeaderCommands;
class CvxCompareHeaderController;
class CvxCompareHeaderViewport;
class CvxCompareSplitterWnd;
class CvxID;

class CvxCompareHeaderView : public CvxComparePaneView {
    Q_OBJECT
public:
    // Posted to the header: scroll header and grid so that the selected column is visible.
    static constexpr QEvent::Type kShowSelectedColumnEvent = static_cast<QEvent::Type>(QEvent::User + 0x09E6);

    CvxCompareHeaderView(CvxCompareModel& model, CvxCompareSplitterWnd& splitter);
    ~CvxCompareHeaderView() override;

    CvxCompareHeaderViewport& GetHeader();
    CvxCompareHeaderController& GetHeaderController();
    CvxCompareHeaderCommands& GetCommands() { return *m_commands; }

    // Measures the label font, sets the header row height from it and lays the splitter out.
    void TrackHeaderHeight();
    void ShowSelectedColumn();
    void SetHorizontalOrigin(int x) override;
    // One line of the columns right (+1) or left (-1), as the grid scrolls a line.
    void ScrollLine(int step);

    // A command of the header's menus as its entry runs it; false when disabled now.
    bool ExecuteCommand(int id);
    bool IsCommandEnabled(int id) const;
    // Opens a context menu or the trigger menu (a CvxCompareContextMenu kind) at a point.
    void ShowMenu(int kind, const QPoint& at);
    // The menu last opened (null before the first): tests and remote clients pick its entries.
    QMenu* GetMenu() const { return m_menu.get(); }
    // The trigger control of a column (a QLineEdit or a QToolButton), null when none is shown.
    QWidget* GetTriggerControl(const CvxID& column) const;
    // Runs after the current broadcast, from the event loop (the dialogs are modal).
    void Post(std::function<void()> action);

protected:
    void OnModelMessage(CvxMvcDefMsg& message) override;
    bool event(QEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    // Places the trigger controls in the fields the last paint laid out; hides the others.
    void PlaceTriggerControls();
    QWidget* MakeTriggerControl(const CvxID& column, int kind);
    // Makes the pattern the analyzer's trigger; a refusal is shown and the field set back.
    void SetTrigger(const CvxID& column, const QString& text);

    CvxCompareSplitterWnd& m_splitter;
    std::unique_ptr<CvxCompareHeaderCommands> m_commands;
    std::unique_ptr<QMenu> m_menu;
    struct Controls; // the trigger controls by column
    std::unique_ptr<Controls> m_controls;
};

#pragma once
// A corner of the header row, left and right of the column header: an etched face-coloured
// box. A click clears the column selection, and so does its context menu ("EmptyHeader"),
// which offers Undo, the display toggles and the header's insert, channel and properties
// commands.

#include "CvxComparePaneView.h"

#include <memory>

class QMenu;

class CvxCompareEmptyView : public CvxComparePaneView {
    Q_OBJECT
public:
    CvxCompareEmptyView(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareEmptyView() override;

    // The context menu last opened (null before the first); tests and remote clients pick
    // its entries.
    QMenu* GetContextMenu() const { return m_menu.get(); }
    // Whether the menu's entry is enabled now, as the window's state has it.
    bool IsCommandEnabled(int id) const;
    // Runs a command of the menu as its entry does; false when it is disabled now.
    bool ExecuteCommand(int id);
    // Opens the context menu at a point of the pane (clamped into the pane).
    void ShowContextMenu(const QPoint& at);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::unique_ptr<QMenu> m_menu;
};

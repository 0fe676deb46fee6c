#pragma once
// The column header's commands (menu 3401 and the trigger menu 3421): which are enabled and
// checked in the model's state, and running them. The commands act on the column last
// clicked and on the selected columns; dialogs open over the header. Find Bus/Signal's search
// is a plain function over the columns' names, so that tests check it without a window.

#include "CvxID.h"

#include <QString>

#include <vector>

class CvxCompareColumn;
class CvxCompareModel;
class QMenu;
class QWidget;

class CvxCompareHeaderCommands {
public:
    CvxCompareHeaderCommands(CvxCompareModel& model, QWidget& parent);

    // The column the menu was opened on (or last clicked); a null identifier for none. The
    // commands act on the selection from then on.
    void SetClickedColumn(const CvxID& column);
    const CvxID& GetClickedColumn() const { return m_clicked; }
    // The menu outside the columns opens: its click cleared the selection, and its Delete
    // Column deletes the columns selected before it.
    void SetOutsideMenu(std::vector<CvxID> selectedBefore);
    // A key or a host command: the commands act on the selection again.
    void ForSelection() { SetClickedColumn(m_clicked); }

    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command; false when it is not the header's, is disabled now or changed nothing.
    bool Execute(int id);
    // Enables and checks the menu's actions (named by id) and connects them to Execute.
    void Apply(QMenu& menu);

    // Copies the selected columns to the clipboard as markup, and pastes columns from it.
    bool CopyColumns() const;
    bool PasteColumns();

    // The place of the next column (in `names`) after `from` in `direction` (+1 or -1; 0
    // starts at `from` itself) whose name begins with `text`, ignoring case; wraps at either
    // end; -1 after a whole pass without a match.
    static int FindName(const std::vector<QString>& names, const QString& text, int from, int direction);
    // Find Bus/Signal's routine: from the first selected column (or the column at the left
    // edge `originX`), the next match becomes the only selected column; false without one.
    static bool FindColumn(CvxCompareModel& model, const QString& text, int direction, int originX);

private:
    const CvxCompareColumn* Clicked() const;
    // The column Find... searches: the clicked one, else the first selected, else the first.
    const CvxCompareColumn* FindTarget() const;
    std::vector<CvxID> DeleteTargets() const;
    bool IsBusy() const;

    CvxCompareModel& m_model;
    QWidget& m_parent;
    CvxID m_clicked;
    bool m_outsideMenu = false;
    std::vector<CvxID> m_selectedBefore; // of the menu outside the columns
};

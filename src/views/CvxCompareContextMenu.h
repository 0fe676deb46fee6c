#pragma once
// The context menus of the Compare window: the header row's (menu 3401), the grid's (menu
// 3419) and the trigger menu (3421). Each is one table of entries (command id and text, a
// separator, or a submenu with its own table), from which the menu is built, so that what is
// shown, what remote clients name and what tests check read the same entries. Every action
// carries its command id as its object name, every menu its name ("InsideHeader") and every
// submenu its title without spaces ("Display", "CopyText").

#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QObject;
class QWidget;

struct CvxCompareMenuEntry {
    int id = 0;                                               // the command id of an item
    const char* text = nullptr;                               // as shown; null for a separator
    const std::vector<CvxCompareMenuEntry>* submenu = nullptr; // the entries of a submenu
    bool checkable = false;                                   // an item that shows a check mark

    bool IsSeparator() const { return text == nullptr; }
};

class CvxCompareContextMenu {
public:
    // Submenus 0, 1, 2 of menu 3401 (header row), of menu 3419 (grid), and menu 3421.
    enum Kind { kInsideHeader, kOutsideHeader, kEmptyHeader, kInsideColumn, kOutsideColumn, kDragOutline, kTriggerMenu };
    static constexpr int kKindCount = kTriggerMenu + 1;

    // The header row's commands.
    enum Command {
        kInsertBefore = 35400,
        kInsertAfter = 35401,
        kRename = 35403,
        kUndo = 35404,
        kInsertColumn = 35405,
        kDeleteColumn = 35406,
        kProperties = 35407,
        kSymbols = 35446,
        kAdvancedTrigger = 35447,
        kSimpleTrigger = 35448,
        kAssignChannels = 35450,
        kShowActivity = 35451,
        kShowTrigger = 35452,
        kShowBase = 35453,
        kFind = 35454,
        kFindNext = 35455,
        kFindPrevious = 35456,
        kShowMarkers = 35460,
        kFindLabel = 35464,
        // The grid's.
        kCopyText = 35408,
        kQuickTrigger = 35409,
        kGoto = 35410,
        kPlaceMarker = 35411,
        kCopyTextWithNames = 35457,
        kOutlineFindNext = 35458,
        kOutlineFindPrevious = 35459,
        kGotoFirstSample = 35462,
        kGotoLastSample = 35463,
    };

    static const std::vector<CvxCompareMenuEntry>& Entries(Kind kind);
    // The menu's name, its object name ("InsideHeader", "Trigger Menu").
    static const char* Name(Kind kind);
    // The menu, its actions named by id, its submenus by their titles without spaces.
    static std::unique_ptr<QMenu> Build(Kind kind, QWidget* parent);
    // Enables and checks every action of the menu and its submenus by its id, and runs `run`
    // with the id when the action is chosen (`context` ends the connections).
    static void Attach(QMenu& menu, QObject& context, const std::function<bool(int)>& enabled,
                       const std::function<bool(int)>& checked, const std::function<void(int)>& run);

    // Where a menu opens in a pane: the point kept one pixel inside the pane, and, for a menu
    // opened from the keyboard (the context-menu key, Shift+F10), the mouse cursor's place so kept.
    static QPoint InPane(const QWidget& pane, const QPoint& at);
    static QPoint AtCursor(const QWidget& pane);
};

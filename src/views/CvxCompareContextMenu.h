#pragma once
// The context menus of the Compare window's header row (menu 3401) and grid (menu 3419): one
// table per menu, from which the menus are built, so that what is shown, what remote clients name and what tests
// check read the same entries. Every action carries its command id as its object name.

#include <memory>
#include <vector>

class QMenu;
class QWidget;

struct CvxCompareMenuEntry {
    int id = 0;                 // 0: a separator; -1: the Display submenu; -2: the Copy Text submenu
    const char* text = nullptr; // as shown, with its accelerator
};

class CvxCompareContextMenu {
public:
    // Submenus of menu 3401 (header row) and of menu 3419 (grid).
    enum Kind { kInsideHeader, kOutsideHeader, kEmptyHeader, kInsideColumn, kOutsideColumn, kDragOutline };

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
    static const std::vector<CvxCompareMenuEntry>& DisplayEntries();
    static const std::vector<CvxCompareMenuEntry>& CopyTextEntries();
    // The menu, its actions named by id, the Display submenu named "Display".
    static std::unique_ptr<QMenu> Build(Kind kind, QWidget* parent);
};

#include "CvxCompareContextMenu.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace {

using C = CvxCompareContextMenu;
using EntryList = std::vector<CvxCompareMenuEntry>;

CvxCompareMenuEntry Item(int id, const char* text) { return {id, text, nullptr, false}; }
CvxCompareMenuEntry Check(int id, const char* text) { return {id, text, nullptr, true}; }
CvxCompareMenuEntry Separator() { return {}; }
CvxCompareMenuEntry Submenu(const char* text, const EntryList& entries) { return {0, text, &entries, false}; }

const EntryList& Display()
{
    static const EntryList display = {
        Check(C::kShowActivity, "Activity Indicators"),
        Check(C::kShowBase, "Column Base"),
        Check(C::kShowTrigger, "Simple Trigger"),
        Check(C::kShowMarkers, "Markers"),
    };
    return display;
}

const EntryList& CopyText()
{
    static const EntryList copy = {
        Item(C::kCopyText, "Without Bus/Signal Name"),
        Item(C::kCopyTextWithNames, "With Bus/Signal Name"),
    };
    return copy;
}

constexpr const char* kNames[C::kKindCount] = {"InsideHeader",  "OutsideHeader", "EmptyHeader", "InsideColumn",
                                               "OutSideColumn", "DragOutline",   "Trigger Menu"};

} // namespace

const std::vector<CvxCompareMenuEntry>& CvxCompareContextMenu::Entries(Kind kind)
{
    static const EntryList inside = {
        Item(kUndo, "Undo"),
        Separator(),
        Item(kInsertBefore, "Insert Column Before..."),
        Item(kInsertAfter, "Insert Column After..."),
        Item(kDeleteColumn, "Delete Column"),
        Separator(),
        Item(kAssignChannels, "Assign Channels..."),
        Item(kRename, "Rename..."),
        Item(kSymbols, "Symbols..."),
        Separator(),
        Item(kFind, "Find..."),
        Item(kFindNext, "Find Next"),
        Item(kFindPrevious, "Find Previous"),
        Item(kFindLabel, "Find Bus/Signal..."),
        Separator(),
        Submenu("Display", Display()),
        Separator(),
        Item(kProperties, "Properties..."),
    };
    static const EntryList outside = {
        Item(kUndo, "Undo"),
        Separator(),
        Item(kInsertColumn, "Insert Column..."),
        Item(kDeleteColumn, "Delete Column"),
        Separator(),
        Item(kAssignChannels, "Assign Channels..."),
        Item(kSymbols, "Symbols..."),
        Separator(),
        Item(kFind, "Find..."),
        Item(kFindNext, "Find Next"),
        Item(kFindPrevious, "Find Previous"),
        Item(kFindLabel, "Find Bus/Signal..."),
        Separator(),
        Submenu("Display", Display()),
        Separator(),
        Item(kProperties, "Properties..."),
    };
    static const EntryList empty = {
        Item(kUndo, "Undo"),
        Separator(),
        Item(kInsertColumn, "Insert Column..."),
        Item(kAssignChannels, "Assign Channels..."),
        Separator(),
        Submenu("Display", Display()),
        Separator(),
        Item(kProperties, "Properties..."),
    };
    // "InsideColumn" and "OutSideColumn" offer the same items.
    static const EntryList column = {
        Item(kUndo, "Undo"),
        Separator(),
        Item(kGoto, "Go To..."),
        Item(kGotoFirstSample, "Go To First Sample"),
        Item(kGotoLastSample, "Go To Last Sample"),
        Item(kPlaceMarker, "Place Marker..."),
        Separator(),
        Item(kFind, "Find..."),
        Item(kFindNext, "Find Next"),
        Item(kFindPrevious, "Find Previous"),
        Separator(),
        Item(kProperties, "Properties..."),
    };
    static const EntryList outline = {
        Item(kQuickTrigger, "Set Quick Trigger"),
        Item(kOutlineFindNext, "Find Next"),
        Item(kOutlineFindPrevious, "Find Prev"),
        Separator(),
        Submenu("Copy Text", CopyText()),
    };
    static const EntryList trigger = {
        Item(kSimpleTrigger, "Simple Trigger..."),
        Item(kAdvancedTrigger, "Advanced Trigger..."),
    };
    switch (kind) {
    case kInsideHeader: return inside;
    case kOutsideHeader: return outside;
    case kEmptyHeader: return empty;
    case kInsideColumn:
    case kOutsideColumn: return column;
    case kDragOutline: return outline;
    default: return trigger;
    }
}

const char* CvxCompareContextMenu::Name(Kind kind) { return kNames[kind]; }

std::unique_ptr<QMenu> CvxCompareContextMenu::Build(Kind kind, QWidget* parent)
{
    const std::function<void(QMenu&, const EntryList&)> fill = [&fill](QMenu& menu, const EntryList& entries) {
        for (const CvxCompareMenuEntry& entry : entries) {
            if (entry.IsSeparator()) {
                menu.addSeparator();
            } else if (entry.submenu != nullptr) {
                QMenu* sub = menu.addMenu(QString::fromUtf8(entry.text));
                sub->setObjectName(QString::fromUtf8(entry.text).remove(' '));
                fill(*sub, *entry.submenu);
            } else {
                QAction* action = menu.addAction(QString::fromUtf8(entry.text));
                action->setObjectName(QString::number(entry.id));
                action->setCheckable(entry.checkable);
            }
        }
    };
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(Name(kind));
    fill(*menu, Entries(kind));
    return menu;
}

void CvxCompareContextMenu::Attach(QMenu& menu, QObject& context, const std::function<bool(int)>& enabled,
                                   const std::function<bool(int)>& checked, const std::function<void(int)>& run)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            Attach(*sub, context, enabled, checked, run);
            continue;
        }
        bool number = false;
        const int id = action->objectName().toInt(&number);
        if (!number) {
            continue; // a separator
        }
        action->setEnabled(enabled(id));
        if (action->isCheckable()) {
            action->setChecked(checked(id));
        }
        QObject::connect(action, &QAction::triggered, &context, [run, id] { run(id); });
    }
}

QPoint CvxCompareContextMenu::InPane(const QWidget& pane, const QPoint& at)
{
    return {std::clamp(at.x(), 1, std::max(1, pane.width() - 2)), std::clamp(at.y(), 1, std::max(1, pane.height() - 2))};
}

QPoint CvxCompareContextMenu::AtCursor(const QWidget& pane)
{
    return InPane(pane, pane.mapFromGlobal(QCursor::pos()));
}

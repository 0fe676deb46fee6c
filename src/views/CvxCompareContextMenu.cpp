#include "CvxCompareContextMenu.h"

#include <QMenu>

namespace {

constexpr int kSeparator = 0;
constexpr int kDisplay = -1;
constexpr int kCopyTextMenu = -2;
using C = CvxCompareContextMenu;

} // namespace

const std::vector<CvxCompareMenuEntry>& CvxCompareContextMenu::Entries(Kind kind)
{
    static const std::vector<CvxCompareMenuEntry> inside = {
        {C::kUndo, "Undo"},
        {kSeparator, nullptr},
        {C::kInsertBefore, "Insert Column Before..."},
        {C::kInsertAfter, "Insert Column After..."},
        {C::kDeleteColumn, "Delete Column"},
        {kSeparator, nullptr},
        {C::kAssignChannels, "Assign Channels..."},
        {C::kRename, "Rename..."},
        {C::kSymbols, "Symbols..."},
        {kSeparator, nullptr},
        {C::kFind, "Find..."},
        {C::kFindNext, "Find Next"},
        {C::kFindPrevious, "Find Previous"},
        {C::kFindLabel, "Find Bus/Signal..."},
        {kSeparator, nullptr},
        {kDisplay, "Display"},
        {kSeparator, nullptr},
        {C::kProperties, "Properties..."},
    };
    static const std::vector<CvxCompareMenuEntry> outside = {
        {C::kUndo, "Undo"},
        {kSeparator, nullptr},
        {C::kInsertColumn, "Insert Column..."},
        {C::kDeleteColumn, "Delete Column"},
        {kSeparator, nullptr},
        {C::kAssignChannels, "Assign Channels..."},
        {C::kSymbols, "Symbols..."},
        {kSeparator, nullptr},
        {C::kFind, "Find..."},
        {C::kFindNext, "Find Next"},
        {C::kFindPrevious, "Find Previous"},
        {C::kFindLabel, "Find Bus/Signal..."},
        {kSeparator, nullptr},
        {kDisplay, "Display"},
        {kSeparator, nullptr},
        {C::kProperties, "Properties..."},
    };
    static const std::vector<CvxCompareMenuEntry> empty = {
        {C::kUndo, "Undo"},
        {kSeparator, nullptr},
        {C::kInsertColumn, "Insert Column..."},
        {C::kAssignChannels, "Assign Channels..."},
        {kSeparator, nullptr},
        {kDisplay, "Display"},
        {kSeparator, nullptr},
        {C::kProperties, "Properties..."},
    };
    static const std::vector<CvxCompareMenuEntry> column = {
        {C::kUndo, "Undo"},
        {kSeparator, nullptr},
        {C::kGoto, "Go To..."},
        {C::kGotoFirstSample, "Go To First Sample"},
        {C::kGotoLastSample, "Go To Last Sample"},
        {C::kPlaceMarker, "Place Marker..."},
        {kSeparator, nullptr},
        {C::kFind, "Find..."},
        {C::kFindNext, "Find Next"},
        {C::kFindPrevious, "Find Previous"},
        {kSeparator, nullptr},
        {C::kProperties, "Properties..."},
    };
    static const std::vector<CvxCompareMenuEntry> outline = {
        {C::kQuickTrigger, "Set Quick Trigger"},
        {C::kOutlineFindNext, "Find Next"},
        {C::kOutlineFindPrevious, "Find Prev"},
        {kSeparator, nullptr},
        {kCopyTextMenu, "Copy Text"},
    };
    switch (kind) {
    case kInsideHeader: return inside;
    case kOutsideHeader: return outside;
    case kInsideColumn:
    case kOutsideColumn: return column;
    case kDragOutline: return outline;
    default: return empty;
    }
}

const std::vector<CvxCompareMenuEntry>& CvxCompareContextMenu::DisplayEntries()
{
    static const std::vector<CvxCompareMenuEntry> display = {
        {C::kShowActivity, "Activity Indicators"},
        {C::kShowBase, "Column Base"},
        {C::kShowTrigger, "Simple Trigger"},
        {C::kShowMarkers, "Markers"},
    };
    return display;
}

const std::vector<CvxCompareMenuEntry>& CvxCompareContextMenu::CopyTextEntries()
{
    static const std::vector<CvxCompareMenuEntry> copy = {
        {C::kCopyText, "Without Bus/Signal Name"},
        {C::kCopyTextWithNames, "With Bus/Signal Name"},
    };
    return copy;
}

std::unique_ptr<QMenu> CvxCompareContextMenu::Build(Kind kind, QWidget* parent)
{
    static const char* const names[] = {"InsideHeader", "OutsideHeader", "EmptyHeader",
                                        "InsideColumn", "OutSideColumn", "DragOutline"};
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(names[kind]);
    const auto add = [](QMenu& to, const CvxCompareMenuEntry& entry) {
        QAction* action = to.addAction(QString::fromUtf8(entry.text));
        action->setObjectName(QString::number(entry.id));
        return action;
    };
    for (const CvxCompareMenuEntry& entry : Entries(kind)) {
        if (entry.id == kSeparator) {
            menu->addSeparator();
        } else if (entry.id == kDisplay) {
            QMenu* display = menu->addMenu(QString::fromUtf8(entry.text));
            display->setObjectName("Display");
            for (const CvxCompareMenuEntry& item : DisplayEntries()) {
                add(*display, item)->setCheckable(true);
            }
        } else if (entry.id == kCopyTextMenu) {
            QMenu* copy = menu->addMenu(QString::fromUtf8(entry.text));
            copy->setObjectName("CopyText");
            for (const CvxCompareMenuEntry& item : CopyTextEntries()) {
                add(*copy, item);
            }
        } else {
            add(*menu, entry);
        }
    }
    return menu;
}

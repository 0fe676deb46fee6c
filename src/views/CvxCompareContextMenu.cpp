#include "CvxCompareContextMenu.h"

#include <QMenu>

namespace {

constexpr int kSeparator = 0;
constexpr int kDisplay = -1;
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
    switch (kind) {
    case kInsideHeader: return inside;
    case kOutsideHeader: return outside;
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

std::unique_ptr<QMenu> CvxCompareContextMenu::Build(Kind kind, QWidget* parent)
{
    static const char* const names[] = {"InsideHeader", "OutsideHeader", "EmptyHeader"};
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
        } else {
            add(*menu, entry);
        }
    }
    return menu;
}

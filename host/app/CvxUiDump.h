#pragma once
// What the windows show, for remote clients and tests: the tree of top-level windows
// (dialogs included) and their widgets as JSON, and widgets or actions found by their path.
// Each node: {"class", "name", "path", "text", "enabled", "checked", "visible", "focused",
// "geometry": [x, y, w, h], "children": [...], "content": {...}}; `path` is the chain of
// object names from the window down (unnamed widgets add nothing to it), and `content` is what
// a painted pane describes (its viewport), what a table shows, a tab widget's tab titles and
// current tab, or a check combo box's items and checks. Menus show as their actions
// (with "shortcut" and "checkable"; a separator has "separator": true): those of the menu bar
// under it, and an open menu (a context menu) as a window of its own whose path is its
// owner's path and its name ("InsideColumn"), so that its items are clicked by that path.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class QAction;
class QObject;
class QWidget;

class CvxUiDump {
public:
    // Every visible top-level window, open menus included.
    static QJsonArray DumpAll();
    static QJsonObject Dump(QWidget* widget, const QString& parentPath);

    // The widget or action whose path is `path` or ends with it ("3432/19493", "Run"); the
    // visible one first, then the first found. Null when none.
    static QObject* Find(const QString& path);
};

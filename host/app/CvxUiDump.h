#pragma once
// What the windows show, for remote clients and tests: the tree of top-level windows
// (dialogs included) and their widgets as JSON, and widgets or actions found by their path.
// Each node: {"class", "name", "path", "text", "enabled", "checked", "visible",
// "geometry": [x, y, w, h], "children": [...], "content": {...}}; `path` is the chain of
// object names from the window down (unnamed widgets add nothing to it), and `content` is what
// a painted pane describes (its viewport), what a table shows, a tab widget's tab titles and
// current tab, or a check combo box's items and checks.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class QAction;
class QObject;
class QWidget;

class CvxUiDump {
public:
    // Every visible top-level window.
    static QJsonArray DumpAll();
    static QJsonObject Dump(QWidget* widget, const QString& parentPath);

    // The widget or action whose path is `path` or ends with it ("3432/19493", "Run"); the
    // visible one first, then the first found. Null when none.
    static QObject* Find(const QString& path);
};

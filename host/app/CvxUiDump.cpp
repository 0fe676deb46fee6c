#include "CvxUiDump.h"

#include "CvxCheckComboBox.h"
#include "CvxPlugInView.h"
#include "CvxViewportWidget.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>

namespace {

QString Join(const QString& parent, const QString& name)
{
    if (name.isEmpty()) {
        return parent;
    }
    return parent.isEmpty() ? name : parent + "/" + name;
}

QString TextOf(QWidget* widget)
{
    if (widget->isWindow()) {
        return widget->windowTitle();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* checks = qobject_cast<CvxCheckComboBox*>(widget)) {
        return checks->GetText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText();
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        return spin->text();
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        return text->toPlainText().right(4000);
    }
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        return menu->title();
    }
    return {};
}

QJsonArray DumpActions(const QMenu& menu, const QString& path);

QJsonObject DumpAction(QAction* action, const QString& parentPath)
{
    QJsonObject node;
    node["class"] = "QAction";
    node["name"] = action->objectName();
    node["path"] = Join(parentPath, action->objectName());
    if (action->isSeparator()) {
        node["separator"] = true; // between the groups of a menu, as it shows them
        return node;
    }
    node["text"] = action->text();
    node["enabled"] = action->isEnabled();
    node["checkable"] = action->isCheckable();
    node["checked"] = action->isChecked();
    node["visible"] = action->isVisible();
    node["shortcut"] = action->shortcut().toString(QKeySequence::PortableText);
    if (QMenu* menu = action->menu()) {
        node["children"] = DumpActions(*menu, Join(parentPath, menu->objectName()));
    }
    return node;
}

QJsonArray DumpActions(const QMenu& menu, const QString& path)
{
    QJsonArray children;
    for (QAction* action : menu.actions()) {
        children.append(DumpAction(action, path));
    }
    return children;
}

// The chain of object names from the menu's window down to it: its owner's path and its name,
// the path under which its actions are found and clicked.
QString PathOf(const QWidget& widget)
{
    QString path = widget.objectName();
    for (const QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
        path = Join(up->objectName(), path);
    }
    return path;
}

// An open menu (a context menu, or a menu of the menu bar being shown): its items in order,
// each with its text, id, enabled and checked states, submenus within.
QJsonObject DumpOpenMenu(const QMenu& menu)
{
    const QString path = PathOf(menu);
    QJsonObject node;
    node["class"] = menu.metaObject()->className();
    node["name"] = menu.objectName();
    node["path"] = path;
    node["text"] = menu.title();
    node["enabled"] = menu.isEnabled();
    node["checked"] = false;
    node["visible"] = true;
    const QRect g = menu.geometry();
    node["geometry"] = QJsonArray{g.x(), g.y(), g.width(), g.height()};
    node["children"] = DumpActions(menu, path);
    return node;
}

// What a table shows: its header and the rows in view (at most 200).
QJsonObject TableContent(QAbstractItemView* view)
{
    QJsonObject content;
    const QAbstractItemModel* model = view->model();
    if (model == nullptr) {
        return content;
    }
    QJsonArray header;
    for (int c = 0; c < model->columnCount(); ++c) {
        header.append(model->headerData(c, Qt::Horizontal).toString());
    }
    content["columns"] = header;
    content["rowCount"] = model->rowCount();
    const QModelIndex top = view->indexAt(QPoint(1, 1));
    const int first = top.isValid() ? top.row() : 0;
    QJsonArray rows;
    for (int r = first; r < std::min(model->rowCount(), first + 200); ++r) {
        if (view->visualRect(model->index(r, 0)).top() > view->viewport()->height()) {
            break;
        }
        QJsonArray cells;
        cells.append(model->headerData(r, Qt::Vertical).toString());
        for (int c = 0; c < model->columnCount(); ++c) {
            cells.append(model->index(r, c).data().toString());
        }
        rows.append(cells);
    }
    content["rows"] = rows;
    return content;
}

// The tabs' titles and the one shown; the pages themselves are the stack's children.
QJsonObject TabsContent(QTabWidget* tabs)
{
    QJsonArray titles;
    for (int i = 0; i < tabs->count(); ++i) {
        titles.append(tabs->tabText(i));
    }
    return QJsonObject{{"tabs", titles}, {"current", tabs->currentIndex()}};
}

// Every item of a check combo box with its check.
QJsonObject ChecksContent(CvxCheckComboBox* checks)
{
    QJsonArray items;
    for (int i = 0; i < checks->count(); ++i) {
        items.append(QJsonObject{{"text", checks->itemText(i)}, {"checked", checks->GetCheck(i)}});
    }
    return QJsonObject{{"items", items}};
}

} // namespace

QJsonObject CvxUiDump::Dump(QWidget* widget, const QString& parentPath)
{
    const QString path = Join(parentPath, widget->objectName());
    QJsonObject node;
    node["class"] = widget->metaObject()->className();
    node["name"] = widget->objectName();
    node["path"] = path;
    node["text"] = TextOf(widget);
    node["enabled"] = widget->isEnabled();
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    node["checked"] = button != nullptr && button->isChecked();
    node["visible"] = widget->isVisible();
    node["focused"] = widget->hasFocus();
    const QRect g = widget->geometry();
    node["geometry"] = QJsonArray{g.x(), g.y(), g.width(), g.height()};
    if (auto* pane = qobject_cast<CvxViewportWidget*>(widget)) {
        node["content"] = pane->GetViewport().Describe();
    } else if (auto* view = qobject_cast<CvxPlugInView*>(widget)) {
        node["content"] = view->Describe();
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        node["content"] = TableContent(view);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        node["content"] = TabsContent(tabs);
    } else if (auto* checks = qobject_cast<CvxCheckComboBox*>(widget)) {
        node["content"] = ChecksContent(checks);
    }
    QJsonArray children;
    if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
        for (QAction* action : bar->actions()) {
            children.append(DumpAction(action, path));
        }
    }
    for (QObject* child : widget->children()) {
        auto* sub = qobject_cast<QWidget*>(child);
        if (sub != nullptr && !sub->isWindow() && qobject_cast<QMenu*>(sub) == nullptr) {
            children.append(Dump(sub, path));
        }
    }
    node["children"] = children;
    return node;
}

QJsonArray CvxUiDump::DumpAll()
{
    QJsonArray windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        if (auto* menu = qobject_cast<QMenu*>(window)) {
            windows.append(DumpOpenMenu(*menu));
        } else {
            windows.append(Dump(window, QString()));
        }
    }
    return windows;
}

QObject* CvxUiDump::Find(const QString& path)
{
    QObject* found = nullptr;
    QObject* foundVisible = nullptr;
    const auto matches = [&](const QString& candidate) {
        return candidate == path || candidate.endsWith("/" + path);
    };
    std::function<void(QWidget*, const QString&)> walk = [&](QWidget* widget, const QString& parentPath) {
        const QString here = Join(parentPath, widget->objectName());
        if (!widget->objectName().isEmpty() && matches(here)) {
            found = found != nullptr ? found : widget;
            if (widget->isVisible() && foundVisible == nullptr) {
                foundVisible = widget;
            }
        }
        for (QAction* action : widget->actions()) {
            if (!action->objectName().isEmpty() && matches(Join(here, action->objectName())) && found == nullptr) {
                found = action;
            }
        }
        for (QObject* child : widget->children()) {
            // Menus are windows of their own, but their actions belong to the window's path.
            if (auto* sub = qobject_cast<QWidget*>(child); sub != nullptr && (!sub->isWindow() || qobject_cast<QMenu*>(sub))) {
                walk(sub, here);
            }
        }
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(window) == nullptr) { // menus are walked with their owners
            walk(window, QString());
        }
    }
    return foundVisible != nullptr ? foundVisible : found;
}

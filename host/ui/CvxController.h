#pragma once
// An input object: turns a pane's mouse and key events into model calls and commands. Each
// handler answers whether it used the event (an unused event goes on to the widget's parent).
// Kept apart from the widget so that tests feed it synthetic events.

class QContextMenuEvent;
class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

class CvxController {
public:
    virtual ~CvxController() = default;

    virtual bool MousePress(QMouseEvent&) { return false; }
    virtual bool MouseMove(QMouseEvent&) { return false; }
    virtual bool MouseRelease(QMouseEvent&) { return false; }
    virtual bool MouseDoubleClick(QMouseEvent&) { return false; }
    virtual bool Wheel(QWheelEvent&) { return false; }
    virtual bool KeyPress(QKeyEvent&) { return false; }
    virtual bool ContextMenu(QContextMenuEvent&) { return false; }
    virtual void FocusChanged(bool /*in*/) {}
};

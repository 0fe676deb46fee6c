#pragma once
// File > Print..., Print Preview... and Export PDF... of the desktop host: each acts on the
// active Compare window through its tool's print controller, and they are enabled only while
// there is one, checked each time the File menu opens.

#include <functional>

class CvxPrintCtrlBase;
class QMenu;
class QWidget;

class CvxHostPrintMenu {
public:
    // The print controller of the active window's tool; null when there is none.
    using ControllerQuery = std::function<CvxPrintCtrlBase*()>;

    // Adds the three entries to `file`; the print dialogs open over `parent`.
    static void Add(QMenu& file, QWidget& parent, ControllerQuery active);
};

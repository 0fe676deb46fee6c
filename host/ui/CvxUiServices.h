#pragma once
// Fills the host services' hooks with windowed implementations, for the desktop host (the
// headless host keeps the defaults): message boxes for the information dialog, the help window,
// the override cursor for the wait cursor, focus between widgets, the desktop's width and
// palette, the application and fixed fonts, the system clipboard, and the cancel service's
// event pump and progress dialog. Call Install once the QApplication exists, Uninstall before it goes.

class CvxUiServices {
public:
    static void Install();
    static void Uninstall();
};

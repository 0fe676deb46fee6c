#pragma once
// The host's standard commands as its menus offer them to the active tool: one table of
// (command number, menu kind, menu, text, keys), read by the menus, the keys of the tool
// windows, the remote TOOL:COMMand and the tests alike. A command reaches the tool only
// through the command objects the tool lists for that menu kind now (GetMenuCmdList), and only
// when the tool has it enabled. Actions carry their command numbers as object names.

#include <QKeySequence>
#include <QString>

#include <vector>

class CvxMenuCmd;
class CvxPlugInBase;

struct CvxHostCommand {
    int number;       // the host command number
    int menuKind;     // the kind of menu list the tool puts it in (1 edit, 4 markers, 9 keyboard)
    const char* menu; // object name of the host menu showing it ("Edit", "Markers", "View")
    const char* text;
    QKeySequence keys; // acting within a tool's window only, so edits and dialogs keep theirs
};

class CvxHostCommands {
public:
    static const std::vector<CvxHostCommand>& Table();
    // The viewer-menu entries a Compare tool names (menu kind 6), in menu order.
    static const std::vector<QString>& ViewerEntries();

    // The tool's command object for host command `number`, or the named entry `title`
    // (accelerator marks ignored), from the menu kinds it lists now; null when it lists none.
    static CvxMenuCmd* Find(CvxPlugInBase& tool, int number, const QString& title);
};

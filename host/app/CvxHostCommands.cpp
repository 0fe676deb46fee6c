#include "CvxHostCommands.h"

#include "CvxMenuCmd.h"
#include "CvxPlugInBase.h"
#include "CvxQtText.h"

const std::vector<CvxHostCommand>& CvxHostCommands::Table()
{
    static const std::vector<CvxHostCommand> table = {
        {1, 1, "Edit", "&Undo", QKeySequence::Undo},
        {3, 1, "Edit", "&Copy", QKeySequence::Copy},
        {4, 1, "Edit", "&Paste", QKeySequence::Paste},
        {6, 1, "Edit", "&Insert Column...", QKeySequence(Qt::Key_Insert)},
        {7, 1, "Edit", "&Delete Column", QKeySequence::Delete},
        {9, 1, "Edit", "S&ymbols...", QKeySequence()},
        {10, 1, "Edit", "&Find...", QKeySequence::Find},
        {11, 1, "Edit", "Find &Next", QKeySequence(Qt::Key_F3)},
        {12, 1, "Edit", "Find Pre&vious", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {16, 1, "Edit", "&Go To...", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {13, 1, "Edit", "Go To &Begin", QKeySequence()},
        {14, 1, "Edit", "Go To &Trigger", QKeySequence()},
        {15, 1, "Edit", "Go To &End", QKeySequence()},
        {8, 1, "Edit", "P&roperties...", QKeySequence()},
        {30, 4, "Markers", "&New Marker...", QKeySequence()},
        {31, 4, "Markers", "&Place Marker...", QKeySequence()},
        {32, 4, "Markers", "&Go To Marker...", QKeySequence()},
        {35, 4, "Markers", "&Delete Markers...", QKeySequence()},
        {34, 4, "Markers", "Marker P&roperties...", QKeySequence()},
        {50, 9, "View", "&First Sample", QKeySequence(Qt::Key_Home)},
        {51, 9, "View", "&Last Sample", QKeySequence(Qt::Key_End)},
        {52, 9, "View", "First &Column", QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {53, 9, "View", "Last C&olumn", QKeySequence(Qt::CTRL | Qt::Key_End)},
        {54, 9, "View", "Page &Up", QKeySequence(Qt::Key_PageUp)},
        {55, 9, "View", "Page &Down", QKeySequence(Qt::Key_PageDown)},
        {56, 9, "View", "Scroll Lef&t", QKeySequence(Qt::Key_Left)},
        {57, 9, "View", "Scroll &Right", QKeySequence(Qt::Key_Right)},
        {58, 9, "View", "Previous Ro&w", QKeySequence(Qt::Key_Up)},
        {59, 9, "View", "Ne&xt Row", QKeySequence(Qt::Key_Down)},
        {60, 9, "View", "&Next Pane", QKeySequence(Qt::Key_Tab)},
        // The reverse Tab; a Backtab key event matches Shift+Tab too.
        {146, 9, "View", "&Previous Pane", QKeySequence(Qt::SHIFT | Qt::Key_Tab)},
    };
    return table;
}

const std::vector<QString>& CvxHostCommands::ViewerEntries()
{
    static const std::vector<QString> entries = {"Copy...", "Range & Offset...", "Next Difference", "Previous Difference"};
    return entries;
}

CvxMenuCmd* CvxHostCommands::Find(CvxPlugInBase& tool, int number, const QString& title)
{
    for (const int kind : {1, 4, 6, 9}) {
        for (CvxMenuCmd* cmd : tool.GetMenuCmdList(kind)) {
            if (cmd == nullptr) {
                continue;
            }
            // "Range && Offset..." is "Range & Offset..." as shown; single & marks an accelerator.
            QString plain = CvxQt(cmd->GetTitle());
            plain.replace("&&", QChar(1)).remove('&').replace(QChar(1), "&");
            if ((number != 0 && cmd->GetCommandNumber() == number) || (!title.isEmpty() && plain == title)) {
                return cmd;
            }
        }
    }
    return nullptr;
}

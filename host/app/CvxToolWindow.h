#pragma once
// The window of one viewer tool made through the module's Create: it holds the view the host
// makes from the tool's view class on the tool's document, as any host of the module would.
// The keys of the host's standard commands act here, on this window's tool, while the focus
// is in the window; edits in it and dialogs over it keep their own keys.

#include <QWidget>

class CvxPlugInBase;
class CvxPlugInView;
class CvxStdToolCmdIFace;

class CvxToolWindow : public QWidget {
    Q_OBJECT
public:
    CvxToolWindow(const QString& name, CvxPlugInBase& plugIn, CvxStdToolCmdIFace& tool, QWidget* parent = nullptr);

    const QString& GetName() const { return m_name; }
    CvxStdToolCmdIFace& GetTool() { return m_tool; }
    CvxPlugInBase& GetPlugIn() { return m_plugIn; }
    // The tool's view; null when the tool brings no view class or its view could not be made
    // (GetError says why).
    CvxPlugInView* GetView() const { return m_view; }
    const QString& GetError() const { return m_error; }

    // A host command (number) or named viewer-menu entry (title) on this window's tool, as the
    // tool lists it now; false when it lists no such enabled command.
    bool ExecuteCommand(int number, const QString& title);

signals:
    // A command ran (from a key of the window or through ExecuteCommand).
    void CommandExecuted();

private:
    // One action per host command with keys, named by its number.
    void BindKeys();

    QString m_name;
    CvxPlugInBase& m_plugIn;
    CvxStdToolCmdIFace& m_tool;
    CvxPlugInView* m_view = nullptr;
    QString m_error;
};

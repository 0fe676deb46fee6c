#pragma once
// A window of one Compare tool made through the module's Create: until the module brings its
// own view, it shows what the tool reports (its counts and options) and offers the tool's
// commands that need no view (copy the reference, compare again).

#include <QWidget>

class CvxPlugInBase;
class CvxStdToolCmdIFace;
class QLabel;

class CvxToolWindow : public QWidget {
    Q_OBJECT
public:
    CvxToolWindow(const QString& name, CvxPlugInBase& plugIn, CvxStdToolCmdIFace& tool, QWidget* parent = nullptr);

    const QString& GetName() const { return m_name; }
    CvxStdToolCmdIFace& GetTool() { return m_tool; }
    CvxPlugInBase& GetPlugIn() { return m_plugIn; }
    // Reads the tool's counts and options again (after a run, a copy, a setup load).
    void Refresh();
    // Runs one of the tool's commands ("CopyReference", "Execute"), then refreshes.
    void Execute(const QString& command);

private:
    QString m_name;
    CvxPlugInBase& m_plugIn;
    CvxStdToolCmdIFace& m_tool;
    QLabel* m_counts = nullptr;
    QLabel* m_options = nullptr;
};

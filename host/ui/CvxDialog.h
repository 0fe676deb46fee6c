#pragma once
// A host dialog, known by its template number (also its object name) and its name. How it is
// taken down is up to its owner (a pop-down command); the host takes every open one down
// before it replaces the tools, so that no dialog outlives the tool it serves.

#include <QDialog>

#include <functional>

class CvxDialog : public QDialog {
    Q_OBJECT
public:
    CvxDialog(const QString& name, int templateID, QWidget* parent);

    const QString& GetName() const { return m_name; }
    int GetTemplateID() const { return m_templateID; }

    // What PopDown does instead of reject(), e.g. the owner's own closing and clean-up.
    void SetPopDownCommand(std::function<void()> command);
    void PopDown();
    // Pops down every CvxDialog that is shown.
    static void PopDownAll();

    // Dialog units as pixels of the widget's font: a quarter of the average character width
    // horizontally, an eighth of the line height vertically.
    static int DialogUnitsX(const QWidget& widget, int units);
    static int DialogUnitsY(const QWidget& widget, int units);

private:
    QString m_name;
    int m_templateID;
    std::function<void()> m_popDown;
};

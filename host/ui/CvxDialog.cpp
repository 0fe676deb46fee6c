#include "CvxDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>

CvxDialog::CvxDialog(const QString& name, int templateID, QWidget* parent)
    : QDialog(parent), m_name(name), m_templateID(templateID)
{
    setObjectName(QString::number(templateID));
}

void CvxDialog::SetPopDownCommand(std::function<void()> command)
{
    m_popDown = std::move(command);
}

void CvxDialog::PopDown()
{
    if (!m_popDown) {
        reject();
        return;
    }
    // A copy: the command may delete this dialog, and with it the stored command.
    const std::function<void()> command = m_popDown;
    command();
}

void CvxDialog::PopDownAll()
{
    // Collected first and guarded: popping one down may close or delete others.
    QList<QPointer<CvxDialog>> open;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<CvxDialog*>(window); dialog != nullptr && dialog->isVisible()) {
            open.append(dialog);
        }
    }
    for (const QPointer<CvxDialog>& dialog : open) {
        if (dialog != nullptr && dialog->isVisible()) {
            dialog->PopDown();
        }
    }
}

int CvxDialog::DialogUnitsX(const QWidget& widget, int units)
{
    return units * QFontMetrics(widget.font()).averageCharWidth() / 4;
}

int CvxDialog::DialogUnitsY(const QWidget& widget, int units)
{
    return units * QFontMetrics(widget.font()).height() / 8;
}

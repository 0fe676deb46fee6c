#include "CvxAlphaEditCtrl.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CvxAlphaEditCtrl::CvxAlphaEditCtrl(int id, bool multiLine, QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(id));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* edit = nullptr;
    if (multiLine) {
        m_lines = new QPlainTextEdit(this);
        connect(m_lines, &QPlainTextEdit::textChanged, this, &CvxAlphaEditCtrl::Changed);
        edit = m_lines;
    } else {
        m_line = new QLineEdit(this);
        connect(m_line, &QLineEdit::textChanged, this, &CvxAlphaEditCtrl::Changed);
        edit = m_line;
    }
    edit->setObjectName("edit");
    layout->addWidget(edit);
    setFocusProxy(edit);
}

void CvxAlphaEditCtrl::SetText(const QString& text)
{
    m_quiet = true;
    if (m_line != nullptr) {
        m_line->setText(text);
    } else {
        m_lines->setPlainText(text);
    }
    m_quiet = false;
}

QString CvxAlphaEditCtrl::GetText() const
{
    return m_line != nullptr ? m_line->text() : m_lines->toPlainText();
}

void CvxAlphaEditCtrl::SetKeypadCaption(const QString& caption)
{
    QWidget* edit = m_line != nullptr ? static_cast<QWidget*>(m_line) : m_lines;
    edit->setAccessibleName(caption);
    if (m_line != nullptr) {
        m_line->setPlaceholderText(caption);
    } else {
        m_lines->setPlaceholderText(caption);
    }
}

void CvxAlphaEditCtrl::SetValueChangedCommand(Command command)
{
    m_command = std::move(command);
}

void CvxAlphaEditCtrl::Changed()
{
    if (!m_quiet && m_command) {
        m_command();
    }
}

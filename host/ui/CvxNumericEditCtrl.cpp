#include "CvxNumericEditCtrl.h"

#include "CvxKeypadDlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>

namespace {

QString DoubleText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

CvxNumericEditCtrl::CvxNumericEditCtrl(int id, QWidget* parent) : CvxNumericEditCtrl(id, false, parent) {}

CvxNumericEditCtrl::CvxNumericEditCtrl(int id, bool integer, QWidget* parent) : QWidget(parent), m_integer(integer)
{
    setObjectName(QString::number(id));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("edit");
    m_edit->installEventFilter(this);
    layout->addWidget(m_edit, 1);
    m_keypad = new QToolButton(this);
    m_keypad->setObjectName("keypad");
    m_keypad->setText("...");
    m_keypad->setToolTip(tr("Keypad"));
    // The keypad is for the mouse; Tab goes from edit to edit.
    m_keypad->setFocusPolicy(Qt::NoFocus);
    connect(m_keypad, &QToolButton::clicked, this, &CvxNumericEditCtrl::OpenKeypad);
    layout->addWidget(m_keypad);
    setFocusProxy(m_edit);
    ShowValue("0");
}

void CvxNumericEditCtrl::SetRange(double minimum, double maximum)
{
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    SetValue(GetValue());
}

void CvxNumericEditCtrl::SetValue(double value)
{
    ShowValue(DoubleText(std::clamp(value, m_minimum, m_maximum)));
}

double CvxNumericEditCtrl::GetValue() const
{
    return CurrentText().toDouble();
}

bool CvxNumericEditCtrl::IsValid() const
{
    QString canonical;
    return Read(m_edit->text(), canonical);
}

void CvxNumericEditCtrl::SetKeypadCaption(const QString& caption)
{
    m_caption = caption;
    m_edit->setAccessibleName(caption);
}

void CvxNumericEditCtrl::SetValueChangedCommand(Command command)
{
    m_command = std::move(command);
}

bool CvxNumericEditCtrl::Commit()
{
    QString canonical;
    if (!Read(m_edit->text(), canonical)) {
        m_lastError = tr("Enter a number %1.").arg(RangeText());
        m_edit->setText(m_validText);
        QToolTip::showText(m_edit->mapToGlobal(QPoint(0, m_edit->height())), m_lastError, m_edit);
        return false;
    }
    const bool changed = canonical != m_validText;
    ShowValue(canonical);
    if (changed && m_command) {
        m_command();
    }
    return true;
}

QString CvxNumericEditCtrl::RangeText() const
{
    return tr("from %1 to %2").arg(MinimumText(), MaximumText());
}

bool CvxNumericEditCtrl::Read(const QString& text, QString& canonical) const
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // Written so that NaN, which compares false, is refused too.
    if (!ok || !(value >= m_minimum && value <= m_maximum)) {
        return false;
    }
    canonical = DoubleText(value);
    return true;
}

QString CvxNumericEditCtrl::MinimumText() const
{
    return DoubleText(m_minimum);
}

QString CvxNumericEditCtrl::MaximumText() const
{
    return DoubleText(m_maximum);
}

void CvxNumericEditCtrl::ShowValue(const QString& text)
{
    m_validText = text;
    m_edit->setText(text);
}

QString CvxNumericEditCtrl::CurrentText() const
{
    QString canonical;
    return Read(m_edit->text(), canonical) ? canonical : m_validText;
}

bool CvxNumericEditCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusOut) {
            Commit();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Refused text keeps Return from also pressing the dialog's default button.
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Commit()) {
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CvxNumericEditCtrl::OpenKeypad()
{
    CvxKeypadDlg keypad(m_caption, m_integer, [this](const QString& text) {
        QString canonical;
        return Read(text, canonical) ? QString() : tr("Enter a number %1.").arg(RangeText());
    }, this);
    keypad.SetText(CurrentText());
    if (keypad.exec() == QDialog::Accepted) {
        m_edit->setText(keypad.GetText());
        Commit();
    }
}

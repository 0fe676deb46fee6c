#include "CvxKeypadDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

CvxKeypadDlg::CvxKeypadDlg(const QString& caption, bool integer, Check check, QWidget* parent)
    : QDialog(parent), m_integer(integer), m_check(std::move(check))
{
    setObjectName("KeypadDlg");
    setWindowTitle(caption.isEmpty() ? tr("Keypad") : caption);
    auto* layout = new QVBoxLayout(this);
    m_display = new QLineEdit(this);
    m_display->setObjectName("display");
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    layout->addWidget(m_display);

    auto* keys = new QGridLayout;
    auto addKey = [this, keys](const QString& name, const QString& text, int row, int column, auto action) {
        auto* key = new QPushButton(text, this);
        key->setObjectName(name);
        // Keys take no focus and are never the default, so Return always means OK.
        key->setFocusPolicy(Qt::NoFocus);
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this, action);
        keys->addWidget(key, row, column);
    };
    for (int digit = 0; digit <= 9; ++digit) {
        const QString text = QString::number(digit);
        const int row = digit == 0 ? 3 : 2 - (digit - 1) / 3;
        const int column = digit == 0 ? 1 : (digit - 1) % 3;
        addKey(text, text, row, column, [this, text] { Type(text); });
    }
    addKey("minus", "-", 3, 0, [this] { Type("-"); });
    if (!integer) {
        addKey("point", ".", 3, 2, [this] { Type("."); });
    }
    addKey("back", tr("Back"), 0, 3, [this] { Type("\b"); });
    addKey("clear", tr("Clear"), 1, 3, [this] { m_display->clear(); });
    layout->addLayout(keys);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxKeypadDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxKeypadDlg::reject);
    layout->addWidget(buttons);
}

void CvxKeypadDlg::SetText(const QString& text)
{
    m_display->setText(text);
}

QString CvxKeypadDlg::GetText() const
{
    return m_display->text();
}

void CvxKeypadDlg::accept()
{
    const QString problem = m_check ? m_check(GetText()) : QString();
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    QDialog::accept();
}

void CvxKeypadDlg::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace) {
        Type("\b");
    } else if (text.size() == 1 && (text[0].isDigit() || text == "-" || (text == "." && !m_integer))) {
        Type(text);
    } else {
        QDialog::keyPressEvent(event);
    }
}

void CvxKeypadDlg::Type(const QString& key)
{
    QString text = m_display->text();
    if (key == "\b") {
        text.chop(1);
    } else if (key == "-") {
        // A sign key, as on a calculator: the sign is always in front.
        text = text.startsWith('-') ? text.mid(1) : "-" + text;
    } else if (key != "." || !text.contains('.')) {
        text += key;
    }
    m_display->setText(text);
}

#include "CvxFindLabelDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CvxFindLabelDlg::CvxFindLabelDlg(Finder finder, QWidget* parent) : QDialog(parent), m_finder(std::move(finder))
{
    setObjectName("FindLabelDlg");
    setWindowTitle(tr("Find Bus/Signal"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_text = new QLineEdit(this);
    m_text->setObjectName("text");
    form->addRow(tr("&Name begins with:"), m_text);
    layout->addLayout(form);
    m_status = new QLabel(this);
    m_status->setObjectName("status");
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(this);
    const auto add = [&](const QString& text, const char* name, int direction) {
        auto* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, direction] { Find(direction); });
        return button;
    };
    add(tr("Find First"), "first", kFirst)->setDefault(true);
    add(tr("Find Next"), "next", kNext);
    add(tr("Find Previous"), "previous", kPrevious);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxFindLabelDlg::reject);
    layout->addWidget(buttons);
}

bool CvxFindLabelDlg::Find(int direction)
{
    const QString text = m_text->text().trimmed();
    if (text.isEmpty()) {
        m_status->setText(tr("Type the beginning of a bus/signal name."));
        return false;
    }
    if (!m_finder || !m_finder(text, direction)) {
        m_status->setText(tr("No bus/signal begins with \"%1\".").arg(text));
        return false;
    }
    m_status->clear();
    return true;
}

#include "CvxPropertySheet.h"

#include "CvxHelpMgr.h"
#include "CvxPropertyPage.h"
#include "CvxQtText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

CvxPropertySheet::CvxPropertySheet(const QString& name, const QString& caption, QWidget* parent, int firstPage)
    : CvxDialog(name, 0, parent), m_firstPage(firstPage)
{
    setObjectName(name);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("Tabs");
    layout->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [buttons](QDialogButtonBox::StandardButton kind, int id, const QString& text) {
        QPushButton* button = buttons->addButton(kind);
        button->setObjectName(QString::number(id));
        button->setText(text);
        return button;
    };
    QPushButton* ok = add(QDialogButtonBox::Ok, 1, tr("OK"));
    QPushButton* cancel = add(QDialogButtonBox::Cancel, 2, tr("Cancel"));
    m_apply = add(QDialogButtonBox::Apply, 12321, tr("&Apply"));
    m_help = add(QDialogButtonBox::Help, 9, tr("Help"));
    ok->setDefault(true);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &CvxPropertySheet::Ok);
    connect(cancel, &QPushButton::clicked, this, &CvxPropertySheet::reject);
    connect(m_apply, &QPushButton::clicked, this, &CvxPropertySheet::ApplyAll);
    connect(m_help, &QPushButton::clicked, this, &CvxPropertySheet::ShowHelp);
    m_helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(m_helpKey, &QShortcut::activated, this, &CvxPropertySheet::ShowHelp);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_showing) {
            ActivateCurrent();
        }
    });
    SetHasHelp(false);
    UpdateApply();
}

void CvxPropertySheet::AddPage(CvxPropertyPage* page)
{
    const int index = m_tabs->addTab(page, page->GetTitle());
    connect(page, &CvxPropertyPage::modifiedChanged, this, &CvxPropertySheet::UpdateApply);
    if (index == m_firstPage) {
        m_tabs->setCurrentIndex(index);
    }
    // Every tab's title stays readable: no scrolling tab bar.
    m_tabs->setMinimumWidth(m_tabs->tabBar()->sizeHint().width() + 2 * m_tabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    UpdateApply();
}

int CvxPropertySheet::GetPageCount() const
{
    return m_tabs->count();
}

CvxPropertyPage* CvxPropertySheet::GetPage(int index) const
{
    return qobject_cast<CvxPropertyPage*>(m_tabs->widget(index));
}

bool CvxPropertySheet::SetActivePage(int index)
{
    if (GetPage(index) == nullptr) {
        return false;
    }
    m_tabs->setCurrentIndex(index);
    return true;
}

int CvxPropertySheet::GetActiveIndex() const
{
    return m_tabs->currentIndex();
}

CvxPropertyPage* CvxPropertySheet::GetActivePage() const
{
    return GetPage(m_tabs->currentIndex());
}

void CvxPropertySheet::SetHasHelp(bool hasHelp)
{
    m_hasHelp = hasHelp;
    m_help->setVisible(hasHelp);
    m_helpKey->setEnabled(hasHelp);
}

bool CvxPropertySheet::IsAnyPageModified() const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->IsModified()) {
            return true;
        }
    }
    return false;
}

void CvxPropertySheet::ApplyAll()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CvxPropertyPage* page = GetPage(i);
        if (!page->OnApply()) {
            SetActivePage(i);
            return;
        }
        page->SetModified(false);
    }
}

std::u16string CvxPropertySheet::HelpTopic() const
{
    const CvxPropertyPage* page = GetActivePage();
    return page != nullptr ? CvxU16(page->GetHelpTopic()) : std::u16string();
}

void CvxPropertySheet::showEvent(QShowEvent* event)
{
    CvxDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_showing = true;
        ActivateCurrent();
    }
}

void CvxPropertySheet::hideEvent(QHideEvent* event)
{
    CvxDialog::hideEvent(event);
    if (!event->spontaneous()) {
        m_showing = false;
    }
}

void CvxPropertySheet::Ok()
{
    ApplyAll();
    if (!IsAnyPageModified()) {
        accept();
    }
}

void CvxPropertySheet::ShowHelp()
{
    CvxHelpMgr::ShowTopic(HelpTopic());
}

void CvxPropertySheet::UpdateApply()
{
    m_apply->setEnabled(IsAnyPageModified());
}

void CvxPropertySheet::ActivateCurrent()
{
    if (CvxPropertyPage* page = GetActivePage()) {
        page->Activate();
    }
}

#include "CvxPropertyPage.h"

CvxPropertyPage::CvxPropertyPage(const QString& title, int templateID, QWidget* parent)
    : QWidget(parent), m_title(title), m_templateID(templateID)
{
    setObjectName(QString::number(templateID));
}

void CvxPropertyPage::SetModified(bool modified)
{
    if (modified == m_modified) {
        return;
    }
    m_modified = modified;
    emit modifiedChanged(modified);
}

bool CvxPropertyPage::OnApply()
{
    return true;
}

QString CvxPropertyPage::GetHelpTopic() const
{
    return {};
}

void CvxPropertyPage::OnInitDialog()
{
}

void CvxPropertyPage::OnSetActive()
{
}

void CvxPropertyPage::Activate()
{
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    OnSetActive();
}

#include "CvxPlugInView.h"

CvxPlugInView::CvxPlugInView(QWidget* parent) : QWidget(parent) {}

void CvxPlugInView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_updated) {
        m_updated = true;
        OnInitialUpdate();
    }
}

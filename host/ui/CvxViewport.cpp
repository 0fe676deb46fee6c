#include "CvxViewport.h"

void CvxViewport::SetSize(const QSize& size)
{
    if (size != m_size) {
        m_size = size;
        OnSize();
    }
}

void CvxViewport::Invalidate(const QRect& area) const
{
    if (m_invalidate) {
        m_invalidate(area.isEmpty() ? GetRect() : area);
    }
}

#include "CvxDesktop.h"

CvxDesktop& CvxDesktop::GetInstance()
{
    static CvxDesktop instance;
    return instance;
}

int CvxDesktop::GetSysColor(int index) const
{
    const auto it = m_colors.find(index);
    if (it != m_colors.end()) {
        return it->second;
    }
    switch (index) {
    case kSysColorWindow: return 0x00FFFFFF;
    case kSysColorWindowText: return 0x00000000;
    case kSysColorHighlight: return 0x00D77800;
    case kSysColorHighlightText: return 0x00FFFFFF;
    case kSysColorGrayText: return 0x00808080;
    default: return 0x00000000;
    }
}

void CvxDesktop::Reset()
{
    m_width = kDefaultWidth;
    m_colors.clear();
}

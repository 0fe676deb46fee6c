#include "CvxFontMgr.h"

CvxFontMgr& CvxFontMgr::GetInstance()
{
    static CvxFontMgr instance;
    return instance;
}

CvxFontInfo CvxFontMgr::GetFontInfo(int number) const
{
    const auto it = m_fonts.find(number);
    return it == m_fonts.end() ? CvxFontInfo() : it->second;
}

#include "CvxCompareProperties.h"

#include "CvxCompareConfig.h"
#include "CvxCompareSetupTag.h"

#include "CvxDesktop.h"
#include "CvxFontMgr.h"
#include "CvxPlugInMgr.h"

struct CvxCompareProperties::SvxImp {
    std::u16string m_labelFont = CvxFontMgr::GetInstance().GetFontInfo(CvxFontMgr::kLabelFont).GetFaceName();
    std::u16string m_dataFont = CvxFontMgr::GetInstance().GetFontInfo(CvxFontMgr::kDataFont).GetFaceName();
    int m_pointSize = CvxFontMgr::GetInstance().GetFontInfo(CvxFontMgr::kLabelFont).GetPointSize();
    int m_reserved = 255;
    int m_background = 0x00000000;
    int m_selectionBackground = CvxDesktop::GetInstance().GetSysColor(kSysColorHighlight);
    int m_text = CvxDesktop::GetInstance().GetSysColor(kSysColorWindowText);
    int m_selectionText = CvxDesktop::GetInstance().GetSysColor(kSysColorHighlightText);
    bool m_centerRect = true;
    int m_centerRectColor = 0x00808080;
    bool m_base = false;
    bool m_trigger = CvxPlugInMgr::GetInstance().GetOnlineStatus();
    bool m_markers = true;
    bool m_activity = false;
    int m_minDefWidth = 0;
    int m_defWidth = 0;
    int m_headerRowHeight = 0;
    int m_refBackground = 0x0000C8F0;
    int m_noRefBackground = 0x00808080;
    int m_diffBackground = 0x00FFFF00;
    int m_diffForeground = 0x00000000;

    friend bool operator==(const SvxImp&, const SvxImp&) = default;
};

CvxCompareProperties::CvxCompareProperties() : m_imp(std::make_unique<SvxImp>()) {}

CvxCompareProperties::CvxCompareProperties(const CvxCompareProperties& other)
    : m_imp(std::make_unique<SvxImp>(*other.m_imp))
{
}

CvxCompareProperties& CvxCompareProperties::operator=(const CvxCompareProperties& other)
{
    *m_imp = *other.m_imp;
    return *this;
}

CvxCompareProperties::~CvxCompareProperties() = default;

bool operator==(const CvxCompareProperties& a, const CvxCompareProperties& b)
{
    return *a.m_imp == *b.m_imp;
}

void CvxCompareProperties::Save(CvxPersistenceSetup& setup) const
{
    CvxCompareSetupTag tag(setup, u"CompareProperties");
    if (!tag) {
        return;
    }
    const SvxImp& p = *m_imp;
    CvxCompareConfig config;
    config.SetString(u"StrLabelFontName", p.m_labelFont);
    config.SetString(u"StrDataFontName", p.m_dataFont);
    config.SetInt(u"FontPointSize", p.m_pointSize);
    config.SetBool(u"CenterRectDisplayed", p.m_centerRect);
    config.SetBool(u"BaseDisplayed", p.m_base);
    config.SetBool(u"TriggerDisplayed", p.m_trigger);
    config.SetBool(u"ActivityIndicatorDisplayed", p.m_activity);
    config.SetInt(u"MinDefColWidth", p.m_minDefWidth);
    config.SetInt(u"DefColWidth", p.m_defWidth);
    config.SetInt(u"HeaderRowHeight", p.m_headerRowHeight);
    config.SetBool(u"MarkersDisplayed", p.m_markers);
    config.SetInt(u"DiffBackgroundColor", p.m_diffBackground);
    config.SetInt(u"DiffForegroundColor", p.m_diffForeground);
    config.SetInt(u"RefBackgroundColor", p.m_refBackground);
    config.SetInt(u"NoRefBackgroundColor", p.m_noRefBackground);
    config.SetInt(u"BackgroundColor", p.m_background);
    config.SetInt(u"TextColor", p.m_text);
    config.SetInt(u"CenterRectColor", p.m_centerRectColor);
    config.Save(setup);
}

void CvxCompareProperties::Load(CvxPersistenceSetup& setup)
{
    CvxCompareSetupTag tag(setup, u"CompareProperties");
    CvxCompareConfig config;
    if (!tag || !config.Load(setup)) {
        return;
    }
    SvxImp& p = *m_imp;
    config.GetString(u"StrLabelFontName", p.m_labelFont);
    config.GetString(u"StrDataFontName", p.m_dataFont);
    config.GetInt(u"FontPointSize", p.m_pointSize);
    config.GetBool(u"CenterRectDisplayed", p.m_centerRect);
    config.GetBool(u"BaseDisplayed", p.m_base);
    config.GetBool(u"TriggerDisplayed", p.m_trigger);
    config.GetBool(u"ActivityIndicatorDisplayed", p.m_activity);
    config.GetInt(u"MinDefColWidth", p.m_minDefWidth);
    config.GetInt(u"DefColWidth", p.m_defWidth);
    config.GetInt(u"HeaderRowHeight", p.m_headerRowHeight);
    config.GetBool(u"MarkersDisplayed", p.m_markers);
    config.GetInt(u"DiffBackgroundColor", p.m_diffBackground);
    config.GetInt(u"DiffForegroundColor", p.m_diffForeground);
    config.GetInt(u"RefBackgroundColor", p.m_refBackground);
    config.GetInt(u"NoRefBackgroundColor", p.m_noRefBackground);
    config.GetInt(u"BackgroundColor", p.m_background);
    config.GetInt(u"TextColor", p.m_text);
    config.GetInt(u"CenterRectColor", p.m_centerRectColor);
}

const std::u16string& CvxCompareProperties::GetLabelFontName() const
{
    return m_imp->m_labelFont;
}

void CvxCompareProperties::SetLabelFontName(std::u16string name)
{
    m_imp->m_labelFont = std::move(name);
}

const std::u16string& CvxCompareProperties::GetDataFontName() const
{
    return m_imp->m_dataFont;
}

void CvxCompareProperties::SetDataFontName(std::u16string name)
{
    m_imp->m_dataFont = std::move(name);
}

int CvxCompareProperties::GetFontPointSize() const
{
    return m_imp->m_pointSize;
}

void CvxCompareProperties::SetFontPointSize(int points)
{
    m_imp->m_pointSize = points;
}

int CvxCompareProperties::GetReserved() const
{
    return m_imp->m_reserved;
}

void CvxCompareProperties::SetReserved(int value)
{
    m_imp->m_reserved = value;
}

int CvxCompareProperties::GetBackgroundColor() const
{
    return m_imp->m_background;
}

void CvxCompareProperties::SetBackgroundColor(int color)
{
    m_imp->m_background = color;
}

int CvxCompareProperties::GetSelectionBackgroundColor() const
{
    return m_imp->m_selectionBackground;
}

void CvxCompareProperties::SetSelectionBackgroundColor(int color)
{
    m_imp->m_selectionBackground = color;
}

int CvxCompareProperties::GetTextColor() const
{
    return m_imp->m_text;
}

void CvxCompareProperties::SetTextColor(int color)
{
    m_imp->m_text = color;
}

int CvxCompareProperties::GetSelectionTextColor() const
{
    return m_imp->m_selectionText;
}

void CvxCompareProperties::SetSelectionTextColor(int color)
{
    m_imp->m_selectionText = color;
}

bool CvxCompareProperties::IsCenterRectDisplayed() const
{
    return m_imp->m_centerRect;
}

void CvxCompareProperties::SetCenterRectDisplayed(bool on)
{
    m_imp->m_centerRect = on;
}

int CvxCompareProperties::GetCenterRectColor() const
{
    return m_imp->m_centerRectColor;
}

void CvxCompareProperties::SetCenterRectColor(int color)
{
    m_imp->m_centerRectColor = color;
}

bool CvxCompareProperties::IsBaseDisplayed() const
{
    return m_imp->m_base;
}

void CvxCompareProperties::SetBaseDisplayed(bool on)
{
    m_imp->m_base = on;
}

bool CvxCompareProperties::IsTriggerDisplayed() const
{
    return m_imp->m_trigger;
}

void CvxCompareProperties::SetTriggerDisplayed(bool on)
{
    m_imp->m_trigger = on;
}

bool CvxCompareProperties::IsMarkersDisplayed() const
{
    return m_imp->m_markers;
}

void CvxCompareProperties::SetMarkersDisplayed(bool on)
{
    m_imp->m_markers = on;
}

bool CvxCompareProperties::IsActivityIndicatorDisplayed() const
{
    return m_imp->m_activity;
}

void CvxCompareProperties::SetActivityIndicatorDisplayed(bool on)
{
    m_imp->m_activity = on;
}

int CvxCompareProperties::GetMinDefColWidth() const
{
    return m_imp->m_minDefWidth;
}

void CvxCompareProperties::SetMinDefColWidth(int width)
{
    m_imp->m_minDefWidth = width;
}

int CvxCompareProperties::GetDefColWidth() const
{
    return m_imp->m_defWidth;
}

void CvxCompareProperties::SetDefColWidth(int width)
{
    m_imp->m_defWidth = width;
}

int CvxCompareProperties::GetHeaderRowHeight() const
{
    return m_imp->m_headerRowHeight;
}

void CvxCompareProperties::SetHeaderRowHeight(int height)
{
    m_imp->m_headerRowHeight = height;
}

int CvxCompareProperties::GetRefBackgroundColor() const
{
    return m_imp->m_refBackground;
}

void CvxCompareProperties::SetRefBackgroundColor(int color)
{
    m_imp->m_refBackground = color;
}

int CvxCompareProperties::GetNoRefBackgroundColor() const
{
    return m_imp->m_noRefBackground;
}

void CvxCompareProperties::SetNoRefBackgroundColor(int color)
{
    m_imp->m_noRefBackground = color;
}

int CvxCompareProperties::GetDiffBackgroundColor() const
{
    return m_imp->m_diffBackground;
}

void CvxCompareProperties::SetDiffBackgroundColor(int color)
{
    m_imp->m_diffBackground = color;
}

int CvxCompareProperties::GetDiffForegroundColor() const
{
    return m_imp->m_diffForeground;
}

void CvxCompareProperties::SetDiffForegroundColor(int color)
{
    m_imp->m_diffForeground = color;
}

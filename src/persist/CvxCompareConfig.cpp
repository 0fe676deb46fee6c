#include "CvxCompareConfig.h"

#include "CvxPersistenceSetup.h"

namespace {

constexpr std::u16string_view kKey = u"Config";

} // namespace

CvxCompareConfig::CvxCompareConfig()
{
    m_valid = m_doc.AddElement(kKey);
}

void CvxCompareConfig::SetString(std::u16string_view name, std::u16string_view value)
{
    m_doc.SetAttribute(name, value);
}

void CvxCompareConfig::SetInt(std::u16string_view name, int value)
{
    m_doc.SetAttribute(name, value);
}

void CvxCompareConfig::SetBool(std::u16string_view name, bool value)
{
    m_doc.SetAttribute(name, value);
}

bool CvxCompareConfig::Save(CvxPersistenceSetup& setup) const
{
    return setup.Write(kKey, m_doc.GetText());
}

bool CvxCompareConfig::Load(const CvxPersistenceSetup& setup)
{
    std::u16string text;
    m_valid = setup.Read(kKey, text) && m_doc.Parse(std::move(text)) && m_doc.FindElement(u"/Config");
    return m_valid;
}

bool CvxCompareConfig::GetString(std::u16string_view name, std::u16string& value) const
{
    return m_valid && m_doc.GetAttribute(name, value);
}

bool CvxCompareConfig::GetInt(std::u16string_view name, int& value) const
{
    return m_valid && m_doc.GetAttribute(name, value);
}

bool CvxCompareConfig::GetBool(std::u16string_view name, bool& value) const
{
    return m_valid && m_doc.GetAttribute(name, value);
}

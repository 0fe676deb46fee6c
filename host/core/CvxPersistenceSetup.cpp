#include "CvxPersistenceSetup.h"

#include "CvxStringConvert.h"

#include <algorithm>
#include <string>

CvxPersistenceSetup::CvxPersistenceSetup(bool storing)
    : m_root(std::make_unique<CvxPersistenceElement>()), m_storing(storing)
{
}

CvxPersistenceSetup::~CvxPersistenceSetup() = default;

bool CvxPersistenceSetup::OpenTag(std::u16string_view name)
{
    if (name.empty()) {
        return false;
    }
    CvxPersistenceElement& current = Current();
    CvxPersistenceElement* child = current.FindChild(name);
    if (child == nullptr) {
        if (!m_storing) {
            return false;
        }
        child = &current.AddChild(std::u16string(name));
    }
    m_open.push_back(child);
    return true;
}

bool CvxPersistenceSetup::CloseTag()
{
    if (m_open.empty()) {
        return false;
    }
    m_open.pop_back();
    return true;
}

bool CvxPersistenceSetup::Write(std::u16string_view key, std::u16string_view value)
{
    if (key.empty()) {
        return false;
    }
    Current().SetValue(key, std::u16string(value));
    return true;
}

bool CvxPersistenceSetup::Write(std::u16string_view key, int value)
{
    if (key.empty()) {
        return false;
    }
    Current().SetValue(key, value);
    return true;
}

bool CvxPersistenceSetup::Read(std::u16string_view key, std::u16string& value) const
{
    const CvxPersistenceElement::Value* found = Current().FindValue(key);
    if (found == nullptr) {
        return false;
    }
    if (const int* number = std::get_if<int>(found)) {
        value = CvxStringConvert::CtoW(std::to_string(*number));
    } else {
        value = std::get<std::u16string>(*found);
    }
    return true;
}

bool CvxPersistenceSetup::Read(std::u16string_view key, int& value) const
{
    const CvxPersistenceElement::Value* found = Current().FindValue(key);
    if (found == nullptr) {
        return false;
    }
    if (const int* number = std::get_if<int>(found)) {
        value = *number;
        return true;
    }
    return CvxStringConvert::ParseDecimal(std::get<std::u16string>(*found), value);
}

void CvxPersistenceSetup::SetRoot(std::unique_ptr<CvxPersistenceElement> root)
{
    m_open.clear();
    m_root = root ? std::move(root) : std::make_unique<CvxPersistenceElement>();
}

void CvxPersistenceSetup::Clear()
{
    SetRoot(nullptr);
}

std::vector<int> CvxPersistenceSetup::GetIndexedChildren(std::u16string_view prefix) const
{
    std::vector<int> indices;
    const CvxPersistenceElement& element = Current();
    for (std::size_t c = 0; c < element.GetChildCount(); ++c) {
        const std::u16string& name = element.GetChild(c).GetName();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::u16string_view digits = std::u16string_view(name).substr(prefix.size());
        if (digits.size() > 9 || (digits.size() > 1 && digits[0] == u'0')) {
            continue;
        }
        int n = 0;
        bool number = true;
        for (const char16_t d : digits) {
            number = number && d >= u'0' && d <= u'9';
            n = n * 10 + (d - u'0');
        }
        if (number) {
            indices.push_back(n);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

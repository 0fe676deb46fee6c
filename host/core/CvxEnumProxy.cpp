#include "CvxEnumProxy.h"

bool CvxEnumProxy::AddEnum(int code, std::u16string word)
{
    for (const auto& [c, w] : m_entries) {
        if (w == word && c != code) {
            return false;
        }
    }
    for (auto& [c, w] : m_entries) {
        if (c == code) {
            w = std::move(word);
            return true;
        }
    }
    m_entries.emplace_back(code, std::move(word));
    return true;
}

std::u16string CvxEnumProxy::GetValue(int code) const
{
    for (const auto& [c, w] : m_entries) {
        if (c == code) {
            return w;
        }
    }
    return {};
}

bool CvxEnumProxy::GetKey(std::u16string_view word, int& code) const
{
    for (const auto& [c, w] : m_entries) {
        if (w == word) {
            code = c;
            return true;
        }
    }
    return false;
}

bool CvxEnumProxy::HasCode(int code) const
{
    for (const auto& entry : m_entries) {
        if (entry.first == code) {
            return true;
        }
    }
    return false;
}

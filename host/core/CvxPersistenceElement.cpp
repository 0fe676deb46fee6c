#include "CvxPersistenceElement.h"

CvxPersistenceElement::CvxPersistenceElement(std::u16string name) : m_name(std::move(name)) {}

CvxPersistenceElement::~CvxPersistenceElement()
{
    // Deep trees are taken down iteratively, so that a setup nested thousands of levels deep
    // cannot exhaust the stack.
    std::vector<std::unique_ptr<CvxPersistenceElement>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<CvxPersistenceElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->m_children) {
            pending.push_back(std::move(child));
        }
        element->m_children.clear();
    }
}

void CvxPersistenceElement::SetValue(std::u16string_view key, Value value)
{
    const auto it = m_keyIndex.find(key);
    if (it != m_keyIndex.end()) {
        m_keys[it->second].second = std::move(value);
        return;
    }
    m_keyIndex.emplace(std::u16string(key), m_keys.size());
    m_keys.emplace_back(std::u16string(key), std::move(value));
}

const CvxPersistenceElement::Value* CvxPersistenceElement::FindValue(std::u16string_view key) const
{
    const auto it = m_keyIndex.find(key);
    return it == m_keyIndex.end() ? nullptr : &m_keys[it->second].second;
}

CvxPersistenceElement* CvxPersistenceElement::FindChild(std::u16string_view name) const
{
    const auto it = m_childIndex.find(name);
    return it == m_childIndex.end() ? nullptr : m_children[it->second].get();
}

CvxPersistenceElement& CvxPersistenceElement::AddChild(std::u16string name)
{
    m_childIndex.emplace(name, m_children.size());
    m_children.push_back(std::make_unique<CvxPersistenceElement>(std::move(name)));
    return *m_children.back();
}

bool CvxPersistenceElement::IsEqual(const CvxPersistenceElement& other) const
{
    std::vector<std::pair<const CvxPersistenceElement*, const CvxPersistenceElement*>> pending{{this, &other}};
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (a->m_name != b->m_name || a->m_keys != b->m_keys || a->m_children.size() != b->m_children.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a->m_children.size(); ++i) {
            pending.emplace_back(a->m_children[i].get(), b->m_children[i].get());
        }
    }
    return true;
}

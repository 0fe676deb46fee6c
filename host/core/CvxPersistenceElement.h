#pragma once
// One element of the keyed setup tree: a name, keyed values (each an int or a string, in the
// order first written) and child elements (in the order made). Lookups by name find the
// first key or child of that name.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class CvxPersistenceElement {
public:
    using Value = std::variant<int, std::u16string>;

    explicit CvxPersistenceElement(std::u16string name = {});
    CvxPersistenceElement(const CvxPersistenceElement&) = delete;
    CvxPersistenceElement& operator=(const CvxPersistenceElement&) = delete;
    ~CvxPersistenceElement();

    const std::u16string& GetName() const { return m_name; }
    void SetName(std::u16string name) { m_name = std::move(name); }

    // Sets a key, replacing the value (and kind) of a key of that name in its place.
    void SetValue(std::u16string_view key, Value value);
    // Null when the key is absent.
    const Value* FindValue(std::u16string_view key) const;
    std::size_t GetKeyCount() const { return m_keys.size(); }
    const std::pair<std::u16string, Value>& GetKey(std::size_t i) const { return m_keys[i]; }

    CvxPersistenceElement* FindChild(std::u16string_view name) const;
    // Appends a child, even when one of that name exists (FindChild keeps finding the first).
    CvxPersistenceElement& AddChild(std::u16string name);
    std::size_t GetChildCount() const { return m_children.size(); }
    CvxPersistenceElement& GetChild(std::size_t i) const { return *m_children[i]; }

    // Same name, keys (in order, with kinds) and children, all the way down.
    bool IsEqual(const CvxPersistenceElement& other) const;

private:
    std::u16string m_name;
    std::vector<std::pair<std::u16string, Value>> m_keys;
    std::map<std::u16string, std::size_t, std::less<>> m_keyIndex;
    std::vector<std::unique_ptr<CvxPersistenceElement>> m_children;
    std::map<std::u16string, std::size_t, std::less<>> m_childIndex;
};

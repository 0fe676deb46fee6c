#pragma once
// The keyed setup tree that tools save themselves into and load themselves from: nested tags
// (elements) holding string and int keys. A cursor walks it: OpenTag enters a child element
// of the current one, CloseTag leaves it; keys are read and written in the current element
// (the root while no tag is open).
//
// A setup is either storing (being saved: OpenTag makes a missing element) or loading (OpenTag
// answers false for a missing element and the caller skips it). Reading a missing key answers
// false and leaves the target unchanged; an int key read as a string gives its decimal text
// and a string key read as an int is converted when it is a decimal number.

#include "CvxPersistenceElement.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CvxPersistenceSetup {
public:
    explicit CvxPersistenceSetup(bool storing = true);
    CvxPersistenceSetup(const CvxPersistenceSetup&) = delete;
    CvxPersistenceSetup& operator=(const CvxPersistenceSetup&) = delete;
    ~CvxPersistenceSetup();

    bool IsStoring() const { return m_storing; }
    void SetStoring(bool storing) { m_storing = storing; }

    // Enters the first child of that name of the current element; when storing, makes it if
    // absent. An empty name is refused.
    bool OpenTag(std::u16string_view name);
    // Leaves the innermost open tag; false when none is open.
    bool CloseTag();
    // Number of open tags.
    std::size_t GetDepth() const { return m_open.size(); }
    // Closes every open tag.
    void Rewind() { m_open.clear(); }

    bool Write(std::u16string_view key, std::u16string_view value);
    bool Write(std::u16string_view key, int value);
    bool Read(std::u16string_view key, std::u16string& value) const;
    bool Read(std::u16string_view key, int& value) const;

    const CvxPersistenceElement& GetRoot() const { return *m_root; }
    // The indices n of the open element's children named prefix + n (n decimal, no sign or
    // leading zero), ascending: what a list of "Name0", "Name1", ... really holds, whatever
    // its stored count says.
    std::vector<int> GetIndexedChildren(std::u16string_view prefix) const;
    // Replaces the whole tree and rewinds (a loaded setup file comes in this way).
    void SetRoot(std::unique_ptr<CvxPersistenceElement> root);
    // An empty tree, rewound.
    void Clear();

    // Same tree (the cursor and the mode play no part).
    bool IsEqual(const CvxPersistenceSetup& other) const { return m_root->IsEqual(*other.m_root); }

private:
    CvxPersistenceElement& Current() const { return m_open.empty() ? *m_root : *m_open.back(); }

    std::unique_ptr<CvxPersistenceElement> m_root;
    std::vector<CvxPersistenceElement*> m_open;
    bool m_storing;
};

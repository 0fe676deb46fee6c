#pragma once
// An element of a setup opened for the length of a scope: it is closed again only when the
// open succeeded, so a missing element (when loading) never closes its parent by mistake.
//
//     if (CvxCompareSetupTag tag{setup, u"CompareRunUntil"}) { ...keys of that element... }

#include "CvxPersistenceSetup.h"

#include <string_view>

class CvxCompareSetupTag {
public:
    CvxCompareSetupTag(CvxPersistenceSetup& setup, std::u16string_view name)
        : m_setup(setup), m_open(setup.OpenTag(name))
    {
    }
    CvxCompareSetupTag(const CvxCompareSetupTag&) = delete;
    CvxCompareSetupTag& operator=(const CvxCompareSetupTag&) = delete;
    ~CvxCompareSetupTag()
    {
        if (m_open) {
            m_setup.CloseTag();
        }
    }

    explicit operator bool() const { return m_open; }

private:
    CvxPersistenceSetup& m_setup;
    bool m_open;
};

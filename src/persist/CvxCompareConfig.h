#pragma once
// The "Config" value of a settings record: one markup element named Config whose attributes
// are the record's scalar settings, kept under the key "Config" of the record's element.
// Written with the markup writer, so the text is exactly its output for one element:
//
//     <Config Width='-1' ActivityIndicatorSupported='F' Color='16777215' Alignment='Right'/>\r\n
//
// Integers are decimal, bools "T" or "F" (only "T" reads true), strings are escaped by the
// markup writer. Reading an attribute that is absent, or any attribute of a Config key that
// is missing or does not parse, answers false and leaves the target as it was: a record that
// loads keeps its current value for every setting not found.

#include "CvxMarkupDocument.h"

#include <string>
#include <string_view>

class CvxPersistenceSetup;

class CvxCompareConfig {
public:
    // An empty Config element, ready for Set... and Save.
    CvxCompareConfig();

    void SetString(std::u16string_view name, std::u16string_view value);
    void SetInt(std::u16string_view name, int value);
    void SetBool(std::u16string_view name, bool value);
    // Writes the text under the key "Config" of the setup's current element.
    bool Save(CvxPersistenceSetup& setup) const;
    const std::u16string& GetText() const { return m_doc.GetText(); }

    // Reads the key "Config" of the setup's current element; false when it is missing or
    // holds no Config element (every Get... then answers false).
    bool Load(const CvxPersistenceSetup& setup);
    bool GetString(std::u16string_view name, std::u16string& value) const;
    bool GetInt(std::u16string_view name, int& value) const;
    bool GetBool(std::u16string_view name, bool& value) const;

private:
    CvxMarkupDocument m_doc;
    bool m_valid = false;
};

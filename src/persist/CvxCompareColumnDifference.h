#pragma once
// How a column shows the reference beside the input: both side by side, the reference only
// where it differs, or the input alone.

#include <string>

class CvxPersistenceSetup;

class CvxCompareColumnDifference {
public:
    static constexpr int kAll = 0;
    static constexpr int kPairedDifferences = 1;
    static constexpr int kInputOnly = 2;

    CvxCompareColumnDifference() = default;
    explicit CvxCompareColumnDifference(int code) { SetCode(code); }

    int GetCode() const { return m_code; }
    // Codes outside 0 to 2 are refused (false, code unchanged).
    bool SetCode(int code);
    // "ALL", "PAIRED_DIFFERENCES", "INPUT_ONLY".
    std::u16string GetPersistedName() const { return PersistedName(m_code); }
    // "ALL", "Paired Differences", "Input Only".
    std::u16string GetDisplayName() const { return DisplayName(m_code); }

    static std::u16string PersistedName(int code);
    static std::u16string DisplayName(int code);
    // The code of a persisted name, or -1.
    static int CodeOfPersistedName(const std::u16string& name);

    // Persisted as the element "CompareColumnDifference": key "Config" with the attribute
    // Name, the persisted name. Loading an unknown name keeps the code and logs the name.
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxCompareColumnDifference&, const CvxCompareColumnDifference&) = default;

private:
    int m_code = kAll;
};

#pragma once
// How far the reference is shifted against the input: input row k of the compare range
// stands against reference row k - offset.

class CvxPersistenceSetup;

class CvxCompareReferenceOffset {
public:
    static constexpr int kSample = 0;
    static constexpr int kTime = 1;

    int GetKind() const { return m_kind; }
    void SetKind(int kind) { m_kind = kind == kTime ? kTime : kSample; }
    int GetSampleOffset() const { return m_offset; }
    void SetSampleOffset(int offset) { m_offset = offset; }

    // Persisted as the element "CompareReferenceOffset": key "Config" with the attributes
    // ReferenceOffset ("Sample" or "Time") and SampleOffset.
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxCompareReferenceOffset&, const CvxCompareReferenceOffset&) = default;

private:
    int m_kind = kSample;
    int m_offset = 0;
};

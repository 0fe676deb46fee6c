#pragma once
// Shared bodies of the data stores: a body lives as long as a handle or an iterator holds a
// reference to it. The count starts at 0; every handle calls AddRef once when it is made and
// Release once when it goes, and the last Release deletes the body.

class CvxDataRefCount {
public:
    CvxDataRefCount() = default;
    CvxDataRefCount(const CvxDataRefCount&) = delete;
    CvxDataRefCount& operator=(const CvxDataRefCount&) = delete;

    // Answers the count after the call.
    int AddRef() { return ++m_refCount; }
    // Answers the count after the call; at 0 the body has been deleted and must not be touched.
    // A Release on a body that holds no reference does nothing and answers 0.
    int Release();
    int GetRefCount() const { return m_refCount; }

protected:
    // Bodies are deleted only through Release.
    virtual ~CvxDataRefCount() = default;

private:
    int m_refCount = 0;
};

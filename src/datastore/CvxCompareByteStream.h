#pragma once
// Raw byte transfers of a store, pointed either at a host data stream (Save and Load) or at
// the store's paging file; pointing it at one clears the other.

#include <cstddef>
#include <cstdint>
#include <limits>

class CvxCompareTempFile;
class CvxPersistenceDataStream;

class CvxCompareByteStream {
public:
    void SetStream(CvxPersistenceDataStream* stream)
    {
        m_stream = stream;
        m_file = nullptr;
    }
    void SetFile(CvxCompareTempFile* file)
    {
        m_file = file;
        m_stream = nullptr;
    }

    // Answers the bytes read (fewer at the end of the data or on a failure).
    std::size_t Read(void* buffer, std::size_t length);
    bool Write(const void* buffer, std::size_t length);
    // Bytes left to read from a data stream; unbounded for a file.
    std::size_t GetRemaining() const;

private:
    CvxPersistenceDataStream* m_stream = nullptr;
    CvxCompareTempFile* m_file = nullptr;
};

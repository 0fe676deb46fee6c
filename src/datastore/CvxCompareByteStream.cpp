#include "CvxCompareByteStream.h"

#include "CvxCompareTempFile.h"
#include "CvxPersistenceDataStream.h"

std::size_t CvxCompareByteStream::Read(void* buffer, std::size_t length)
{
    if (m_stream != nullptr) {
        return m_stream->Read(buffer, length);
    }
    return m_file != nullptr ? m_file->Read(buffer, length) : 0;
}

bool CvxCompareByteStream::Write(const void* buffer, std::size_t length)
{
    if (m_stream != nullptr) {
        return m_stream->Write(buffer, length);
    }
    return m_file != nullptr && m_file->Write(buffer, length);
}

std::size_t CvxCompareByteStream::GetRemaining() const
{
    if (m_stream != nullptr) {
        return m_stream->GetRemaining();
    }
    return m_file != nullptr ? std::numeric_limits<std::size_t>::max() : 0;
}

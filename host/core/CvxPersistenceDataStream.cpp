#include "CvxPersistenceDataStream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

bool CvxPersistenceDataStream::Write(const void* buffer, std::size_t length)
{
    if (length == 0) {
        return true;
    }
    if (buffer == nullptr) {
        return false;
    }
    try {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        m_bytes.insert(m_bytes.end(), bytes, bytes + length);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

std::size_t CvxPersistenceDataStream::Read(void* buffer, std::size_t length)
{
    const std::size_t n = std::min(length, GetRemaining());
    if (n > 0 && buffer != nullptr) {
        std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        return n;
    }
    return 0;
}

void CvxPersistenceDataStream::Clear()
{
    m_bytes.clear();
    m_position = 0;
}

void CvxPersistenceDataStream::SetBytes(std::vector<std::uint8_t> bytes)
{
    m_bytes = std::move(bytes);
    m_position = 0;
}

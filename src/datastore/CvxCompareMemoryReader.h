#pragma once
// Bounded reading of a byte layout: Take(n) hands out the next n bytes, or null (taking
// nothing) when fewer are left, so that no count read from the bytes is trusted beyond them.
// CvxCompareMemoryReader reads a buffer in memory (a page read from the paging file);
// CvxCompareStreamReader reads through a CvxCompareByteStream into a reused buffer.

#include "CvxCompareByteStream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What Take(0) hands out: a valid pointer to no bytes.
inline constexpr std::uint8_t kNothing = 0;

class CvxCompareMemoryReader {
public:
    CvxCompareMemoryReader(const std::uint8_t* begin, std::size_t length) : m_pos(begin), m_end(begin + length) {}

    std::size_t GetRemaining() const { return static_cast<std::size_t>(m_end - m_pos); }
    const std::uint8_t* Take(std::size_t n)
    {
        if (n > GetRemaining()) {
            return nullptr;
        }
        if (n == 0) {
            return &kNothing;
        }
        const std::uint8_t* at = m_pos;
        m_pos += n;
        return at;
    }

private:
    const std::uint8_t* m_pos;
    const std::uint8_t* m_end;
};

class CvxCompareStreamReader {
public:
    CvxCompareStreamReader(CvxCompareByteStream& stream, std::vector<std::uint8_t>& buffer)
        : m_stream(stream), m_buffer(buffer)
    {
    }

    std::size_t GetRemaining() const { return m_stream.GetRemaining(); }
    const std::uint8_t* Take(std::size_t n)
    {
        if (n > GetRemaining()) {
            return nullptr;
        }
        if (n == 0) {
            return &kNothing;
        }
        if (m_buffer.size() < n) {
            m_buffer.resize(n);
        }
        return m_stream.Read(m_buffer.data(), n) == n ? m_buffer.data() : nullptr;
    }

private:
    CvxCompareByteStream& m_stream;
    std::vector<std::uint8_t>& m_buffer;
};

#include "CvxVcdWriter.h"

#include <cinttypes>

namespace {
constexpr std::size_t kFlushBytes = 4U << 20;
}

CvxVcdWriter::CvxVcdWriter(const std::string& path)
    : m_file(std::fopen(path.c_str(), "wb"), &std::fclose)
{
}

void CvxVcdWriter::Stamp(std::int64_t time)
{
    char stamp[32];
    const int length = std::snprintf(stamp, sizeof stamp, "#%" PRId64 "\n", time);
    m_buffer.append(stamp, static_cast<std::size_t>(length));
}

void CvxVcdWriter::Vector(std::uint64_t value, int width, std::string_view code)
{
    m_buffer.push_back('b');
    for (int bit = width - 1; bit >= 0; --bit) {
        m_buffer.push_back(static_cast<char>('0' + ((value >> bit) & 1U)));
    }
    m_buffer.push_back(' ');
    m_buffer += code;
    m_buffer.push_back('\n');
}

bool CvxVcdWriter::FlushIfFull()
{
    return m_buffer.size() < kFlushBytes || Flush();
}

std::uint64_t CvxVcdWriter::Finish()
{
    return Flush() ? m_written : 0;
}

bool CvxVcdWriter::Flush()
{
    if (m_failed || !m_file) {
        return false;
    }
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file.get()) != m_buffer.size()) {
        m_failed = true;
        return false;
    }
    m_written += m_buffer.size();
    m_buffer.clear();
    return true;
}

std::uint64_t CvxVcdWriter::Next(std::uint64_t& state)
{
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t x = state;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

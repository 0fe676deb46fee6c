#include "CvxVcdTokenizer.h"

#include "CvxAcquisitionSource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Bytes up to 0x20 separate tokens (blanks, tabs, line ends and other control bytes).
inline bool IsSpace(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Whether any of 8 bytes is at most 0x20 (a borrow may also flag bytes above the first such
// byte, which the byte-wise loop that follows sorts out).
inline bool AnySpace8(std::uint64_t w)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    return (((w - kOnes * 0x21) & ~w) & kHigh) != 0;
}

} // namespace

CvxVcdTokenizer::CvxVcdTokenizer(std::string path) : m_path(std::move(path))
{
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        throw CvxSourceError(m_path + ": cannot open the file: " + std::strerror(errno));
    }
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_capacity = kBlock;
    m_buffer = std::make_unique<char[]>(m_capacity);
}

CvxVcdTokenizer::~CvxVcdTokenizer()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool CvxVcdTokenizer::Refill(std::size_t& keep)
{
    if (m_eof) {
        return false;
    }
    const std::size_t kept = m_end - keep;
    if (kept == m_capacity) {
        // One token fills the whole buffer: grow it, within the bound.
        if (m_capacity >= kMaxToken) {
            throw CvxSourceError(m_path + ":" + std::to_string(m_line) + ": expected a token shorter than "
                                 + std::to_string(kMaxToken >> 20) + " MiB");
        }
        auto bigger = std::make_unique<char[]>(m_capacity * 2);
        std::memcpy(bigger.get(), m_buffer.get() + keep, kept);
        m_buffer = std::move(bigger);
        m_capacity *= 2;
    } else if (keep > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + keep, kept);
    }
    m_pos -= keep;
    m_end = kept;
    keep = 0;
    while (m_end < m_capacity) {
        const ssize_t got = ::read(m_fd, m_buffer.get() + m_end, m_capacity - m_end);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw CvxSourceError(m_path + ":" + std::to_string(m_line) + ": read error: " + std::strerror(errno));
        }
        if (got == 0) {
            m_eof = true;
            break;
        }
        m_end += static_cast<std::size_t>(got);
        m_lastByte = m_buffer[m_end - 1];
        // Reads of a block or more are enough to keep the loop cheap.
        if (m_end - kept >= kBlock / 2) {
            break;
        }
    }
    return m_end > kept;
}

std::string_view CvxVcdTokenizer::Next()
{
    char* buffer = m_buffer.get();
    // Skip separators, counting lines.
    for (;;) {
        while (m_pos < m_end && IsSpace(buffer[m_pos])) {
            m_line += buffer[m_pos] == '\n' ? 1 : 0;
            ++m_pos;
        }
        if (m_pos < m_end) {
            break;
        }
        std::size_t keep = m_end;
        if (!Refill(keep)) {
            m_tokenLine = m_line;
            return {};
        }
        buffer = m_buffer.get();
    }
    m_tokenLine = m_line;
    std::size_t start = m_pos;
    std::size_t i = m_pos + 1;
    for (;;) {
        while (i + 8 <= m_end) {
            std::uint64_t w;
            std::memcpy(&w, buffer + i, 8);
            if (AnySpace8(w)) {
                break;
            }
            i += 8;
        }
        while (i < m_end && !IsSpace(buffer[i])) {
            ++i;
        }
        if (i < m_end) {
            break;
        }
        // The token runs to the end of the buffer: read on, keeping it.
        const std::size_t offset = i - start;
        std::size_t keep = start;
        m_pos = start;
        const bool more = Refill(keep);
        buffer = m_buffer.get();
        start = m_pos;
        i = start + offset;
        if (!more) {
            break;
        }
    }
    m_pos = i;
    return std::string_view(buffer + start, i - start);
}

std::string CvxVcdTokenizer::Describe(std::string_view expected, std::string_view found) const
{
    std::string text = m_path + ":" + std::to_string(m_tokenLine) + ": expected " + std::string(expected);
    if (found.empty()) {
        text += ", found the end of the file";
    } else {
        constexpr std::size_t kShown = 40;
        text += ", found '" + std::string(found.substr(0, kShown)) + (found.size() > kShown ? "...'" : "'");
    }
    return text;
}

void CvxVcdTokenizer::Fail(std::string_view expected, std::string_view found) const
{
    throw CvxSourceError(Describe(expected, found));
}

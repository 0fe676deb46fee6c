#pragma once
// Splits a VCD file into whitespace-separated tokens in one streaming pass: large buffered
// reads, no per-token allocation, line numbers kept for messages. Memory stays bounded: one
// buffer that grows only for a single token longer than it (up to kMaxToken).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CvxVcdTokenizer {
public:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;
    static constexpr std::size_t kMaxToken = std::size_t{64} << 20;

    // Opens the file; throws CvxSourceError naming it when it cannot be read.
    explicit CvxVcdTokenizer(std::string path);
    ~CvxVcdTokenizer();
    CvxVcdTokenizer(const CvxVcdTokenizer&) = delete;
    CvxVcdTokenizer& operator=(const CvxVcdTokenizer&) = delete;

    // The next token, valid until the next call; empty at the end of the file.
    std::string_view Next();
    // The unread bytes, at least `want` of them unless the file ends first; reading on may
    // move the buffer, so views of earlier tokens end here.
    std::string_view Window(std::size_t want)
    {
        if (m_end - m_pos < want && !m_eof) {
            std::size_t keep = m_pos;
            Refill(keep);
        }
        return std::string_view(m_buffer.get() + m_pos, m_end - m_pos);
    }
    // Consumes `bytes` of the window that hold `lines` line ends.
    void Consume(std::size_t bytes, std::int64_t lines)
    {
        m_pos += bytes;
        m_line += lines;
    }
    // Line (from 1) of the token Next() returned last.
    std::int64_t GetLine() const { return m_tokenLine; }
    // At the end of the file: whether its last byte ended a line (a file cut short does not).
    bool EndedWithNewline() const { return m_lastByte == '\n'; }
    const std::string& GetPath() const { return m_path; }
    // "file:line: expected <what>, found '<token>'" for the last token.
    std::string Describe(std::string_view expected, std::string_view found) const;
    [[noreturn]] void Fail(std::string_view expected, std::string_view found) const;

private:
    // Moves the unread bytes from `keep` on to the front and reads more; false at the end.
    bool Refill(std::size_t& keep);

    std::string m_path;
    int m_fd = -1;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    char m_lastByte = '\n';
    std::int64_t m_line = 1;
    std::int64_t m_tokenLine = 1;
};

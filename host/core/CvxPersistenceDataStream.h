#pragma once
// A named binary stream of a setup: writes append at the end, reads go on from a read
// position that starts at the beginning. A read past the end copies what is left and answers
// how many bytes it copied, so that a reader can tell a stream shorter than it expected.
// A writer that could not give the stream all it should hold (its own source failed) marks it
// failed with the reason; a setup with a failed stream is not saved.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CvxPersistenceDataStream {
public:
    explicit CvxPersistenceDataStream(std::u16string name) : m_name(std::move(name)) {}
    CvxPersistenceDataStream(const CvxPersistenceDataStream&) = delete;
    CvxPersistenceDataStream& operator=(const CvxPersistenceDataStream&) = delete;

    const std::u16string& GetName() const { return m_name; }

    // False when the memory for it cannot be had (the stream is then unchanged).
    bool Write(const void* buffer, std::size_t length);
    // Answers the number of bytes copied: `length` unless the stream ends first.
    std::size_t Read(void* buffer, std::size_t length);

    std::size_t GetLength() const { return m_bytes.size(); }
    std::size_t GetPosition() const { return m_position; }
    std::size_t GetRemaining() const { return m_bytes.size() - m_position; }
    void SeekToBegin() { m_position = 0; }
    // Empties the stream.
    void Clear();

    const std::vector<std::uint8_t>& GetBytes() const { return m_bytes; }
    // Replaces the contents and rewinds.
    void SetBytes(std::vector<std::uint8_t> bytes);

    bool IsFailed() const { return !m_failure.empty(); }
    const std::string& GetFailure() const { return m_failure; }
    // Marks the stream failed; the first reason stays.
    void SetFailed(std::string reason)
    {
        if (m_failure.empty()) {
            m_failure = reason.empty() ? std::string("the stream could not be written whole") : std::move(reason);
        }
    }

private:
    std::u16string m_name;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    std::string m_failure;
};

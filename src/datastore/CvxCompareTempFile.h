#pragma once
// The paging file of one store: <base>/C<clock><n>.tmp in the host base directory, made with
// O_CREAT|O_EXCL (the first n for which that succeeds, so the probe has no race), and removed
// when this object goes. Reads and writes happen at a position, as on a file stream.
//
// Descriptors are lent, not owned: at most kMaxOpen paging files keep one open at a time;
// the least recently used is closed when another needs one and reopened by name when its
// store reads again. So a reference buffer of thousands of buses/signals never runs out of
// descriptors, and sequential reading costs one read call per page.
//
// Failures (cannot create, write, reopen or read; a file shorter than expected) are logged
// once per file through CvxInfoMgr::LogMessage (type 3), naming the file and the operation.
// After a failure every operation is still tried; reads deliver what they could (callers
// clear the rest), writes that fail leave a hole that reads back as zero bytes.

#include <cstddef>
#include <cstdint>
#include <string>

class CvxCompareTempFile {
public:
    static constexpr int kMaxOpen = 32;

    CvxCompareTempFile();
    ~CvxCompareTempFile();
    CvxCompareTempFile(const CvxCompareTempFile&) = delete;
    CvxCompareTempFile& operator=(const CvxCompareTempFile&) = delete;

    // Full path (UTF-8, as the file system takes it); empty when the file could not be made.
    const std::string& GetName() const { return m_name; }
    bool IsFailed() const { return m_failed; }

    std::int64_t Tell() const { return m_position; }
    void Seek(std::int64_t position) { m_position = position; }
    // Bytes written so far (the end of the file as this store made it).
    std::int64_t GetSize() const { return m_size; }

    // Reads at the position and moves on by what it read; answers the bytes read.
    std::size_t Read(void* buffer, std::size_t length);
    // Writes at the position and moves on by `length` even when the write fails.
    bool Write(const void* buffer, std::size_t length);
    // Empties the file.
    bool Truncate();
    // Gives the descriptor back; the next operation reopens the file.
    bool Close();

private:
    friend class CvxCompareTempFilePool;

    int Descriptor();
    void Fail(const char* operation, int error);

    std::string m_name;
    int m_fd = -1;
    std::uint64_t m_lastUse = 0;
    std::int64_t m_position = 0;
    std::int64_t m_size = 0;
    bool m_failed = false;
    bool m_logged = false;
};

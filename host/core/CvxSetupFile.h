#pragma once
// The host setup file (.cvxsetup): a zip archive holding setup.xml (the keyed tree of a
// CvxPersistenceSetup and the list of data streams; see CvxSetupXmlWriter) and one entry per
// binary data stream ("streams/<n>.bin", stored uncompressed; setup.xml is deflated).
//
// Save writes the archive to a temporary file in the same folder, flushes it to disk and
// renames it over the target, so a failed save never harms the previous file; the failure
// is logged (error) with the path and the reason, and the temporary file is removed.
//
// Load never crashes, hangs or allocates without bound. A file that cannot be read as a zip
// archive, an archive without setup.xml, or a setup.xml that does not parse loads nothing:
// Load answers false, logs one error line naming the file and the problem, and leaves the
// given setup and data as they were. A data stream whose entry is missing, unreadable, larger
// than the limits, or of another size than setup.xml declares is left out (a tool then finds
// no stream and keeps its defaults), with one warning line each; the rest loads. Sizes read
// from the file are never trusted beyond the bytes that back them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

class CvxPersistenceData;
class CvxPersistenceSetup;

class CvxSetupFile {
public:
    // The low-level write Save uses on the temporary file; answers as write(2) does.
    using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t length)>;

    static constexpr std::uint64_t kMaxXmlBytes = 64ULL << 20;
    static constexpr std::uint64_t kDefaultMaxStreamBytes = 1ULL << 30;
    static constexpr std::uint64_t kDefaultMaxTotalBytes = 4ULL << 30;

    explicit CvxSetupFile(std::filesystem::path path);

    const std::filesystem::path& GetPath() const { return m_path; }

    bool Save(const CvxPersistenceSetup& setup, const CvxPersistenceData& data);
    // On success the setup is loading (not storing) and rewound.
    bool Load(CvxPersistenceSetup& setup, CvxPersistenceData& data);

    // The problems of the last Save or Load, as logged (without the file part).
    const std::vector<std::string>& GetProblems() const { return m_problems; }

    // Replaces the write used by Save (tests simulate a full disk with it); empty restores it.
    void SetWriteFunction(WriteFunction write);
    // Largest data stream and largest sum of data streams that Load accepts.
    void SetLimits(std::uint64_t maxStreamBytes, std::uint64_t maxTotalBytes);

private:
    bool WriteAll(int fd, const void* bytes, std::size_t length, std::string& reason);
    void Report(int type, const std::string& problem);

    std::filesystem::path m_path;
    WriteFunction m_write;
    std::uint64_t m_maxStreamBytes = kDefaultMaxStreamBytes;
    std::uint64_t m_maxTotalBytes = kDefaultMaxTotalBytes;
    std::vector<std::string> m_problems;
};

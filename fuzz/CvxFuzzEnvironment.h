#pragma once
// What the fuzz targets share: a private host base directory per fuzz process (paging files,
// outbox), a log that goes nowhere, the input as a file for readers that take a path, and the
// cleaning between inputs, so that one input cannot change how the next one runs and nothing
// piles up on disk or in the host managers during a long run.

#include "CvxID.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

class CvxFuzzEnvironment {
public:
    // Made on first use: base directory, log to /dev/null.
    static CvxFuzzEnvironment& GetInstance();

    CvxFuzzEnvironment(const CvxFuzzEnvironment&) = delete;
    CvxFuzzEnvironment& operator=(const CvxFuzzEnvironment&) = delete;
    ~CvxFuzzEnvironment();

    const std::filesystem::path& GetBaseDir() const { return m_baseDir; }

    // Writes the input into the process's memory file and answers a path that opens it
    // ("/proc/self/fd/N"); each call replaces the previous contents.
    std::string WriteInputFile(const std::uint8_t* data, std::size_t size);

    // Remembers the labels the host holds now; EndInput removes every label added after.
    void KeepCurrentLabels();
    // After each input: labels added by it, mails it sent, recent log lines.
    void EndInput();

private:
    CvxFuzzEnvironment();

    std::filesystem::path m_baseDir;
    int m_inputFd = -1;
    std::set<CvxID> m_keptLabels;
};

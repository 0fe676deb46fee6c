#pragma once
// Drives a repetitive run: acquires from a source again and again, with the source's repeat
// interval between runs, until the consumer says stop, Stop() is called (from any thread) or
// an acquisition fails. The host hands each run's data to its tools from the callback.

#include "CvxAcquisitionSource.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class CvxRepetitiveRun {
public:
    // Called after each successful run with its data and run number; false stops the run.
    using Consumer = std::function<bool(const std::shared_ptr<CvxData>& data, std::int64_t run)>;

    explicit CvxRepetitiveRun(CvxAcquisitionSource& source) : m_source(source) {}

    // Runs until stopped; answers the number of runs delivered. An acquisition error ends
    // the run and is kept in GetError().
    std::int64_t Run(const Consumer& consumer);
    // Asks a running Run() to stop: it returns before its next acquisition.
    void Stop();
    const std::string& GetError() const { return m_error; }

private:
    CvxAcquisitionSource& m_source;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::string m_error;
};

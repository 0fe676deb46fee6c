#pragma once
// A finished acquisition: the acquired data and the number of runs made so far (0 when the
// data comes from elsewhere, a file say, rather than a run).

#include "CvxMessageBase.h"

#include <memory>

class CvxData;

class CvxMessageRun : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgRun;

    CvxMessageRun(std::shared_ptr<CvxData> data, int numberOfRuns)
        : CvxMessageBase(kType), m_data(std::move(data)), m_runs(numberOfRuns)
    {
    }

    const std::shared_ptr<CvxData>& GetData() const { return m_data; }
    int GetNumberOfRuns() const { return m_runs; }

private:
    std::shared_ptr<CvxData> m_data;
    int m_runs;
};

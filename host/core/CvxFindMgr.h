#pragma once
// The host's find: keeps the current find description (so that Find Next and Find Previous
// go on with it) and searches acquired data for it, sample by sample from a position, in the
// table of its first bus/signal. Long searches poll the cancel service.

#include "CvxFindModel.h"
#include "CvxPosition.h"

#include <string>

class CvxData;

class CvxFindMgr {
public:
    static CvxFindMgr& GetInstance();
    CvxFindMgr(const CvxFindMgr&) = delete;
    CvxFindMgr& operator=(const CvxFindMgr&) = delete;

    void SetModel(CvxFindModel model) { m_model = std::move(model); }
    const CvxFindModel& GetModel() const { return m_model; }

    // The model's occurrence of a match strictly after (forward) or before `from`; false with
    // `error` saying why ("not found", no such bus/signal, cancelled).
    bool Find(const CvxData& data, const CvxPosition& from, bool forward, CvxPosition& found, std::string& error) const;
    // With the model's own direction, or the opposite one.
    bool FindNext(const CvxData& data, const CvxPosition& from, CvxPosition& found, std::string& error) const;
    bool FindPrevious(const CvxData& data, const CvxPosition& from, CvxPosition& found, std::string& error) const;

private:
    CvxFindMgr() = default;
    CvxFindModel m_model;
};

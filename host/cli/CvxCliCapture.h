#pragma once
// Captures as cvx-compare reads them: a source for a capture file chosen by its extension
// (.vcd: our VCD reader; .sr: a libsigrok session; .csv and anything else: a libsigrok input
// module), source options given as KEY=VALUE, acquisition with progress and warnings on
// standard error, and the buses/signals an acquisition holds.
//
// Two captures compared against each other are read under one table name, so that their
// labels of the same name share one identity: the comparison finds reference buses/signals
// by label identity.

#include "CvxAcquisitionSource.h"
#include "CvxID.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CvxCliCapture {
public:
    // Throws CvxCliError for a file that does not exist.
    static std::unique_ptr<CvxAcquisitionSource> ForFile(const std::string& path, const std::string& table, bool regroup);
    // Throws CvxCliError naming a path that is no regular file.
    static void CheckFile(const std::string& path);
    // Points a source made by ForFile (or one of the same kind) at another file.
    static void SetFile(CvxAcquisitionSource& source, const std::string& path);
    // "simulated", "vcd" or "sigrok".
    static std::unique_ptr<CvxAcquisitionSource> ForKind(const std::string& kind);
    // KEY=VALUE options; throws CvxCliError naming the option and the problem.
    static void ApplyOptions(CvxAcquisitionSource& source, const std::vector<std::string>& options);
    static std::string GetOption(const CvxAcquisitionSource& source, const std::string& key);
    // The options of `from` that say how to read a capture (VCD regrouping, libsigrok bus
    // definitions, ...), onto `to` of the same kind: a setup's source options apply to every
    // capture compared against it. Options naming the file or device stay those of `to`.
    static void CarryOptions(const CvxAcquisitionSource& from, CvxAcquisitionSource& to);

    // Acquires once; throws CvxCliError "<what>: <problem>", also for a capture without
    // samples or one cut short (the reader keeps what it could read; a comparison of it
    // would mislead).
    // Other warnings go to standard error.
    static std::shared_ptr<CvxData> Acquire(CvxAcquisitionSource& source, const std::string& what);
    // Acquires from both, as Acquire does: at once on two threads when both sources take
    // label turns (the result is the same as one after the other), else one after the other.
    // Problems are told in that order too, the first source's first.
    static std::pair<std::shared_ptr<CvxData>, std::shared_ptr<CvxData>> AcquireBoth(
        CvxAcquisitionSource& first, const std::string& firstWhat, CvxAcquisitionSource& second,
        const std::string& secondWhat);
    // The file the source reads (for progress lines).
    static std::string FileOf(const CvxAcquisitionSource& source);
    // Acquire's checks of what a source gave.
    static std::shared_ptr<CvxData> Checked(CvxAcquisitionSource& source, std::shared_ptr<CvxData> data,
                                           const std::string& what);
    // Prints the last acquisition's warnings; throws for a capture that is cut short or damaged.
    static void CheckWarnings(const CvxAcquisitionSource& source, const std::string& what);
    // "what: message", unless the message already starts with what's name.
    static std::string Naming(const std::string& what, const std::string& message);

    // The buses/signals (and string labels) of the data, table by table in column order;
    // time and sample-number labels are left out.
    static std::vector<CvxID> BusLabels(const CvxData& data);
    static bool IsBusLabel(const CvxID& label);
    static std::string LabelName(const CvxID& label);
    // The names of the labels, joined by ", ".
    static std::string LabelNames(const std::vector<CvxID>& labels);
};

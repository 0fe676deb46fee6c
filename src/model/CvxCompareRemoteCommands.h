#pragma once
// The remote command vocabulary of the Compare tool, as other tools and remote clients use it
// through the standard command interface: "Execute", the options request, "GetOptions",
// "GetNumberOfDifferences" and "GetDifference". Requests and replies are markup texts;
// command names are compared exactly.

#include <string>

class CvxCompareModel;

class CvxCompareRemoteCommands {
public:
    explicit CvxCompareRemoteCommands(CvxCompareModel& model) : m_model(model) {}

    // "Execute" recompares; "CopyReference" (for hosts without the copy dialog) copies every
    // displayed bus/signal over the compare range into the reference buffer and compares;
    // any other name answers false.
    bool ExecuteCommand(const std::u16string& command);
    // An "Options" element (under a "Window" root, or as the root): "MaxDifferences",
    // "Range" ("All" or "<marker>..<marker>") and "ReferenceOffset". Nothing is recompared.
    // Extensions for headless hosts, which have no dialogs: "TimeRange" ("<fs>..<fs>", user
    // markers at those times, made when none is there yet, become the compare range), "Center"
    // ("<fs>": the window's centre moves to the first sample at or after that time, as a
    // picture of the window wants it) and the run-until rule: "Threshold", "StopRepetitiveRun",
    // "SendEmail", "Recipient", "Subject", "MessageBody".
    bool SetOptions(const std::u16string& request);
    // "GetNumberOfDifferences", "GetOptions" and (our extension) "GetCounts": a "Counts"
    // element with SamplesCompared, ColumnsCompared, Comparisons and Differences.
    bool GetDataValue(const std::u16string& command, std::u16string& reply);
    // "GetDifference" with an "Index": the sample and, per reference column, the name, the
    // reference value and the input value at the index-th differing input row. False, with
    // the reply unchanged, for a bad request or an index beyond the differences.
    bool GetDataWithArgs(const std::u16string& request, std::u16string& reply);

private:
    // With `withMarks` (the request's Marks='T'), each Difference also says whether that
    // column differs there ("Different", T or F), as the comparison decided it.
    bool GetDifference(int index, bool withMarks, std::u16string& reply);

    CvxCompareModel& m_model;
};

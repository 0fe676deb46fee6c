#pragma once
// What a comparison of two captures could not pair, which the module's counts do not show:
// rows of one capture past the other's end or before its start, and buses/signals present in
// one capture only or at different widths. Each counts as a difference, so that a test rig
// never passes captures of unequal shape. Rows that only the reference offset moves past an
// end are expected and not counted.

#include "CvxData.h"
#include "CvxInt128.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CvxCliPairing {
public:
    // Rows of the tables that hold `labels` within the window [from, to] (fs): the rows one
    // capture holds beyond the other's, plus rows before a common start that alignment left out.
    void CountRows(const CvxData& reference, const CvxData& input, const std::vector<CvxID>& labels, CvxInt128 from,
                   CvxInt128 to);
    void AddRowsBefore(std::int64_t referenceRows, std::int64_t inputRows);
    // Names buses/signals of the same name whose widths differ between the captures.
    void CheckWidths(const CvxData& reference, const CvxData& input, const std::vector<CvxID>& labels,
                     const std::string& referencePath, const std::string& inputPath);
    // Names the reference buses/signals that `input` lacks.
    void CheckMissing(const std::vector<CvxID>& reference, const CvxData& input, const std::string& referencePath);
    // A bus/signal that the comparison left out; it counts as a difference.
    void AddProblem(std::string problem) { m_problems.push_back(std::move(problem)); }

    // The buses/signals the comparison covered, by name, for the report.
    void SetCompared(const std::vector<CvxID>& labels);
    const std::vector<std::string>& GetCompared() const { return m_compared; }

    std::int64_t GetInputRowsWithoutReference() const { return m_inputRows; }
    std::int64_t GetReferenceRowsWithoutInput() const { return m_referenceRows; }
    bool IsClean() const { return m_inputRows == 0 && m_referenceRows == 0 && m_problems.empty(); }

    // Why a comparison compared no sample: the reference's buses/signals the input lacks,
    // else the range, the offset or an empty reference.
    std::string WhyNothingCompared() const;
    // One line each on `err`: the problems, then the unpaired rows naming both files.
    void PrintProblems(std::FILE* err, const std::string& referencePath, const std::string& inputPath) const;

private:
    std::int64_t m_inputRows = 0;
    std::int64_t m_referenceRows = 0;
    std::vector<std::string> m_problems;
    std::vector<std::string> m_compared;
    std::string m_missing; // the reference's buses/signals the input lacks
};

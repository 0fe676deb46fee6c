#include "CvxCliPairing.h"

#include "CvxCliCapture.h"

#include <algorithm>

namespace {

const CvxDataTable* TableNamed(const CvxData& data, const std::u16string& name)
{
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        if (data.GetTable(t).GetName() == name) {
            return &data.GetTable(t);
        }
    }
    return nullptr;
}

// Rows of a table whose time lies in [from, to].
std::int64_t RowsWithin(const CvxDataTable& table, CvxInt128 from, CvxInt128 to)
{
    const std::int64_t first = table.FirstRowAtOrAfter(CvxTime::FromFs(from));
    const std::int64_t end = to >= kCvxInt128Max - 1 ? table.GetRowCount() : table.FirstRowAtOrAfter(CvxTime::FromFs(to + 1));
    return std::max<std::int64_t>(end - first, 0);
}

} // namespace

void CvxCliPairing::CountRows(const CvxData& reference, const CvxData& input, const std::vector<CvxID>& labels,
                              CvxInt128 from, CvxInt128 to)
{
    std::vector<const CvxDataTable*> seen;
    for (const CvxID& label : labels) {
        const CvxDataTable* a = reference.GetTableWithLabelID(label);
        const CvxDataTable* b = a != nullptr ? TableNamed(input, a->GetName()) : nullptr;
        if (b == nullptr || std::find(seen.begin(), seen.end(), a) != seen.end()) {
            continue;
        }
        seen.push_back(a);
        const std::int64_t referenceRows = RowsWithin(*a, from, to);
        const std::int64_t inputRows = RowsWithin(*b, from, to);
        m_inputRows += std::max<std::int64_t>(inputRows - referenceRows, 0);
        m_referenceRows += std::max<std::int64_t>(referenceRows - inputRows, 0);
    }
}

void CvxCliPairing::SetCompared(const std::vector<CvxID>& labels)
{
    m_compared.clear();
    for (const CvxID& label : labels) {
        m_compared.push_back(CvxCliCapture::LabelName(label));
    }
}

void CvxCliPairing::AddRowsBefore(std::int64_t referenceRows, std::int64_t inputRows)
{
    m_referenceRows += referenceRows;
    m_inputRows += inputRows;
}

void CvxCliPairing::CheckWidths(const CvxData& reference, const CvxData& input, const std::vector<CvxID>& labels,
                                const std::string& referencePath, const std::string& inputPath)
{
    for (const CvxID& label : labels) {
        const CvxDataColumnComponent* a = reference.GetColumnWithLabelID(label);
        const CvxDataColumnComponent* b = input.GetColumnWithLabelID(label);
        if (a == nullptr || b == nullptr) {
            continue;
        }
        const bool aText = a->GetValueKind() == EvxValueKind::String;
        const bool bText = b->GetValueKind() == EvxValueKind::String;
        if (aText != bText || a->GetWidth() != b->GetWidth()) {
            const auto describe = [](const CvxDataColumnComponent& c) {
                return c.GetValueKind() == EvxValueKind::String ? std::string("text") : std::to_string(c.GetWidth()) + " bits wide";
            };
            AddProblem(CvxCliCapture::LabelName(label) + " is " + describe(*a) + " in " + referencePath + " but "
                       + describe(*b) + " in " + inputPath);
        }
    }
}

void CvxCliPairing::CheckMissing(const std::vector<CvxID>& reference, const CvxData& input, const std::string& referencePath)
{
    std::string names;
    for (const CvxID& label : reference) {
        if (input.GetColumnWithLabelID(label) == nullptr) {
            names += (names.empty() ? "" : ", ") + CvxCliCapture::LabelName(label);
        }
    }
    if (!names.empty()) {
        m_missing = names;
        AddProblem("not compared, only in " + referencePath + ": " + names);
    }
}

std::string CvxCliPairing::WhyNothingCompared() const
{
    if (m_compared.empty() && !m_missing.empty()) {
        return "the input holds none of the reference's buses/signals (" + m_missing + ")";
    }
    return "the range or the offset leaves none, or the reference holds no data";
}

void CvxCliPairing::PrintProblems(std::FILE* err, const std::string& referencePath, const std::string& inputPath) const
{
    for (const std::string& problem : m_problems) {
        std::fprintf(err, "cvx-compare: %s; this counts as a difference\n", problem.c_str());
    }
    if (m_inputRows > 0) {
        std::fprintf(err,
                     "cvx-compare: %s holds %lld rows with no reference row in %s (the captures differ in length); "
                     "they were not compared and count as differences\n",
                     inputPath.c_str(), static_cast<long long>(m_inputRows), referencePath.c_str());
    }
    if (m_referenceRows > 0) {
        std::fprintf(err,
                     "cvx-compare: %s holds %lld reference rows with no input row in %s (the captures differ in "
                     "length); they were not compared and count as differences\n",
                     referencePath.c_str(), static_cast<long long>(m_referenceRows), inputPath.c_str());
    }
}

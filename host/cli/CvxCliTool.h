#pragma once
// The Compare tool as cvx-compare drives it: only through its standard command interface,
// as any host or remote client would. Requests are built and replies read as markup; a
// refused request throws CvxCliError.

#include <cstdint>
#include <string>
#include <vector>

class CvxStdToolCmdIFace;

// The four counts of a comparison.
struct CvxCliCounts {
    std::int64_t samplesCompared = 0;
    std::int64_t columnsCompared = 0;
    std::int64_t comparisons = 0;
    std::int64_t differences = 0;
    std::u16string markup; // the reply as the tool gave it
};

// One differing sample as the tool's "GetDifference" answers it.
struct CvxCliDifference {
    struct Item {
        std::u16string name;
        std::u16string reference;
        std::u16string value;
        bool differs = false; // as the comparison decided it
    };
    std::int64_t sample = 0;
    std::vector<Item> items;
    std::u16string markup; // the reply as the tool gave it
};

class CvxCliTool {
public:
    explicit CvxCliTool(CvxStdToolCmdIFace& iface) : m_iface(iface) {}

    // "Execute" (recompare) and "CopyReference".
    void Execute(const std::u16string& command);
    // An "Options" request; `what` names the setting for the error message.
    void SetOptions(const std::u16string& request, const std::string& what);
    CvxCliCounts GetCounts() const;
    // Whether the tool compares all data (its range runs from Begin to End).
    bool ComparesAllData() const;
    // The stop-comparing threshold of the run-until rule (0: not armed).
    std::int64_t GetMaxDifferences() const;
    // Differing input rows (a row that differs in several columns counts once).
    std::int64_t GetNumberOfDifferences() const;
    // False when there is no index-th difference.
    bool GetDifference(std::int64_t index, CvxCliDifference& difference) const;

    // Request texts for SetOptions.
    static std::u16string OptionsRequest(const std::vector<std::pair<std::u16string, std::u16string>>& attributes);

private:
    CvxStdToolCmdIFace& m_iface;
};

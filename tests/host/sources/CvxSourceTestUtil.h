#pragma once
// Helpers of the source tests: data files, columns by label name, values as text.

#include "CvxData.h"
#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

#include <filesystem>
#include <string>

// CVX_SOURCE_DIR is the source tree, set by the build.
inline std::string SourceDataPath(const std::string& name)
{
    return std::string(CVX_SOURCE_DIR) + "/tests/host/sources/data/" + name;
}

inline std::string LabelNameOf(const CvxDataColumnComponent& column)
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(column.GetLabelID());
    return label == nullptr ? std::string() : CvxStringConvert::ToUtf8(label->GetName());
}

inline const CvxDataColumnComponent* ColumnNamed(const CvxDataTable& table, const std::string& name)
{
    for (std::size_t i = 0; i < table.GetColumnCount(); ++i) {
        if (LabelNameOf(table.GetColumn(i)) == name) {
            return &table.GetColumn(i);
        }
    }
    return nullptr;
}

// A fresh folder under the temporary directory, removed with the object.
class CvxTempDir {
public:
    CvxTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "cvxsrcXXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~CvxTempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

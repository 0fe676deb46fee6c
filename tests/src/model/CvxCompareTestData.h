#pragma once
// Small acquisitions for model tests: one table of evenly spaced samples (10 ns) whose labels
// keep their identity across acquisitions of the same shape, and a model that has seen them.

#include "CvxCompareModel.h"
#include "CvxDataBuilder.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMessageRun.h"
#include "CvxSystemMgr.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// One bus/signal: its name, width (0 for a string label) and values per row. With sub-rows,
// each row lists its filled slots as value groups separated by -1 (an empty row: -1 alone).
struct CvxTestBus {
    CvxTestBus(std::u16string n, int w, std::vector<std::int64_t> v, bool sub = false)
        : name(std::move(n)), width(w), values(std::move(v)), subRows(sub)
    {
    }
    CvxTestBus(std::u16string n, std::vector<std::u16string> s) : name(std::move(n)), width(0), strings(std::move(s)) {}

    std::u16string name;
    int width = 8;
    std::vector<std::int64_t> values;
    std::vector<std::u16string> strings;
    bool subRows = false;
};

inline std::shared_ptr<CvxData> CvxMakeTestData(const std::vector<CvxTestBus>& buses, std::u16string table = u"T",
                                                CvxTime period = CvxTime::FromNs(10))
{
    CvxDataBuilder builder;
    CvxDataTable& t = builder.AddTable(std::move(table));
    t.SetUniformTimeBase(period);
    for (const CvxTestBus& bus : buses) {
        if (bus.width == 0) {
            CvxDataColumnComponent& c = builder.AddString(t, bus.name);
            for (const std::u16string& s : bus.strings) {
                c.AppendString(s);
            }
        } else if (!bus.subRows) {
            CvxDataColumnComponent& c = builder.AddBus(t, bus.name, bus.width);
            for (const std::int64_t v : bus.values) {
                c.Append(static_cast<std::uint64_t>(v));
            }
        } else {
            // Sub-rows: slots are filled in order 0, 1, ...; -1 ends a row.
            CvxDataColumnComponent& c = builder.AddBus(t, bus.name, bus.width, true);
            std::vector<std::int64_t> row;
            for (const std::int64_t v : bus.values) {
                if (v >= 0) {
                    row.push_back(v);
                    continue;
                }
                c.AppendRow(static_cast<int>(row.size()));
                for (std::size_t i = 0; i < row.size(); ++i) {
                    c.AppendSubRow(static_cast<int>(i), static_cast<std::uint64_t>(row[i]));
                }
                row.clear();
            }
        }
    }
    return builder.Finish();
}

inline CvxID CvxTestLabel(const std::u16string& name)
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().FindLabelByName(name);
    return label == nullptr ? CvxID() : label->GetID();
}

// Resets the host singletons a model test touches and points the host base at a temp folder.
inline void CvxResetTestHost()
{
    CvxLabelMgr::GetInstance().Clear();
    CvxSystemMgr::GetInstance().Reset();
    CvxInfoMgr::GetInstance().Reset();
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "cvx-model-tests";
    std::filesystem::create_directories(base);
    CvxInfoMgr::GetInstance().SetBasePath(base.u16string());
}

inline void CvxGiveData(CvxCompareModel& model, std::shared_ptr<CvxData> data, int runs = 1)
{
    model.OnRun(CvxMessageRun(std::move(data), runs));
}

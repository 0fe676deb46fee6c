#include "CvxBase.h"
#include "CvxRepetitiveRun.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSourceTestUtil.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace {

std::unique_ptr<CvxSimulatedAnalyzer> MakeSim(std::initializer_list<std::pair<const char*, const char*>> options)
{
    auto sim = std::make_unique<CvxSimulatedAnalyzer>();
    std::string error;
    EXPECT_TRUE(sim->SetOption("samples", "2000", error)) << error;
    for (const auto& [key, value] : options) {
        EXPECT_TRUE(sim->SetOption(key, value, error)) << key << ": " << error;
    }
    return sim;
}

// One timing row as a tuple of its numeric values (CLK to WIDE96) and its command text.
std::vector<CvxUInt> TimingRow(const CvxDataTable& table, std::int64_t row)
{
    std::vector<CvxUInt> values;
    for (std::size_t c = 1; c + 1 < table.GetColumnCount(); ++c) {
        values.push_back(table.GetColumn(c).GetValue(row));
    }
    return values;
}

std::vector<std::string> ColumnNames(const CvxDataTable& table)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < table.GetColumnCount(); ++i) {
        names.push_back(LabelNameOf(table.GetColumn(i)));
    }
    return names;
}

} // namespace

TEST(CvxSimulatedAnalyzer, TwoModulesWithLabelsInAFixedOrderAndIdenticalData)
{
    auto a = MakeSim({{"seed", "7"}});
    auto b = MakeSim({{"seed", "7"}});
    const auto first = a->Acquire();
    const auto second = b->Acquire();
    ASSERT_TRUE(first && second) << a->GetLastError();
    ASSERT_EQ(first->GetTableCount(), 2U);
    EXPECT_EQ(ColumnNames(first->GetTable(0)),
              (std::vector<std::string>{"Time", "CLK", "RD_STRB", "WR_STRB", "DATA8", "ADDR16", "DATA32", "DATA64", "WIDE96", "CMD"}));
    EXPECT_EQ(ColumnNames(first->GetTable(1)), (std::vector<std::string>{"Time", "ST_ADDR", "ST_DATA", "ST_OP", "ST_FLAGS"}));
    const CvxDataTable& t1 = first->GetTable(0);
    const CvxDataTable& t2 = second->GetTable(0);
    ASSERT_EQ(t1.GetRowCount(), 2000);
    for (std::int64_t row = 0; row < t1.GetRowCount(); ++row) {
        ASSERT_EQ(TimingRow(t1, row), TimingRow(t2, row)) << row;
        ASSERT_EQ(t1.GetColumn(9).GetString(row), t2.GetColumn(9).GetString(row)) << row;
    }
    // Same names in the same tables: the same labels.
    EXPECT_EQ(a->GetOfferedLabels(), b->GetOfferedLabels());
    EXPECT_EQ(ColumnNamed(t1, "WIDE96")->GetWidth(), 96);
}

TEST(CvxSimulatedAnalyzer, StateModuleHasOneToFourSubRowsAndDecodedStrings)
{
    auto sim = MakeSim({});
    const auto data = sim->Acquire();
    ASSERT_TRUE(data);
    const CvxDataTable& state = data->GetTable(1);
    EXPECT_EQ(state.GetRowCount(), 500);
    const CvxDataColumnComponent* values = ColumnNamed(state, "ST_DATA");
    const CvxDataColumnComponent* ops = ColumnNamed(state, "ST_OP");
    ASSERT_TRUE(values && ops);
    EXPECT_TRUE(values->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows));
    std::set<int> seen;
    const std::set<std::u16string> known{u"RD", u"WR", u"RMW", u"NOP"};
    for (std::int64_t row = 0; row < state.GetRowCount(); ++row) {
        const int slots = values->GetSubRowSlots(row);
        seen.insert(slots);
        ASSERT_EQ(ops->GetSubRowSlots(row), slots);
        ASSERT_EQ(values->EntryEndOfRow(row) - values->FirstEntryOfRow(row), slots);
        for (std::int64_t e = ops->FirstEntryOfRow(row); e < ops->EntryEndOfRow(row); ++e) {
            ASSERT_EQ(known.count(std::u16string(ops->GetString(e))), 1U);
        }
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(state.GetPeriod(), CvxTime::FromNs(40));

    // The command string is the decoded bus cycle.
    const CvxDataTable& timing = data->GetTable(0);
    const CvxDataColumnComponent* cmd = ColumnNamed(timing, "CMD");
    const CvxDataColumnComponent* rd = ColumnNamed(timing, "RD_STRB");
    bool sawRead = false;
    for (std::int64_t row = 0; row < timing.GetRowCount(); ++row) {
        if (rd->GetValue(row) == CvxUInt(1)) {
            sawRead = true;
            ASSERT_EQ(cmd->GetString(row).substr(0, 7), u"READ 0x") << row;
        }
    }
    EXPECT_TRUE(sawRead);
}

TEST(CvxSimulatedAnalyzer, TriggersOnThePatternOrAGivenRow)
{
    auto sim = MakeSim({{"trigger", "ADDR16=0x01X0"}});
    const auto data = sim->Acquire();
    ASSERT_TRUE(data);
    const CvxDataTable& timing = data->GetTable(0);
    const CvxDataColumnComponent* addr = ColumnNamed(timing, "ADDR16");
    const std::int64_t trigger = timing.GetTriggerRow();
    EXPECT_EQ(addr->GetValue(trigger).Low64() & 0xFF0F, 0x0100U);
    for (std::int64_t row = 0; row < trigger; ++row) {
        ASSERT_NE(addr->GetValue(row).Low64() & 0xFF0F, 0x0100U) << row;
    }
    EXPECT_EQ(timing.GetRowTime(trigger), CvxTime());
    EXPECT_EQ(timing.GetRowTime(trigger + 3), CvxTime::FromNs(30));

    auto fixed = MakeSim({{"trigger_row", "17"}});
    EXPECT_EQ(fixed->Acquire()->GetTable(0).GetTriggerRow(), 17);

    auto never = MakeSim({{"trigger", "DATA64=0xFFFFFFFFFFFFFFFF"}, {"samples", "64"}});
    ASSERT_TRUE(never->Acquire());
    ASSERT_EQ(never->GetWarnings().size(), 1U);
    EXPECT_NE(never->GetWarnings()[0].find("did not occur"), std::string::npos);
}

TEST(CvxSimulatedAnalyzer, FaultsAtChosenRows)
{
    auto clean = MakeSim({{"trigger_row", "0"}});
    auto faulty = MakeSim({{"trigger_row", "0"}, {"faults", "flip:DATA8:100:3, glitch:CLK:200, missing:300, extra:400, flip:WIDE96:600:95"}});
    const auto base = clean->Acquire();
    const auto hit = faulty->Acquire();
    ASSERT_TRUE(base && hit) << faulty->GetLastError();
    const CvxDataTable& b = base->GetTable(0);
    const CvxDataTable& f = hit->GetTable(0);
    ASSERT_EQ(f.GetRowCount(), b.GetRowCount());
    for (std::int64_t row = 0; row < 300; ++row) {
        if (row == 100 || row == 200) {
            continue;
        }
        ASSERT_EQ(TimingRow(f, row), TimingRow(b, row)) << row;
    }
    EXPECT_EQ(ColumnNamed(f, "DATA8")->GetValue(100), ColumnNamed(b, "DATA8")->GetValue(100) ^ CvxUInt(8));
    EXPECT_EQ(ColumnNamed(f, "CLK")->GetValue(200), ColumnNamed(b, "CLK")->GetValue(200) ^ CvxUInt(1));
    // Row 300 lost one sample: everything moves up by one until the extra sample at 400.
    for (std::int64_t row = 300; row <= 400; ++row) {
        ASSERT_EQ(TimingRow(f, row), TimingRow(b, row + 1)) << row;
    }
    for (std::int64_t row = 401; row < 600; ++row) {
        ASSERT_EQ(TimingRow(f, row), TimingRow(b, row)) << row;
    }
    EXPECT_EQ(ColumnNamed(f, "WIDE96")->GetValue(600), ColumnNamed(b, "WIDE96")->GetValue(600) ^ CvxUInt::FromU128(CvxUInt128{1} << 95));

    std::string error;
    EXPECT_FALSE(faulty->SetOption("faults", "flip:NOPE:1:0", error));
    EXPECT_NE(error.find("DATA8"), std::string::npos) << error;
    EXPECT_FALSE(faulty->SetOption("faults", "flip:DATA8:1:8", error));
    EXPECT_FALSE(faulty->SetOption("faults", "glitch:DATA8:1", error));
    EXPECT_FALSE(faulty->SetOption("trigger", "CMD=1", error));
}

TEST(CvxSimulatedAnalyzer, RepetitiveRunDiffersFromRunToRunAndRepeatsPerRunNumber)
{
    auto sim = MakeSim({{"fault_rate", "2000"}, {"interval", "0"}});
    std::vector<std::shared_ptr<CvxData>> runs;
    CvxRepetitiveRun repeat(*sim);
    const std::int64_t delivered = repeat.Run([&](const std::shared_ptr<CvxData>& data, std::int64_t run) {
        EXPECT_EQ(run, static_cast<std::int64_t>(runs.size()));
        runs.push_back(data);
        return runs.size() < 3;
    });
    EXPECT_EQ(delivered, 3);
    ASSERT_EQ(runs.size(), 3U);
    const auto differs = [](const CvxData& x, const CvxData& y) {
        for (std::int64_t row = 0; row < x.GetTable(0).GetRowCount(); ++row) {
            if (TimingRow(x.GetTable(0), row) != TimingRow(y.GetTable(0), row)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(differs(*runs[0], *runs[1]));
    EXPECT_TRUE(differs(*runs[1], *runs[2]));
    sim->SetRunCount(1);
    const auto again = sim->Acquire();
    EXPECT_FALSE(differs(*again, *runs[1]));

    // A stop from another party ends the run before its next acquisition.
    auto slow = MakeSim({{"interval", "60000"}});
    CvxRepetitiveRun stopped(*slow);
    std::int64_t seen = 0;
    std::thread stopper;
    const std::int64_t count = stopped.Run([&](const std::shared_ptr<CvxData>&, std::int64_t) {
        ++seen;
        stopper = std::thread([&] { stopped.Stop(); });
        return true;
    });
    stopper.join();
    EXPECT_EQ(count, 1);
    EXPECT_EQ(seen, 1);
}

// The analyzer's trigger as the host's simple trigger: its own timing buses of up to 64 bits
// carry it, a pattern with X becomes the trigger of the next acquisition, and what cannot
// carry it is refused with a reason.
TEST(CvxSimulatedAnalyzer, TakesAPatternAsItsSimpleTrigger)
{
    auto sim = MakeSim({{"trigger_row", "5"}});
    const auto first = sim->Acquire();
    ASSERT_TRUE(first);
    EXPECT_TRUE(sim->HasSimpleTrigger());
    const CvxDataTable& timing = first->GetTable(0);
    const CvxDataColumnComponent* addr = ColumnNamed(timing, "ADDR16");
    const CvxDataColumnComponent* wide = ColumnNamed(timing, "WIDE96");
    ASSERT_TRUE(addr != nullptr && wide != nullptr);
    EXPECT_TRUE(sim->IsTriggerLabel(addr->GetLabelID()));
    EXPECT_FALSE(sim->IsTriggerLabel(wide->GetLabelID()));
    EXPECT_FALSE(sim->IsTriggerLabel(CvxID::New()));

    CvxPatternModel pattern(CvxLabelChannel(addr->GetLabelID()), 16, kBaseHex);
    std::string error;
    ASSERT_TRUE(pattern.Parse(u"01X0", error)) << error;
    ASSERT_TRUE(sim->SetTrigger(pattern, error)) << error;
    const auto next = sim->Acquire();
    ASSERT_TRUE(next);
    const CvxDataTable& t = next->GetTable(0);
    EXPECT_EQ(ColumnNamed(t, "ADDR16")->GetValue(t.GetTriggerRow()).Low64() & 0xFF0F, 0x0100U);

    EXPECT_FALSE(sim->SetTrigger(CvxPatternModel(CvxLabelChannel(wide->GetLabelID()), 96, kBaseHex), error));
    EXPECT_NE(error.find("whole timing bus of up to 64 bits"), std::string::npos);
}

// One contract for every acquisition source: options round-trip, acquisitions give finished
// tables whose offered labels exist, keep their identity from run to run, and count runs.

#include "CvxBase.h"
#include "CvxLabelChannel.h"
#include "CvxSampleIterBase.h"
#include "CvxSigrokSource.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSourceTestUtil.h"
#include "CvxVcdSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

struct SourceFactory {
    const char* name;
    std::function<std::unique_ptr<CvxAcquisitionSource>()> make;
};

std::unique_ptr<CvxAcquisitionSource> Configured(std::unique_ptr<CvxAcquisitionSource> source,
                                                 std::initializer_list<std::pair<const char*, std::string>> options)
{
    std::string error;
    for (const auto& [key, value] : options) {
        EXPECT_TRUE(source->SetOption(key, value, error)) << error;
    }
    return source;
}

class CvxSourceContract : public ::testing::TestWithParam<SourceFactory> {};

} // namespace

TEST_P(CvxSourceContract, OptionsRoundTripAndUnknownKeysAreRefused)
{
    auto source = GetParam().make();
    EXPECT_FALSE(source->GetName().empty());
    const std::vector<CvxSourceOption> options = source->GetOptions();
    ASSERT_FALSE(options.empty());
    std::set<std::string> keys;
    for (const CvxSourceOption& option : options) {
        EXPECT_TRUE(keys.insert(option.key).second) << option.key;
        EXPECT_FALSE(option.description.empty()) << option.key;
        std::string error;
        if (!option.value.empty()) {
            EXPECT_TRUE(source->SetOption(option.key, option.value, error)) << option.key << ": " << error;
        }
    }
    std::string error;
    EXPECT_FALSE(source->SetOption("no_such_option", "1", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(source->GetOptions().size(), options.size());
}

TEST_P(CvxSourceContract, AcquisitionsGiveFinishedTablesAndStableLabels)
{
    auto source = GetParam().make();
    EXPECT_EQ(source->GetRunCount(), 0);
    const auto first = source->Acquire();
    ASSERT_TRUE(first) << source->GetLastError();
    EXPECT_TRUE(first->IsDataValid());
    EXPECT_EQ(source->GetRunCount(), 1);
    const std::vector<CvxID> offered = source->GetOfferedLabels();
    ASSERT_FALSE(offered.empty());
    for (const CvxID& id : offered) {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
        ASSERT_NE(label, nullptr);
        const CvxDataColumnComponent* column = first->GetColumnWithLabelID(id);
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->GetRowCount(), column->GetTable().GetRowCount());
        EXPECT_NE(first->CreateIter(CvxLabelChannel(id), 6), nullptr);
    }
    for (std::size_t t = 0; t < first->GetTableCount(); ++t) {
        const CvxDataTable& table = first->GetTable(t);
        EXPECT_GT(table.GetRowCount(), 0);
        EXPECT_EQ(CvxLabelChannel(table.GetColumn(0).GetLabelID()).GetType(), EvxLabelKind::TimeLabel);
    }
    const auto second = source->Acquire();
    ASSERT_TRUE(second) << source->GetLastError();
    EXPECT_EQ(source->GetRunCount(), 2);
    EXPECT_EQ(source->GetOfferedLabels(), offered);
}

// A trigger pattern reads back as it was set (the bus/signal, the bits cared for and their
// values); a fixed trigger row is the next acquisition's where the source offers one, refused
// with the source's name where it does not, and a pattern set afterwards replaces it.
TEST_P(CvxSourceContract, TheTriggerReadsBackAsSetAndAFixedRowWhereOffered)
{
    auto source = GetParam().make();
    ASSERT_TRUE(source->Acquire()) << source->GetLastError();
    std::string error;
    CvxPatternModel read;
    if (source->CanTriggerAtRow()) {
        ASSERT_TRUE(source->SetTriggerRow(3, error)) << error;
        EXPECT_EQ(source->GetTriggerRow(), 3);
        EXPECT_FALSE(source->GetTrigger(read)); // no pattern while the row holds
        const auto data = source->Acquire();
        ASSERT_TRUE(data) << source->GetLastError();
        EXPECT_EQ(data->GetTable(0).GetTriggerRow(), 3);
        EXPECT_FALSE(source->SetTriggerRow(-2, error));
    } else {
        EXPECT_FALSE(source->SetTriggerRow(3, error));
        EXPECT_NE(error.find(source->GetName()), std::string::npos) << error;
        EXPECT_EQ(source->GetTriggerRow(), -1);
    }
    for (const CvxID& id : source->GetOfferedLabels()) {
        if (!source->IsTriggerLabel(id)) {
            continue;
        }
        const int width = CvxLabelMgr::GetInstance().IDToLabel(id)->GetNumberOfChannels();
        // An exact value reads back in hexadecimal (binary for a signal); a digit partly X
        // only binary can write.
        CvxPatternModel exact(CvxLabelChannel(id), width, kBaseHex);
        exact.SetValue(CvxUInt(1));
        CvxPatternModel partly(CvxLabelChannel(id), width, kBaseBinary);
        ASSERT_TRUE(partly.Parse(width == 1 ? u"X" : u"1X", error)) << error;
        for (const CvxPatternModel* pattern : {&exact, &partly}) {
            ASSERT_TRUE(source->SetTrigger(*pattern, error)) << error;
            EXPECT_EQ(source->GetTriggerRow(), -1);
            ASSERT_TRUE(source->GetTrigger(read));
            EXPECT_EQ(read.GetLabel().GetLabelID(), id);
            EXPECT_EQ(read.GetWidth(), width);
            EXPECT_EQ(read.GetCareBits(), pattern->GetCareBits());
            EXPECT_EQ(read.GetValueBits(), pattern->GetValueBits());
            EXPECT_EQ(read.GetBaseCode(), pattern == &exact && width > 1 ? kBaseHex : kBaseBinary);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CvxSourceContract,
    ::testing::Values(
        SourceFactory{"Simulated", [] { return Configured(std::make_unique<CvxSimulatedAnalyzer>(), {{"samples", "500"}, {"fault_rate", "5000"}}); }},
        SourceFactory{"Vcd", [] { return Configured(std::make_unique<CvxVcdSource>(), {{"file", SourceDataPath("basic.vcd")}}); }},
        SourceFactory{"SigrokDemo", [] { return Configured(std::make_unique<CvxSigrokSource>(), {{"device", "demo"}, {"samples", "256"}, {"buses", "B=D0-D2"}}); }}),
    [](const ::testing::TestParamInfo<SourceFactory>& info) { return std::string(info.param.name); });

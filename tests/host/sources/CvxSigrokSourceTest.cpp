#include "CvxSigrokBusDefinitions.h"
#include "CvxSigrokSource.h"
#include "CvxPatternModel.h"
#include "CvxSourceTestUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <zip.h>

namespace {

std::unique_ptr<CvxSigrokSource> MakeSigrok(std::initializer_list<std::pair<const char*, std::string>> options)
{
    auto source = std::make_unique<CvxSigrokSource>();
    std::string error;
    for (const auto& [key, value] : options) {
        EXPECT_TRUE(source->SetOption(key, value, error)) << key << ": " << error;
    }
    return source;
}

// A .sr session file as libsigrok writes it: a zip with "version", "metadata" and the logic
// data of device 1 in chunk "logic-1-1", one byte per sample for 8 channels.
void WriteSessionFile(const std::string& path, const std::vector<std::uint8_t>& samples)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    static const std::string version = "2";
    std::string metadata = "[global]\nsigrok version=0.5.2\n\n[device 1]\ncapturefile=logic-1\ntotal probes=8\n"
                           "samplerate=2 MHz\ntotal analog=0\nunitsize=1\n";
    for (int i = 0; i < 8; ++i) {
        metadata += "probe" + std::to_string(i + 1) + "=D" + std::to_string(i) + "\n";
    }
    const auto add = [&](const char* name, const void* bytes, std::size_t size) {
        zip_source_t* source = zip_source_buffer(archive, bytes, size, 0);
        ASSERT_NE(source, nullptr);
        ASSERT_GE(zip_file_add(archive, name, source, ZIP_FL_OVERWRITE), 0);
    };
    add("version", version.data(), version.size());
    add("metadata", metadata.data(), metadata.size());
    add("logic-1-1", samples.data(), samples.size());
    ASSERT_EQ(zip_close(archive), 0);
}

} // namespace

TEST(CvxSigrokBusDefinitions, ParsesRangesListsAndReportsMistakes)
{
    struct Case {
        const char* text;
        const char* formatted; // null: an error containing `error`
        const char* error;
    };
    const Case cases[] = {
        {"ADDR=D0-D7,D9", "ADDR=D0,D1,D2,D3,D4,D5,D6,D7,D9", nullptr},
        {"A=D3-D1; B = CLK , D10", "A=D3,D2,D1; B=CLK,D10", nullptr},
        {"X=ch-a\nY=D0", "X=ch-a; Y=D0", nullptr},
        {"", "", nullptr},
        {"ADDR", nullptr, "expected NAME=CHANNELS"},
        {"=D0", nullptr, "expected a bus name"},
        {"A=D0,,D1", nullptr, "between commas"},
        {"A=D0-C7", nullptr, "same prefix"},
        {"A=D0-D200", nullptr, "at most 128"},
        {"A=D0,D1,D0", nullptr, "D0 is listed twice"},
        {"A=D0; A=D1", nullptr, "defined twice"},
    };
    for (const Case& c : cases) {
        std::vector<CvxSigrokBus> buses;
        std::string error;
        const bool ok = CvxSigrokBusDefinitions::Parse(c.text, buses, error);
        if (c.formatted != nullptr) {
            ASSERT_TRUE(ok) << c.text << ": " << error;
            EXPECT_EQ(CvxSigrokBusDefinitions::Format(buses), c.formatted) << c.text;
            std::vector<CvxSigrokBus> again;
            ASSERT_TRUE(CvxSigrokBusDefinitions::Parse(CvxSigrokBusDefinitions::Format(buses), again, error));
            EXPECT_EQ(again, buses);
        } else {
            EXPECT_FALSE(ok) << c.text;
            EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
        }
    }
}

TEST(CvxSigrokSource, DemoDriverCaptureWithBuses)
{
    auto source = MakeSigrok({{"device", "demo"}, {"samples", "1000"}, {"samplerate", "1M"}, {"buses", "LOW=D0-D3; HIGH=D7-D4"}});
    const auto data = source->Acquire();
    ASSERT_TRUE(data) << source->GetLastError();
    const CvxDataTable& table = data->GetTable(0);
    EXPECT_EQ(CvxStringConvert::ToUtf8(table.GetName()), "demo");
    EXPECT_EQ(table.GetRowCount(), 1000);
    EXPECT_EQ(table.GetPeriod(), CvxTime::FromUs(1));
    EXPECT_EQ(LabelNameOf(table.GetColumn(1)), "LOW");
    EXPECT_EQ(LabelNameOf(table.GetColumn(2)), "HIGH");
    const CvxDataColumnComponent* low = ColumnNamed(table, "LOW");
    const CvxDataColumnComponent* high = ColumnNamed(table, "HIGH");
    std::vector<const CvxDataColumnComponent*> bits;
    for (int i = 0; i < 8; ++i) {
        bits.push_back(ColumnNamed(table, "D" + std::to_string(i)));
        ASSERT_NE(bits.back(), nullptr) << i;
    }
    bool anyHigh = false;
    for (std::int64_t row = 0; row < table.GetRowCount(); ++row) {
        std::uint64_t expectLow = 0;
        std::uint64_t expectHigh = 0;
        for (int i = 0; i < 4; ++i) {
            expectLow |= bits[static_cast<std::size_t>(i)]->GetValue(row).Low64() << i;
            expectHigh |= bits[static_cast<std::size_t>(7 - i)]->GetValue(row).Low64() << i;
        }
        anyHigh = anyHigh || expectLow != 0;
        ASSERT_EQ(low->GetValue(row), CvxUInt(expectLow)) << row;
        ASSERT_EQ(high->GetValue(row), CvxUInt(expectHigh)) << row;
    }
    EXPECT_TRUE(anyHigh);
    EXPECT_EQ(source->GetBusDefinitions(), "LOW=D0,D1,D2,D3; HIGH=D7,D6,D5,D4");
}

TEST(CvxSigrokSource, SessionFileAndBinaryInputModule)
{
    CvxTempDir dir;
    std::vector<std::uint8_t> samples(300);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::uint8_t>(i * 37 + 5);
    }
    const std::string sr = dir.File("capture.sr");
    WriteSessionFile(sr, samples);
    const std::string raw = dir.File("capture.bin");
    std::ofstream(raw, std::ios::binary).write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size()));

    auto session = MakeSigrok({{"session", sr}, {"buses", "NIB=D4-D7"}, {"channels", "D0,D5"}});
    // The binary input module names its channels 0 to 7.
    auto binary = MakeSigrok({{"input", raw}, {"format", "binary"}, {"input_options", "numchannels=8:samplerate=2000000"},
                              {"buses", "NIB=4-7"}, {"channels", "0,5"}});
    for (CvxSigrokSource* source : {session.get(), binary.get()}) {
        const std::string prefix = source == session.get() ? "D" : "";
        const auto data = source->Acquire();
        ASSERT_TRUE(data) << source->GetLastError();
        const CvxDataTable& table = data->GetTable(0);
        ASSERT_EQ(table.GetRowCount(), 300);
        EXPECT_EQ(table.GetPeriod(), CvxTime::FromNs(500));
        EXPECT_EQ(table.GetColumnCount(), 4U); // Time, NIB, D0, D5
        const CvxDataColumnComponent* nib = ColumnNamed(table, "NIB");
        const CvxDataColumnComponent* d0 = ColumnNamed(table, prefix + "0");
        const CvxDataColumnComponent* d5 = ColumnNamed(table, prefix + "5");
        ASSERT_TRUE(nib && d0 && d5);
        for (std::int64_t row = 0; row < 300; ++row) {
            const std::uint8_t s = samples[static_cast<std::size_t>(row)];
            ASSERT_EQ(nib->GetValue(row), CvxUInt(s >> 4U)) << row;
            ASSERT_EQ(d0->GetValue(row), CvxUInt(s & 1U)) << row;
            ASSERT_EQ(d5->GetValue(row), CvxUInt((s >> 5U) & 1U)) << row;
        }
    }
}

TEST(CvxSigrokSource, ClearErrors)
{
    struct Case {
        std::vector<std::pair<const char*, std::string>> options;
        const char* error;
    };
    const std::vector<Case> cases = {
        {{{"device", "nosuchdriver"}, {"samples", "10"}}, "unknown libsigrok driver 'nosuchdriver'"},
        {{{"device", "demo"}}, "set the option samples"},
        {{{"device", "demo"}, {"samples", "10"}, {"buses", "A=D0,D99"}}, "no logic channel named 'D99'"},
        {{{"device", "demo"}, {"samples", "10"}, {"channels", "Q7"}}, "no logic channel named 'Q7'"},
        {{{"session", "/nonexistent/x.sr"}}, "/nonexistent/x.sr: cannot open the file"},
        {{{"input", "/nonexistent/x.csv"}, {"format", "csv"}}, "/nonexistent/x.csv: cannot open the file"},
        {{}, "set exactly one of the options device, session and input"},
    };
    for (const Case& c : cases) {
        auto source = std::make_unique<CvxSigrokSource>();
        std::string error;
        for (const auto& [key, value] : c.options) {
            ASSERT_TRUE(source->SetOption(key, value, error)) << error;
        }
        EXPECT_FALSE(source->Acquire());
        EXPECT_NE(source->GetLastError().find(c.error), std::string::npos) << source->GetLastError();
    }
    CvxTempDir dir;
    const std::string notZip = dir.File("broken.sr");
    std::ofstream(notZip) << "not a zip archive";
    auto broken = MakeSigrok({{"session", notZip}});
    EXPECT_FALSE(broken->Acquire());
    EXPECT_NE(broken->GetLastError().find("broken.sr: not a readable .sr session file"), std::string::npos)
        << broken->GetLastError();
    std::string error;
    EXPECT_FALSE(broken->SetOption("buses", "A=", error));
}

TEST(CvxSigrokSource, CsvInputModule)
{
    CvxTempDir dir;
    const std::string csv = dir.File("levels.csv");
    std::ofstream(csv) << "a,b,c\n1,0,1\n0,1,1\n1,1,0\n0,0,0\n";
    auto source = MakeSigrok({{"input", csv}, {"format", "csv"}, {"input_options", "column_formats=3l:header=true:samplerate=1000"}});
    const auto data = source->Acquire();
    ASSERT_TRUE(data) << source->GetLastError();
    const CvxDataTable& table = data->GetTable(0);
    ASSERT_EQ(table.GetRowCount(), 4);
    EXPECT_EQ(table.GetPeriod(), CvxTime::FromMs(1));
    std::string rows;
    for (std::int64_t row = 0; row < 4; ++row) {
        for (std::size_t c = 1; c < table.GetColumnCount(); ++c) {
            rows += std::to_string(table.GetColumn(c).GetValue(row).Low64());
        }
        rows += " ";
    }
    EXPECT_EQ(rows, "101 011 110 000 ");
    EXPECT_EQ(LabelNameOf(table.GetColumn(3)), "c");
}

// A device that offers trigger matches (the demo device, known once opened) takes a pattern on
// one of its buses or channels as its trigger: the row libsigrok marks as the trigger holds
// the pattern. Mistyped patterns are refused with the reason; files have no trigger.
TEST(CvxSigrokSource, DemoDeviceTriggersOnABusPattern)
{
    auto source = MakeSigrok({{"device", "demo"}, {"samples", "2000"}, {"samplerate", "1M"}, {"buses", "LOW=D0-D3"}});
    EXPECT_FALSE(source->HasSimpleTrigger()); // not known before the device was opened
    const auto first = source->Acquire();
    ASSERT_TRUE(first) << source->GetLastError();
    ASSERT_TRUE(source->HasSimpleTrigger());
    const CvxDataTable& table = first->GetTable(0);
    const CvxDataColumnComponent* low = ColumnNamed(table, "LOW");
    const CvxDataColumnComponent* d2 = ColumnNamed(table, "D2");
    ASSERT_TRUE(low != nullptr && d2 != nullptr);
    EXPECT_TRUE(source->IsTriggerLabel(low->GetLabelID()));
    EXPECT_TRUE(source->IsTriggerLabel(d2->GetLabelID()));
    EXPECT_FALSE(source->IsTriggerLabel(table.GetColumn(0).GetLabelID())); // time
    EXPECT_FALSE(source->IsTriggerLabel(CvxID::New()));

    std::string error;
    for (const char* bad : {"LOW=0b1X2", "LOW=0b11111", "LOW", "=0b1"}) {
        EXPECT_FALSE(source->SetOption("trigger", bad, error)) << bad;
        EXPECT_NE(error.find("trigger"), std::string::npos) << error;
    }
    CvxPatternModel pattern(CvxLabelChannel(low->GetLabelID()), 4, kBaseBinary);
    ASSERT_TRUE(pattern.Parse(u"1X01", error)) << error;
    ASSERT_TRUE(source->SetTrigger(pattern, error)) << error;
    EXPECT_EQ(source->GetOptions().back().value, "LOW=0b1X01");
    const auto triggered = source->Acquire();
    ASSERT_TRUE(triggered) << source->GetLastError();
    const CvxDataTable& again = triggered->GetTable(0);
    const std::int64_t row = again.GetTriggerRow();
    ASSERT_GE(row, 0);
    ASSERT_LT(row, again.GetRowCount());
    EXPECT_EQ(ColumnNamed(again, "LOW")->GetValue(row).Low64() & 0b1011U, 0b1001U) << "row " << row;

    // A channel the device does not read any more cannot trigger it.
    ASSERT_TRUE(source->SetOption("trigger", "D0=1", error)) << error;
    ASSERT_TRUE(source->SetOption("buses", "", error)) << error;
    ASSERT_TRUE(source->SetOption("channels", "D4,D5", error));
    EXPECT_FALSE(source->Acquire());
    EXPECT_NE(source->GetLastError().find("no enabled logic channel 'D0'"), std::string::npos) << source->GetLastError();
}

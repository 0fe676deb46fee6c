#include "CvxSourceTestUtil.h"
#include "CvxVcdSource.h"

#include "CvxLabelMgr.h"
#include "CvxLabelTurns.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

namespace {

std::shared_ptr<CvxData> Load(CvxVcdSource& source)
{
    std::shared_ptr<CvxData> data = source.Acquire();
    EXPECT_TRUE(data) << source.GetLastError();
    return data;
}

std::string AllWarnings(const CvxAcquisitionSource& source)
{
    std::string all;
    for (const std::string& w : source.GetWarnings()) {
        all += w + "\n";
    }
    return all;
}

bool FourState(const CvxDataColumnComponent& column)
{
    return CvxLabelMgr::GetInstance().IDToLabel(column.GetLabelID())->IsFourState();
}

} // namespace

TEST(CvxVcdSource, ScopesVectorsXZDumpSectionsAndRowsPerChange)
{
    CvxVcdSource source(SourceDataPath("basic.vcd"));
    const auto data = Load(source);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    EXPECT_EQ(CvxStringConvert::ToUtf8(table.GetName()), "basic.vcd");
    // #25 changes nothing and #30 repeats the value in force: neither makes a row.
    ASSERT_EQ(table.GetRowCount(), 5);
    const std::int64_t ticks[] = {0, 5, 10, 12, 20};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(table.GetRowTime(row), CvxTime::FromNs(10 * ticks[row])) << row;
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < table.GetColumnCount(); ++i) {
        names.push_back(LabelNameOf(table.GetColumn(i)));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Time", "top.clk", "top.data", "top.nib", "top.cpu.addr", "top.cpu.wide64"}));

    // Expected value / X-Z mask per row (four-state words 0-1 value, 2-3 mask).
    struct Case {
        const char* name;
        std::uint64_t value[5];
        std::uint64_t mask[5];
    };
    const Case cases[] = {
        {"top.clk", {0, 1, 0, 0, 1}, {0, 0, 0, 1, 0}},
        {"top.data", {0, 0xAC, 0x03, 0, 0x05}, {0xFF, 0x0A, 0, 0xFF, 0}},
        {"top.nib", {0, 0, 9, 9, 9}, {0, 0, 0, 0, 0}},
        {"top.cpu.addr", {0, 0, 0xF0F0, 0, 1}, {0, 0, 0, 0xFFFF, 0}},
        {"top.cpu.wide64", {1, 1, 1, 0, 2}, {0, 0, 0, ~0ULL, 0}},
    };
    for (const Case& c : cases) {
        const CvxDataColumnComponent* column = ColumnNamed(table, c.name);
        ASSERT_NE(column, nullptr) << c.name;
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(column->GetValue(row), CvxUInt::FourState(c.value[row], c.mask[row])) << c.name << " row " << row;
            EXPECT_EQ(column->GetStatus(row), kStatusValid);
        }
    }
    EXPECT_TRUE(FourState(*ColumnNamed(table, "top.data")));
    EXPECT_FALSE(FourState(*ColumnNamed(table, "top.nib")));
    EXPECT_TRUE(source.GetWarnings().empty()) << AllWarnings(source);
}

TEST(CvxVcdSource, SharedIdentifierGivesEachNameTheSameValues)
{
    CvxVcdSource source(SourceDataPath("shared.vcd"));
    const auto data = Load(source);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    const CvxDataColumnComponent* a = ColumnNamed(table, "a.bus");
    const CvxDataColumnComponent* b = ColumnNamed(table, "b.bus_alias");
    ASSERT_TRUE(a && b);
    ASSERT_EQ(table.GetRowCount(), 2);
    EXPECT_NE(a->GetLabelID(), b->GetLabelID());
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(a->GetValue(row), b->GetValue(row));
    }
    EXPECT_EQ(a->GetValue(1), CvxUInt::FourState(0b1100, 0b0100));
}

TEST(CvxVcdSource, SplitBitsStaySeparateOrRegroupOnRequest)
{
    CvxVcdSource plain(SourceDataPath("splitbits.vcd"));
    const auto separate = Load(plain);
    ASSERT_TRUE(separate);
    EXPECT_NE(ColumnNamed(separate->GetTable(0), "top.d[2]"), nullptr);
    EXPECT_EQ(ColumnNamed(separate->GetTable(0), "top.d"), nullptr);

    CvxVcdSource grouped(SourceDataPath("splitbits.vcd"), true);
    const auto data = Load(grouped);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    EXPECT_EQ(table.GetColumnCount(), 3U); // Time, top.d, top.en
    const CvxDataColumnComponent* d = ColumnNamed(table, "top.d");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetWidth(), 4);
    ASSERT_EQ(table.GetRowCount(), 3);
    EXPECT_EQ(d->GetValue(0), CvxUInt::FourState(0xA, 0));
    EXPECT_EQ(d->GetValue(1), CvxUInt::FourState(0xB, 0x4));
    EXPECT_EQ(d->GetValue(2), CvxUInt::FourState(0x9, 0x4));
    EXPECT_EQ(table.GetRowTime(2), CvxTime::FromPs(9));
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(d->GetLabelID());
    EXPECT_EQ(CvxStringConvert::ToUtf8(label->GetChannelName(2)), "top.d[2]");
    EXPECT_TRUE(label->IsFourState());
}

TEST(CvxVcdSource, OddTimescaleIsExactInFemtoseconds)
{
    CvxVcdSource source(SourceDataPath("odd_timescale.vcd"));
    const auto data = Load(source);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->GetTable(0).GetTick(), CvxTime::FromFs(6'666'000));
    EXPECT_EQ(data->GetTable(0).GetRowTime(1), CvxTime::FromFs(19'998'000));
}

TEST(CvxVcdSource, EveryTimescaleConvertsExactly)
{
    const std::pair<const char*, CvxInt128> cases[] = {
        {"1 s", CvxTime::kS},           {"10ms", 10 * CvxTime::kMs}, {"100 us", 100 * CvxTime::kUs},
        {"1ns", CvxTime::kNs},          {"10ps", 10 * CvxTime::kPs}, {"100fs", 100},
        {"6666ps", 6'666'000},          {"1.5ns", 1'500'000},        {"250 ns", 250 * CvxTime::kNs},
    };
    CvxTempDir dir;
    for (const auto& [text, fs] : cases) {
        const std::string path = dir.File("t.vcd");
        std::ofstream(path) << "$timescale " << text << " $end\n$var wire 1 ! a $end\n$enddefinitions $end\n#0\n1!\n#2\n0!\n";
        CvxVcdSource source(path);
        const auto data = Load(source);
        ASSERT_TRUE(data) << text;
        EXPECT_EQ(data->GetTable(0).GetRowTime(1), CvxTime::FromFs(2 * fs)) << text;
    }
}

TEST(CvxVcdSource, WideVectorsRealsStringsAndUnsupportedTypes)
{
    CvxVcdSource source(SourceDataPath("wide.vcd"));
    const auto data = Load(source);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    ASSERT_EQ(table.GetRowCount(), 3);

    const CvxDataColumnComponent* big = ColumnNamed(table, "w.big");
    ASSERT_NE(big, nullptr);
    // Wider than 64 bits: binary digits, with or without X/Z, so that every file gives the bus
    // the same kind.
    EXPECT_EQ(big->GetValueKind(), EvxValueKind::String);
    EXPECT_EQ(big->GetString(1), std::u16string(29, u'0') + u"1" + std::u16string(69, u'0') + u"1");
    EXPECT_FALSE(FourState(*big));

    const CvxDataColumnComponent* bigx = ColumnNamed(table, "w.bigx");
    ASSERT_NE(bigx, nullptr);
    EXPECT_EQ(bigx->GetValueKind(), EvxValueKind::String);
    EXPECT_EQ(bigx->GetString(0), std::u16string(100, u'0'));
    EXPECT_EQ(bigx->GetString(1), std::u16string(100, u'z'));
    EXPECT_TRUE(FourState(*bigx));

    const CvxDataColumnComponent* huge = ColumnNamed(table, "w.huge");
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(huge->GetString(1), std::u16string(129, u'0') + u"1");
    EXPECT_EQ(huge->GetString(2), std::u16string(128, u'0') + u"1x");

    const CvxDataColumnComponent* volts = ColumnNamed(table, "w.volts");
    ASSERT_NE(volts, nullptr);
    EXPECT_EQ(volts->GetString(0), u"1.25");
    EXPECT_EQ(volts->GetString(2), u"-350"); // reals in their shortest form, to compare as numbers
    const CvxDataColumnComponent* state = ColumnNamed(table, "w.state");
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetStatus(0), kStatusNoSample);
    EXPECT_EQ(state->GetString(1), u"IDLE");

    EXPECT_EQ(ColumnNamed(table, "w.oddtype"), nullptr);
    ASSERT_EQ(source.GetWarnings().size(), 1U) << AllWarnings(source);
    EXPECT_NE(source.GetWarnings()[0].find("'w.oddtype'"), std::string::npos);
    // Declaration order.
    EXPECT_EQ(source.GetOfferedLabels()[1], big->GetLabelID());
    EXPECT_EQ(source.GetOfferedLabels()[2], bigx->GetLabelID());
}

TEST(CvxVcdSource, TruncatedLastLineKeepsCompleteTimestampsWithAWarning)
{
    CvxVcdSource source(SourceDataPath("truncated.vcd"));
    const auto data = Load(source);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    ASSERT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(ColumnNamed(table, "t.v")->GetValue(1), CvxUInt(2));
    ASSERT_EQ(source.GetWarnings().size(), 1U);
    EXPECT_NE(source.GetWarnings()[0].find("truncated.vcd:11:"), std::string::npos) << AllWarnings(source);
    EXPECT_NE(source.GetWarnings()[0].find("#10"), std::string::npos) << AllWarnings(source);
}

TEST(CvxVcdSource, BadInputNamesFileLineAndWhatWasExpected)
{
    CvxVcdSource header(SourceDataPath("bad_header.vcd"));
    EXPECT_FALSE(header.Acquire());
    EXPECT_NE(header.GetLastError().find("bad_header.vcd:3: expected the size"), std::string::npos) << header.GetLastError();

    CvxVcdSource body(SourceDataPath("bad_body.vcd"));
    const auto data = body.Acquire();
    ASSERT_TRUE(data) << body.GetLastError();
    EXPECT_EQ(data->GetTable(0).GetRowCount(), 1); // #5 is cut by the bad line
    ASSERT_EQ(body.GetWarnings().size(), 1U);
    EXPECT_NE(body.GetWarnings()[0].find("bad_body.vcd:10: expected a value change or a timestamp, found 'q!'"),
              std::string::npos)
        << AllWarnings(body);

    CvxVcdSource missing(SourceDataPath("no_such_file.vcd"));
    EXPECT_FALSE(missing.Acquire());
    EXPECT_NE(missing.GetLastError().find("no_such_file.vcd: cannot open"), std::string::npos);

    CvxTempDir dir;
    const std::string cut = dir.File("cut.vcd");
    std::ofstream(cut) << "$timescale 1ns $end\n$var wire 1 ! a $end\n$enddef";
    CvxVcdSource headerCut(cut);
    EXPECT_FALSE(headerCut.Acquire());
    EXPECT_NE(headerCut.GetLastError().find("cut.vcd:3: expected $end"), std::string::npos)
        << headerCut.GetLastError();
}

TEST(CvxVcdSource, StreamsAcrossBufferBoundariesAndKeepsLabelsAcrossLoads)
{
    // A few MiB of changes, so that tokens straddle the reader's 1 MiB blocks.
    CvxTempDir dir;
    const std::string path = dir.File("long.vcd");
    {
        std::ofstream out(path);
        out << "$timescale 1ns $end\n$var wire 64 !! v [63:0] $end\n$var wire 1 \" c $end\n$enddefinitions $end\n";
        for (std::uint64_t t = 0; t < 40000; ++t) {
            out << '#' << t << "\nb";
            const std::uint64_t v = t * 0x9E3779B97F4A7C15ULL;
            for (int bit = 63; bit >= 0; --bit) {
                out << ((v >> bit) & 1U);
            }
            out << " !!\n" << (t & 1U) << "\"\n";
        }
    }
    CvxVcdSource source(path);
    const auto first = Load(source);
    ASSERT_TRUE(first);
    const CvxDataTable& table = first->GetTable(0);
    ASSERT_EQ(table.GetRowCount(), 40000);
    const CvxDataColumnComponent* v = ColumnNamed(table, "v");
    for (std::int64_t row : {std::int64_t{0}, std::int64_t{16383}, std::int64_t{39999}}) {
        EXPECT_EQ(v->GetValue(row), CvxUInt(static_cast<std::uint64_t>(row) * 0x9E3779B97F4A7C15ULL)) << row;
    }
    const std::vector<CvxID> labels = source.GetOfferedLabels();
    const auto again = Load(source);
    EXPECT_EQ(source.GetOfferedLabels(), labels);
}

TEST(CvxVcdSource, LongValuesAcrossReadBlocks)
{
    // 3000-bit values (string labels) and reals, over 1.8 MB: long tokens cross the reader's
    // blocks and must come back whole. The vector's code is '#', on the line after its value.
    CvxTempDir dir;
    const std::string path = dir.File("longvalues.vcd");
    const auto digits = [](int t) {
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            text.push_back((t + i) % 3 == 0 ? '1' : (t + i) % 7 == 0 ? 'x' : '0');
        }
        return text;
    };
    {
        std::ofstream out(path);
        out << "$timescale 1ns $end\n$var wire 3000 # big [2999:0] $end\n$var real 64 r re $end\n$enddefinitions $end\n";
        for (int t = 0; t < 600; ++t) {
            out << '#' << t << "\nb" << digits(t) << "\n#\nr" << t << ".5 r\n";
        }
    }
    CvxVcdSource source(path);
    const auto data = Load(source);
    ASSERT_TRUE(data);
    const CvxDataTable& table = data->GetTable(0);
    ASSERT_EQ(table.GetRowCount(), 600);
    const CvxDataColumnComponent* big = ColumnNamed(table, "big");
    const CvxDataColumnComponent* re = ColumnNamed(table, "re");
    for (int row : {0, 1, 333, 599}) {
        EXPECT_EQ(CvxStringConvert::ToUtf8(big->GetString(row)), digits(row)) << row;
        EXPECT_EQ(CvxStringConvert::ToUtf8(re->GetString(row)), std::to_string(row) + ".5") << row;
    }
    EXPECT_TRUE(FourState(*big));
}

namespace {

// Every label below the root: folder, name, kind, width, four-state flag, in label order.
std::vector<std::string> LabelSnapshot()
{
    CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    std::vector<std::string> out;
    for (const CvxID& id : mgr.GetLabelsBelow(mgr.GetLabelRootID())) {
        const CvxLabelBase* label = mgr.IDToLabel(id);
        const CvxLabelBase* folder = mgr.IDToLabel(label->GetParentID());
        out.push_back(CvxStringConvert::ToUtf8((folder != nullptr ? folder->GetName() : u"") + u"/" + label->GetName())
                      + " kind " + std::to_string(static_cast<int>(label->GetKind())) + " width "
                      + std::to_string(label->GetNumberOfChannels()) + (label->IsFourState() ? " xz" : ""));
    }
    return out;
}

} // namespace

// Two captures read at once on two threads, their label work taken in turns, leave the labels
// exactly as reading one after the other does: the same labels in the same order, the width
// and X/Z flag of the second. Read under one table name, as the command line reads a pair.
TEST(CvxVcdSource, TwoFilesReadAtOnceMakeTheLabelsOfOneAfterTheOther)
{
    CvxTempDir dir;
    const std::string first = dir.File("first.vcd");
    const std::string second = dir.File("second.vcd");
    {
        std::ofstream a(first);
        a << "$timescale 1ns $end\n$var wire 1 ! clk $end\n$var wire 8 \" data $end\n$var wire 4 # only_first $end\n"
             "$enddefinitions $end\n";
        std::ofstream b(second);
        b << "$timescale 1ns $end\n$var wire 4 $ only_second $end\n$var wire 16 \" data $end\n$var wire 1 ! clk $end\n"
             "$enddefinitions $end\n";
        for (int t = 0; t < 20000; ++t) {
            a << '#' << t * 10 << '\n' << (t & 1) << "!\nb" << (t & 0xFF) << " \"\nb1 #\n";
            b << '#' << t * 10 << '\n' << (t & 1) << "!\n" << (t == 7000 ? "bx" : "b1") << " \"\nb0 $\n";
        }
    }
    auto readBoth = [&](bool atOnce) {
        CvxLabelMgr::GetInstance().Clear();
        CvxVcdSource a(first);
        CvxVcdSource b(second);
        std::string error;
        EXPECT_TRUE(a.SetOption("table", "pair", error) && b.SetOption("table", "pair", error)) << error;
        std::shared_ptr<CvxData> da;
        std::shared_ptr<CvxData> db;
        if (atOnce) {
            CvxLabelTurns turns(2);
            a.SetLabelTurns(&turns, 0);
            b.SetLabelTurns(&turns, 1);
            std::thread other([&] { da = a.Acquire(); });
            db = b.Acquire();
            other.join();
        } else {
            da = a.Acquire();
            db = b.Acquire();
        }
        EXPECT_TRUE(da && db) << a.GetLastError() << b.GetLastError();
        return LabelSnapshot();
    };
    const std::vector<std::string> oneAfterTheOther = readBoth(false);
    // Time, clk, data, only_first, only_second; data at the second's width, with its X.
    ASSERT_EQ(oneAfterTheOther.size(), 5U);
    EXPECT_EQ(oneAfterTheOther[2], "pair/data kind 3 width 16 xz");
    for (int round = 0; round < 10; ++round) {
        ASSERT_EQ(readBoth(true), oneAfterTheOther) << "round " << round;
    }

    // A capture that cannot be read leaves its turns: the other is not held up.
    CvxLabelMgr::GetInstance().Clear();
    CvxVcdSource missing(dir.File("missing.vcd"));
    CvxVcdSource present(second);
    CvxLabelTurns turns(2);
    missing.SetLabelTurns(&turns, 0);
    present.SetLabelTurns(&turns, 1);
    std::shared_ptr<CvxData> none;
    std::thread other([&] { none = missing.Acquire(); });
    const std::shared_ptr<CvxData> read = present.Acquire();
    other.join();
    EXPECT_FALSE(none);
    EXPECT_TRUE(read);
}

// Verdicts of cvx-compare on small hand-made captures where a waveform viewer shows the truth:
// four-state values, captures that change at different times, captures of unequal length,
// and what a setup used as the reference keeps for later captures.

#include "CvxCliTestSupport.h"

#include <csignal>

using namespace cvxtest;

namespace {

// A VCD header declaring one bus `d` of `width` bits under module top (code !) and a signal
// `s` (code ").
std::string Header(int width, const std::string& timescale = "1ns")
{
    return "$timescale " + timescale + " $end\n$scope module top $end\n$var wire " + std::to_string(width) + " ! d ["
        + std::to_string(width - 1) + ":0] $end\n$var wire 1 \" s $end\n$upscope $end\n$enddefinitions $end\n";
}

class CvxCliVerdictTest : public CvxCliProgramTest {};

} // namespace

TEST_F(CvxCliVerdictTest, XAndZOnEitherSideNeverCompareEqual)
{
    for (const int width : {4, 64, 100}) {
        const std::string pad(static_cast<std::size_t>(width - 4), '0');
        const fs::path four = Write("four.vcd", Header(width) + "#0\nb0 !\n0\"\n#10\nb" + pad + "1x1z !\nx\"\n#20\nb11 !\n0\"\n");
        const fs::path two = Write("two.vcd", Header(width) + "#0\nb0 !\n0\"\n#10\nb" + pad + "1011 !\n0\"\n#20\nb11 !\n0\"\n");
        for (const auto& [reference, input] : {std::pair{four, two}, std::pair{two, four}}) {
            for (const char* form : {"text", "csv", "markup"}) {
                const Outcome r = Run({"compare", "--format", form, reference.string(), input.string()});
                EXPECT_EQ(r.status, 1) << width << form << r.out << r.err;
                EXPECT_TRUE(Has(r.out, form == std::string("csv") ? "\n3,2,6,2,1,0,0,\"top.d, top.s\"\n" : "Differences")) << r.out;
                // Either side shows its X/Z: hex X for buses up to 64 bits, binary x/z beyond.
                EXPECT_TRUE(Has(r.out, width > 64 ? "1x1z" : "X")) << width << form << r.out;
            }
        }
    }
}

namespace {

// A clocked capture: clk toggles every 5 time units, data (8 bits) changes with every rising
// edge; `glitch` pulses data to FF at 507 and back at 508. Times are in `scale` units of
// `timescale` (1000 with 1ps gives the same times as 1 with 1ns).
std::string Clocked(int cycles, bool glitch = false, const std::string& timescale = "1ns", int scale = 1, int shift = 0)
{
    std::string vcd = "$timescale " + timescale + " $end\n$scope module top $end\n$var wire 1 ! clk $end\n"
                      "$var wire 8 \" data [7:0] $end\n$upscope $end\n$enddefinitions $end\n";
    const auto bits = [](int v) {
        std::string b;
        for (int bit = 7; bit >= 0; --bit) {
            b += ((v >> bit) & 1) != 0 ? '1' : '0';
        }
        return b;
    };
    int data = 0;
    for (int i = 0; i < cycles; ++i) {
        vcd += "#" + std::to_string((i * 5 + shift) * scale) + "\n" + std::to_string(i & 1) + "!\n";
        if (i % 2 == 0) {
            data = (i * 37 + 11) & 0xFF;
            vcd += "b" + bits(data) + " \"\n";
        }
        if (glitch && i * 5 == 505) {
            vcd += "#" + std::to_string(507 * scale) + "\nb11111111 \"\n#" + std::to_string(508 * scale) + "\nb" + bits(data) + " \"\n";
        }
    }
    return vcd;
}

} // namespace

TEST_F(CvxCliVerdictTest, CapturesFromFilesArePairedByTime)
{
    const fs::path golden = Write("golden.vcd", Clocked(200));
    const fs::path glitch = Write("glitch.vcd", Clocked(200, true));
    const fs::path ps = Write("ps.vcd", Clocked(200, false, "1ps", 1000));
    const fs::path shifted = Write("shifted.vcd", Clocked(200, false, "1ns", 1, 1));

    // The glitch is reported at its own time and nothing else; no row goes uncompared.
    const Outcome r = Run({"compare", golden.string(), glitch.string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Has(r.out, "Differences: 1\n") && Has(r.out, ", time 507ns\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "Input Rows Without Reference: 0\nReference Rows Without Input: 0\n")) << r.out;
    // The edge back at 508 ns that the reference lacks holds the reference's value: equal.
    const Outcome reverse = Run({"compare", glitch.string(), golden.string()});
    EXPECT_TRUE(Has(reverse.out, "Differences: 1\n")) << reverse.out;

    // Other time units, same times: equal. 10 ns is no 10 ps.
    EXPECT_EQ(Run({"compare", golden.string(), ps.string()}).status, 0);
    const fs::path nsAsPs = Write("ns-as-ps.vcd", Clocked(200, false, "1ps"));
    EXPECT_EQ(Run({"compare", golden.string(), nsAsPs.string()}).status, 1);

    // By order, the glitch's two extra rows shift everything after it, and a capture shifted as
    // a whole by one time unit is equal.
    const Outcome order = Run({"compare", "--align", "order", golden.string(), glitch.string()});
    EXPECT_EQ(order.status, 1);
    EXPECT_TRUE(Has(order.out, "Input Rows Without Reference: 2\n")) << order.out;
    EXPECT_EQ(Run({"compare", "--align", "order", golden.string(), shifted.string()}).status, 0);
    EXPECT_EQ(Run({"compare", golden.string(), shifted.string()}).status, 1);
    EXPECT_TRUE(Has(Run({"compare", "--align", "sideways", golden.string(), golden.string()}).err, "option --align"));
}

TEST_F(CvxCliVerdictTest, CapturesOfUnequalShapeAreNeverEqual)
{
    const fs::path golden = Write("golden.vcd", Clocked(200));
    const fs::path shorter = Write("short.vcd", Clocked(190));
    const fs::path longer = Write("long.vcd", Clocked(203));

    const Outcome cut = Run({"compare", "--format", "csv", golden.string(), shorter.string()});
    EXPECT_EQ(cut.status, 1) << cut.err;
    EXPECT_TRUE(Has(cut.out, "input_rows_without_reference,reference_rows_without_input,compared\n190,2,380,0,0,0,10,\"top.clk, top.data\"\n")) << cut.out;
    EXPECT_TRUE(Has(cut.err, "10 reference rows with no input row in " + shorter.string())) << cut.err;
    const Outcome extra = Run({"compare", "--format", "markup", golden.string(), longer.string()});
    EXPECT_EQ(extra.status, 1);
    EXPECT_TRUE(Has(extra.out, "<Pairing InputRowsWithoutReference='3' ReferenceRowsWithoutInput='0'/>")) << extra.out;
    // A window that ends before either capture does pairs every row.
    EXPECT_EQ(Run({"compare", "--to", "500ns", golden.string(), shorter.string()}).status, 0);

    // A bus of another width, and a signal only one capture holds.
    std::string narrow = Clocked(200);
    narrow.replace(narrow.find("wire 8 \" data [7:0]"), 19, "wire 4 \" data [3:0]");
    const Outcome widths = Run({"compare", golden.string(), Write("narrow.vcd", narrow).string()});
    EXPECT_EQ(widths.status, 1);
    EXPECT_TRUE(Has(widths.err, "top.data is 8 bits wide in " + golden.string() + " but 4 bits wide in")) << widths.err;
    // Every form lists the rows and columns the comparison marked, with their bus and time,
    // also where the texts at the input's width look alike.
    const fs::path narrowFile = Path("narrow.vcd");
    const Outcome text = Run({"compare", golden.string(), narrowFile.string()});
    EXPECT_TRUE(Has(text.out, "sample 2, time 10ns\n  top.data: input 5, reference 5\n")) << text.out;
    const Outcome csv = Run({"compare", "--format", "csv", golden.string(), narrowFile.string()});
    EXPECT_TRUE(Has(csv.out, "\n2,10ns,top.data,5,5\n")) << csv.out;
    const Outcome markup = Run({"compare", "--format", "markup", golden.string(), narrowFile.string()});
    EXPECT_TRUE(Has(markup.out, "<Difference Name='top.data' Reference='5' Value='5' Different='T'/>")) << markup.out;
    std::string more = Clocked(200);
    more.replace(more.find("$upscope"), 0, "$var wire 1 # irq $end\n");
    const Outcome only = Run({"compare", golden.string(), Write("more.vcd", more).string()});
    EXPECT_EQ(only.status, 1);
    EXPECT_TRUE(Has(only.err, "only in " + Path("more.vcd").string() + ": top.irq")) << only.err;
    EXPECT_TRUE(Has(only.out, "Differences: 0\n")) << only.out;
}

TEST_F(CvxCliVerdictTest, ASetupKeepsItsCaptureSoLaterCapturesArePairedByTimeToo)
{
    const fs::path golden = Write("golden.vcd", Clocked(200));
    const fs::path glitch = Write("glitch.vcd", Clocked(200, true));
    const fs::path setup = Path("golden.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), golden.string(), golden.string()}).status, 0);

    // A glitch only the later capture has is reported at its own time, as with two files.
    const Outcome r = Run({"compare", setup.string(), glitch.string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Has(r.out, "Differences: 1\n") && Has(r.out, ", time 507ns\n")) << r.out;
    const Outcome run = Run({"run", setup.string(), "--files", golden.string() + "," + glitch.string()});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_TRUE(Has(run.out, "run 1 (" + golden.string() + "): Samples Compared: 200 ") && Has(run.out, "Differences: 0\n"))
        << run.out;
    EXPECT_TRUE(Has(run.out, "run 2 (" + glitch.string() + "): Samples Compared: 202 ") && Has(run.out, "Differences: 1\n"))
        << run.out;

    // A window of the command line: the reference is taken over the same window.
    EXPECT_EQ(Run({"compare", setup.string(), golden.string(), "--from", "10ns", "--to", "35ns"}).status, 0);
    // A setup saved with a window keeps its markers and compares within them later.
    const fs::path windowed = Path("window.cvxsetup");
    ASSERT_EQ(Run({"compare", "--from", "10ns", "--to", "35ns", "--save-setup", windowed.string(), golden.string(),
                   golden.string()})
                  .status,
              0);
    const Outcome later = Run({"compare", windowed.string(), glitch.string()});
    EXPECT_EQ(later.status, 0) << later.out << later.err;
    EXPECT_TRUE(Has(later.out, "Samples Compared: 6\n")) << later.out;
    EXPECT_EQ(Run({"compare", "--range", "M1..M2", windowed.string(), golden.string()}).status, 0);
    EXPECT_EQ(Run({"run", windowed.string(), "--files", glitch.string()}).status, 0);

    // A reference bus/signal the input lacks is named and is a difference.
    std::string fewer = Clocked(200);
    fewer.replace(fewer.find("! clk"), 5, "! clock");
    const Outcome missing = Run({"compare", setup.string(), Write("fewer.vcd", fewer).string()});
    EXPECT_EQ(missing.status, 1) << missing.out << missing.err;
    EXPECT_TRUE(Has(missing.err, "only in " + setup.string() + ": top.clk")) << missing.err;
}

TEST_F(CvxCliVerdictTest, TheSetupsSourceOptionsHoldForLaterCaptures)
{
    // Split bits that only regrouping makes one bus; the later capture differs in two bits.
    const auto split = [](int value) {
        std::string vcd = "$timescale 1ns $end\n$scope module top $end\n$var wire 1 ! d[0] $end\n"
                          "$var wire 1 \" d[1] $end\n$upscope $end\n$enddefinitions $end\n";
        for (int i = 0; i < 4; ++i) {
            const int v = i == 2 ? value : i;
            vcd += "#" + std::to_string(i * 10) + "\n" + std::to_string(v & 1) + "!\n" + std::to_string((v >> 1) & 1) + "\"\n";
        }
        return vcd;
    };
    const fs::path golden = Write("split.vcd", split(2));
    const fs::path other = Write("split-other.vcd", split(1));
    const fs::path setup = Path("split.cvxsetup");
    ASSERT_EQ(Run({"compare", "--regroup", "--save-setup", setup.string(), golden.string(), golden.string()}).status, 0);
    const Outcome r = Run({"run", setup.string(), "--files", other.string()});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(Has(r.out, "Columns Compared: 1 ") && Has(r.out, "Differences: 1\n")) << r.out;
    EXPECT_EQ(Run({"compare", setup.string(), other.string()}).status, 1);

    // Two ways of naming the capture are refused.
    const Outcome both = Run({"run", setup.string(), "--source", "vcd", "--option", "file=" + golden.string(), "--files",
                              other.string()});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(Has(both.err, "option --files: give either --files or --source")) << both.err;
    const Outcome option = Run({"run", setup.string(), "--option", "file=" + golden.string(), "--files", other.string()});
    EXPECT_TRUE(option.status == 2 && Has(option.err, "--option file=")) << option.err;
}

TEST_F(CvxCliVerdictTest, ARemoteComparisonOfNothingIsAnErrorNeverAPass)
{
    if (Run({"serve", "--help"}).status != 0) {
        GTEST_SKIP() << "built without the remote-control server";
    }
    const fs::path golden = Write("golden.vcd", Clocked(200));
    const fs::path glitch = Write("glitch.vcd", Clocked(200, true));
    const fs::path setup = Path("golden.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), golden.string(), golden.string()}).status, 0);

    // The live source acquires before the setup is loaded: its labels of the same names must
    // still be the reference's.
    pid_t server = -1;
    const int port = StartServe({"--source", "vcd", "--option", "file=" + golden.string(), "--option",
                                 "table=" + golden.filename().string()},
                                server);
    ASSERT_GT(port, 0) << ReadFile(Path("stderr.txt"));
    const int fd = Connect(port);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Request(fd, "RUN;*OPC?"), "1");
    EXPECT_EQ(Request(fd, "SYST:SET:LOAD \"" + setup.string() + "\";*OPC?"), "1");
    EXPECT_EQ(Request(fd, "SOUR:OPT \"file\",\"" + glitch.string() + "\";RUN;*OPC?"), "1");
    EXPECT_EQ(Request(fd, "SYST:ERR?"), "0,\"No error\"");
    EXPECT_EQ(Request(fd, "TOOL:VAL? \"Compare\",\"GetNumberOfDifferences\""), "1");

    // An offset that leaves no reference row: the comparison compares nothing, and says so.
    EXPECT_EQ(Request(fd, "TOOL:OPT \"Compare\",#235<Options ReferenceOffset='100000'/>;*OPC?"), "1");
    EXPECT_EQ(Request(fd, "TOOL:EXEC \"Compare\",\"Execute\";*OPC?"), "1");
    const std::string error = Request(fd, "SYST:ERR?");
    EXPECT_TRUE(Has(error, "-200,") && Has(error, "compared no sample")) << error;
    ::close(fd);
    ::kill(server, SIGTERM);
    int status = 0;
    ::waitpid(server, &status, 0);
}

TEST_F(CvxCliVerdictTest, RealsCompareAsNumbersAndACsvFirstLineIsDataUnlessItNamesChannels)
{
    const std::string header = "$timescale 1ns $end\n$scope module top $end\n$var real 64 ! volts $end\n"
                               "$upscope $end\n$enddefinitions $end\n";
    const fs::path a = Write("a.vcd", header + "#0\nr2.0 !\n#10\nr1.5e1 !\n");
    const fs::path b = Write("b.vcd", header + "#0\nr2 !\n#10\nr15 !\n");
    const fs::path c = Write("c.vcd", header + "#0\nr2 !\n#10\nr15.5 !\n");
    EXPECT_EQ(Run({"compare", a.string(), b.string()}).status, 0);
    const Outcome differ = Run({"compare", a.string(), c.string()});
    EXPECT_EQ(differ.status, 1);
    EXPECT_TRUE(Has(differ.out, "top.volts: input 15.5, reference 15\n")) << differ.out;

    // Without names, the first line is the first sample: a difference there is found.
    const fs::path plain = Write("plain.csv", "0,1,0\n1,1,0\n0,0,1\n");
    const fs::path changed = Write("changed.csv", "1,1,0\n1,1,0\n0,0,1\n");
    const Outcome r = Run({"compare", plain.string(), changed.string()});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(Has(r.out, "Samples Compared: 3\n") && Has(r.out, "Differences: 1\nInput")) << r.out;
    EXPECT_TRUE(Has(r.err, "plain.csv: the first line holds values and is read as data")) << r.err;
    // With names, they name the channels.
    const fs::path named = Write("named.csv", "clk,d0,d1\n0,1,0\n1,1,0\n");
    const Outcome n = Run({"compare", "--columns", "clk", named.string(), named.string()});
    EXPECT_EQ(n.status, 0) << n.err;
    EXPECT_TRUE(Has(n.out, "Samples Compared: 2\n")) << n.out;
    EXPECT_TRUE(Has(n.err, "named.csv: the first line is read as channel names")) << n.err;
}

TEST_F(CvxCliVerdictTest, AReferenceStreamThatDisagreesWithItsRowCountIsTrouble)
{
    const fs::path golden = Write("golden.vcd", Clocked(50));
    const fs::path setup = Path("golden.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), golden.string(), golden.string()}).status, 0);
    // The first reference stream's row count rewritten: 0 (its bytes then lie past it) or more
    // rows than its bytes hold.
    for (const char* count : {"\\x00\\x00\\x00\\x00", "\\xff\\xff\\x00\\x00"}) {
        const fs::path damaged = Path("damaged.cvxsetup");
        const std::string script = "import zipfile,sys\n"
                                   "src=zipfile.ZipFile(sys.argv[1]); dst=zipfile.ZipFile(sys.argv[2],'w')\n"
                                   "for i in src.infolist():\n"
                                   "    b=src.read(i)\n"
                                   "    if i.filename=='streams/0.bin': b=b'" + std::string(count) + "'+b[4:]\n"
                                   "    dst.writestr(i,b)\n"
                                   "dst.close()\n";
        Write("damage.py", script);
        ASSERT_EQ(std::system(("/usr/bin/python3 " + Path("damage.py").string() + " " + setup.string() + " " + damaged.string()).c_str()), 0);
        const Outcome r = Run({"compare", damaged.string(), golden.string()});
        EXPECT_EQ(r.status, 2) << count << r.out;
        EXPECT_TRUE(Has(r.err, "damaged.cvxsetup: the setup is damaged: Compare data store: the data stream")) << r.err;
    }
}

// The commands around the comparison, as an engineer uses them: making a reference from a
// live source or a file, and what a run shows.

#include "CvxCliTestSupport.h"

#include <csignal>

using namespace cvxtest;

namespace {

class CvxCliCommandsTest : public CvxCliProgramTest {};

} // namespace

TEST_F(CvxCliCommandsTest, AReferenceComesFromAnySourceWithItsColumnsAndRange)
{
    // The simulated analyzer, two buses; a later run of the same analyzer matches it.
    const fs::path simulated = Path("simulated.cvxsetup");
    const Outcome made = Run({"reference", "--option", "samples=2000", "--columns", "DATA8,ADDR16", "--save-setup",
                              simulated.string()});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(Has(made.out, "Reference: 2000 samples of 2 buses/signals (DATA8, ADDR16)")) << made.out;
    const Outcome same = Run({"run", simulated.string(), "--runs", "1", "--option", "interval=0"});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_TRUE(Has(same.out, "run 1: Samples Compared: 2000  Columns Compared: 2 ")) << same.out;

    // The libsigrok demo device needs its sample count.
    const fs::path demo = Path("demo.cvxsetup");
    const Outcome device = Run({"reference", "--source", "sigrok", "--option", "device=demo", "--option", "samples=1000",
                                "--save-setup", demo.string()});
    EXPECT_EQ(device.status, 0) << device.err;
    EXPECT_TRUE(Has(device.out, "Reference: 1000 samples of ")) << device.out;

    // A capture file over a time window: later files compare within it.
    const fs::path vcd = WriteVcd("a.vcd", 100);
    const fs::path windowed = Path("window.cvxsetup");
    ASSERT_EQ(Run({"reference", vcd.string(), "--from", "100ns", "--to", "290ns", "--save-setup", windowed.string()}).status, 0);
    const Outcome within = Run({"compare", windowed.string(), WriteVcd("b.vcd", 100, {{50, 1}}).string()});
    EXPECT_EQ(within.status, 0) << within.out << within.err;
    EXPECT_TRUE(Has(within.out, "Samples Compared: 20\n")) << within.out;

    // Refusals name what exists.
    const Outcome unknown = Run({"reference", "--columns", "NOPE", "--save-setup", Path("x.cvxsetup").string()});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(Has(unknown.err, "no bus/signal named 'NOPE' (there are: CLK, ")) << unknown.err;
    EXPECT_TRUE(Has(Run({"reference", "--option", "samples=10"}).err, "option --save-setup")) ;
    EXPECT_TRUE(Has(Run({"reference", vcd.string(), "--source", "vcd", "--save-setup", Path("y.cvxsetup").string()}).err,
                    "give either a CAPTURE file or --source"));
}

TEST_F(CvxCliCommandsTest, ARunListsItsDifferencesAndSumsUpWhenInterrupted)
{
    const fs::path setup = Path("sim.cvxsetup");
    ASSERT_EQ(Run({"reference", "--option", "samples=500", "--save-setup", setup.string()}).status, 0);
    // Listed after each run that has some, in the chosen form.
    const Outcome listed = Run({"run", setup.string(), "--runs", "2", "--option", "interval=0", "--option",
                                "faults=flip:DATA8:100:3", "--differences", "5", "--format", "csv"});
    EXPECT_EQ(listed.status, 1) << listed.err;
    EXPECT_TRUE(Has(listed.out, "\nsample,time,name,input,reference\n")) << listed.out;
    EXPECT_TRUE(Has(listed.out, ",DATA8,")) << listed.out;
    EXPECT_TRUE(Has(listed.out, "Runs: 2  Runs With Differences: 2  Differences: 2  First Differing Run: 1\n")) << listed.out;

    // Ctrl-C ends an endless run with the summary of the runs made.
    // Long enough for a slow start (sanitizers, a busy machine) to reach its signal handling.
    const pid_t endless = Start({"run", setup.string(), "--option", "interval=20"});
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ::kill(endless, SIGINT);
    int status = 0;
    ::waitpid(endless, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string out = ReadFile(Path("stdout.txt"));
    EXPECT_TRUE(Has(out, "interrupted after run ")) << out;
    EXPECT_TRUE(Has(out, "Runs: ") && Has(out, "Runs With Differences: 0  Differences: 0\n")) << out;
}

TEST_F(CvxCliCommandsTest, CompareReadsCapturesWithTheGivenSourceOptions)
{
    const fs::path a = Write("a.csv", "0,1,0\n1,1,0\n0,0,1\n");
    const fs::path b = Write("b.csv", "0,1,0\n1,1,0\n1,0,1\n");
    // The sample rate of both CSV captures: the difference is at 2 ms.
    const Outcome rated = Run({"compare", a.string(), b.string(), "--option", "input_options=samplerate=1000"});
    EXPECT_EQ(rated.status, 1) << rated.err;
    EXPECT_TRUE(Has(rated.out, "sample 2, time 2ms\n")) << rated.out;
    EXPECT_FALSE(Has(rated.err, "no sample rate is known")) << rated.err;
    // The reference's own options when the two captures are read differently: its first line
    // names the channels as the input's numbers do, though it looks like values (read as
    // values, its 2 is no logic level).
    const fs::path named = Write("named.csv", "0,1,2\n0,1,0\n1,1,0\n1,0,1\n");
    EXPECT_EQ(Run({"compare", named.string(), b.string()}).status, 2);
    const Outcome apart = Run({"compare", named.string(), b.string(), "--reference-option", "input_options=header=true"});
    EXPECT_EQ(apart.status, 0) << apart.out << apart.err;
    const Outcome bad = Run({"compare", a.string(), b.string(), "--option", "no_such_option=1"});
    EXPECT_EQ(bad.status, 2);
}

TEST_F(CvxCliCommandsTest, ASetupFindsItsCaptureFromAnyFolder)
{
    const fs::path folder = Path("project");
    fs::create_directories(folder);
    fs::create_directories(Path("elsewhere"));
    const fs::path capture = WriteVcd("project/golden.vcd", 50);
    const fs::path start = fs::current_path();
    // Made with paths relative to the folder it is made in, run from another folder.
    fs::current_path(folder);
    const Outcome made = Run({"reference", "golden.vcd", "--save-setup", "golden.cvxsetup"});
    fs::current_path(Path("elsewhere"));
    const Outcome run = Run({"run", "../project/golden.cvxsetup", "--runs", "1"});
    // A copy of the setup alone, elsewhere: the absolute path it also keeps.
    fs::copy_file(folder / "golden.cvxsetup", Path("elsewhere/copy.cvxsetup"));
    const Outcome copy = Run({"run", "copy.cvxsetup", "--runs", "1"});
    fs::current_path(start);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "run 1: Samples Compared: 50 ")) << run.out;
    EXPECT_EQ(copy.status, 0) << copy.err;
}

TEST_F(CvxCliCommandsTest, InfoTellsWhatACaptureHoldsAndWhatASetupKeeps)
{
    const fs::path vcd = WriteVcd("a.vcd", 20);
    const Outcome capture = Run({"info", vcd.string()});
    EXPECT_EQ(capture.status, 0) << capture.err;
    for (const char* line : {"Source: vcd\n", "Table a.vcd: 20 samples, 0s to 190ns, a row per change, trigger at row 0\n",
                             "  top.clk: signal\n", "  top.data: 8-bit bus\n", "  top.addr: 16-bit bus\n"}) {
        EXPECT_TRUE(Has(capture.out, line)) << line << "\n" << capture.out;
    }
    const fs::path setup = Path("a.cvxsetup");
    ASSERT_EQ(Run({"reference", vcd.string(), "--columns", "top.data", "--from", "50ns", "--save-setup", setup.string()}).status, 0);
    const Outcome kept = Run({"info", setup.string()});
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(Has(kept.out, "Tool Compare: <Options ReferenceOffset='0' Range='M1..M2' MaxDifferences='0'/>\n")) << kept.out;
    EXPECT_TRUE(Has(kept.out, "Kept capture:\nTable a.vcd: 20 samples")) << kept.out;
    EXPECT_EQ(Run({"info", Path("missing.vcd").string()}).status, 2);
}

TEST_F(CvxCliCommandsTest, MessagesSayWhatIsThereAndWhy)
{
    const fs::path a = WriteVcd("a.vcd", 20);
    const fs::path b = WriteVcd("b.vcd", 20, {{3, 1}, {4, 1}});
    const Outcome names = Run({"compare", "--columns", "top.nope", a.string(), b.string()});
    EXPECT_TRUE(Has(names.err, "no bus/signal named 'top.nope' (there are: top.clk, top.data, top.addr)")) << names.err;
    const Outcome option = Run({"compare", "--option", "nope=1", a.string(), b.string()});
    EXPECT_TRUE(Has(option.err, "unknown option 'nope' of the VCD source (file, regroup, table)")) << option.err;
    // Listing nothing says nothing about listing.
    const Outcome none = Run({"compare", "--differences", "0", a.string(), b.string()});
    EXPECT_TRUE(Has(none.out, "Differing samples: 2\n")) << none.out;
    // A setup whose buses/signals the input lacks altogether.
    const fs::path setup = Path("a.cvxsetup");
    ASSERT_EQ(Run({"reference", a.string(), "--save-setup", setup.string()}).status, 0);
    std::string other = ReadFile(a);
    for (const char* name : {"clk", "data", "addr"}) {
        other.replace(other.find(std::string(" ") + name + " "), std::string(name).size() + 2, std::string(" x") + name + " ");
    }
    const Outcome lacking = Run({"compare", setup.string(), Write("other.vcd", other).string()});
    EXPECT_EQ(lacking.status, 2);
    EXPECT_TRUE(Has(lacking.err, "the input holds none of the reference's buses/signals (top.clk, top.data, top.addr)"))
        << lacking.err;
    if (Run({"serve", "--help"}).status == 0) {
        EXPECT_TRUE(Has(Run({"serve", "--setup", Path("missing.cvxsetup").string()}).err, "not loaded: no such file"));
    }
}

TEST_F(CvxCliCommandsTest, ARunSaysWhenStopComparingCutItShort)
{
    const fs::path setup = Path("sim.cvxsetup");
    ASSERT_EQ(Run({"reference", "--option", "samples=2000", "--save-setup", setup.string()}).status, 0);
    const Outcome r = Run({"run", setup.string(), "--runs", "1", "--option", "interval=0", "--option",
                           "faults=flip:DATA8:100:3,flip:DATA8:200:3,flip:DATA8:300:3,flip:DATA8:400:3", "--threshold",
                           "3", "--stop-comparing"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Has(r.out, "Differences: 3\nrun 1: the comparison stopped at 3 differences (stop comparing)")) << r.out;
}

TEST_F(CvxCliCommandsTest, LibsigrokRepeatsItselfOnlyWhenAskedTo)
{
    const fs::path bad = Write("bad.csv", "0,1,2\n0,1,0\n");
    const Outcome quiet = Run({"compare", bad.string(), bad.string()});
    EXPECT_EQ(quiet.status, 2);
    EXPECT_TRUE(Has(quiet.err, "bad.csv: the input module cannot finish the file")) << quiet.err;
    EXPECT_FALSE(Has(quiet.err, "warning: libsigrok: ")) << quiet.err;
    const Outcome verbose = Run({"compare", bad.string(), bad.string(), "--verbose"});
    EXPECT_TRUE(Has(verbose.err, "warning: libsigrok: input/csv: Invalid text '2'")) << verbose.err;
}

TEST_F(CvxCliCommandsTest, MailsSayWhereTheyWentAndAFailedOneIsTrouble)
{
    const fs::path setup = Path("sim.cvxsetup");
    ASSERT_EQ(Run({"reference", "--option", "samples=500", "--save-setup", setup.string()}).status, 0);
    const std::vector<std::string> faulty = {"run", setup.string(), "--runs", "1", "--option", "interval=0", "--option",
                                             "faults=flip:DATA8:100:3", "--threshold", "1", "--email", "rig@example.org"};
    // No server: written to the outbox, which standard error names; the text sums the run up.
    std::vector<std::string> written = faulty;
    written.insert(written.end(), {"--outbox", Path("outbox").string()});
    const Outcome kept = Run(written);
    EXPECT_EQ(kept.status, 1) << kept.err;
    EXPECT_TRUE(Has(kept.err, "written to " + Path("outbox").string() + "/")) << kept.err;
    ASSERT_TRUE(fs::exists(Path("outbox")));
    const std::string mail = ReadFile(fs::directory_iterator(Path("outbox"))->path());
    EXPECT_TRUE(Has(mail, "Samples Compared: 500") && Has(mail, "<Difference Name='DATA8'")) << mail;

    // A server that is not there: trouble, with its answer and the log's place.
    std::vector<std::string> failing = faulty;
    failing.insert(failing.end(), {"--smtp", "smtp://127.0.0.1:9"});
    const Outcome failed = Run(failing);
    EXPECT_EQ(failed.status, 2);
    EXPECT_TRUE(Has(failed.err, "not sent through smtp://127.0.0.1:9: ") && Has(failed.err, "the host log is ")) << failed.err;
}

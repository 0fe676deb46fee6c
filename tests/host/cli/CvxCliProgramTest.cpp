// cvx-compare as a process: exit status, counts and listed differences, bad input, the
// repetitive run and its run-until rule. Captures are small VCD files written here.

#include "CvxCliTestSupport.h"

#include <csignal>
#include <sys/file.h>

using namespace cvxtest;

TEST_F(CvxCliProgramTest, DemoFindsTheInjectedFaultsAndExitsOne)
{
    const Outcome r = Run({"demo", "--samples", "20000"});
    EXPECT_EQ(r.status, 1) << r.err;
    for (const char* count : {"Samples Compared: 20000", "Columns Compared: ", "Comparisons: ", "Differences: "}) {
        EXPECT_TRUE(Has(r.out, count)) << count << "\n" << r.out;
    }
    EXPECT_FALSE(Has(r.out, "Differences: 0\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "sample ")) << r.out;
    EXPECT_TRUE(Has(r.out, "DATA8: input ")) << r.out;
}

TEST_F(CvxCliProgramTest, DemoWithoutFaultsFindsNothing)
{
    const Outcome r = Run({"demo", "--samples", "5000", "--faults", ""});
    EXPECT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_TRUE(Has(r.out, "Differences: 0\n")) << r.out;
}

TEST_F(CvxCliProgramTest, AFileComparedWithItselfHasNoDifferences)
{
    const fs::path a = WriteVcd("a.vcd", 200);
    const Outcome r = Run({"compare", a.string(), a.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "Samples Compared: 200\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "Columns Compared: 3\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "Comparisons: 600\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "Differences: 0\n")) << r.out;
}

TEST_F(CvxCliProgramTest, InjectedDifferencesAreListedExactlyInEveryForm)
{
    const fs::path a = WriteVcd("a.vcd", 300);
    const fs::path b = WriteVcd("b.vcd", 300, {{17, 0x08}, {150, 0x81}, {299, 0x01}});
    struct Case {
        const char* form;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"text", {"Differences: 3\n", "sample 17, time 170ns\n", "sample 150, time 1500ns\n", "sample 299, time 2990ns\n"}},
        {"csv", {"\n17,170ns,top.data,", "\n150,1500ns,top.data,", "\n299,2990ns,top.data,"}},
        {"markup", {"Differences='3'", "Sample='17'", "Sample='150'", "Sample='299'"}},
    };
    for (const Case& c : cases) {
        const Outcome r = Run({"compare", "--format", c.form, a.string(), b.string()});
        EXPECT_EQ(r.status, 1) << c.form << r.err;
        for (const std::string& part : c.expected) {
            EXPECT_TRUE(Has(r.out, part)) << c.form << ": " << part << "\n" << r.out;
        }
        // Text and csv list the differing bus only; markup is the tool's reply, every bus.
        const bool listed = Has(r.out, "top.addr: input") || Has(r.out, ",top.addr,") || Has(r.out, "Name='top.addr' Reference");
        EXPECT_EQ(listed, c.form == std::string("markup")) << c.form << "\n" << r.out;
        // Every form names what was compared.
        EXPECT_TRUE(Has(r.out, "Compared: top.clk, top.data, top.addr\n") || Has(r.out, ",\"top.clk, top.data, top.addr\"\n")
                    || Has(r.out, "<Compared Name='top.addr'/>"))
            << c.form << "\n" << r.out;
    }
    // The differing bus only, and a time range that leaves out the first difference.
    const Outcome ranged = Run({"compare", "--columns", "top.data", "--from", "1us", a.string(), b.string()});
    EXPECT_EQ(ranged.status, 1) << ranged.err;
    EXPECT_TRUE(Has(ranged.out, "Columns Compared: 1\n")) << ranged.out;
    EXPECT_TRUE(Has(ranged.out, "Differences: 2\n")) << ranged.out;
    EXPECT_FALSE(Has(ranged.out, "sample 17,")) << ranged.out;
    // A bus named twice is compared and counted once.
    const Outcome twice = Run({"compare", "--columns", "top.data,top.data", a.string(), b.string()});
    EXPECT_TRUE(Has(twice.out, "Columns Compared: 1\n") && Has(twice.out, "Differences: 3\n")) << twice.out;
}

TEST_F(CvxCliProgramTest, TroubleExitsTwoNamingTheFile)
{
    const fs::path a = WriteVcd("a.vcd", 100);
    const std::string text = ReadFile(WriteVcd("whole.vcd", 100));
    std::ofstream(Path("cut-header.vcd")) << text.substr(0, text.find("$enddefinitions") - 10);
    std::ofstream(Path("cut-value.vcd")) << text.substr(0, text.find("#500") + 9);
    // "#50" of "#500": a remnant that reads as a time going backwards.
    std::ofstream(Path("cut-time.vcd")) << text.substr(0, text.find("#500") + 3);
    std::ofstream(Path("header-only.vcd")) << text.substr(0, text.find("#0"));
    std::string unknown = text;
    unknown.replace(unknown.find("\"", unknown.find("#500")), 1, "%");
    std::ofstream(Path("unknown-code.vcd")) << unknown;
    const fs::path setup = Path("a.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), a.string(), a.string()}).status, 0);
    const std::string header = Path("header-only.vcd").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"compare", a.string(), Path("cut-header.vcd").string()}, "cut-header.vcd"},
        {{"compare", a.string(), Path("cut-value.vcd").string()}, "cut-value.vcd: the capture is cut short"},
        {{"compare", a.string(), Path("cut-time.vcd").string()}, "cut-time.vcd: the capture is cut short"},
        {{"compare", a.string(), Path("unknown-code.vcd").string()}, "unknown-code.vcd: the capture is damaged"},
        {{"compare", header, a.string()}, "header-only.vcd: the capture holds no samples"},
        {{"compare", a.string(), header}, "header-only.vcd: the capture holds no samples"},
        {{"compare", a.string(), m_dir.string()}, ": is a directory"},
        {{"compare", a.string(), Path("missing.vcd").string()}, "missing.vcd: no such file"},
        {{"compare", a.string(), setup.string()}, "a.cvxsetup: a setup can only be the REFERENCE"},
        {{"compare", a.string()}, "usage: cvx-compare compare"},
        {{"compare", "--frobnicate", a.string(), a.string()}, "unknown option '--frobnicate'"},
        {{"compare", "--from", "50ns", "--to", "10ns", a.string(), a.string()}, "option --from: 50ns lies after --to 10ns"},
        {{"compare", "--from", "5", a.string(), a.string()}, "option --from: expected a time with its unit"},
        {{"compare", "--to", "9999s", a.string(), a.string()}, "option --to: 9999s lies beyond"},
        {{"compare", "--range", "Begin..End", "--to", "1us", a.string(), a.string()}, "option --range: give either"},
        {{"compare", "--range", "Begin..Nowhere", a.string(), a.string()}, "refused option --range 'Begin..Nowhere'"},
        {{"compare", "--offset", "1000", a.string(), a.string()}, "a.vcd: no sample was compared"},
        {{"compare", "--from", "1s", setup.string(), a.string()}, "a.vcd: no sample was compared"},
        {{"compare", "--save-setup", Path("no/such/x.cvxsetup").string(), a.string(), a.string()}, "does not exist"},
        {{"run", Path("missing.cvxsetup").string()}, "missing.cvxsetup"},
        {{"run", setup.string(), "--runs", "0"}, "option --runs"},
        {{"run", setup.string(), "--files", ","}, "option --files: expected capture files"},
        {{"run", setup.string(), "--files", a.string(), "--threshold", "1", "--email", ""}, "option --email"},
        {{"run", setup.string(), "--files", header}, "header-only.vcd: no sample was compared"},
        {{"launch"}, "unknown command 'launch'"},
    };
    for (const Case& c : cases) {
        const Outcome r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.message << "\n" << r.out;
        EXPECT_TRUE(Has(r.err, "cvx-compare: ")) << r.err;
        EXPECT_TRUE(Has(r.err, c.message)) << c.message << "\n" << r.err;
    }
    // A missing file of a run's list is found before the first run.
    const Outcome late = Run({"run", setup.string(), "--files", a.string() + "," + Path("missing.vcd").string()});
    EXPECT_EQ(late.status, 2);
    EXPECT_TRUE(Has(late.err, "missing.vcd: no such file")) << late.err;
    EXPECT_FALSE(Has(late.out, "run 1:")) << late.out;
}

TEST_F(CvxCliProgramTest, EveryCommandHasHelp)
{
    for (const char* command : {"demo", "compare", "reference", "run"}) {
        const Outcome r = Run({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(Has(r.out, std::string("usage: cvx-compare ") + command)) << r.out;
    }
}

TEST_F(CvxCliProgramTest, RunStopsAtTheRunUntilThresholdAndSendsItsMail)
{
    const fs::path reference = WriteVcd("ref.vcd", 100);
    const fs::path setup = Path("ref.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), reference.string(), reference.string()}).status, 0);

    const fs::path one = WriteVcd("one.vcd", 100, {{5, 1}});
    const fs::path three = WriteVcd("three.vcd", 100, {{5, 1}, {6, 2}, {70, 4}});
    const fs::path never = WriteVcd("never.vcd", 100, {{1, 1}, {2, 1}, {3, 1}, {4, 1}});
    const fs::path outbox = Path("outbox");
    const Outcome r = Run({"run", setup.string(), "--files",
                           reference.string() + "," + one.string() + "," + three.string() + "," + never.string(),
                           "--threshold", "3", "--stop-run", "--email", "rig@example.org", "--outbox", outbox.string()});
    EXPECT_EQ(r.status, 1) << r.err;
    // Each run's line names its file; the closing line sums the runs up.
    EXPECT_TRUE(Has(r.out, "run 1 (" + reference.string()
                               + "): Samples Compared: 100  Columns Compared: 3  Comparisons: 300  Differences: 0\n"))
        << r.out;
    EXPECT_TRUE(Has(r.out, "run 2 (" + one.string() + "): ") && Has(r.out, "Differences: 1\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "run 3 (" + three.string() + "): ") && Has(r.out, "Differences: 3\n")) << r.out;
    EXPECT_FALSE(Has(r.out, "run 4")) << r.out;
    EXPECT_TRUE(Has(r.out, "stopped by the run-until rule after run 3")) << r.out;
    EXPECT_TRUE(Has(r.out, "Runs: 3  Runs With Differences: 2  Differences: 4  First Differing Run: 2 (" + one.string() + ")\n"))
        << r.out;
    int mails = 0;
    for (const auto& entry : fs::directory_iterator(outbox)) {
        ++mails;
        EXPECT_TRUE(Has(ReadFile(entry.path()), "Compare - 3 Differences")) << entry.path();
    }
    EXPECT_EQ(mails, 1);
}

TEST_F(CvxCliProgramTest, ServeAnswersOnItsPortAndEndsOnSigterm)
{
    if (Run({"serve", "--help"}).status != 0) {
        GTEST_SKIP() << "built without the remote-control server";
    }
    pid_t server = -1;
    const int port = StartServe({"--option", "samples=1000"}, server);
    ASSERT_GT(port, 0) << ReadFile(Path("stderr.txt"));
    const int fd = Connect(port);
    ASSERT_GE(fd, 0);
    const std::string reply = Request(fd, "RUN;:TOOL:VAL? \"Compare\",\"GetNumberOfDifferences\"");
    ::close(fd);
    EXPECT_EQ(reply, "0");
    ::kill(server, SIGTERM);
    int status = 0;
    ::waitpid(server, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(CvxCliProgramTest, TheDocumentedWaitForAFaultEndsTheRepetitiveRun)
{
    if (Run({"serve", "--help"}).status != 0) {
        GTEST_SKIP() << "built without the remote-control server";
    }
    pid_t server = -1;
    const int port = StartServe({"--option", "samples=1000", "--option", "interval=0"}, server);
    ASSERT_GT(port, 0) << ReadFile(Path("stderr.txt"));
    const int fd = Connect(port);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Request(fd, "RUN;:TOOL:EXEC \"Compare\",\"CopyReference\";*OPC?"), "1");
    const std::string arm = "<Options Threshold='1' StopRepetitiveRun='T'/>";
    EXPECT_EQ(Request(fd, "TOOL:OPT \"Compare\",#2" + std::to_string(arm.size()) + arm + ";*OPC?"), "1");
    EXPECT_EQ(Request(fd, "SOUR:OPT \"faults\",\"flip:DATA8:100:3\";RUN:REP;*OPC?"), "1");
    EXPECT_EQ(Request(fd, "RUN:STAT?;RUN:COUN?"), "0;2");
    EXPECT_EQ(Request(fd, "SYST:ERR?"), "0,\"No error\"");
    ::close(fd);
    ::kill(server, SIGTERM);
    int status = 0;
    ::waitpid(server, &status, 0);
}

TEST_F(CvxCliProgramTest, WhatAKilledRunLeavesIsGoneWithTheNextRun)
{
    const fs::path state = Path("state");
    const fs::path base = state / "cvx";
    fs::create_directories(base);
    // The host base folder of the programs this test starts.
    struct StateHome {
        explicit StateHome(const fs::path& path) { ::setenv("XDG_STATE_HOME", path.c_str(), 1); }
        ~StateHome() { ::unsetenv("XDG_STATE_HOME"); }
    } home(state);
    const fs::path small = WriteVcd("small.vcd", 10);
    const auto leftovers = [&] {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(base)) {
            const std::string name = entry.path().filename().string();
            files += name.front() == 'C' || name.rfind(".cvx-paging-", 0) == 0;
        }
        return files;
    };
    const fs::path setup = Path("small.cvxsetup");
    ASSERT_EQ(Run({"compare", "--save-setup", setup.string(), small.string(), small.string()}).status, 0);
    EXPECT_EQ(leftovers(), 0); // a run that ends removes what it made
    if (Run({"serve", "--help"}).status != 0) {
        GTEST_SKIP() << "built without the remote-control server";
    }
    // A server holding the setup's reference in its paging files, killed.
    pid_t server = -1;
    ASSERT_GT(StartServe({"--setup", setup.string()}, server), 0) << ReadFile(Path("stderr.txt"));
    EXPECT_GT(leftovers(), 0);
    ::kill(server, SIGKILL);
    int status = 0;
    ::waitpid(server, &status, 0);
    EXPECT_GT(leftovers(), 0);

    // A save killed part-way leaves its partial file beside the setup; one being written now
    // (locked) is another saver's.
    Write(".small.cvxsetup.Ab12Cd", "partial");
    const int busy = ::open(Write(".small.cvxsetup.Ef34Gh", "busy").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    const Outcome next = Run({"compare", "--save-setup", setup.string(), small.string(), small.string()});
    EXPECT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(leftovers(), 0);
    EXPECT_FALSE(fs::exists(Path(".small.cvxsetup.Ab12Cd")));
    EXPECT_TRUE(fs::exists(Path(".small.cvxsetup.Ef34Gh")));
    ::close(busy);
}

// The remote-control server driven by an unchanged PyVISA client (pure-Python backend) with
// the real Compare module: the client script loads a setup whose tool holds a reference,
// runs the simulated analyzer with faults, sets options, executes, reads the differences and
// saves the setup; the test then checks that the saved setup still finds them.

#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxPlugInBase.h"
#include "CvxRemoteServer.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

struct ChildResult {
    int status = -1;
    std::string output;
};

// Starts the client script with its stdout and stderr on a pipe, whose read end goes to `outputFd`.
pid_t SpawnClient(const std::vector<std::string>& arguments, int& outputFd)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    outputFd = fds[0];
    return pid;
}

// The client's output until it exits; killed when it takes longer than `limit`.
ChildResult Collect(pid_t pid, int fd, std::chrono::seconds limit)
{
    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            kill(pid, SIGKILL);
            result.output += "\n<killed after the time limit>";
            break;
        }
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    waitpid(pid, &result.status, 0);
    return result;
}

std::string Field(const std::string& output, const std::string& key)
{
    const std::size_t at = output.find(key + "=");
    return at == std::string::npos ? std::string() : output.substr(at + key.size() + 1, output.find('\n', at) - at - key.size() - 1);
}

} // namespace

TEST(CvxRemotePyVisaTest, UnchangedPyVisaClientDrivesTheHost)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("cvx-remote-pyvisa-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(dir.string()));
    const std::filesystem::path setup = dir / "reference.cvxsetup";
    const std::filesystem::path saved = dir / "after.cvxsetup";

    CvxHostSession session;
    ASSERT_TRUE(session.LoadModule(CVX_MODULE_FILE)) << session.GetLastError();
    std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::MakeSource("simulated");
    std::string error;
    ASSERT_TRUE(source->SetOption("samples", "2000", error)) << error;
    session.SetSource(std::move(source));
    // The setup the client loads: a tool whose reference is a fault-free run.
    CvxPlugInBase* tool = session.AddCompareTool(u"Compare");
    ASSERT_NE(tool, nullptr) << session.GetLastError();
    ASSERT_TRUE(session.Run()) << session.GetLastError();
    ASSERT_TRUE(session.GetToolIFace(tool)->ExecuteCommand(u"CopyReference"));
    ASSERT_TRUE(session.SaveSetup(setup)) << session.GetLastError();
    session.RemoveAllTools();

    CvxRemoteServer server(session);
    ASSERT_TRUE(server.Listen("127.0.0.1", 0, &error)) << error;
    int outputFd = -1;
    const pid_t pid = SpawnClient({"/usr/bin/python3", CVX_CLIENT_SCRIPT, std::to_string(server.GetPort()),
                                   setup.string(), saved.string()},
                                  outputFd);
    ASSERT_GT(pid, 0);
    ChildResult client;
    std::thread watcher([&] {
        client = Collect(pid, outputFd, std::chrono::seconds(120));
        server.Stop();
    });
    EXPECT_EQ(server.Serve(), 0);
    watcher.join();
    ASSERT_TRUE(WIFEXITED(client.status) && WEXITSTATUS(client.status) == 0) << client.output;
    EXPECT_EQ(Field(client.output, "differences"), "1") << client.output;

    // What the client saved holds the tool with its reference and the source with the faults.
    ASSERT_TRUE(session.LoadSetup(saved)) << session.GetLastError();
    ASSERT_EQ(session.GetToolCount(), 1U);
    ASSERT_TRUE(session.Run()) << session.GetLastError();
    std::u16string count;
    ASSERT_TRUE(session.GetToolIFace(session.GetTool(0))->GetDataValue(u"GetNumberOfDifferences", count));
    EXPECT_EQ(count, u"1");
    std::filesystem::remove_all(dir);
}

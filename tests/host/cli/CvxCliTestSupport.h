#pragma once
// cvx-compare spawned as a process for the tests: its exit status, standard output and
// standard error, and small VCD captures written into a folder of the test's own.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>


namespace cvxtest {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CvxCliProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("cvx-cli-test-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Path(const std::string& name) const { return m_dir / name; }

    Outcome Run(const std::vector<std::string>& args) const
    {
        const pid_t child = Start(args);
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(Path("stdout.txt")), ReadFile(Path("stderr.txt"))};
    }

    pid_t Start(const std::vector<std::string>& args) const
    {
        const fs::path out = Path("stdout.txt");
        const fs::path err = Path("stderr.txt");
        const pid_t child = ::fork();
        if (child == 0) {
            const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(o, STDOUT_FILENO);
            ::dup2(e, STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(CVX_COMPARE_PATH)};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(CVX_COMPARE_PATH, argv.data());
            ::_exit(127);
        }
        return child;
    }

    // A capture of `cycles` timestamps 10 ns apart: clk toggles, "data" (8 bits) and "addr"
    // (16 bits) change at every timestamp. `flips` XORs data at the timestamps given.
    fs::path WriteVcd(const std::string& name, int cycles, const std::map<int, int>& flips = {}) const
    {
        std::ofstream vcd(Path(name));
        vcd << "$timescale 1ns $end\n$scope module top $end\n$var wire 1 ! clk $end\n"
               "$var wire 8 \" data [7:0] $end\n$var wire 16 # addr [15:0] $end\n$upscope $end\n"
               "$enddefinitions $end\n";
        for (int i = 0; i < cycles; ++i) {
            const auto flip = flips.find(i);
            const int data = ((i * 37 + 11) & 0xFF) ^ (flip == flips.end() ? 0 : flip->second);
            vcd << '#' << i * 10 << '\n' << (i & 1) << "!\nb";
            for (int bit = 7; bit >= 0; --bit) {
                vcd << ((data >> bit) & 1);
            }
            vcd << " \"\nb";
            for (int bit = 15; bit >= 0; --bit) {
                vcd << (((i * 3) >> bit) & 1);
            }
            vcd << " #\n";
        }
        return Path(name);
    }

    // Starts `cvx-compare serve` with `args` (on port 0) and answers the port it serves on
    // (0 when it did not start); the process is `server`.
    int StartServe(const std::vector<std::string>& args, pid_t& server) const
    {
        std::vector<std::string> all{"serve", "--port", "0"};
        all.insert(all.end(), args.begin(), args.end());
        server = Start(all);
        for (int i = 0; i < 100; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const std::string err = ReadFile(Path("stderr.txt"));
            const std::size_t colon = err.rfind(':');
            if (err.find("serving on") != std::string::npos && colon != std::string::npos) {
                return std::atoi(err.c_str() + colon + 1);
            }
        }
        return 0;
    }
    static int Connect(int port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }
    // Sends one request line and answers the reply line (without its end).
    static std::string Request(int fd, const std::string& line)
    {
        const std::string request = line + "\n";
        if (::write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
            return "<write failed>";
        }
        std::string reply;
        char c = 0;
        while (::read(fd, &c, 1) == 1 && c != '\n') {
            reply += c;
        }
        return reply;
    }

    // A file of the given text in the test's folder.
    fs::path Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(Path(name)) << text;
        return Path(name);
    }

    fs::path m_dir;
};

inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace cvxtest

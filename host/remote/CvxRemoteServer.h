#pragma once
// The host's remote-control server: SCPI-style commands over TCP, one program message per
// line, several clients at once. Everything runs on the thread that calls Serve (the session
// and its tools are touched only there): a poll() loop reads the clients, executes their
// commands one message at a time and drives a repetitive run started by a client one
// acquisition per turn, so that requests keep being served during it.
//
// Limits that protect the host: a request is at most 1 MiB; each client has its own input
// buffer, its own bounded error queue and a bounded output buffer (a client that stops
// reading is disconnected when its replies pass the bound); at most kMaxClients at once, and
// clients that connect and stay silent cannot keep the places from new ones.
// It listens on loopback unless another address is given explicitly. docs/remote.md has the
// command set and the formats.

#include "CvxRemoteCommands.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <poll.h>

class CvxHostSession;
class CvxRemoteRunner;

class CvxRemoteServer {
public:
    static constexpr int kDefaultPort = 5025;
    static constexpr std::size_t kMaxClients = 16;

    explicit CvxRemoteServer(CvxHostSession& session);
    ~CvxRemoteServer();
    CvxRemoteServer(const CvxRemoteServer&) = delete;
    CvxRemoteServer& operator=(const CvxRemoteServer&) = delete;

    // Binds and listens; port 0 picks a free port. Loopback only unless another address is given.
    bool Listen(const std::string& address = "127.0.0.1", int port = kDefaultPort, std::string* error = nullptr);
    int GetPort() const;
    // Serves requests until Stop(); repetitive runs started by a client go on between requests.
    // Answers 0 after a stop, 1 when it is not listening or poll fails.
    int Serve();
    // One turn of serving, for a host with an event loop of its own: waits up to `timeoutMs`
    // (-1: until something is due) for clients, then reads, executes and writes what is ready
    // and steps a repetitive run. False when it is not listening or poll fails.
    bool Turn(int timeoutMs);
    // A command of the host's own, tried after the common ones ("SYSTem:UI:DUMP?").
    void AddCommand(std::string pattern, CvxRemoteCommands::Handler handler);
    // A check before every command (see CvxRemoteCommands::SetGate).
    void SetGate(CvxRemoteCommands::Gate gate);
    // The program named in the *IDN? answer.
    void SetModel(std::string model);
    // From any thread (or a signal handler: it only stores a flag and writes to a pipe).
    void Stop();

    // How long *OPC? waits for a repetitive run to end (default 10 s).
    void SetWaitTimeout(std::chrono::milliseconds timeout) { m_waitTimeout = timeout; }
    // The replies a client may leave unread before it is disconnected (default 8 MiB).
    void SetClientOutputLimit(std::size_t bytes) { m_outputLimit = bytes; }
    // How long a client must have been silent, with nothing under way, before a new client
    // may take its place when all places are taken (default 10 s).
    void SetIdleLimit(std::chrono::milliseconds limit) { m_idleLimit = limit; }

private:
    struct Client;
    using Clock = std::chrono::steady_clock;

    void Accept();
    bool MakeRoom(const std::string& peer);
    void Read(Client& client);
    void Process(Client& client);
    void ContinueMessage(Client& client);
    void Resume(Client& client, Clock::time_point now);
    void Send(Client& client, std::string text);
    void Flush(Client& client);
    void Drop(Client& client, const std::string& why);
    int PollTimeout(Clock::time_point now) const;
    void StepRun();
    void CloseAll();

    std::unique_ptr<CvxRemoteRunner> m_runner;
    std::unique_ptr<CvxRemoteCommands> m_commands;
    std::vector<std::unique_ptr<Client>> m_clients;
    std::vector<pollfd> m_fds;
    // The client that started the repetitive run hears of its failure.
    const Client* m_runOwner = nullptr;
    int m_listen = -1;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stop{false};
    std::chrono::milliseconds m_waitTimeout{10000};
    std::size_t m_outputLimit = std::size_t{8} << 20;
    std::chrono::milliseconds m_idleLimit{10000};
};

#include "CvxRemoteServer.h"

#include "CvxInfoMgr.h"
#include "CvxRemoteCommands.h"
#include "CvxRemoteRunner.h"
#include "CvxScpiErrorQueue.h"
#include "CvxScpiInputBuffer.h"
#include "CvxScpiParser.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Bytes read from one client per loop turn, so that a busy client cannot starve the others.
constexpr std::size_t kReadPerTurn = 256 * 1024;

void Log(int type, const std::string& text)
{
    CvxInfoMgr::GetInstance().LogMessage(type, CvxStringConvert::FromUtf8("remote: " + text));
}

std::string PeerName(const sockaddr_storage& address)
{
    char host[INET6_ADDRSTRLEN] = {};
    int port = 0;
    if (address.ss_family == AF_INET) {
        const auto& in = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &in.sin_addr, host, sizeof host);
        port = ntohs(in.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& in6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &in6.sin6_addr, host, sizeof host);
        port = ntohs(in6.sin6_port);
    }
    return std::string(host) + ":" + std::to_string(port);
}

} // namespace

struct CvxRemoteServer::Client {
    int fd = -1;
    std::string peer;
    CvxScpiInputBuffer input;
    CvxScpiErrorQueue errors;
    std::string output;
    std::size_t sent = 0;
    // The message being executed: its text, where the next command starts, the replies so far.
    std::string message;
    std::size_t position = 0;
    bool executing = false;
    std::vector<std::string> replies;
    std::size_t replyBytes = 0;
    // Set while *OPC? waits for the repetitive run to end.
    std::optional<Clock::time_point> waitUntil;
    // When the client last sent bytes (or connected).
    Clock::time_point lastHeard;
    bool inputClosed = false;
    bool dead = false;
};

CvxRemoteServer::CvxRemoteServer(CvxHostSession& session)
    : m_runner(std::make_unique<CvxRemoteRunner>(session)),
      m_commands(std::make_unique<CvxRemoteCommands>(session, *m_runner))
{
    if (pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        m_wake[0] = m_wake[1] = -1;
        Log(kMessageError, std::string("cannot make the wake-up pipe: ") + std::strerror(errno));
    }
}

CvxRemoteServer::~CvxRemoteServer()
{
    CloseAll();
    if (m_listen >= 0) {
        close(m_listen);
    }
    for (const int fd : m_wake) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

bool CvxRemoteServer::Listen(const std::string& address, int port, std::string* error)
{
    const auto fail = [&](const std::string& text) {
        if (error != nullptr) {
            *error = "cannot listen on " + address + " port " + std::to_string(port) + ": " + text;
        }
        return false;
    };
    if (port < 0 || port > 65535) {
        return fail("the port is 0 to 65535");
    }
    if (address.empty()) {
        return fail("no address given");
    }
    if (m_listen >= 0) {
        close(m_listen);
        m_listen = -1;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int rc = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found); rc != 0) {
        return fail(gai_strerror(rc));
    }
    std::string why = "no usable address";
    for (const addrinfo* ai = found; ai != nullptr && m_listen < 0; ai = ai->ai_next) {
        const int fd = socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai->ai_protocol);
        if (fd < 0) {
            why = std::strerror(errno);
            continue;
        }
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (bind(fd, ai->ai_addr, ai->ai_addrlen) != 0 || listen(fd, 16) != 0) {
            why = std::strerror(errno);
            close(fd);
            continue;
        }
        m_listen = fd;
    }
    freeaddrinfo(found);
    if (m_listen < 0) {
        return fail(why);
    }
    Log(kMessageInformation, "listening on " + address + " port " + std::to_string(GetPort()));
    return true;
}

int CvxRemoteServer::GetPort() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (m_listen < 0 || getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    return address.ss_family == AF_INET6 ? ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port)
                                         : ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

void CvxRemoteServer::Stop()
{
    m_stop.store(true);
    if (m_wake[1] >= 0) {
        const char byte = 1;
        if (write(m_wake[1], &byte, 1) < 0) {
            // A full pipe already holds a wake-up.
        }
    }
}

int CvxRemoteServer::Serve()
{
    if (m_listen < 0 || m_wake[0] < 0) {
        return 1;
    }
    int result = 0;
    while (!m_stop.load()) {
        if (!Turn(-1)) {
            result = 1;
            break;
        }
    }
    CloseAll();
    m_runner->Stop();
    m_stop.store(false);
    return result;
}

void CvxRemoteServer::AddCommand(std::string pattern, CvxRemoteCommands::Handler handler)
{
    m_commands->AddCommand(std::move(pattern), std::move(handler));
}

void CvxRemoteServer::SetModel(std::string model)
{
    m_commands->SetModel(std::move(model));
}

void CvxRemoteServer::SetGate(CvxRemoteCommands::Gate gate)
{
    m_commands->SetGate(std::move(gate));
}

bool CvxRemoteServer::Turn(int timeoutMs)
{
    if (m_listen < 0 || m_wake[0] < 0) {
        return false;
    }
    std::vector<pollfd>& fds = m_fds;
    fds.clear();
    fds.push_back({m_wake[0], POLLIN, 0});
    fds.push_back({m_listen, POLLIN, 0});
    for (const auto& client : m_clients) {
        short events = 0;
        if (!client->waitUntil && !client->inputClosed) {
            events |= POLLIN;
        }
        if (client->sent < client->output.size()) {
            events |= POLLOUT;
        }
        fds.push_back({client->fd, events, 0});
    }
    const int timeout = timeoutMs < 0 ? PollTimeout(Clock::now()) : timeoutMs;
    if (poll(fds.data(), fds.size(), timeout) < 0) {
        if (errno == EINTR) {
            return true;
        }
        Log(kMessageError, std::string("poll failed: ") + std::strerror(errno));
        return false;
    }
    if ((fds[0].revents & POLLIN) != 0) {
        char drain[64];
        while (read(m_wake[0], drain, sizeof drain) > 0) {
        }
    }
    // Clients accepted below are polled from the next turn on.
    const std::size_t polled = fds.size() - 2;
    for (std::size_t i = 0; i < polled; ++i) {
        Client& client = *m_clients[i];
        const short revents = fds[i + 2].revents;
        if ((revents & (POLLERR | POLLNVAL)) != 0) {
            Drop(client, "connection error");
            continue;
        }
        if ((revents & (POLLIN | POLLHUP)) != 0) {
            if (client.waitUntil) {
                Drop(client, "hung up while waiting");
                continue;
            }
            Read(client);
            Process(client);
        }
        if ((revents & POLLOUT) != 0) {
            Flush(client);
        }
    }
    if ((fds[1].revents & POLLIN) != 0) {
        Accept();
    }
    StepRun();
    const Clock::time_point now = Clock::now();
    for (const auto& client : m_clients) {
        if (!client->dead && client->waitUntil) {
            Resume(*client, now);
        }
    }
    std::erase_if(m_clients, [this](const std::unique_ptr<Client>& client) {
        const bool finished = client->inputClosed && !client->executing && client->sent >= client->output.size();
        if (client->dead || finished) {
            if (m_runOwner == client.get()) {
                m_runOwner = nullptr;
            }
            if (!client->dead) {
                Log(kMessageInformation, "client " + client->peer + " disconnected");
            }
            close(client->fd);
            return true;
        }
        return false;
    });
    return true;
}

int CvxRemoteServer::PollTimeout(Clock::time_point now) const
{
    std::optional<Clock::time_point> next = m_runner->GetNextDue();
    for (const auto& client : m_clients) {
        if (client->waitUntil && (!next || *client->waitUntil < *next)) {
            next = client->waitUntil;
        }
    }
    if (!next) {
        return -1;
    }
    if (*next <= now) {
        return 0;
    }
    // Rounded up, so that the loop does not wake just before the moment and spin.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now);
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), 60000));
}

void CvxRemoteServer::Accept()
{
    while (true) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        const int fd = accept4(m_listen, reinterpret_cast<sockaddr*>(&address), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                Log(kMessageWarning, std::string("accept failed: ") + std::strerror(errno));
            }
            return;
        }
        const std::string peer = PeerName(address);
        if (!MakeRoom(peer)) {
            Log(kMessageWarning, "client " + peer + " refused: " + std::to_string(kMaxClients) + " clients are connected");
            close(fd);
            continue;
        }
        auto client = std::make_unique<Client>();
        client->fd = fd;
        client->peer = peer;
        client->lastHeard = Clock::now();
        m_clients.push_back(std::move(client));
        Log(kMessageInformation, "client " + peer + " connected");
    }
}

bool CvxRemoteServer::MakeRoom(const std::string& peer)
{
    const auto live = std::count_if(m_clients.begin(), m_clients.end(), [](const auto& client) { return !client->dead; });
    if (static_cast<std::size_t>(live) < kMaxClients) {
        return true;
    }
    // Clients that connect and never send would otherwise hold every place for good: the one
    // silent longest gives way, if it has nothing under way and was silent long enough.
    const Clock::time_point now = Clock::now();
    Client* idlest = nullptr;
    for (const auto& client : m_clients) {
        const bool idle = !client->dead && !client->executing && !client->waitUntil && client->input.GetSize() == 0
                          && client->sent >= client->output.size() && now - client->lastHeard >= m_idleLimit;
        if (idle && (idlest == nullptr || client->lastHeard < idlest->lastHeard)) {
            idlest = client.get();
        }
    }
    if (idlest == nullptr) {
        return false;
    }
    Drop(*idlest, "silent with all places taken; its place went to " + peer);
    return true;
}

void CvxRemoteServer::Read(Client& client)
{
    char buffer[64 * 1024];
    std::size_t total = 0;
    while (total < kReadPerTurn) {
        const ssize_t n = recv(client.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            client.lastHeard = Clock::now();
            client.input.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
            total += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            client.inputClosed = true; // what was sent is still answered
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            Drop(client, std::string("read failed: ") + std::strerror(errno));
        }
        return;
    }
}

void CvxRemoteServer::Process(Client& client)
{
    while (!client.dead && !client.waitUntil) {
        if (!client.executing) {
            bool overlong = false;
            if (!client.input.Next(client.message, overlong)) {
                return;
            }
            if (overlong) {
                client.errors.Push(CvxScpiErrorQueue::kTooMuchData,
                                   "a request is at most " + std::to_string(CvxScpiInputBuffer::kMaxMessage)
                                       + " bytes; it was dropped up to its end of line");
                continue;
            }
            client.position = 0;
            client.replies.clear();
            client.replyBytes = 0;
            client.executing = true;
        }
        ContinueMessage(client);
    }
}

void CvxRemoteServer::ContinueMessage(Client& client)
{
    CvxScpiCommand command;
    CvxRemoteCommands::Client context{client.errors, client.replies};
    while (true) {
        int errorCode = 0;
        std::string errorText;
        const auto result = CvxScpiParser::ParseNext(client.message, client.position, command, errorCode, errorText);
        if (result == CvxScpiParser::EvxResult::Error) {
            client.errors.Push(errorCode, errorText);
            break;
        }
        if (result == CvxScpiParser::EvxResult::End) {
            break;
        }
        const bool wasRunning = m_runner->IsActive();
        const std::size_t repliesBefore = client.replies.size();
        const CvxRemoteCommands::EvxOutcome outcome = m_commands->Execute(command, context);
        if (!wasRunning && m_runner->IsActive()) {
            m_runOwner = &client;
        }
        for (std::size_t i = repliesBefore; i < client.replies.size(); ++i) {
            client.replyBytes += client.replies[i].size() + 1;
        }
        // One message of small queries may ask for far more than the bound (each difference
        // is a block of markup): it is stopped here, before its replies pile up in memory.
        if (client.output.size() - client.sent + client.replyBytes > m_outputLimit) {
            client.replies.clear();
            client.executing = false;
            client.message.clear();
            Drop(client, "it left more than " + std::to_string(m_outputLimit) + " bytes of replies unread");
            return;
        }
        if (outcome == CvxRemoteCommands::EvxOutcome::WaitForRun) {
            client.waitUntil = Clock::now() + m_waitTimeout;
            return;
        }
        if (outcome == CvxRemoteCommands::EvxOutcome::Undefined) {
            break;
        }
    }
    client.executing = false;
    client.message.clear();
    if (!client.replies.empty()) {
        std::string reply;
        for (std::size_t i = 0; i < client.replies.size(); ++i) {
            reply += (i > 0 ? ";" : "") + client.replies[i];
        }
        client.replies.clear();
        client.replyBytes = 0;
        reply += '\n';
        Send(client, std::move(reply));
    }
}

void CvxRemoteServer::Resume(Client& client, Clock::time_point now)
{
    if (m_runner->IsActive() && now < *client.waitUntil) {
        return;
    }
    if (m_runner->IsActive()) {
        client.errors.Push(CvxScpiErrorQueue::kDeviceSpecificError,
                           "*OPC? timed out: the repetitive run is still going on");
        client.replies.emplace_back("0");
    } else {
        client.replies.emplace_back("1");
    }
    client.waitUntil.reset();
    ContinueMessage(client);
    Process(client);
}

void CvxRemoteServer::StepRun()
{
    std::string error;
    const std::int64_t before = m_runner->GetRunsDone();
    const bool ok = m_runner->Step(Clock::now(), error);
    std::vector<std::string> errors;
    if (!ok) {
        Log(kMessageError, "repetitive run ended: " + error);
        errors.push_back(error);
    } else if (m_runner->GetRunsDone() != before) {
        errors = m_runner->ToolsThatComparedNothing();
    }
    for (const auto& client : m_clients) {
        if (client.get() == m_runOwner) {
            for (const std::string& e : errors) {
                client->errors.Push(CvxScpiErrorQueue::kExecutionError, e);
            }
        }
    }
}

void CvxRemoteServer::Send(Client& client, std::string text)
{
    if (client.dead) {
        return;
    }
    if (client.output.size() - client.sent + text.size() > m_outputLimit) {
        Drop(client, "it left more than " + std::to_string(m_outputLimit) + " bytes of replies unread");
        return;
    }
    if (client.sent > 0 && client.sent * 2 >= client.output.size()) {
        client.output.erase(0, client.sent);
        client.sent = 0;
    }
    client.output += text;
    Flush(client);
}

void CvxRemoteServer::Flush(Client& client)
{
    while (!client.dead && client.sent < client.output.size()) {
        const ssize_t n =
            send(client.fd, client.output.data() + client.sent, client.output.size() - client.sent, MSG_NOSIGNAL);
        if (n > 0) {
            client.sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            Drop(client, std::string("write failed: ") + std::strerror(errno));
        }
    }
    if (client.sent == client.output.size()) {
        client.output.clear();
        client.sent = 0;
    }
}

void CvxRemoteServer::Drop(Client& client, const std::string& why)
{
    if (!client.dead) {
        client.dead = true;
        Log(kMessageWarning, "client " + client.peer + " disconnected: " + why);
    }
}

void CvxRemoteServer::CloseAll()
{
    for (const auto& client : m_clients) {
        close(client->fd);
    }
    m_clients.clear();
    m_runOwner = nullptr;
}

#pragma once
// A plain TCP client for the server tests: sends text, reads reply lines with a deadline.

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

class CvxRemoteTestClient {
public:
    explicit CvxRemoteTestClient(int port)
    {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(m_fd);
            m_fd = -1;
        }
        // Bounded waits: a test that goes wrong fails instead of hanging.
        timeval timeout{5, 0};
        setsockopt(m_fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    }
    ~CvxRemoteTestClient()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    CvxRemoteTestClient(const CvxRemoteTestClient&) = delete;
    CvxRemoteTestClient& operator=(const CvxRemoteTestClient&) = delete;

    bool IsConnected() const { return m_fd >= 0; }

    // False when the server has closed the connection (or the send timed out).
    bool Send(std::string_view text)
    {
        while (!text.empty()) {
            const ssize_t n = send(m_fd, text.data(), text.size(), MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    // The next reply line without its newline; "<timeout>" or "<closed>" otherwise.
    std::string ReadLine(std::chrono::milliseconds wait = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (true) {
            const std::size_t newline = m_input.find('\n');
            if (newline != std::string::npos) {
                std::string line = m_input.substr(0, newline);
                m_input.erase(0, newline + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd fd{m_fd, POLLIN, 0};
            if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
                return "<timeout>";
            }
            char buffer[4096];
            const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return "<closed>";
            }
            m_input.append(buffer, static_cast<std::size_t>(n));
        }
    }

    std::string Query(std::string_view request)
    {
        return Send(std::string(request) + "\n") ? ReadLine() : "<closed>";
    }

private:
    int m_fd = -1;
    std::string m_input;
};

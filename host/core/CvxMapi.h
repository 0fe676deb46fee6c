#pragma once
// The host's mail service. Send queues a message and returns at once; a worker thread hands
// it to the SMTP server of the host settings through libcurl (with a bounded timeout), or,
// when no server is set, writes it as an RFC 5322 .eml file into the host outbox directory.
// Every outcome goes to the host log; a failed send changes nothing else.

#include <chrono>
#include <filesystem>
#include <string>

struct CvxMailSettings {
    // "smtp://host:port" (or "smtps://..."); empty: write .eml files to the outbox.
    std::string serverUrl;
    std::string sender = "cvx-compare@localhost";
    std::string user;
    std::string password;
    // Require STARTTLS on smtp:// servers.
    bool requireTls = false;
    std::chrono::seconds timeout{20};
    // Empty: <host base>/outbox.
    std::filesystem::path outbox;
};

class CvxMapi {
public:
    // Queues the message; false when the recipient is empty (nothing is queued).
    static bool Send(const std::u16string& recipient, const std::u16string& subject, const std::u16string& body);

    static void SetSettings(const CvxMailSettings& settings);
    static CvxMailSettings GetSettings();
    // Waits until every queued message was handled; false when the wait timed out.
    static bool WaitUntilIdle(std::chrono::milliseconds timeout);
    // Messages handled so far: handed to the server or written, and failed.
    static int GetDeliveredCount();
    static int GetFailedCount();

    // The RFC 5322 text of a message (CRLF line ends, UTF-8 body, encoded subject).
    static std::string FormatMessage(const CvxMailSettings& settings, const std::string& recipient,
                                     const std::u16string& subject, const std::u16string& body);
};

#include "CvxMapi.h"

#include "CvxInfoMgr.h"
#include "CvxStringConvert.h"

#include <curl/curl.h>

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <fstream>
#include <mutex>
#include <thread>

namespace {

struct Mail {
    std::string recipient;
    std::u16string subject;
    std::u16string body;
};

// The worker: one thread for the life of the process, started at the first message.
class MailQueue {
public:
    static MailQueue& Get()
    {
        static MailQueue queue;
        return queue;
    }
    ~MailQueue()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    void Push(Mail mail)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable()) {
            m_thread = std::thread([this] { Run(); });
        }
        m_queue.push_back(std::move(mail));
        ++m_pending;
        m_wake.notify_all();
    }
    bool WaitUntilIdle(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_idle.wait_for(lock, timeout, [this] { return m_pending == 0; });
    }
    CvxMailSettings GetSettings()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_settings;
    }
    void SetSettings(const CvxMailSettings& settings)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_settings = settings;
    }

    std::atomic<int> delivered{0};
    std::atomic<int> failed{0};

private:
    void Run()
    {
        for (;;) {
            Mail mail;
            CvxMailSettings settings;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
                if (m_queue.empty()) {
                    return;
                }
                mail = std::move(m_queue.front());
                m_queue.pop_front();
                settings = m_settings;
            }
            const bool ok = settings.serverUrl.empty() ? WriteFile(settings, mail) : SendSmtp(settings, mail);
            (ok ? delivered : failed)++;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                --m_pending;
            }
            m_idle.notify_all();
        }
    }

    static bool WriteFile(const CvxMailSettings& settings, const Mail& mail)
    {
        CvxInfoMgr& info = CvxInfoMgr::GetInstance();
        std::filesystem::path outbox = settings.outbox;
        if (outbox.empty()) {
            outbox = std::filesystem::path(info.GetBasePath()) / "outbox";
        }
        std::error_code ec;
        std::filesystem::create_directories(outbox, ec);
        static std::atomic<int> serial{0};
        const std::filesystem::path file =
            outbox / ("mail-" + std::to_string(std::time(nullptr)) + "-" + std::to_string(++serial) + ".eml");
        std::ofstream out(file, std::ios::binary);
        out << CvxMapi::FormatMessage(settings, mail.recipient, mail.subject, mail.body);
        out.close();
        if (!out) {
            info.LogMessage(kMessageError, u"E-mail to " + CvxStringConvert::FromUtf8(mail.recipient)
                                               + u" could not be written to " + file.u16string());
            return false;
        }
        info.LogMessage(kMessageInformation, u"No mail server is set: e-mail to "
                                                 + CvxStringConvert::FromUtf8(mail.recipient) + u" written to "
                                                 + file.u16string());
        return true;
    }

    struct Upload {
        const std::string* text;
        std::size_t offset;
    };
    static std::size_t ReadBody(char* buffer, std::size_t size, std::size_t count, void* user)
    {
        auto* upload = static_cast<Upload*>(user);
        const std::size_t n = std::min(size * count, upload->text->size() - upload->offset);
        upload->text->copy(buffer, n, upload->offset);
        upload->offset += n;
        return n;
    }

    static bool SendSmtp(const CvxMailSettings& settings, const Mail& mail)
    {
        CvxInfoMgr& info = CvxInfoMgr::GetInstance();
        const std::string text = CvxMapi::FormatMessage(settings, mail.recipient, mail.subject, mail.body);
        CURL* curl = curl_easy_init();
        if (curl == nullptr) {
            info.LogMessage(kMessageError, u"E-mail not sent: the mail library could not start");
            return false;
        }
        Upload upload{&text, 0};
        curl_slist* recipients = curl_slist_append(nullptr, ("<" + mail.recipient + ">").c_str());
        const std::string from = "<" + settings.sender + ">";
        char error[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(curl, CURLOPT_URL, settings.serverUrl.c_str());
        curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
        curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &MailQueue::ReadBody);
        curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(settings.timeout.count()));
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(settings.timeout.count()));
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
        if (settings.requireTls) {
            curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        }
        if (!settings.user.empty()) {
            curl_easy_setopt(curl, CURLOPT_USERNAME, settings.user.c_str());
            curl_easy_setopt(curl, CURLOPT_PASSWORD, settings.password.c_str());
        }
        const CURLcode result = curl_easy_perform(curl);
        curl_slist_free_all(recipients);
        curl_easy_cleanup(curl);
        const std::u16string to = CvxStringConvert::FromUtf8(mail.recipient);
        const std::u16string server = CvxStringConvert::FromUtf8(settings.serverUrl);
        if (result != CURLE_OK) {
            const std::string reason = error[0] != '\0' ? error : curl_easy_strerror(result);
            info.LogMessage(kMessageError, u"E-mail to " + to + u" not sent through " + server + u": "
                                               + CvxStringConvert::FromUtf8(reason));
            return false;
        }
        info.LogMessage(kMessageInformation, u"E-mail sent to " + to + u" through " + server);
        return true;
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Mail> m_queue;
    int m_pending = 0;
    bool m_stop = false;
    CvxMailSettings m_settings;
    std::thread m_thread;
};

bool IsAscii(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// An RFC 2047 encoded word for text that is not plain ASCII.
std::string EncodeHeader(const std::string& text)
{
    if (IsAscii(text)) {
        return text;
    }
    static const char* const digits = "0123456789ABCDEF";
    std::string out = "=?UTF-8?Q?";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ') {
            out += '_';
        } else if (c < 0x80 && c != '=' && c != '?' && c != '_' && c > 0x20) {
            out += static_cast<char>(c);
        } else {
            out += '=';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        }
    }
    return out + "?=";
}

// One header line: no CR or LF may break out of it.
std::string SingleLine(std::string text)
{
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

std::string CvxMapi::FormatMessage(const CvxMailSettings& settings, const std::string& recipient,
                                   const std::u16string& subject, const std::u16string& body)
{
    char date[64] = {};
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    std::strftime(date, sizeof date, "%a, %d %b %Y %H:%M:%S +0000", &tm);
    static std::atomic<unsigned> serial{0};
    std::string text;
    text += "Date: " + std::string(date) + "\r\n";
    text += "From: <" + SingleLine(settings.sender) + ">\r\n";
    text += "To: <" + SingleLine(recipient) + ">\r\n";
    text += "Subject: " + EncodeHeader(SingleLine(CvxStringConvert::ToUtf8(subject))) + "\r\n";
    text += "Message-ID: <" + std::to_string(now) + "." + std::to_string(++serial) + "@cvx-compare>\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += "Content-Type: text/plain; charset=utf-8\r\n";
    text += "Content-Transfer-Encoding: 8bit\r\n\r\n";
    const std::string utf8 = CvxStringConvert::ToUtf8(body);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) {
            text += "\r\n";
        } else {
            text += utf8[i];
        }
    }
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) {
        text += "\r\n";
    }
    return text;
}

bool CvxMapi::Send(const std::u16string& recipient, const std::u16string& subject, const std::u16string& body)
{
    if (recipient.empty()) {
        CvxInfoMgr::GetInstance().LogMessage(kMessageWarning, u"E-mail not sent: no recipient is set");
        return false;
    }
    MailQueue::Get().Push({SingleLine(CvxStringConvert::ToUtf8(recipient)), subject, body});
    return true;
}

void CvxMapi::SetSettings(const CvxMailSettings& settings)
{
    MailQueue::Get().SetSettings(settings);
}

CvxMailSettings CvxMapi::GetSettings()
{
    return MailQueue::Get().GetSettings();
}

bool CvxMapi::WaitUntilIdle(std::chrono::milliseconds timeout)
{
    return MailQueue::Get().WaitUntilIdle(timeout);
}

int CvxMapi::GetDeliveredCount()
{
    return MailQueue::Get().delivered.load();
}

int CvxMapi::GetFailedCount()
{
    return MailQueue::Get().failed.load();
}

#include "CvxCompareTempFile.h"

#include "CvxComparePagingRegistry.h"
#include "CvxInfoMgr.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Lends descriptors to paging files (see the header). Its lock also covers each read and
// write, so that no descriptor is closed under an operation that uses it.
class CvxCompareTempFilePool {
public:
    // Never destroyed: stores held by static objects may go after every function-local static.
    static CvxCompareTempFilePool& Get()
    {
        static auto* pool = new CvxCompareTempFilePool;
        return *pool;
    }

    std::mutex& Mutex() { return m_mutex; }

    // Called with the lock held.
    void Adopt(CvxCompareTempFile& file, int fd)
    {
        if (static_cast<int>(m_open.size()) >= CvxCompareTempFile::kMaxOpen) {
            const auto oldest = std::min_element(m_open.begin(), m_open.end(), [](const auto* a, const auto* b) {
                return a->m_lastUse < b->m_lastUse;
            });
            CvxCompareTempFile* victim = *oldest;
            m_open.erase(oldest);
            ::close(std::exchange(victim->m_fd, -1));
        }
        file.m_fd = fd;
        file.m_lastUse = ++m_clock;
        m_open.push_back(&file);
    }

    void Touch(CvxCompareTempFile& file) { file.m_lastUse = ++m_clock; }

    // Called with the lock held; answers the result of close (0 when none was open).
    int Release(CvxCompareTempFile& file)
    {
        if (file.m_fd < 0) {
            return 0;
        }
        m_open.erase(std::remove(m_open.begin(), m_open.end(), &file), m_open.end());
        return ::close(std::exchange(file.m_fd, -1));
    }

private:
    CvxCompareTempFilePool() { m_open.reserve(CvxCompareTempFile::kMaxOpen); }

    std::mutex m_mutex;
    std::vector<CvxCompareTempFile*> m_open;
    std::uint64_t m_clock = 0;
};

namespace {

constexpr int kMaxNameTries = 100000;

std::u16string Wide(const std::string& utf8)
{
    return CvxStringConvert::FromUtf8(utf8);
}

} // namespace

CvxCompareTempFile::CvxCompareTempFile()
{
    // Base path plus "/C", then the process clock reading and a counter: the first name that
    // can be created exclusively is ours.
    const std::string base = CvxStringConvert::ToUtf8(CvxInfoMgr::GetInstance().GetBasePath());
    const std::string prefix = base + "/C";
    const std::string clock = std::to_string(std::max<std::clock_t>(std::clock(), 0));
    int error = 0;
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const std::string name = prefix + clock + std::to_string(n) + ".tmp";
        // Listed before it is made: a process killed right after still has it swept later.
        if (::access(name.c_str(), F_OK) != 0) {
            CvxComparePagingRegistry::Get().Record(base, name);
        }
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            m_name = name;
            std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
            CvxCompareTempFilePool::Get().Adopt(*this, fd);
            return;
        }
        error = errno;
        if (error != EEXIST) {
            break;
        }
    }
    m_name = prefix + clock + "<n>.tmp";
    Fail("create", error);
    m_name.clear();
}

CvxCompareTempFile::~CvxCompareTempFile()
{
    {
        std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
        CvxCompareTempFilePool::Get().Release(*this);
    }
    if (!m_name.empty()) {
        ::unlink(m_name.c_str());
    }
}

int CvxCompareTempFile::Descriptor()
{
    if (m_fd >= 0) {
        CvxCompareTempFilePool::Get().Touch(*this);
        return m_fd;
    }
    if (m_name.empty()) {
        return -1;
    }
    const int fd = ::open(m_name.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        Fail("reopen", errno);
        return -1;
    }
    CvxCompareTempFilePool::Get().Adopt(*this, fd);
    return fd;
}

std::size_t CvxCompareTempFile::Read(void* buffer, std::size_t length)
{
    std::size_t done = 0;
    {
        std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
        const int fd = Descriptor();
        if (fd < 0) {
            return 0;
        }
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        while (done < length) {
            const ssize_t got = ::pread(fd, bytes + done, length - done, m_position + static_cast<std::int64_t>(done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                Fail("read", errno);
                break;
            }
            if (got == 0) {
                Fail("read", 0);
                break;
            }
            done += static_cast<std::size_t>(got);
        }
    }
    m_position += static_cast<std::int64_t>(done);
    return done;
}

bool CvxCompareTempFile::Write(const void* buffer, std::size_t length)
{
    bool ok = true;
    {
        std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
        const int fd = Descriptor();
        ok = fd >= 0;
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        std::size_t done = 0;
        while (ok && done < length) {
            const ssize_t put = ::pwrite(fd, bytes + done, length - done, m_position + static_cast<std::int64_t>(done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                Fail("write", put < 0 ? errno : ENOSPC);
                ok = false;
                break;
            }
            done += static_cast<std::size_t>(put);
        }
    }
    m_position += static_cast<std::int64_t>(length);
    m_size = std::max(m_size, m_position);
    return ok;
}

bool CvxCompareTempFile::Truncate()
{
    std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
    m_position = 0;
    m_size = 0;
    const int fd = Descriptor();
    if (fd < 0 || ::ftruncate(fd, 0) != 0) {
        if (fd >= 0) {
            Fail("truncate", errno);
        }
        return false;
    }
    return true;
}

bool CvxCompareTempFile::Close()
{
    std::lock_guard lock(CvxCompareTempFilePool::Get().Mutex());
    if (CvxCompareTempFilePool::Get().Release(*this) != 0) {
        Fail("close", errno);
        return false;
    }
    return true;
}

void CvxCompareTempFile::Fail(const char* operation, int error)
{
    m_failed = true;
    if (m_logged) {
        return;
    }
    m_logged = true;
    const std::string reason = error == 0 ? std::string("the file is shorter than its pages") : std::strerror(error);
    CvxInfoMgr::GetInstance().LogMessage(kMessageError, u"Compare data store: cannot " + Wide(operation)
                                                            + u" the paging file \"" + Wide(m_name) + u"\": "
                                                            + Wide(reason));
}

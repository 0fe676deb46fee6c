#include "CvxComparePagingRegistry.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr std::string_view kListPrefix = ".cvx-paging-";
constexpr std::string_view kListSuffix = ".list";
// A list longer than this is not read: no process names that many files.
constexpr std::size_t kMaxListBytes = 64 * 1024 * 1024;

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A paging file name of `base`: base/C<digits>.tmp, nothing else (a list cannot make the
// sweep remove other files).
bool IsPagingFileOf(std::string_view name, const std::string& base)
{
    if (name.size() <= base.size() + 6 || name.substr(0, base.size()) != base || name[base.size()] != '/'
        || name[base.size() + 1] != 'C' || !EndsWith(name, ".tmp")) {
        return false;
    }
    const std::string_view digits = name.substr(base.size() + 2, name.size() - base.size() - 6);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || text.size() + static_cast<std::size_t>(got) > kMaxListBytes) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

} // namespace

CvxComparePagingRegistry& CvxComparePagingRegistry::Get()
{
    static auto* registry = new CvxComparePagingRegistry;
    return *registry;
}

int CvxComparePagingRegistry::Sweep(const std::string& base)
{
    std::error_code ec;
    std::vector<std::filesystem::path> lists;
    for (std::filesystem::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, kListPrefix.size(), kListPrefix) == 0 && EndsWith(name, kListSuffix)) {
            lists.push_back(it->path());
        }
    }
    int removed = 0;
    for (const std::filesystem::path& list : lists) {
        const int fd = ::open(list.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // Locked: its process lives (this one's own list included, whose lock is on another
        // open file description).
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            const std::string names = ReadAll(fd);
            for (std::size_t at = 0; at < names.size();) {
                const std::size_t end = std::min(names.find('\n', at), names.size());
                const std::string name = names.substr(at, end - at);
                if (IsPagingFileOf(name, base) && ::unlink(name.c_str()) == 0) {
                    ++removed;
                }
                at = end + 1;
            }
            ::unlink(list.c_str());
        }
        ::close(fd);
    }
    return removed;
}

void CvxComparePagingRegistry::SweepOnce(const std::string& base)
{
    std::lock_guard lock(m_mutex);
    if (m_swept != base) {
        m_swept = base;
        Sweep(base);
    }
}

void CvxComparePagingRegistry::Record(const std::string& base, const std::string& name)
{
    std::lock_guard lock(m_mutex);
    if (m_fd < 0 || m_base != base) {
        if (m_swept != base) {
            m_swept = base;
            Sweep(base);
        }
        if (m_fd >= 0) {
            ::close(m_fd); // the files of the old base stay listed there until their stores go
        }
        m_base = base;
        const std::string list = base + "/" + std::string(kListPrefix) + std::to_string(::getpid()) + std::string(kListSuffix);
        m_fd = ::open(list.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_fd); // another live process's list (a pid seen through another namespace)
            m_fd = -1;
        }
        m_list = m_fd >= 0 ? list : std::string();
        // A process that ends normally has removed its paging files: its list goes too.
        static const bool atExit = std::atexit([] { Get().RemoveOwnList(); }) == 0;
        (void)atExit;
    }
    if (m_fd >= 0) {
        const std::string line = name + "\n";
        // A name not recorded only means the file outlives a crash of this process.
        [[maybe_unused]] const ssize_t written = ::write(m_fd, line.data(), line.size());
    }
}

void CvxComparePagingRegistry::RemoveOwnList()
{
    std::lock_guard lock(m_mutex);
    if (m_fd >= 0) {
        ::unlink(m_list.c_str());
        ::close(m_fd);
        m_fd = -1;
    }
}

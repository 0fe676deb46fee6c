#include "CvxFuzzEnvironment.h"

#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

std::vector<CvxID> AllLabels()
{
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    std::vector<CvxID> all;
    std::vector<CvxID> folders{labels.GetLabelRootID()};
    while (!folders.empty()) {
        const CvxID folder = folders.back();
        folders.pop_back();
        for (const CvxID& child : labels.GetChildren(folder)) {
            all.push_back(child);
            folders.push_back(child);
        }
    }
    return all;
}

} // namespace

CvxFuzzEnvironment& CvxFuzzEnvironment::GetInstance()
{
    static CvxFuzzEnvironment environment;
    return environment;
}

CvxFuzzEnvironment::CvxFuzzEnvironment()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/cvx-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort(); // no place for paging files: nothing the targets do would mean anything
    }
    m_baseDir = pattern;
    CvxInfoMgr& info = CvxInfoMgr::GetInstance();
    info.SetBasePath(CvxStringConvert::FromUtf8(m_baseDir.string()));
    info.SetLogFilePath("/dev/null");
    m_inputFd = ::memfd_create("cvx-fuzz-input", 0);
    if (m_inputFd < 0) {
        std::abort();
    }
}

CvxFuzzEnvironment::~CvxFuzzEnvironment()
{
    ::close(m_inputFd);
    std::error_code ec;
    std::filesystem::remove_all(m_baseDir, ec);
}

std::string CvxFuzzEnvironment::WriteInputFile(const std::uint8_t* data, std::size_t size)
{
    if (::ftruncate(m_inputFd, 0) != 0) {
        std::abort();
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_inputFd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(m_inputFd);
}

void CvxFuzzEnvironment::KeepCurrentLabels()
{
    const std::vector<CvxID> all = AllLabels();
    m_keptLabels = std::set<CvxID>(all.begin(), all.end());
}

void CvxFuzzEnvironment::EndInput()
{
    for (const CvxID& id : AllLabels()) {
        if (m_keptLabels.count(id) == 0) {
            CvxLabelMgr::GetInstance().RemoveLabel(id);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(m_baseDir / "outbox", ec);
    CvxInfoMgr::GetInstance().ClearRecentMessages();
}

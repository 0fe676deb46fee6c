// Injected I/O faults with the real module loaded by the host session: paging-file writes and
// setup saves cut short by a real file-size limit (RLIMIT_FSIZE, SIGXFSZ ignored, so that a
// write past the limit fails with EFBIG as on a full quota), and the paging files left behind
// once the tools are gone. Root ignores file permissions, a size limit it does not.

#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMarkupDocument.h"
#include "CvxPlugInMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>

#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Every file this process writes stops at `bytes` while the object lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CvxFaultInjectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/cvx-fault-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir.string()));
        CvxLabelMgr::GetInstance().Clear();
        CvxSystemMgr::GetInstance().Reset();
        CvxPlugInMgr::GetInstance().Reset();
        m_session = std::make_unique<CvxHostSession>();
        ASSERT_TRUE(m_session->LoadModule(CVX_MODULE_FILE)) << m_session->GetLastError();
        auto source = CvxHostSession::MakeSource("simulated");
        std::string error;
        // Four 8-bit pages per bus, and 16-byte pages of 512 kB for the time column.
        ASSERT_TRUE(source->SetOption("samples", "100000", error) && source->SetOption("interval", "0", error)) << error;
        m_session->SetSource(std::move(source));
        CvxPlugInBase* tool = m_session->AddCompareTool();
        ASSERT_NE(tool, nullptr) << m_session->GetLastError();
        m_tool = m_session->GetToolIFace(tool);
        ASSERT_NE(m_tool, nullptr);
        ASSERT_TRUE(m_session->Run()) << m_session->GetLastError();
    }
    void TearDown() override
    {
        m_session.reset();
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    std::vector<fs::path> PagingFiles() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            if (name.front() == 'C' && entry.path().extension() == ".tmp") {
                files.push_back(entry.path());
            }
        }
        return files;
    }
    // Error lines about paging-file writes, counted per file name.
    static std::map<std::string, int> WriteFailures()
    {
        std::map<std::string, int> failures;
        for (const auto& e : CvxInfoMgr::GetInstance().GetRecentMessages()) {
            const std::string text = CvxStringConvert::ToUtf8(e.text);
            if (e.type == kMessageError && text.find("cannot write the paging file") != std::string::npos) {
                EXPECT_NE(text.find("File too large"), std::string::npos) << text;
                ++failures[text.substr(text.find('"'))];
            }
        }
        return failures;
    }
    int Count(const char16_t* attribute)
    {
        std::u16string reply;
        EXPECT_TRUE(m_tool->GetDataValue(u"GetCounts", reply));
        CvxMarkupDocument counts(reply);
        int value = -1;
        counts.FindElement();
        counts.GetAttribute(attribute, value);
        return value;
    }

    fs::path m_dir;
    std::unique_ptr<CvxHostSession> m_session;
    CvxStdToolCmdIFace* m_tool = nullptr;
};

TEST_F(CvxFaultInjectionTest, PagingWritesCutShortAreLoggedOncePerStoreAndTheComparisonEnds)
{
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    {
        // 48 kB: the second page of an 8-bit store is cut part-way, the time column's first.
        FileSizeLimit limit(48 * 1024);
        ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
        ASSERT_TRUE(m_session->Run()) << m_session->GetLastError();
        ASSERT_TRUE(m_session->Run()) << m_session->GetLastError();
    }
    const std::map<std::string, int> failures = WriteFailures();
    ASSERT_FALSE(failures.empty());
    for (const auto& [file, lines] : failures) {
        EXPECT_EQ(lines, 1) << file;
    }
    // Both comparisons ended over every sample; what was lost reads as zeros and differs.
    EXPECT_EQ(Count(u"SamplesCompared"), 100000);
    EXPECT_GT(Count(u"Differences"), 0);
}

TEST_F(CvxFaultInjectionTest, SetupSaveCutShortKeepsThePreviousFileAndSaysWhy)
{
    ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
    const fs::path folder = m_dir / "setups";
    fs::create_directories(folder);
    const fs::path path = folder / "bench.cvxsetup";
    ASSERT_TRUE(m_session->SaveSetup(path)) << m_session->GetLastError();
    const std::string before = ReadAll(path);
    ASSERT_GT(before.size(), 100'000U);

    ASSERT_TRUE(m_session->Run());
    ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    {
        FileSizeLimit limit(before.size() / 2);
        EXPECT_FALSE(m_session->SaveSetup(path));
    }
    EXPECT_NE(m_session->GetLastError().find("File too large"), std::string::npos) << m_session->GetLastError();
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    int logged = 0;
    for (const auto& e : CvxInfoMgr::GetInstance().GetRecentMessages()) {
        const std::string text = CvxStringConvert::ToUtf8(e.text);
        logged += e.type == kMessageError && text.find(path.string()) != std::string::npos
                  && text.find("File too large") != std::string::npos;
    }
    EXPECT_EQ(logged, 1);

    // The kept file still loads, with its reference.
    ASSERT_TRUE(m_session->LoadSetup(path)) << m_session->GetLastError();
    ASSERT_EQ(m_session->GetToolCount(), 1U);
}

TEST_F(CvxFaultInjectionTest, AReferenceThatLostPagesIsNotSavedAsASetup)
{
    ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
    const fs::path path = m_dir / "kept.cvxsetup";
    ASSERT_TRUE(m_session->SaveSetup(path)) << m_session->GetLastError();
    const std::string before = ReadAll(path);
    {
        // The paging files of the new reference are cut at 48 kB; the setup file itself could
        // be written, and must not be.
        FileSizeLimit limit(48 * 1024);
        ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
    }
    EXPECT_FALSE(m_session->SaveSetup(path));
    EXPECT_NE(m_session->GetLastError().find("is incomplete: the paging file"), std::string::npos)
        << m_session->GetLastError();
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(CvxFaultInjectionTest, NoPagingFileOutlivesTheTools)
{
    const fs::path path = m_dir / "kept.cvxsetup";
    ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference"));
    ASSERT_TRUE(m_session->Run());
    ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference")); // the first reference's stores go
    ASSERT_TRUE(m_session->SaveSetup(path)) << m_session->GetLastError();
    {
        FileSizeLimit limit(48 * 1024);
        ASSERT_TRUE(m_tool->ExecuteCommand(u"CopyReference")); // appends that fail part-way
        ASSERT_TRUE(m_session->Run());
    }
    ASSERT_TRUE(m_session->LoadSetup(path)) << m_session->GetLastError(); // stores filled by Load
    ASSERT_TRUE(m_session->Run());
    m_session->AddCompareTool(u"Compare 2");
    ASSERT_TRUE(m_session->GetToolIFace(m_session->GetTool(1))->ExecuteCommand(u"CopyReference"));
    EXPECT_FALSE(PagingFiles().empty()); // the stores page to files while the tools live

    m_session->RemoveAllTools();
    EXPECT_EQ(PagingFiles(), std::vector<fs::path>{});
}

} // namespace

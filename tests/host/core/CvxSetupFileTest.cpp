// The setup file: round trips through a real zip archive, defensive loading of damaged
// files, and saves that fail without harming the previous file.

#include "CvxBase.h"
#include "CvxID.h"
#include "CvxInfoMgr.h"
#include "CvxLabelChannel.h"
#include "CvxPersistHostTypes.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceElement.h"
#include "CvxPersistenceSetup.h"
#include "CvxPosition.h"
#include "CvxSetupFile.h"
#include "CvxSetupXmlReader.h"
#include "CvxStringConvert.h"
#include "CvxUtilsLockViewers.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Stream contents that deflate cannot shrink much, so the archive is really several MB.
std::vector<std::uint8_t> NoiseBytes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// A zip archive made directly with libzip, entry by entry.
void WriteZip(const fs::path& path, const std::vector<std::pair<std::string, std::string>>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, 0), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

std::string SetupXml(const std::string& streams)
{
    return "<?xml version=\"1.0\"?>\n<cvxsetup version=\"1\"><tag name=\"Tool\"><key name=\"N\" "
           "type=\"int\">7</key></tag>"
        + streams + "</cvxsetup>";
}

class CvxSetupFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("cvx-setup-test-" + std::to_string(getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir.string()));
    }
    void TearDown() override
    {
        CvxInfoMgr::GetInstance().Reset();
        fs::remove_all(m_dir);
    }

    std::vector<CvxInfoMgr::Entry> Log() const { return CvxInfoMgr::GetInstance().GetRecentMessages(); }
    static std::string Text(const CvxInfoMgr::Entry& entry) { return CvxStringConvert::ToUtf8(entry.text); }

    // Files in the folder other than the log: a failed save must leave no temporary behind.
    std::vector<std::string> FilesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            if (entry.path().filename() != "cvx-host.log") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    fs::path m_dir;
};

// Text that markup would change or refuse: NUL and control characters, an unpaired surrogate,
// a character outside the BMP, a non-character.
std::u16string OddText()
{
    static constexpr char16_t kOdd[] = u"nul\0ctl\x01 tab\t cr\r lone\xD800 pair\xD83D\xDE00 end\xFFFE";
    return std::u16string(kOdd, std::size(kOdd) - 1);
}

// A setup with everything a tool saves: nested tags, int and string keys with text that
// markup would change, all persistable host types, and several multi-MB streams.
void FillSetup(CvxPersistenceSetup& setup, CvxPersistenceData& data, const CvxPosition& position, const CvxID& id,
               const CvxLabelChannel& label, const CvxUtilsLockViewers& locks)
{
    setup.Write(u"Version", 3);
    ASSERT_TRUE(setup.OpenTag(u"CompareModel"));
    setup.Write(u"Config", u"<Config Name='a&amp;b' Note=\"q\"/>\r\n");
    setup.Write(u"Odd", OddText());
    setup.Write(u"Negative", -2147483647 - 1);
    ASSERT_TRUE(setup.OpenTag(u"CenterPosition"));
    CvxSave(setup, position);
    setup.CloseTag();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(setup.OpenTag(u"column" + CvxStringConvert::CtoW(std::to_string(i))));
        ASSERT_TRUE(setup.OpenTag(u"CompareColumn"));
        setup.Write(u"Config", u"<Config Width='" + CvxStringConvert::CtoW(std::to_string(40 + i)) + u"'/>");
        ASSERT_TRUE(setup.OpenTag(u"LabelInfo"));
        CvxSave(setup, label);
        setup.CloseTag();
        ASSERT_TRUE(setup.OpenTag(u"MarkerID"));
        CvxSave(setup, id);
        setup.CloseTag();
        ASSERT_TRUE(setup.OpenTag(u"Base"));
        CvxSave(setup, CvxBase(kBaseSignedDecimal));
        setup.CloseTag();
        setup.CloseTag();
        setup.CloseTag();
    }
    locks.Save(setup);
    setup.CloseTag();

    data.CreateDataStream(u"CompareSource0", CvxPersistenceData::kStreamWrite)->SetBytes(NoiseBytes(3 << 20, 1));
    data.CreateDataStream(u"CompareSource1", CvxPersistenceData::kStreamWrite)->SetBytes(NoiseBytes(5 << 20, 2));
    data.CreateDataStream(u"Empty", CvxPersistenceData::kStreamWrite);
    data.CreateDataStream(u"name/with\"odd'chars", CvxPersistenceData::kStreamWrite)->SetBytes({1, 2, 3});
}

} // namespace

TEST_F(CvxSetupFileTest, RoundTripKeepsTagsKeysHostTypesAndStreams)
{
    const CvxPosition position(CvxID::New(), CvxTime(-(CvxInt128(1) << 100)), -123456789012LL, 3, 1);
    const CvxID id = CvxID::New();
    const CvxLabelChannel label(CvxID::New(), 7);
    CvxUtilsLockViewers locks;
    locks.Add(CvxID::New(), true);
    locks.Add(CvxID::New(), false);

    CvxPersistenceSetup saved;
    CvxPersistenceData savedData;
    FillSetup(saved, savedData, position, id, label, locks);
    const fs::path path = m_dir / "all.cvxsetup";
    CvxSetupFile file(path);
    ASSERT_TRUE(file.Save(saved, savedData)) << testing::PrintToString(file.GetProblems());
    EXPECT_GT(fs::file_size(path), std::uintmax_t{8} << 20);

    CvxPersistenceSetup loaded;
    CvxPersistenceData loadedData;
    ASSERT_TRUE(file.Load(loaded, loadedData));
    EXPECT_TRUE(file.GetProblems().empty());
    EXPECT_TRUE(loaded.IsEqual(saved));
    EXPECT_FALSE(loaded.IsStoring());
    ASSERT_EQ(loadedData.GetStreamCount(), savedData.GetStreamCount());
    for (std::size_t i = 0; i < savedData.GetStreamCount(); ++i) {
        EXPECT_EQ(loadedData.GetStream(i).GetName(), savedData.GetStream(i).GetName());
        EXPECT_EQ(loadedData.GetStream(i).GetBytes(), savedData.GetStream(i).GetBytes());
    }

    // The host types come back through the loading cursor, as a tool reads them.
    ASSERT_TRUE(loaded.OpenTag(u"CompareModel"));
    std::u16string odd;
    EXPECT_TRUE(loaded.Read(u"Odd", odd));
    EXPECT_EQ(odd, OddText());
    ASSERT_TRUE(loaded.OpenTag(u"CenterPosition"));
    CvxPosition p;
    EXPECT_TRUE(CvxLoad(loaded, p));
    EXPECT_EQ(p, position);
    EXPECT_EQ(p.GetMode(), 1);
    loaded.CloseTag();
    ASSERT_TRUE(loaded.OpenTag(u"column2"));
    ASSERT_TRUE(loaded.OpenTag(u"CompareColumn"));
    ASSERT_TRUE(loaded.OpenTag(u"LabelInfo"));
    CvxLabelChannel l;
    EXPECT_TRUE(CvxLoad(loaded, l));
    EXPECT_EQ(l, label);
    loaded.CloseTag();
    ASSERT_TRUE(loaded.OpenTag(u"MarkerID"));
    CvxID i2;
    EXPECT_TRUE(CvxLoad(loaded, i2));
    EXPECT_EQ(i2, id);
    loaded.CloseTag();
    ASSERT_TRUE(loaded.OpenTag(u"Base"));
    CvxBase base;
    EXPECT_TRUE(CvxLoad(loaded, base));
    EXPECT_EQ(base.GetCode(), kBaseSignedDecimal);
    loaded.CloseTag();
    EXPECT_FALSE(loaded.OpenTag(u"NoSuchTag"));
    loaded.CloseTag();
    loaded.CloseTag();
    CvxUtilsLockViewers loadedLocks;
    EXPECT_TRUE(loadedLocks.Load(loaded));
    EXPECT_EQ(loadedLocks, locks);
}

// Every damaged file loads what it can: a file that cannot be a setup at all changes
// nothing; a bad stream is left out. Each problem is one log line naming the file.
TEST_F(CvxSetupFileTest, DamagedFilesLogOneLineAndKeepThePreviousState)
{
    const std::string validXml = SetupXml("<stream name=\"S\" entry=\"streams/0.bin\" size=\"10\"/>");
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        bool fatal;
        const char* phrase;
    };
    const std::vector<Case> cases = {
        {"missing file", [](const fs::path&) {}, true, "not loaded: no such file"},
        {"not a zip", [](const fs::path& p) { WriteBytes(p, "plain text, no archive\n"); }, true,
         "not a readable zip archive"},
        {"no setup.xml", [](const fs::path& p) { WriteZip(p, {{"other.txt", "x"}}); }, true,
         "the archive holds no setup.xml"},
        {"setup.xml does not parse",
         [](const fs::path& p) { WriteZip(p, {{"setup.xml", "<cvxsetup><tag name=\"a\"></cvxsetup>"}}); }, true,
         "setup.xml does not parse: line 1: unexpected end tag </cvxsetup>"},
        {"entity bomb", [](const fs::path& p) {
             WriteZip(p, {{"setup.xml", "<!DOCTYPE x [<!ENTITY a \"aaaa\">]><cvxsetup>&a;</cvxsetup>"}});
         },
         true, "declarations are not supported"},
        {"missing stream", [&](const fs::path& p) { WriteZip(p, {{"setup.xml", validXml}}); }, false,
         "data stream 'S' is missing (no entry 'streams/0.bin'); left out"},
        {"short stream",
         [&](const fs::path& p) { WriteZip(p, {{"setup.xml", validXml}, {"streams/0.bin", "12345"}}); }, false,
         "data stream 'S' holds 5 bytes, shorter than its declared 10; left out"},
        {"stream longer than declared",
         [&](const fs::path& p) { WriteZip(p, {{"setup.xml", validXml}, {"streams/0.bin", "0123456789AB"}}); },
         false, "data stream 'S' cannot be read (it holds more than 10 bytes); left out"},
        {"huge declared size",
         [](const fs::path& p) {
             WriteZip(p, {{"setup.xml", SetupXml("<stream name=\"S\" entry=\"s\" size=\"1099511627776\"/>")},
                          {"s", "tiny"}});
         },
         false, "data stream 'S' declares 1099511627776 bytes, more than the setup may hold; left out"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = m_dir / "damaged.cvxsetup";
        fs::remove(path);
        c.make(path);
        const std::vector<std::uint8_t> fileBefore = ReadBytes(path);

        CvxPersistenceSetup setup;
        setup.OpenTag(u"Previous");
        setup.Write(u"Key", u"value");
        CvxPersistenceData data;
        data.CreateDataStream(u"Old", CvxPersistenceData::kStreamWrite)->Write("abc", 3);
        CvxPersistenceSetup snapshot;
        snapshot.OpenTag(u"Previous");
        snapshot.Write(u"Key", u"value");

        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxSetupFile file(path);
        EXPECT_EQ(file.Load(setup, data), !c.fatal);
        const auto log = Log();
        ASSERT_EQ(log.size(), 1U);
        EXPECT_EQ(log[0].type, c.fatal ? kMessageError : kMessageWarning);
        EXPECT_NE(Text(log[0]).find("Setup file '" + path.string() + "'"), std::string::npos) << Text(log[0]);
        EXPECT_NE(Text(log[0]).find(c.phrase), std::string::npos) << Text(log[0]);
        EXPECT_EQ(ReadBytes(path), fileBefore);
        if (c.fatal) {
            EXPECT_TRUE(setup.IsEqual(snapshot));
            ASSERT_NE(data.GetDataStream(u"Old", CvxPersistenceData::kStreamRead), nullptr);
            EXPECT_EQ(data.GetStreamCount(), 1U);
        } else {
            // The rest of the setup loaded; the bad stream is absent, so its tool keeps defaults.
            ASSERT_TRUE(setup.OpenTag(u"Tool"));
            int n = 0;
            EXPECT_TRUE(setup.Read(u"N", n));
            EXPECT_EQ(n, 7);
            EXPECT_EQ(data.GetDataStream(u"S", CvxPersistenceData::kStreamRead), nullptr);
            EXPECT_EQ(data.GetDataStream(u"Old", CvxPersistenceData::kStreamRead), nullptr);
        }
    }
}

TEST_F(CvxSetupFileTest, TruncatedAndCorruptedArchives)
{
    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    setup.Write(u"K", 1);
    data.CreateDataStream(u"S", CvxPersistenceData::kStreamWrite)->SetBytes(NoiseBytes(1 << 20, 3));
    const fs::path path = m_dir / "good.cvxsetup";
    ASSERT_TRUE(CvxSetupFile(path).Save(setup, data));
    std::vector<std::uint8_t> bytes = ReadBytes(path);

    // Cut in half: the central directory is gone.
    const fs::path cut = m_dir / "cut.cvxsetup";
    WriteBytes(cut, std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)));
    CvxPersistenceSetup a;
    CvxPersistenceData b;
    EXPECT_FALSE(CvxSetupFile(cut).Load(a, b));

    // A flipped byte inside the stream's compressed data fails its check sum: the stream is
    // left out, the setup loads.
    bytes[bytes.size() / 2] ^= 0x5A;
    const fs::path flipped = m_dir / "flipped.cvxsetup";
    WriteBytes(flipped, std::string(bytes.begin(), bytes.end()));
    CvxSetupFile file(flipped);
    EXPECT_TRUE(file.Load(a, b));
    ASSERT_EQ(file.GetProblems().size(), 1U);
    EXPECT_NE(file.GetProblems()[0].find("data stream 'S' cannot be read"), std::string::npos);
    EXPECT_EQ(b.GetStreamCount(), 0U);
    int k = 0;
    EXPECT_TRUE(a.Read(u"K", k));
}

TEST_F(CvxSetupFileTest, InterruptedSaveLeavesTheEarlierFileByteIdentical)
{
    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    setup.Write(u"Generation", 1);
    data.CreateDataStream(u"S", CvxPersistenceData::kStreamWrite)->SetBytes(NoiseBytes(2 << 20, 4));
    const fs::path path = m_dir / "kept.cvxsetup";
    CvxSetupFile file(path);
    ASSERT_TRUE(file.Save(setup, data));
    const std::vector<std::uint8_t> before = ReadBytes(path);

    // The disk fills up after 100 kB of the new file.
    std::size_t written = 0;
    file.SetWriteFunction([&](int fd, const void* bytes, std::size_t length) -> ssize_t {
        if (written >= 100'000) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(length, 100'000 - written);
        written += n;
        return write(fd, bytes, n);
    });
    setup.Write(u"Generation", 2);
    data.CreateDataStream(u"S", CvxPersistenceData::kStreamWrite)->SetBytes(NoiseBytes(3 << 20, 5));
    CvxInfoMgr::GetInstance().ClearRecentMessages();
    EXPECT_FALSE(file.Save(setup, data));
    EXPECT_EQ(written, 100'000U);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"kept.cvxsetup"});
    const auto log = Log();
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].type, kMessageError);
    EXPECT_EQ(Text(log[0]), "Setup file '" + path.string() + "': not saved: No space left on device");

    // With the disk back, the same save goes through and replaces the file.
    file.SetWriteFunction(nullptr);
    EXPECT_TRUE(file.Save(setup, data));
    CvxPersistenceSetup loaded;
    CvxPersistenceData loadedData;
    ASSERT_TRUE(file.Load(loaded, loadedData));
    int generation = 0;
    EXPECT_TRUE(loaded.Read(u"Generation", generation));
    EXPECT_EQ(generation, 2);
}

TEST_F(CvxSetupFileTest, SaveWhereNoFileCanBeMadeSaysWhy)
{
    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    WriteBytes(m_dir / "plain", "not a folder");
    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {m_dir / "missing" / "x.cvxsetup", "No such file or directory"},
        {m_dir / "plain" / "x.cvxsetup", "Not a directory"},
    };
    for (const auto& c : cases) {
        CvxInfoMgr::GetInstance().ClearRecentMessages();
        CvxSetupFile file(c.path);
        EXPECT_FALSE(file.Save(setup, data));
        const auto log = Log();
        ASSERT_EQ(log.size(), 1U);
        EXPECT_NE(Text(log[0]).find(c.path.string()), std::string::npos);
        EXPECT_NE(Text(log[0]).find(c.reason), std::string::npos) << Text(log[0]);
    }
    // A folder in the way of the target: the temporary file is made, then removed again.
    fs::create_directories(m_dir / "taken.cvxsetup" / "inside");
    EXPECT_FALSE(CvxSetupFile(m_dir / "taken.cvxsetup").Save(setup, data));
    EXPECT_EQ(FilesInFolder().size(), 2U); // "plain" and the folder
}

TEST(CvxSetupXmlReaderTest, RefusesWhatItCannotReadSafely)
{
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {std::string(3000, '<').replace(0, 0, "<cvxsetup>"), "a name was expected"},
        {"<cvxsetup>" + [] {
             std::string s;
             for (int i = 0; i < 1200; ++i) {
                 s += "<tag name=\"t\">";
             }
             return s;
         }(),
         "nested deeper than 1000 levels"},
        {"<cvxsetup><key name=\"k\" type=\"int\">12x</key></cvxsetup>", "key 'k' holds no int"},
        {"<cvxsetup><key name=\"k\">&bogus;</key></cvxsetup>", "unknown entity &bogus;"},
        {"<cvxsetup><key name=\"k\"><tag name=\"t\"/></key></cvxsetup>", "element <tag> inside a key"},
        {"<cvxsetup version=\"2\"></cvxsetup>", "setup version 2 is not supported"},
        {"<other/>", "the root element is <other>"},
        {"<cvxsetup>\n\n stray</cvxsetup>", "line 3: text outside a key"},
        {"", "no <cvxsetup> element"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CvxPersistenceElement> root;
        std::vector<CvxSetupStreamEntry> streams;
        std::string error;
        EXPECT_FALSE(CvxSetupXmlReader::Read(c.text, root, streams, error)) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    // Unknown elements are skipped with their contents; comments and CDATA are read.
    std::unique_ptr<CvxPersistenceElement> root;
    std::vector<CvxSetupStreamEntry> streams;
    std::string error;
    ASSERT_TRUE(CvxSetupXmlReader::Read("<cvxsetup><!-- c --><future><key name=\"x\">1</key></future>"
                                        "<key name=\"k\"><![CDATA[<raw>]]>&#x1F600;</key></cvxsetup>",
                                        root, streams, error))
        << error;
    EXPECT_EQ(root->GetKeyCount(), 1U);
    EXPECT_EQ(std::get<std::u16string>(*root->FindValue(u"k")), u"<raw>\xD83D\xDE00");
}

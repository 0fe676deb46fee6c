#include "CvxSetupFile.h"

#include "CvxInfoMgr.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceElement.h"
#include "CvxPersistenceSetup.h"
#include "CvxSetupXmlReader.h"
#include "CvxSetupXmlWriter.h"
#include "CvxStringConvert.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kSetupEntry = "setup.xml";
constexpr std::size_t kChunk = 4U << 20;

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct ZipSourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipDiscard>;
using ZipFilePtr = std::unique_ptr<zip_file_t, ZipFileClose>;
using ZipSourcePtr = std::unique_ptr<zip_source_t, ZipSourceFree>;

// Closes a descriptor and removes the temporary file unless the save went through.
class TempFile {
public:
    TempFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
        if (!m_kept) {
            unlink(m_path.c_str());
        }
    }
    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }
    void Keep() { m_kept = true; }

private:
    int m_fd;
    std::string m_path;
    bool m_kept = false;
};

// Partial saves of this setup ("." + name + "." + 6 characters) that a killed save left:
// the lock their saver held went with it. One that is locked is being saved right now.
void RemoveStalePartialSaves(const std::filesystem::path& folder, const std::string& prefix)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(it->path().c_str());
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

std::string StreamName(const std::u16string& name)
{
    return Quoted(CvxStringConvert::ToUtf8(name));
}

// The size an entry can really have: what its header says, but no more than its compressed
// bytes in the file can expand to (deflate expands at most about 1032 times) and no more
// than the caller's limit.
std::uint64_t BackedSize(zip_t* archive, zip_uint64_t index, std::uint64_t limit)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0 || (st.valid & ZIP_STAT_SIZE) == 0
        || (st.valid & ZIP_STAT_COMP_SIZE) == 0 || (st.valid & ZIP_STAT_COMP_METHOD) == 0) {
        return 0;
    }
    const std::uint64_t factor = st.comp_method == ZIP_CM_STORE ? 1 : 1032;
    const std::uint64_t expands = st.comp_size > limit / factor ? limit : st.comp_size * factor;
    return std::min({static_cast<std::uint64_t>(st.size), expands, limit});
}

// Reads a whole archive entry of at most `limit` bytes. The buffer is sized once from the
// entry's backed size; an entry that turns out longer grows it with the bytes that actually
// arrive, whatever sizes the archive claims.
bool ReadEntry(zip_t* archive, zip_uint64_t index, std::uint64_t limit, std::vector<std::uint8_t>& out,
               std::string& reason)
{
    const ZipFilePtr file(zip_fopen_index(archive, index, 0));
    if (!file) {
        reason = zip_strerror(archive);
        return false;
    }
    out.assign(static_cast<std::size_t>(BackedSize(archive, index, limit)), 0);
    std::size_t filled = 0;
    while (true) {
        if (filled == out.size()) {
            // One more byte than the limit tells an entry that is too long.
            const std::uint64_t room = limit + 1 - filled;
            out.resize(filled + static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, room)));
        }
        const zip_int64_t n = zip_fread(file.get(), out.data() + filled, out.size() - filled);
        if (n < 0) {
            reason = zip_file_strerror(file.get());
            out.clear();
            return false;
        }
        filled += static_cast<std::size_t>(n);
        if (filled > limit) {
            reason = "it holds more than " + std::to_string(limit) + " bytes";
            out.clear();
            return false;
        }
        if (n == 0) {
            out.resize(filled);
            return true;
        }
    }
}

// A libzip source that the archive is written into: a new, empty archive whose bytes go to an
// open file. Commit and rollback are left to Save (fsync and rename, or removal).
struct FileSink {
    std::function<bool(const void*, std::size_t, std::string&)> write;
    int fd;
    zip_error_t error;
    std::string reason; // why a write failed, as the system says it

    static zip_int64_t Callback(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto* sink = static_cast<FileSink*>(user);
        switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                                  ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                                                  ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE,
                                                  ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, ZIP_SOURCE_SUPPORTS, -1);
        case ZIP_SOURCE_STAT: {
            // An empty archive: there is nothing to read before writing.
            auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &sink->error);
            if (st == nullptr) {
                return -1;
            }
            zip_stat_init(st);
            st->size = 0;
            st->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_WRITE:
            if (!sink->write(data, static_cast<std::size_t>(length), sink->reason)) {
                zip_error_set(&sink->error, ZIP_ER_WRITE, 0);
                return -1;
            }
            return static_cast<zip_int64_t>(length);
        case ZIP_SOURCE_SEEK_WRITE: {
            auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &sink->error);
            if (args == nullptr || lseek(sink->fd, args->offset, args->whence) < 0) {
                zip_error_set(&sink->error, ZIP_ER_SEEK, errno);
                return -1;
            }
            return 0;
        }
        case ZIP_SOURCE_TELL_WRITE: {
            const off_t at = lseek(sink->fd, 0, SEEK_CUR);
            if (at < 0) {
                zip_error_set(&sink->error, ZIP_ER_TELL, errno);
            }
            return at;
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&sink->error, data, length);
        case ZIP_SOURCE_READ:
            return 0;
        default:
            return 0; // open, close, seek, tell, begin/commit/rollback write, remove, free
        }
    }
};

mode_t ModeFor(const std::filesystem::path& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    return 0644;
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Adds a buffer as an archive entry; the buffer must live until the archive is closed.
bool AddEntry(zip_t* archive, const char* name, const void* bytes, std::size_t length, zip_int32_t method, int level)
{
    static const char kNothing = 0;
    zip_source_t* source = zip_source_buffer(archive, length == 0 ? &kNothing : bytes, length, 0);
    if (source == nullptr) {
        return false;
    }
    const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, static_cast<zip_uint32_t>(level))
        == 0;
}

} // namespace

CvxSetupFile::CvxSetupFile(std::filesystem::path path) : m_path(std::move(path)) {}

void CvxSetupFile::SetWriteFunction(WriteFunction write)
{
    m_write = std::move(write);
}

void CvxSetupFile::SetLimits(std::uint64_t maxStreamBytes, std::uint64_t maxTotalBytes)
{
    m_maxStreamBytes = maxStreamBytes;
    m_maxTotalBytes = maxTotalBytes;
}

void CvxSetupFile::Report(int type, const std::string& problem)
{
    m_problems.push_back(problem);
    CvxInfoMgr::GetInstance().LogMessage(
        type, CvxStringConvert::FromUtf8("Setup file " + Quoted(m_path.string()) + ": " + problem));
}

bool CvxSetupFile::WriteAll(int fd, const void* bytes, std::size_t length, std::string& reason)
{
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    while (length > 0) {
        const ssize_t n = m_write ? m_write(fd, p, length) : write(fd, p, length);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            reason = n < 0 ? std::strerror(errno) : "the disk took no more bytes";
            return false;
        }
        p += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CvxSetupFile::Save(const CvxPersistenceSetup& setup, const CvxPersistenceData& data)
{
    m_problems.clear();
    const auto fail = [this](const std::string& reason) {
        Report(kMessageError, "not saved: " + reason);
        return false;
    };

    for (std::size_t i = 0; i < data.GetStreamCount(); ++i) {
        if (data.GetStream(i).IsFailed()) {
            return fail("the data stream " + Quoted(CvxStringConvert::ToUtf8(data.GetStream(i).GetName()))
                        + " is incomplete: " + data.GetStream(i).GetFailure());
        }
    }
    const std::filesystem::path folder = m_path.has_parent_path() ? m_path.parent_path() : ".";
    const std::string partial = "." + m_path.filename().string() + ".";
    RemoveStalePartialSaves(folder, partial);
    std::string pattern = (folder / (partial + "XXXXXX")).string();
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return fail("cannot make a file in " + Quoted(folder.string()) + ": " + std::strerror(errno));
    }
    // Held until the file is renamed or removed: a partial save nobody locks is stale.
    ::flock(fd, LOCK_EX);
    TempFile temp(fd, pattern);
    if (fchmod(fd, ModeFor(m_path)) != 0) {
        return fail(std::string("cannot set the file mode: ") + std::strerror(errno));
    }

    std::vector<CvxSetupStreamEntry> entries;
    for (std::size_t i = 0; i < data.GetStreamCount(); ++i) {
        const CvxPersistenceDataStream& stream = data.GetStream(i);
        entries.push_back({stream.GetName(), "streams/" + std::to_string(i) + ".bin", stream.GetLength()});
    }
    const std::string xml = CvxSetupXmlWriter::Write(setup.GetRoot(), entries);

    // libzip writes the archive straight into the temporary file, through WriteAll.
    FileSink sink{[&](const void* bytes, std::size_t length, std::string& reason) {
                      return WriteAll(fd, bytes, length, reason);
                  },
                  fd, {}, {}};
    zip_error_init(&sink.error);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(&FileSink::Callback, &sink, &error);
    ZipPtr archive(source != nullptr ? zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr);
    if (!archive) {
        if (source != nullptr) {
            zip_source_free(source);
        }
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        zip_error_fini(&sink.error);
        return fail(reason);
    }
    zip_error_fini(&error);
    bool added = AddEntry(archive.get(), kSetupEntry, xml.data(), xml.size(), ZIP_CM_DEFLATE, 6);
    for (std::size_t i = 0; added && i < entries.size(); ++i) {
        const auto& bytes = data.GetStream(i).GetBytes();
        // Streams are stored as they are: they are large, and deflating them would keep the
        // user waiting several times longer than writing them (see the setup_file_save_load bench).
        added = AddEntry(archive.get(), entries[i].entry.c_str(), bytes.data(), bytes.size(), ZIP_CM_STORE, 0);
    }
    const bool closed = added && zip_close(archive.get()) == 0;
    if (!closed) {
        const std::string reason = !sink.reason.empty() ? sink.reason : zip_strerror(archive.get());
        zip_error_fini(&sink.error);
        return fail(reason);
    }
    static_cast<void>(archive.release()); // zip_close freed it, and the source with it
    zip_error_fini(&sink.error);

    if (fsync(temp.Fd()) != 0 || !temp.Close()) {
        return fail(std::strerror(errno));
    }
    if (rename(temp.Path().c_str(), m_path.c_str()) != 0) {
        return fail(std::strerror(errno));
    }
    temp.Keep();
    SyncFolder(folder);
    return true;
}

bool CvxSetupFile::Load(CvxPersistenceSetup& setup, CvxPersistenceData& data)
{
    m_problems.clear();
    const auto fail = [this](const std::string& reason) {
        Report(kMessageError, "not loaded: " + reason);
        return false;
    };

    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) {
        return fail("no such file");
    }
    if (std::filesystem::is_directory(m_path, ec)) {
        return fail("it is a directory, not a setup file");
    }
    int code = 0;
    const ZipPtr archive(zip_open(m_path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        return fail("it is not a readable zip archive (" + reason + ")");
    }
    const zip_int64_t xmlIndex = zip_name_locate(archive.get(), kSetupEntry, 0);
    if (xmlIndex < 0) {
        return fail("the archive holds no setup.xml");
    }
    std::vector<std::uint8_t> xml;
    std::string reason;
    if (!ReadEntry(archive.get(), static_cast<zip_uint64_t>(xmlIndex), kMaxXmlBytes, xml, reason)) {
        return fail("setup.xml cannot be read: " + reason);
    }
    std::unique_ptr<CvxPersistenceElement> root;
    std::vector<CvxSetupStreamEntry> streams;
    if (!CvxSetupXmlReader::Read(std::string_view(reinterpret_cast<const char*>(xml.data()), xml.size()), root,
                                 streams, reason)) {
        return fail("setup.xml does not parse: " + reason);
    }
    xml = {};

    CvxPersistenceData loaded;
    std::uint64_t total = 0;
    for (const CvxSetupStreamEntry& stream : streams) {
        const zip_int64_t index = zip_name_locate(archive.get(), stream.entry.c_str(), 0);
        if (index < 0) {
            Report(kMessageWarning, "data stream " + StreamName(stream.name) + " is missing (no entry "
                                        + Quoted(stream.entry) + "); left out");
            continue;
        }
        if (stream.size > m_maxStreamBytes || stream.size > m_maxTotalBytes - std::min(total, m_maxTotalBytes)) {
            Report(kMessageWarning, "data stream " + StreamName(stream.name) + " declares " + std::to_string(stream.size)
                                        + " bytes, more than the setup may hold; left out");
            continue;
        }
        std::vector<std::uint8_t> bytes;
        if (!ReadEntry(archive.get(), static_cast<zip_uint64_t>(index), stream.size, bytes, reason)) {
            Report(kMessageWarning,
                   "data stream " + StreamName(stream.name) + " cannot be read (" + reason + "); left out");
            continue;
        }
        if (bytes.size() != stream.size) {
            Report(kMessageWarning, "data stream " + StreamName(stream.name) + " holds " + std::to_string(bytes.size())
                                        + " bytes, shorter than its declared " + std::to_string(stream.size)
                                        + "; left out");
            continue;
        }
        total += bytes.size();
        loaded.CreateDataStream(stream.name, CvxPersistenceData::kStreamWrite)->SetBytes(std::move(bytes));
    }
    setup.SetRoot(std::move(root));
    setup.SetStoring(false);
    data = std::move(loaded);
    return true;
}

// Saving and loading a setup file with large reference data streams.

#include "CvxBench.h"

#include "CvxInfoMgr.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceSetup.h"
#include "CvxSetupFile.h"
#include "CvxStringConvert.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kStreamBytes = 32U << 20;
constexpr int kStreams = 4;

// Sampled bus values: slowly counting addresses with noisy low bits, as reference data is.
std::vector<std::uint8_t> StreamBytes(int seed)
{
    std::vector<std::uint8_t> bytes(kStreamBytes);
    std::uint32_t state = 2463534242U + static_cast<std::uint32_t>(seed);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<std::uint8_t>((i >> 10) ^ (state & 0x0F));
    }
    return bytes;
}

// The same bytes written with write and fsync, then read back: the physical floor of a save
// and a load.
void RawWriteRead(const std::filesystem::path& path, const std::vector<std::vector<std::uint8_t>>& streams)
{
    const int out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (const auto& s : streams) {
        CvxBenchKeep(write(out, s.data(), s.size()));
    }
    fsync(out);
    close(out);
    const int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<std::uint8_t> buffer(kStreamBytes);
    for (std::size_t i = 0; i < streams.size(); ++i) {
        CvxBenchKeep(read(in, buffer.data(), buffer.size()));
    }
    close(in);
}

// Save and load of a setup holding 4 streams of 32 MB (items are bytes), against raw
// sequential file I/O of the same bytes.
CvxBenchResult SetupFileSaveLoad()
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("cvx-bench-setup-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(dir.string()));

    CvxPersistenceSetup setup;
    CvxPersistenceData data;
    std::vector<std::vector<std::uint8_t>> raw;
    setup.OpenTag(u"CompareModel");
    setup.Write(u"NumberOfCompareSources", kStreams);
    for (int i = 0; i < kStreams; ++i) {
        raw.push_back(StreamBytes(i));
        const std::u16string name = u"CompareSource" + CvxStringConvert::CtoW(std::to_string(i));
        data.CreateDataStream(name, CvxPersistenceData::kStreamWrite)->SetBytes(raw.back());
    }
    CvxSetupFile file(dir / "bench.cvxsetup");
    bool ok = true;
    const CvxBenchTimes times = CvxBenchBestPair(
        3,
        [&] {
            CvxPersistenceSetup loaded;
            CvxPersistenceData loadedData;
            ok = file.Save(setup, data) && file.Load(loaded, loadedData) && ok;
            ok = ok && loadedData.GetTotalBytes() == data.GetTotalBytes();
        },
        [&] { RawWriteRead(dir / "raw.bin", raw); });
    const double fileBytes = static_cast<double>(std::filesystem::file_size(dir / "bench.cvxsetup"));
    std::filesystem::remove_all(dir);

    const double items = static_cast<double>(kStreamBytes) * kStreams;
    CvxBenchResult r;
    r.itemsPerS = items / times.seconds;
    r.baselineItemsPerS = items / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.Check("round_trip_ok", ok);
    r.extra.emplace_back("file_bytes_per_stream_byte", fileBytes / items);
    return r;
}

const CvxBenchRegistrar kSetupFileSaveLoad("setup_file_save_load", SetupFileSaveLoad, 0.12, 0);

} // namespace

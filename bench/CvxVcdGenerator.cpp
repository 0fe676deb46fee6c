#include "CvxVcdGenerator.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kWidths[] = {8, 16, 24, 32, 48, 64};

std::uint64_t Next(std::uint64_t& state)
{
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t x = state;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::string Code(int index)
{
    std::string code;
    do {
        code.push_back(static_cast<char>('!' + index % 94));
        index /= 94;
    } while (index > 0);
    return code;
}

} // namespace

std::uint64_t CvxVcdGenerator::Write(const std::string& path, const CvxVcdGeneratorOptions& options)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || options.variables < 1) {
        return 0;
    }
    std::string out = "$date generated $end\n$version cvx-bench $end\n$timescale 1ns $end\n$scope module bench $end\n";
    for (int v = 0; v < options.variables; ++v) {
        const int width = kWidths[v % 6];
        out += "$var wire " + std::to_string(width) + " " + Code(v) + " v" + std::to_string(v) + " [" + std::to_string(width - 1)
            + ":0] $end\n";
    }
    out += "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
    std::uint64_t state = options.seed;
    const auto change = [&](int v) {
        const int width = kWidths[v % 6];
        const std::uint64_t value = Next(state);
        out.push_back('b');
        for (int bit = width - 1; bit >= 0; --bit) {
            out.push_back(static_cast<char>('0' + ((value >> bit) & 1U)));
        }
        out.push_back(' ');
        out += Code(v);
        out.push_back('\n');
    };
    for (int v = 0; v < options.variables; ++v) {
        change(v);
    }
    out += "$end\n";
    std::uint64_t written = 0;
    char stamp[32];
    for (std::uint64_t t = 1; written + out.size() < options.targetBytes; ++t) {
        out.append(stamp, static_cast<std::size_t>(std::snprintf(stamp, sizeof stamp, "#%llu\n", static_cast<unsigned long long>(t * 10))));
        for (int c = 0; c < options.changesPerTimestamp; ++c) {
            change(static_cast<int>(Next(state) % static_cast<std::uint64_t>(options.variables)));
        }
        if (out.size() >= (4U << 20)) {
            if (std::fwrite(out.data(), 1, out.size(), file.get()) != out.size()) {
                return 0;
            }
            written += out.size();
            out.clear();
        }
    }
    if (std::fwrite(out.data(), 1, out.size(), file.get()) != out.size()) {
        return 0;
    }
    return written + out.size();
}

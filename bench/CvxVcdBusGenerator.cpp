#include "CvxVcdBusGenerator.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

std::uint64_t Next(std::uint64_t& state)
{
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t x = state;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

void Vector(std::string& out, std::uint64_t value, int width, char code)
{
    out.push_back('b');
    for (int bit = width - 1; bit >= 0; --bit) {
        out.push_back(static_cast<char>('0' + ((value >> bit) & 1U)));
    }
    out.push_back(' ');
    out.push_back(code);
    out.push_back('\n');
}

} // namespace

std::uint64_t CvxVcdBusGenerator::Write(const std::string& path, const CvxVcdBusOptions& options)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        return 0;
    }
    std::vector<std::int64_t> flips = options.flippedCycles;
    std::sort(flips.begin(), flips.end());
    std::string out = "$timescale 1ns $end\n$scope module bus $end\n"
                      "$var wire 1 ! clk $end\n$var wire 1 \" rd_strb $end\n$var wire 1 # wr_strb $end\n"
                      "$var wire 8 $ data8 [7:0] $end\n$var wire 16 % addr16 [15:0] $end\n"
                      "$var wire 32 & data32 [31:0] $end\n$var wire 64 ' data64 [63:0] $end\n"
                      "$upscope $end\n$enddefinitions $end\n";
    std::uint64_t state = options.seed;
    std::uint64_t written = 0;
    std::size_t nextFlip = 0;
    char stamp[32];
    for (std::int64_t cycle = 0; cycle < options.cycles; ++cycle) {
        const std::uint64_t r = Next(state);
        const std::uint64_t data32 = Next(state) & 0xFFFFFFFFU;
        const bool flipped = nextFlip < flips.size() && flips[nextFlip] == cycle;
        nextFlip += flipped ? 1 : 0;
        out.append(stamp, static_cast<std::size_t>(std::snprintf(stamp, sizeof stamp, "#%lld\n1!\n",
                                                                 static_cast<long long>(CycleTimeNs(cycle)))));
        out += (r & 1U) != 0 ? "1\"\n0#\n" : "0\"\n1#\n";
        Vector(out, (r >> 8) & 0xFFU, 8, '$');
        Vector(out, (r >> 16) & 0xFFFFU, 16, '%');
        Vector(out, flipped ? data32 ^ (1U << 5) : data32, 32, '&');
        Vector(out, Next(state), 64, '\'');
        out.append(stamp, static_cast<std::size_t>(std::snprintf(stamp, sizeof stamp, "#%lld\n0!\n",
                                                                 static_cast<long long>(CycleTimeNs(cycle) + 5))));
        if (flipped) {
            Vector(out, data32, 32, '&'); // the right value again from the falling edge on
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

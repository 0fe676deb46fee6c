#include "CvxVcdGenerator.h"

#include "CvxVcdWriter.h"

namespace {

constexpr int kWidths[] = {8, 16, 24, 32, 48, 64};

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
    CvxVcdWriter out(path);
    if (!out.IsOpen() || options.variables < 1) {
        return 0;
    }
    out.Append("$date generated $end\n$version cvx-bench $end\n$timescale 1ns $end\n$scope module bench $end\n");
    for (int v = 0; v < options.variables; ++v) {
        const int width = kWidths[v % 6];
        out.Append("$var wire " + std::to_string(width) + " " + Code(v) + " v" + std::to_string(v) + " ["
                   + std::to_string(width - 1) + ":0] $end\n");
    }
    out.Append("$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n");
    std::uint64_t state = options.seed;
    const auto change = [&](int v) { out.Vector(CvxVcdWriter::Next(state), kWidths[v % 6], Code(v)); };
    for (int v = 0; v < options.variables; ++v) {
        change(v);
    }
    out.Append("$end\n");
    for (std::int64_t t = 1; out.GetSize() < options.targetBytes; ++t) {
        out.Stamp(t * 10);
        for (int c = 0; c < options.changesPerTimestamp; ++c) {
            change(static_cast<int>(CvxVcdWriter::Next(state) % static_cast<std::uint64_t>(options.variables)));
        }
        if (!out.FlushIfFull()) {
            return 0;
        }
    }
    return out.Finish();
}

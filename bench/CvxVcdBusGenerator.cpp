#include "CvxVcdBusGenerator.h"

#include "CvxVcdWriter.h"

#include <algorithm>

std::uint64_t CvxVcdBusGenerator::Write(const std::string& path, const CvxVcdBusOptions& options)
{
    CvxVcdWriter out(path);
    if (!out.IsOpen()) {
        return 0;
    }
    std::vector<std::int64_t> flips = options.flippedCycles;
    std::sort(flips.begin(), flips.end());
    out.Append("$timescale 1ns $end\n$scope module bus $end\n"
               "$var wire 1 ! clk $end\n$var wire 1 \" rd_strb $end\n$var wire 1 # wr_strb $end\n"
               "$var wire 8 $ data8 [7:0] $end\n$var wire 16 % addr16 [15:0] $end\n"
               "$var wire 32 & data32 [31:0] $end\n$var wire 64 ' data64 [63:0] $end\n"
               "$upscope $end\n$enddefinitions $end\n");
    std::uint64_t state = options.seed;
    std::size_t nextFlip = 0;
    for (std::int64_t cycle = 0; cycle < options.cycles; ++cycle) {
        const std::uint64_t r = CvxVcdWriter::Next(state);
        const std::uint64_t data32 = CvxVcdWriter::Next(state) & 0xFFFFFFFFU;
        const bool flipped = nextFlip < flips.size() && flips[nextFlip] == cycle;
        nextFlip += flipped ? 1 : 0;
        out.Stamp(CycleTimeNs(cycle));
        out.Append("1!\n");
        out.Append((r & 1U) != 0 ? "1\"\n0#\n" : "0\"\n1#\n");
        out.Vector((r >> 8) & 0xFFU, 8, "$");
        out.Vector((r >> 16) & 0xFFFFU, 16, "%");
        out.Vector(flipped ? data32 ^ (1U << 5) : data32, 32, "&");
        out.Vector(CvxVcdWriter::Next(state), 64, "'");
        out.Stamp(CycleTimeNs(cycle) + 5);
        out.Append("0!\n");
        if (flipped) {
            out.Vector(data32, 32, "&"); // the right value again from the falling edge on
        }
        if (!out.FlushIfFull()) {
            return 0;
        }
    }
    return out.Finish();
}

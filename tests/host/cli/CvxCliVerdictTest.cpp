// Verdicts of cvx-compare on small hand-made captures where a waveform viewer shows the truth:
// four-state values, captures that change at different times, captures of unequal length,
// and what a setup used as the reference keeps for later captures.

#include "CvxCliTestSupport.h"

using namespace cvxtest;

namespace {

// A VCD header declaring one bus `d` of `width` bits under module top (code !) and a signal
// `s` (code ").
std::string Header(int width, const std::string& timescale = "1ns")
{
    return "$timescale " + timescale + " $end\n$scope module top $end\n$var wire " + std::to_string(width) + " ! d ["
        + std::to_string(width - 1) + ":0] $end\n$var wire 1 \" s $end\n$upscope $end\n$enddefinitions $end\n";
}

class CvxCliVerdictTest : public CvxCliProgramTest {};

} // namespace

TEST_F(CvxCliVerdictTest, XAndZOnEitherSideNeverCompareEqual)
{
    for (const int width : {4, 64, 100}) {
        const std::string pad(static_cast<std::size_t>(width - 4), '0');
        const fs::path four = Write("four.vcd", Header(width) + "#0\nb0 !\n0\"\n#10\nb" + pad + "1x1z !\nx\"\n#20\nb11 !\n0\"\n");
        const fs::path two = Write("two.vcd", Header(width) + "#0\nb0 !\n0\"\n#10\nb" + pad + "1011 !\n0\"\n#20\nb11 !\n0\"\n");
        for (const auto& [reference, input] : {std::pair{four, two}, std::pair{two, four}}) {
            for (const char* form : {"text", "csv", "markup"}) {
                const Outcome r = Run({"compare", "--format", form, reference.string(), input.string()});
                EXPECT_EQ(r.status, 1) << width << form << r.out << r.err;
                EXPECT_TRUE(Has(r.out, form == std::string("csv") ? "\n3,2,6,2,1\n" : "Differences")) << r.out;
                // Either side shows its X/Z: hex X for buses up to 64 bits, binary x/z beyond.
                EXPECT_TRUE(Has(r.out, width > 64 ? "1x1z" : "X")) << width << form << r.out;
            }
        }
    }
}

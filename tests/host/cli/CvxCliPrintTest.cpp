// compare --pdf and --png: the comparison printed as the Compare window prints it, read back
// with pdftotext; the Compare window's picture, centred on the first difference or a time; and
// the options that belong to one of them refused alone.

#include "CvxCliTestSupport.h"

#include <QColor>
#include <QImage>

#include <cstdio>
#include <regex>

using namespace cvxtest;

namespace {

class CvxCliPrintTest : public CvxCliProgramTest {
protected:
    // The PDF's text, page by page (pdftotext ends every page with a form feed).
    static std::vector<std::string> PdfPages(const fs::path& pdf)
    {
        std::vector<std::string> pages;
        FILE* pipe = ::popen(("pdftotext -layout '" + pdf.string() + "' -").c_str(), "r");
        if (pipe == nullptr) {
            return pages;
        }
        std::string text;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        EXPECT_EQ(::pclose(pipe), 0);
        std::size_t start = 0;
        for (std::size_t feed = text.find('\f'); feed != std::string::npos; feed = text.find('\f', start)) {
            pages.push_back(text.substr(start, feed - start));
            start = feed + 1;
        }
        return pages;
    }

    // `buses` 64-bit buses BUS0, BUS1, ... over 8 timestamps 10 ns apart; `differ` sets BUS0 to
    // 0xBEEF at 30 ns.
    fs::path WriteWide(const std::string& name, int buses, bool differ) const
    {
        std::string vcd = "$timescale 1ns $end\n$scope module top $end\n";
        for (int b = 0; b < buses; ++b) {
            vcd += "$var wire 64 v" + std::to_string(b) + " BUS" + std::to_string(b) + " [63:0] $end\n";
        }
        vcd += "$upscope $end\n$enddefinitions $end\n";
        for (int t = 0; t < 8; ++t) {
            vcd += "#" + std::to_string(t * 10) + "\n";
            for (int b = 0; b < buses; ++b) {
                const unsigned value = differ && b == 0 && t == 3 ? 0xBEEFu : 0x1111u * (t + 1) + b;
                std::string bits;
                for (int bit = 15; bit >= 0; --bit) {
                    bits += (value >> bit) & 1 ? '1' : '0';
                }
                vcd += "b" + bits + " v" + std::to_string(b) + "\n";
            }
        }
        return Write(name, vcd);
    }
};

} // namespace

TEST_F(CvxCliPrintTest, PdfHasTheTextsWithTokensReplacedTheColumnsAndTheDifferingRow)
{
    const fs::path pdf = Path("report.pdf");
    const Outcome outcome = Run({"compare", WriteVcd("a.vcd", 20).string(), WriteVcd("b.vcd", 20, {{5, 0xFF}}).string(),
                                 "--pdf", pdf.string(), "--header", "%Name%|lab bench|Page %Page%", "--footer",
                                 "%Span%"});
    ASSERT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_TRUE(Has(outcome.err, "printed 1 page to " + pdf.string())) << outcome.err;
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const std::string& page = pages[0];
    EXPECT_FALSE(Has(page, "%")) << page;
    EXPECT_TRUE(std::regex_search(page, std::regex("Compare +lab bench +Page 1\\n"))) << page;
    EXPECT_TRUE(Has(page, "Time 0 s to 190 ns")) << page;
    EXPECT_TRUE(std::regex_search(page, std::regex("top\\.clk +top\\.data +top\\.addr"))) << page;
    // Sample 5: data flipped from C4 to 3B (input, then reference), clk and addr equal.
    EXPECT_TRUE(std::regex_search(page, std::regex("\\n5 +50 ns +1 +1 +3B +C4 +000F +000F\\n"))) << page;
}

TEST_F(CvxCliPrintTest, ColumnsWiderThanThePagePrintInFieldGroupsOneGroupAPage)
{
    const int buses = 12;
    const fs::path pdf = Path("wide.pdf");
    const Outcome outcome = Run({"compare", WriteWide("a.vcd", buses, false).string(),
                                 WriteWide("b.vcd", buses, true).string(), "--pdf", pdf.string(), "--footer",
                                 "||%Page%"});
    ASSERT_EQ(outcome.status, 1) << outcome.err;
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(Has(outcome.err, "printed " + std::to_string(pages.size()) + " pages")) << outcome.err;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::string n = std::to_string(p + 1);
        EXPECT_TRUE(std::regex_search(pages[p], std::regex(n + " +\\(row " + n + " - col 1\\)"))) << pages[p];
        // The time column repeats in every group.
        EXPECT_TRUE(Has(pages[p], "30 ns")) << pages[p];
    }
    EXPECT_TRUE(Has(pages.front(), "BUS0")) << pages.front();
    EXPECT_TRUE(Has(pages.front(), "BEEF")) << pages.front();
    EXPECT_FALSE(Has(pages.front(), "BUS11")) << pages.front();
    EXPECT_TRUE(Has(pages.back(), "BUS11")) << pages.back();
}

TEST_F(CvxCliPrintTest, PictureIsCentredOnTheFirstDifferenceOrTheTimeGiven)
{
    // 500 rows 10 ns apart; data differs at row 300 only, in the difference background (cyan).
    const std::string reference = WriteVcd("a.vcd", 500).string();
    const std::string input = WriteVcd("b.vcd", 500, {{300, 0xFF}}).string();
    const QColor difference(0, 255, 255);
    const struct {
        const char* name;
        std::vector<std::string> options;
        QSize size;
        bool differenceShown;
    } cases[] = {
        {"the first difference, at a chosen size", {"--size", "800x400"}, QSize(800, 400), true},
        {"a time 200 rows before it, at the default size", {"--at", "1us"}, QSize(900, 500), false},
        {"a time next to it", {"--at", "2.99us"}, QSize(900, 500), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path png = Path("window.png");
        std::vector<std::string> args{"compare", reference, input, "--png", png.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome outcome = Run(args);
        ASSERT_EQ(outcome.status, 1) << outcome.err;
        const QImage image(QString::fromStdString(png.string()));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), c.size);
        int count = 0;
        long long rows = 0;
        // The grid only: the overview at the right marks every difference whatever is shown.
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width() - 120; ++x) {
                if (image.pixelColor(x, y) == difference) {
                    ++count;
                    rows += y;
                }
            }
        }
        EXPECT_EQ(count > 0, c.differenceShown) << count;
        if (count > 0) {
            // The differing cell is on the centre row, half-way down the data area.
            EXPECT_NEAR(static_cast<double>(rows) / count, image.height() / 2.0, image.height() / 8.0);
        }
        fs::remove(png);
    }
}

TEST_F(CvxCliPrintTest, PrintAndPictureOptionsAreRefusedAloneOrMalformed)
{
    const std::string a = WriteVcd("a.vcd", 4).string();
    const struct {
        std::vector<std::string> options;
        std::string error;
    } cases[] = {
        {{"--header", "x"}, "option --header: only with --pdf"},
        {{"--footer", "x"}, "option --footer: only with --pdf"},
        {{"--pdf", Path("r.pdf").string(), "--footer", "a|b|c|d"}, "option --footer: at most three texts"},
        {{"--size", "800x400"}, "option --size: only with --png"},
        {{"--at", "1us"}, "option --at: only with --png"},
        {{"--png", Path("w.png").string(), "--size", "800x40"}, "option --size: expected WIDTHxHEIGHT"},
        {{"--png", Path("w.png").string(), "--size", "800x400x"}, "option --size: expected WIDTHxHEIGHT"},
        {{"--png", Path("w.png").string(), "--at", "1000"}, "option --at: expected a time with its unit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        std::vector<std::string> args{"compare", a, a};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(Has(outcome.err, c.error)) << outcome.err;
    }
}

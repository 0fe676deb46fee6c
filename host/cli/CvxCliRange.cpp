#include "CvxCliRange.h"

#include "CvxCliArgs.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace {

std::u16string U16(const std::string& text)
{
    return CvxStringConvert::FromUtf8(text);
}

// The latest time a range can name: 64-bit femtoseconds, a little over 9223 s.
const CvxInt128 kLatestTime = INT64_MAX;

} // namespace

CvxCliRange::Attributes CvxCliRange::Options(const CvxCliArgs& cli)
{
    Attributes options;
    if (cli.Has("range")) {
        options.emplace_back(u"Range", U16(cli.Get("range")));
    }
    if (cli.Has("from") || cli.Has("to")) {
        if (cli.Has("range")) {
            throw CvxCliError("option --range: give either --range or --from/--to");
        }
        const CvxInt128 from = cli.Has("from") ? TimeOption(cli, "from") : CvxInt128{0};
        const CvxInt128 to = cli.Has("to") ? TimeOption(cli, "to") : kLatestTime;
        if (from > to) {
            throw CvxCliError("option --from: " + cli.Get("from") + " lies after --to " + cli.Get("to"));
        }
        options.emplace_back(u"TimeRange", U16(CvxInt128ToString(from) + ".." + CvxInt128ToString(to)));
    }
    return options;
}

std::string CvxCliRange::What(const CvxCliArgs& cli)
{
    return cli.Has("range") ? "option --range '" + cli.Get("range") + "' (markers: Begin, Trigger, End or a setup's user markers)"
                            : "option --from/--to";
}

CvxCliRange::Window CvxCliRange::WindowOf(const CvxCliArgs& cli)
{
    Window window;
    if (cli.Has("from") || cli.Has("to")) {
        window.from = cli.Has("from") ? TimeOption(cli, "from") : CvxInt128{0};
        window.to = cli.Has("to") ? TimeOption(cli, "to") : kCvxInt128Max;
    } else if (cli.Has("range")) {
        const std::string range = cli.Get("range");
        const std::size_t dots = range.find("..");
        const std::string names[2] = {range.substr(0, dots), dots == std::string::npos ? "" : range.substr(dots + 2)};
        const bool fixed = std::all_of(std::begin(names), std::end(names),
                                       [](const std::string& n) { return n == "Begin" || n == "Trigger" || n == "End"; });
        window.known = fixed;
        if (fixed) {
            const auto at = [](const std::string& n) { return n == "Begin" ? kCvxInt128Min : n == "End" ? kCvxInt128Max : 0; };
            window.from = std::min(at(names[0]), at(names[1]));
            window.to = std::max(at(names[0]), at(names[1]));
        }
    }
    return window;
}

void CvxCliRange::CheckSavePath(const CvxCliArgs& cli)
{
    if (!cli.Has("save-setup")) {
        return;
    }
    const std::filesystem::path path(cli.Get("save-setup"));
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) {
        throw CvxCliError("option --save-setup: expected a file name, found '" + path.string() + "'");
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(folder, ec)) {
        throw CvxCliError("option --save-setup: " + path.string() + ": the folder " + folder.string() + " does not exist");
    }
}

CvxInt128 CvxCliRange::TimeOption(const CvxCliArgs& cli, const std::string& name)
{
    const std::string text = cli.Get(name);
    const std::size_t last = text.find_last_not_of(" \t");
    CvxInt128 time = 0;
    if (last == std::string::npos || text[last] != 's' || !CvxSourceText::ParseTime(text, time)) {
        throw CvxCliError("option --" + name + ": expected a time with its unit such as 10us, found '" + text + "'");
    }
    if (time > kLatestTime) {
        throw CvxCliError("option --" + name + ": " + text + " lies beyond 9223 s, the latest time a range can name");
    }
    return time;
}

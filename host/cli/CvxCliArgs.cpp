#include "CvxCliArgs.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

CvxCliArgs::CvxCliArgs(std::string usage, std::string summary, std::vector<CvxCliOptionSpec> options,
                       std::size_t minPositional, std::size_t maxPositional)
    : m_usage(std::move(usage)),
      m_summary(std::move(summary)),
      m_options(std::move(options)),
      m_minPositional(minPositional),
      m_maxPositional(maxPositional)
{
}

const CvxCliOptionSpec* CvxCliArgs::Find(const std::string& name) const
{
    for (const CvxCliOptionSpec& option : m_options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

bool CvxCliArgs::Parse(const std::vector<std::string>& args)
{
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            return false;
        }
        if (arg.compare(0, 2, "--") != 0) {
            throw CvxCliError("unknown option '" + arg + "' (see --help)");
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const CvxCliOptionSpec* spec = Find(name);
        if (spec == nullptr) {
            throw CvxCliError("unknown option '--" + name + "' (see --help)");
        }
        if (spec->argument.empty()) {
            if (equals != std::string::npos) {
                throw CvxCliError("option --" + name + " takes no value");
            }
            m_values[name].emplace_back();
        } else if (equals != std::string::npos) {
            m_values[name].push_back(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            m_values[name].push_back(args[++i]);
        } else {
            throw CvxCliError("option --" + name + " needs a value " + spec->argument);
        }
    }
    if (m_positional.size() < m_minPositional || m_positional.size() > m_maxPositional) {
        throw CvxCliError("usage: cvx-compare " + m_usage + " (see --help)");
    }
    return true;
}

std::string CvxCliArgs::Help() const
{
    std::string text = "usage: cvx-compare " + m_usage + "\n\n" + m_summary + "\n\nOptions:\n";
    for (const CvxCliOptionSpec& option : m_options) {
        std::string left = "  --" + option.name + (option.argument.empty() ? "" : " " + option.argument);
        left.resize(std::max<std::size_t>(left.size() + 2, 28), ' ');
        text += left + option.help + "\n";
    }
    text += "  --help                    this text\n\nExit status: 0 no differences, 1 differences, 2 trouble.\n";
    return text;
}

std::string CvxCliArgs::Get(const std::string& name, const std::string& fallback) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? fallback : it->second.back();
}

std::vector<std::string> CvxCliArgs::GetAll(const std::string& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::vector<std::string>{} : it->second;
}

std::vector<std::string> CvxCliArgs::GetList(const std::string& name) const
{
    std::vector<std::string> items;
    for (const std::string& value : GetAll(name)) {
        std::size_t start = 0;
        while (start <= value.size()) {
            const std::size_t comma = value.find(',', start);
            const std::size_t stop = comma == std::string::npos ? value.size() : comma;
            std::string item = value.substr(start, stop - start);
            const std::size_t first = item.find_first_not_of(" \t");
            if (first != std::string::npos) {
                items.push_back(item.substr(first, item.find_last_not_of(" \t") - first + 1));
            }
            start = stop + 1;
        }
    }
    return items;
}

std::int64_t CvxCliArgs::GetInt(const std::string& name, std::int64_t fallback, std::int64_t min, std::int64_t max) const
{
    if (!Has(name)) {
        return fallback;
    }
    const std::string text = Get(name);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < min || value > max) {
        throw CvxCliError("option --" + name + ": expected a whole number from " + std::to_string(min) + " to "
                          + std::to_string(max) + ", found '" + text + "'");
    }
    return value;
}

#pragma once
// The command line of one cvx-compare command: its options (each "--name VALUE",
// "--name=VALUE" or a flag "--name"; an option may repeat) and its positional arguments,
// checked against the command's own list, and the help text made from that list.
// Bad usage throws CvxCliError, which the program reports with exit status 2.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Exit status as cmp and diff use it.
inline constexpr int kCliExitSame = 0;
inline constexpr int kCliExitDifferent = 1;
inline constexpr int kCliExitTrouble = 2;

// Trouble: the program prints "cvx-compare: <what>" on standard error and exits 2.
class CvxCliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CvxCliOptionSpec {
    std::string name;     // without the leading "--"
    std::string argument; // "" for a flag, else the name of its value ("N", "FILE", ...)
    std::string help;
};

class CvxCliArgs {
public:
    // `usage` is the synopsis ("compare [OPTIONS] REFERENCE INPUT"), `summary` what the command does.
    CvxCliArgs(std::string usage, std::string summary, std::vector<CvxCliOptionSpec> options,
               std::size_t minPositional, std::size_t maxPositional);

    // Parses args (after the command name); false when help was asked for.
    bool Parse(const std::vector<std::string>& args);
    std::string Help() const;

    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    // The last value given, or `fallback`.
    std::string Get(const std::string& name, const std::string& fallback = "") const;
    // Every value given, in order (repeated options, or one comma-separated value split).
    std::vector<std::string> GetAll(const std::string& name) const;
    std::vector<std::string> GetList(const std::string& name) const;
    // A whole number within [min, max]; throws CvxCliError naming the option otherwise.
    std::int64_t GetInt(const std::string& name, std::int64_t fallback, std::int64_t min, std::int64_t max) const;
    const std::vector<std::string>& GetPositional() const { return m_positional; }

private:
    const CvxCliOptionSpec* Find(const std::string& name) const;

    std::string m_usage;
    std::string m_summary;
    std::vector<CvxCliOptionSpec> m_options;
    std::size_t m_minPositional;
    std::size_t m_maxPositional;
    std::map<std::string, std::vector<std::string>> m_values;
    std::vector<std::string> m_positional;
};

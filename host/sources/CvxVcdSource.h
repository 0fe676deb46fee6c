#pragma once
// Acquisition source: a VCD (value change dump) file, read by our own streaming reader
// because Debian's libsigrok reads only 1-bit VCD signals.
//
// Options:
//   file     path of the .vcd file (required)
//   regroup  "true" to regroup split bits (d[0], d[1], ...) into one bus per name (default false)
//   table    name of the table (default: the file name); two captures read under one table
//            name share their labels, so that a tool finds its reference buses/signals in both
//
// Result: one table per file, named after the file (or the option table), with per-row times in the file's
// timescale (any integer or decimal number of s to fs, converted exactly to femtoseconds),
// one row per timestamp that changed any value, trigger row 0. Labels: "Time", then the
// variables in declaration order with dotted scope names ("top.cpu.addr"); vectors wider than
// 64 bits are string labels of binary digits (see CvxVcdTableBuilder). Shared identifier codes
// give each name its own label with the same values. X/Z bits are kept as four-state values
// (status 2).
//
// Limits: vectors wider than CvxVcdParser::kMaxWidth bits and unsupported variable types
// are skipped with a warning; the text is read in one pass with a bounded buffer, so the
// memory used is that of the table plus a few MiB whatever the size of the file.

#include "CvxAcquisitionSource.h"

class CvxVcdSource : public CvxAcquisitionSource {
public:
    CvxVcdSource() = default;
    explicit CvxVcdSource(std::string path, bool regroup = false) : m_path(std::move(path)), m_regroup(regroup) {}

    std::string GetName() const override { return "VCD file"; }
    std::vector<CvxSourceOption> GetOptions() const override;
    bool SetOption(std::string_view key, std::string_view value, std::string& error) override;

    const std::string& GetPath() const { return m_path; }

    bool TakesLabelTurns() const override { return true; }

protected:
    std::shared_ptr<CvxData> DoAcquire(std::int64_t run) override;

private:
    std::string m_path;
    bool m_regroup = false;
    std::string m_table;
};

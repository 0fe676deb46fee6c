#pragma once
// One interface for every acquisition source of the host (simulated analyzer, VCD files,
// libsigrok devices and files). A source is configured through text options (key = value,
// so that the command line, the settings dialog and a saved host setup all use one form),
// and each Acquire() makes a new CvxData through CvxDataBuilder, so that a label keeps its
// identity from one acquisition to the next (same table, same name, same label).
//
// Errors: Acquire() answers null and GetLastError() says why (the file, the line and what
// was expected, or the device that could not be opened). Warnings of the last acquisition
// are listed by GetWarnings(); nothing a source drops goes unmentioned there.
//
// Repetitive runs: the host calls Acquire() again and again (see CvxRepetitiveRun); each
// successful acquisition advances the run counter, which sources that simulate use so that
// consecutive runs differ as real ones do. GetRepeatInterval() is the pause between runs.

#include "CvxData.h"
#include "CvxID.h"
#include "CvxLabelTurns.h"
#include "CvxPatternModel.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct CvxSourceOption {
    std::string key;
    std::string value;       // the current value, in the form SetOption reads
    std::string description; // what it does, its unit and its limits
};

// Thrown inside sources; Acquire() turns it (and any other exception) into its error text.
class CvxSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CvxAcquisitionSource {
public:
    CvxAcquisitionSource();
    virtual ~CvxAcquisitionSource();
    CvxAcquisitionSource(const CvxAcquisitionSource&) = delete;
    CvxAcquisitionSource& operator=(const CvxAcquisitionSource&) = delete;

    // A short name shown to the user ("Simulated analyzer", "VCD file", "libsigrok").
    virtual std::string GetName() const = 0;
    // Every option with its current value, in a fixed order.
    virtual std::vector<CvxSourceOption> GetOptions() const = 0;
    // False, with `error` set and the option unchanged, for an unknown key or a bad value.
    virtual bool SetOption(std::string_view key, std::string_view value, std::string& error) = 0;
    // Pause between the runs of a repetitive run.
    virtual std::chrono::milliseconds GetRepeatInterval() const { return std::chrono::milliseconds(0); }

    // Acquires once: the new data, or null with GetLastError() set. Warnings are replaced.
    std::shared_ptr<CvxData> Acquire();
    const std::string& GetLastError() const { return m_error; }
    const std::vector<std::string>& GetWarnings() const { return m_warnings; }
    // The labels this source offers to every tool, in a fixed order: table by table, the
    // columns of each table in the order the table holds them (its time label first).
    const std::vector<CvxID>& GetOfferedLabels() const { return m_offered; }

    // Successful acquisitions so far; the next acquisition is run number GetRunCount().
    std::int64_t GetRunCount() const { return m_runs; }
    // Restarts the run counter (a new repetitive run starting over, a test wanting run 0 again).
    void SetRunCount(std::int64_t runs) { m_runs = runs; }
    // Identifier of this source instance: the creator of the labels it makes.
    const CvxID& GetInstanceID() const { return m_instance; }
    // For sources that acquire on threads of their own at once: the turns their label work
    // takes (null for none). Only sources that take label turns may run at once.
    void SetLabelTurns(CvxLabelTurns* turns, int member)
    {
        m_turns = turns;
        m_turnMember = member;
    }
    // Whether this kind of source takes its label work in turns (and may run at once).
    virtual bool TakesLabelTurns() const { return false; }

    // Whether the source acquires from an instrument (a real or simulated analyzer) rather than
    // reading a capture file: the host is online then.
    virtual bool IsInstrument() const { return false; }

    // ---- The acquisition's trigger, as the host's simple trigger ----
    // Whether the source triggers on a value pattern of one bus/signal (captures from files
    // have no trigger of their own).
    virtual bool HasSimpleTrigger() const { return false; }
    // Whether the bus/signal (a label this source made) can carry that trigger.
    virtual bool IsTriggerLabel(const CvxID& label) const
    {
        static_cast<void>(label);
        return false;
    }
    // Triggers the next acquisitions on the pattern; false with `error` set when it cannot.
    virtual bool SetTrigger(const CvxPatternModel& pattern, std::string& error)
    {
        static_cast<void>(pattern);
        error = GetName() + " has no trigger to set";
        return false;
    }
    // The pattern the next acquisitions trigger on: its bus/signal, width, and digits in
    // hexadecimal (binary for a signal, or where a hexadecimal digit would be partly X);
    // false when the source has no trigger, no such bus/signal yet, or triggers at a row.
    virtual bool GetTrigger(CvxPatternModel& pattern) const
    {
        static_cast<void>(pattern);
        return false;
    }
    // ---- The advanced trigger: at a fixed row of the acquisition ----
    virtual bool CanTriggerAtRow() const { return false; }
    // The fixed trigger row, or -1 when the source triggers on its pattern (or has no trigger).
    virtual std::int64_t GetTriggerRow() const { return -1; }
    // Triggers the next acquisitions at `row` (0 or more); a pattern set later replaces it.
    virtual bool SetTriggerRow(std::int64_t row, std::string& error)
    {
        static_cast<void>(row);
        error = GetName() + " cannot trigger at a fixed sample";
        return false;
    }

protected:
    // The trigger pattern on `label` from its value and care bits, written as GetTrigger says.
    static CvxPatternModel MakeTriggerPattern(const CvxID& label, int width, CvxUInt128 value, CvxUInt128 care);
    // "unknown option 'KEY' of WHAT (k1, k2, ...)": the error of an unknown key, naming the
    // keys there are.
    std::string UnknownOption(std::string_view key, const std::string& what) const;
    // Makes the data of run number `run`; throws CvxSourceError with a clear text on failure.
    virtual std::shared_ptr<CvxData> DoAcquire(std::int64_t run) = 0;
    void AddWarning(std::string warning) { m_warnings.push_back(std::move(warning)); }
    // For LabelTurns::Section around label work (making labels, changing them).
    CvxLabelTurns* GetLabelTurns() const { return m_turns; }
    int GetLabelTurnMember() const { return m_turnMember; }

private:
    CvxID m_instance;
    std::string m_error;
    std::vector<std::string> m_warnings;
    std::vector<CvxID> m_offered;
    std::int64_t m_runs = 0;
    CvxLabelTurns* m_turns = nullptr;
    int m_turnMember = 0;
};

#pragma once
// Acquisition source: the simulated analyzer, the host's embedded default. Deterministic:
// the same options and run number give bit-identical data.
//
// Module 1 "Timing" (evenly spaced samples, a bus cycle every 4 samples), labels in this order:
//   Time, CLK, RD_STRB, WR_STRB (1 bit), DATA8, ADDR16, DATA32, DATA64 (8 to 64 bits),
//   WIDE96 (96 bits), CMD (string: the decoded bus command, "READ 0x0104", "WRITE ...", "IDLE").
// Module 2 "State" (one sample per bus cycle), labels in this order:
//   Time, ST_ADDR (32 bits), ST_DATA (16 bits, 1 to 4 sub-rows), ST_OP (string, same sub-rows),
//   ST_FLAGS (4 bits).
//
// Options:
//   seed           seed of the generated data and of seeded faults (default 1)
//   samples        timing samples (1 to 200000000, default 100000)
//   state_samples  state samples; 0 for a quarter of the timing samples (default 0)
//   period         timing sample period, a time such as 10ns (the state period is 4 times it)
//   trigger        pattern LABEL=VALUE on a timing bus of up to 64 bits; hex digits may be X
//                  (don't care): "ADDR16=0x01X0"; the trigger row is the first row matching
//   trigger_row    a fixed trigger row instead of the pattern (-1: use the pattern)
//   faults         faults at chosen rows (see CvxSimFaultPlan): "flip:DATA8:100:3, missing:200"
//   fault_rate     seeded faults per million timing samples, new places each run (default 0)
//   interval       pause between repetitive runs in ms (default 500)
// Limits: faults touch the timing module only; a pattern that never matches puts the
// trigger on row 0 with a warning.

#include "CvxAcquisitionSource.h"
#include "CvxSimFaultPlan.h"

class CvxDataBuilder;

#include <cstdint>

class CvxSimulatedAnalyzer : public CvxAcquisitionSource {
public:
    CvxSimulatedAnalyzer();

    std::string GetName() const override { return "Simulated analyzer"; }
    std::vector<CvxSourceOption> GetOptions() const override;
    bool SetOption(std::string_view key, std::string_view value, std::string& error) override;
    std::chrono::milliseconds GetRepeatInterval() const override { return m_interval; }

    // The timing labels that faults and the trigger may name, in column order.
    static const std::vector<CvxSimFaultTarget>& GetTimingTargets();

    // The trigger is a pattern on one timing bus of up to 64 bits (the option "trigger").
    bool IsInstrument() const override { return true; }
    bool HasSimpleTrigger() const override { return true; }
    bool IsTriggerLabel(const CvxID& label) const override;
    bool SetTrigger(const CvxPatternModel& pattern, std::string& error) override;
    // The pattern's bus is found among the labels of the timing table the host knows.
    bool GetTrigger(CvxPatternModel& pattern) const override;
    // The option "trigger_row".
    bool CanTriggerAtRow() const override { return true; }
    std::int64_t GetTriggerRow() const override { return m_triggerRow; }
    bool SetTriggerRow(std::int64_t row, std::string& error) override;

private:
    std::shared_ptr<CvxData> DoAcquire(std::int64_t run) override;
    void BuildState(CvxDataBuilder& builder, std::int64_t timingTriggerRow) const;

    std::uint64_t m_seed = 1;
    std::int64_t m_samples = 100000;
    std::int64_t m_stateSamples = 0;
    CvxInt128 m_periodFs = 10'000'000; // 10 ns
    std::string m_trigger = "ADDR16=0x0100";
    int m_triggerLabel = -1;
    std::uint64_t m_triggerValue = 0;
    std::uint64_t m_triggerCare = 0;
    std::int64_t m_triggerRow = -1;
    std::vector<CvxSimFault> m_faults;
    double m_faultRate = 0;
    std::chrono::milliseconds m_interval{500};
};

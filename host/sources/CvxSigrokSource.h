#pragma once
// Acquisition source: libsigrok (Debian's, through its C API): a capture from a device, a
// saved .sr session, or a file read by one of libsigrok's input modules (csv, binary, ...).
//
// Options (set exactly one of device, session and input):
//   device         connection spec DRIVER[:KEY=VALUE...]: "demo", "fx2lafw",
//                  "fx2lafw:conn=1.5", "ols:conn=/dev/ttyACM0"; keys are libsigrok scan options
//   samplerate     device sample rate in Hz, k/M/G allowed ("1M"; default: the device's)
//   samples        device sample count (required for a device, which would run on otherwise)
//   session        path of a .sr session file
//   input          path of a file for an input module
//   format         input module id ("csv", "binary", ...); empty: detected from the file
//   input_options  options of the input module, KEY=VALUE separated by ':'
//                  ("numchannels=8:samplerate=1000000")
//   channels       logic channels to read, comma-separated (empty: all of them)
//   buses          bus definitions (see CvxSigrokBusDefinitions): "ADDR=D0-D7,D9; DATA=D10-D15"
//   table          name of the (first) table instead of the driver or file name; two captures
//                  read under one table name share their labels
//
// Result: one table per device, named after the driver or the file (or the option table): "Time", the buses in
// definition order, then one single-signal label per logic channel. Analog channels are not
// read (device captures switch them off; files give a warning).
// Errors: an unknown driver, no device found, a device that cannot be opened, a missing or
// unreadable file and an unknown input module or option are errors naming what failed.

#include "CvxAcquisitionSource.h"
#include "CvxSigrokBusDefinitions.h"
#include "CvxSigrokTrigger.h"

#include <cstdint>

class CvxSigrokSource : public CvxAcquisitionSource {
public:
    std::string GetName() const override { return "libsigrok"; }
    std::vector<CvxSourceOption> GetOptions() const override;
    bool SetOption(std::string_view key, std::string_view value, std::string& error) override;

    // The bus definitions as text, for the host setup.
    std::string GetBusDefinitions() const { return CvxSigrokBusDefinitions::Format(m_buses); }

    // A device that offers trigger matches (known once it was opened) triggers on a pattern of
    // one of its buses (up to 64 bits) or channels, set as the option "trigger".
    bool IsInstrument() const override { return !m_device.empty(); }
    bool HasSimpleTrigger() const override;
    bool IsTriggerLabel(const CvxID& label) const override;
    bool SetTrigger(const CvxPatternModel& pattern, std::string& error) override;
    // The option "trigger" on its bus or channel of the source's table.
    bool GetTrigger(CvxPatternModel& pattern) const override;

private:
    // The table the source fills: the option's name, else the driver's or the file's.
    std::u16string TableName() const;
    // The bus or channel a label of the table stands for, and its width; empty when the label
    // is none of the source's.
    std::string TriggerTargetOf(const CvxID& label, int& width) const;
    struct Session;
    std::shared_ptr<CvxData> DoAcquire(std::int64_t run) override;
    void AcquireDevice(Session& session);
    void LoadSessionFile(Session& session);
    void LoadInputFile(Session& session);

    std::string m_device;
    std::uint64_t m_sampleRate = 0;
    std::uint64_t m_samples = 0;
    std::string m_session;
    std::string m_input;
    std::string m_format;
    std::string m_inputOptions;
    std::vector<std::string> m_channels;
    std::vector<CvxSigrokBus> m_buses;
    std::string m_table;
    CvxSigrokTrigger m_trigger;
    std::string m_triggerDevice; // the device spec last opened, when it offered triggers
};

#pragma once
// The error queue of one remote client: SCPI error numbers with their standard texts and a
// detail, read oldest first with SYSTem:ERRor? as `code,"text"`. The queue is bounded: when it
// is full the newest entry becomes "Queue overflow", as instruments do, so a client that never
// reads its errors cannot make the host's memory grow.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

class CvxScpiErrorQueue {
public:
    // The error numbers the server uses.
    static constexpr int kSyntaxError = -102;
    static constexpr int kDataTypeError = -104;
    static constexpr int kParameterNotAllowed = -108;
    static constexpr int kMissingParameter = -109;
    static constexpr int kUndefinedHeader = -113;
    static constexpr int kInvalidBlockData = -161;
    static constexpr int kExecutionError = -200;
    static constexpr int kInitIgnored = -213;
    static constexpr int kDataOutOfRange = -222;
    static constexpr int kTooMuchData = -223;
    static constexpr int kIllegalParameterValue = -224;
    static constexpr int kMassStorageError = -250;
    static constexpr int kDeviceSpecificError = -300;
    static constexpr int kQueueOverflow = -350;

    static constexpr std::size_t kCapacity = 32;

    // Queues `code` with its standard text followed by "; detail" when a detail is given.
    void Push(int code, std::string_view detail = {});
    // The oldest entry, removed, as `code,"text"`; `0,"No error"` when the queue is empty.
    std::string Pop();
    std::size_t GetCount() const { return m_entries.size(); }
    void Clear() { m_entries.clear(); }

    // The standard text of an error number ("Undefined header" for -113).
    static std::string_view StandardText(int code);

private:
    struct Entry {
        int code;
        std::string text;
    };
    std::deque<Entry> m_entries;
};

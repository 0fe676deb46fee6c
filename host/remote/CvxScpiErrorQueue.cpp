#include "CvxScpiErrorQueue.h"

#include "CvxScpiParser.h"

#include <algorithm>

namespace {

// Details come from clients and tools: keep an entry short enough to read on one line.
constexpr std::size_t kMaxDetail = 200;

} // namespace

std::string_view CvxScpiErrorQueue::StandardText(int code)
{
    switch (code) {
    case 0: return "No error";
    case kSyntaxError: return "Syntax error";
    case kDataTypeError: return "Data type error";
    case kParameterNotAllowed: return "Parameter not allowed";
    case kMissingParameter: return "Missing parameter";
    case kUndefinedHeader: return "Undefined header";
    case kInvalidBlockData: return "Invalid block data";
    case kExecutionError: return "Execution error";
    case kInitIgnored: return "Init ignored";
    case kDataOutOfRange: return "Data out of range";
    case kTooMuchData: return "Too much data";
    case kIllegalParameterValue: return "Illegal parameter value";
    case kMassStorageError: return "Mass storage error";
    case kDeviceSpecificError: return "Device-specific error";
    case kQueueOverflow: return "Queue overflow";
    default: return "Error";
    }
}

void CvxScpiErrorQueue::Push(int code, std::string_view detail)
{
    if (m_entries.size() >= kCapacity) {
        m_entries.back() = Entry{kQueueOverflow, std::string(StandardText(kQueueOverflow))};
        return;
    }
    std::string text(StandardText(code));
    if (!detail.empty()) {
        text += "; ";
        std::size_t length = std::min(detail.size(), kMaxDetail);
        // Cut before a UTF-8 continuation byte, never inside a character.
        while (length < detail.size() && length > 0 && (static_cast<unsigned char>(detail[length]) & 0xC0) == 0x80) {
            --length;
        }
        text += detail.substr(0, length);
    }
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    m_entries.push_back(Entry{code, std::move(text)});
}

std::string CvxScpiErrorQueue::Pop()
{
    if (m_entries.empty()) {
        return "0," + CvxScpiParser::QuoteString(StandardText(0));
    }
    Entry entry = std::move(m_entries.front());
    m_entries.pop_front();
    return std::to_string(entry.code) + "," + CvxScpiParser::QuoteString(entry.text);
}

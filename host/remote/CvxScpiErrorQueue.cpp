#include "CvxScpiErrorQueue.h"

#include "CvxScpiParser.h"

#include <algorithm>

namespace {

// Details come from clients and tools: keep an entry short enough to read on one line.
constexpr std::size_t kMaxDetail = 200;

// The length of the well-formed UTF-8 character at `pos`, 0 when the bytes there are none.
std::size_t Utf8Length(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - pos < length || byte(pos + 1) < low || byte(pos + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// A detail often echoes what a client sent: replies stay one line of valid UTF-8 whatever
// bytes it held (control bytes become spaces, bytes that are no UTF-8 become '?').
void AppendPrintable(std::string& out, std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {
            out += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
            ++pos;
        } else if (const std::size_t length = Utf8Length(text, pos); length > 0) {
            out.append(text.substr(pos, length));
            pos += length;
        } else {
            out += '?';
            ++pos;
        }
    }
}

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
        AppendPrintable(text, detail.substr(0, length));
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

#pragma once
// Cuts the byte stream of one remote client into program messages. A message ends at a
// newline ("\r\n" too), except inside a definite-length block (#<n><length><bytes>), whose
// bytes may hold newlines. A message longer than kMaxMessage is dropped as it arrives (the
// buffer never holds more than that) and reported; the stream picks up again after the next
// newline, whatever a block header claimed, because a length read from the client is not
// trusted beyond the bytes that back it.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

class CvxScpiInputBuffer {
public:
    static constexpr std::size_t kMaxMessage = std::size_t{1} << 20;

    // Takes received bytes.
    void Append(std::string_view bytes);
    // The next complete message, oldest first; `overlong` is true for a dropped message
    // (`message` is then empty). False when no message is complete.
    bool Next(std::string& message, bool& overlong);
    // Bytes held: complete messages and the one being received.
    std::size_t GetSize() const { return m_heldBytes + m_current.size(); }

private:
    enum class EvxState { Text, Quoted, BlockDigits, BlockLength, BlockData, Dropping };

    // A byte outside strings and blocks: it may open one.
    void Scan(char c);
    void EndMessage();
    void Overflow();

    struct Message {
        bool overlong;
        std::string text;
    };
    std::deque<Message> m_complete;
    std::size_t m_heldBytes = 0;
    std::string m_current;
    EvxState m_state = EvxState::Text;
    char m_quote = 0;
    std::size_t m_lengthDigits = 0;
    std::size_t m_blockLeft = 0;
};

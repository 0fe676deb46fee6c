#include "CvxScpiInputBuffer.h"

#include <algorithm>

void CvxScpiInputBuffer::EndMessage()
{
    if (!m_current.empty() && m_current.back() == '\r') {
        m_current.pop_back();
    }
    m_heldBytes += m_current.size();
    m_complete.push_back(Message{false, std::move(m_current)});
    m_current.clear();
    m_state = EvxState::Text;
}

void CvxScpiInputBuffer::Overflow()
{
    m_current.clear();
    m_current.shrink_to_fit();
    m_complete.push_back(Message{true, {}});
    m_state = EvxState::Dropping;
}

void CvxScpiInputBuffer::Scan(char c)
{
    m_state = EvxState::Text;
    if (c == '"' || c == '\'') {
        m_quote = c;
        m_state = EvxState::Quoted;
    } else if (c == '#') {
        m_state = EvxState::BlockDigits;
    }
}

void CvxScpiInputBuffer::Append(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (m_state) {
        case EvxState::Dropping:
            if (c == '\n') {
                m_state = EvxState::Text;
            }
            continue;
        case EvxState::BlockData: {
            // Block bytes are copied in one piece: they need no look at each byte.
            const std::size_t take = std::min(m_blockLeft, bytes.size() - i);
            if (m_current.size() + take > kMaxMessage) {
                Overflow();
                --i; // the newline search starts at this byte
                continue;
            }
            m_current.append(bytes.substr(i, take));
            m_blockLeft -= take;
            i += take - 1;
            if (m_blockLeft == 0) {
                m_state = EvxState::Text;
            }
            continue;
        }
        case EvxState::BlockDigits:
            if (c >= '1' && c <= '9') {
                m_lengthDigits = static_cast<std::size_t>(c - '0');
                m_blockLeft = 0;
                m_state = EvxState::BlockLength;
            } else {
                // The parser reports the bad header; the byte itself may open a string.
                Scan(c);
            }
            break;
        case EvxState::BlockLength:
            if (c >= '0' && c <= '9') {
                m_blockLeft = m_blockLeft * 10 + static_cast<std::size_t>(c - '0');
                if (--m_lengthDigits == 0) {
                    m_state = m_blockLeft > 0 ? EvxState::BlockData : EvxState::Text;
                }
            } else {
                Scan(c);
            }
            break;
        case EvxState::Quoted:
            if (c == m_quote) {
                m_state = EvxState::Text;
            }
            break;
        case EvxState::Text:
            Scan(c);
            break;
        }
        // A newline ends the message outside blocks, also in an unclosed string, so that
        // one stray quote cannot swallow the commands that follow.
        if (c == '\n' && m_state != EvxState::BlockData) {
            EndMessage();
            continue;
        }
        // A "\r" before the newline is no part of the request: it may go one past the limit.
        if (m_current.size() >= (c == '\r' ? kMaxMessage + 1 : kMaxMessage)) {
            Overflow();
            continue;
        }
        m_current += c;
        // A block that claims more than a request may hold is dropped at its header, not
        // after the client has sent a mebibyte more (or nothing, and waits for an answer).
        if (m_state == EvxState::BlockData && m_current.size() + m_blockLeft > kMaxMessage) {
            Overflow();
        }
    }
}

bool CvxScpiInputBuffer::Next(std::string& message, bool& overlong)
{
    if (m_complete.empty()) {
        return false;
    }
    overlong = m_complete.front().overlong;
    message = std::move(m_complete.front().text);
    m_heldBytes -= message.size();
    m_complete.pop_front();
    return true;
}

#include "CvxScpiParser.h"

#include "CvxScpiErrorQueue.h"

#include <cctype>

namespace {

bool IsHeaderChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '*' || c == '?' || c == '_';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

void SkipSpaces(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// One node of a pattern ("ERRor") against one node of a header ("err", "ERROR").
bool NodeMatches(std::string_view pattern, std::string_view node)
{
    std::size_t shortLength = 0;
    while (shortLength < pattern.size() && std::islower(static_cast<unsigned char>(pattern[shortLength])) == 0) {
        ++shortLength;
    }
    return EqualNoCase(node, pattern) || EqualNoCase(node, pattern.substr(0, shortLength));
}

std::vector<std::string_view> SplitNodes(std::string_view header)
{
    std::vector<std::string_view> nodes;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = header.find(':', start);
        nodes.push_back(header.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
        if (colon == std::string_view::npos) {
            return nodes;
        }
        start = colon + 1;
    }
}

using Result = CvxScpiParser::EvxResult;

Result Fail(int& errorCode, std::string& errorText, int code, std::string text)
{
    errorCode = code;
    errorText = std::move(text);
    return Result::Error;
}

// A quoted string starting at `pos` (on the quote); a doubled quote stands for one.
bool ParseString(std::string_view message, std::size_t& pos, std::string& out)
{
    const char quote = message[pos++];
    while (pos < message.size()) {
        const char c = message[pos++];
        if (c != quote) {
            out += c;
        } else if (pos < message.size() && message[pos] == quote) {
            out += quote;
            ++pos;
        } else {
            return true;
        }
    }
    return false;
}

// A definite-length block starting at `pos` (on the '#'). The length is trusted only as far
// as the message holds the bytes.
bool ParseBlock(std::string_view message, std::size_t& pos, std::string& out, std::string& why)
{
    ++pos;
    if (pos >= message.size() || message[pos] < '1' || message[pos] > '9') {
        why = "a block starts with #<digits of the length 1 to 9><length>; indefinite blocks (#0) are not accepted";
        return false;
    }
    const std::size_t digits = static_cast<std::size_t>(message[pos++] - '0');
    if (message.size() - pos < digits) {
        why = "the block's length is cut short";
        return false;
    }
    std::size_t length = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = message[pos++];
        if (c < '0' || c > '9') {
            why = "the block's length has a character that is no digit";
            return false;
        }
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    if (message.size() - pos < length) {
        why = "the block declares " + std::to_string(length) + " bytes but holds " + std::to_string(message.size() - pos);
        return false;
    }
    out.assign(message.substr(pos, length));
    pos += length;
    return true;
}

} // namespace

CvxScpiParser::EvxResult CvxScpiParser::ParseNext(std::string_view message, std::size_t& pos, CvxScpiCommand& command,
                                                  int& errorCode, std::string& errorText)
{
    command = CvxScpiCommand();
    SkipSpaces(message, pos);
    if (pos >= message.size()) {
        return Result::End;
    }
    if (message[pos] == ':') {
        ++pos;
    }
    const std::size_t headerStart = pos;
    while (pos < message.size() && IsHeaderChar(message[pos])) {
        ++pos;
    }
    command.header.assign(message.substr(headerStart, pos - headerStart));
    if (command.header.empty()) {
        return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError,
                    "a command must start with a header, not '" + std::string(1, message[pos]) + "'");
    }
    if (pos < message.size() && !IsSpace(message[pos]) && message[pos] != ';') {
        return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError,
                    "unexpected character after the header " + command.header);
    }
    SkipSpaces(message, pos);
    bool expectArgument = false;
    while (pos < message.size() && (message[pos] != ';' || expectArgument)) {
        CvxScpiArgument argument;
        const char c = message[pos];
        if (c == '"' || c == '\'') {
            argument.kind = EvxScpiArgument::String;
            if (!ParseString(message, pos, argument.text)) {
                return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError, "a quoted string is not closed");
            }
        } else if (c == '#') {
            argument.kind = EvxScpiArgument::Block;
            std::string why;
            if (!ParseBlock(message, pos, argument.text, why)) {
                return Fail(errorCode, errorText, CvxScpiErrorQueue::kInvalidBlockData, why);
            }
        } else {
            const std::size_t start = pos;
            while (pos < message.size() && !IsSpace(message[pos]) && message[pos] != ',' && message[pos] != ';'
                   && message[pos] != '"' && message[pos] != '\'' && message[pos] != '#') {
                ++pos;
            }
            argument.text.assign(message.substr(start, pos - start));
            if (argument.text.empty()) {
                return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError, "an argument is empty");
            }
        }
        command.arguments.push_back(std::move(argument));
        SkipSpaces(message, pos);
        expectArgument = false;
        if (pos < message.size() && message[pos] == ',') {
            ++pos;
            SkipSpaces(message, pos);
            expectArgument = true;
        } else if (pos < message.size() && message[pos] != ';') {
            return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError,
                        "arguments are separated by ',' and commands by ';'");
        }
    }
    if (expectArgument) {
        return Fail(errorCode, errorText, CvxScpiErrorQueue::kSyntaxError, "an argument is missing after ','");
    }
    if (pos < message.size()) {
        ++pos; // the ';'
    }
    return Result::Command;
}

bool CvxScpiParser::Matches(std::string_view pattern, std::string_view header)
{
    if (!header.empty() && header.front() == ':') {
        header.remove_prefix(1);
    }
    const bool patternQuery = !pattern.empty() && pattern.back() == '?';
    const bool headerQuery = !header.empty() && header.back() == '?';
    if (patternQuery != headerQuery) {
        return false;
    }
    if (patternQuery) {
        pattern.remove_suffix(1);
        header.remove_suffix(1);
    }
    if (!pattern.empty() && pattern.front() == '*') {
        return EqualNoCase(pattern, header);
    }
    const std::vector<std::string_view> patternNodes = SplitNodes(pattern);
    const std::vector<std::string_view> headerNodes = SplitNodes(header);
    if (patternNodes.size() != headerNodes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < patternNodes.size(); ++i) {
        if (headerNodes[i].empty() || !NodeMatches(patternNodes[i], headerNodes[i])) {
            return false;
        }
    }
    return true;
}

std::string CvxScpiParser::QuoteString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

std::string CvxScpiParser::FormatBlock(std::string_view bytes)
{
    const std::string length = std::to_string(bytes.size());
    std::string block = "#" + std::to_string(length.size()) + length;
    block.append(bytes);
    return block;
}

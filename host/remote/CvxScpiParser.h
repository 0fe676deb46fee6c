#pragma once
// Parses SCPI-style program messages (one line from a remote client) into commands:
//   [:]HEADER[?] [arg[,arg...]] [; next command ...]
// Each command after ";" starts again from the root (no implied header path). Arguments are
// quoted strings ("..." or '...', the quote doubled inside), IEEE 488.2 definite-length
// blocks (#<n><length><bytes>) or plain words and numbers. Headers match a pattern such as
// "SYSTem:ERRor?" node by node, case-insensitively, in the short form (the capitals) or the
// long form. Also the reply side: quoted strings and blocks.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class EvxScpiArgument { Word, String, Block };

struct CvxScpiArgument {
    EvxScpiArgument kind = EvxScpiArgument::Word;
    std::string text; // the word, the string without its quotes, or the block's bytes
};

struct CvxScpiCommand {
    std::string header; // as sent, without a leading ':'
    std::vector<CvxScpiArgument> arguments;
};

class CvxScpiParser {
public:
    enum class EvxResult { Command, End, Error };

    // Parses the command that starts at `pos` in `message` and moves `pos` past it and its
    // ";". On Error, `errorCode` and `errorText` say what is wrong; the rest of the message
    // is not to be executed.
    static EvxResult ParseNext(std::string_view message, std::size_t& pos, CvxScpiCommand& command,
                               int& errorCode, std::string& errorText);

    // Whether `header` names the command of `pattern` ("SYSTem:ERRor?", "*IDN?").
    static bool Matches(std::string_view pattern, std::string_view header);

    // "text" with every quote doubled.
    static std::string QuoteString(std::string_view text);
    // #<n><length><bytes>
    static std::string FormatBlock(std::string_view bytes);
};

#include "CvxRemoteCommands.h"

#include "CvxHostSession.h"
#include "CvxPlugInBase.h"
#include "CvxRemoteRunner.h"
#include "CvxScpiErrorQueue.h"
#include "CvxScpiParser.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"

#include <charconv>

#ifndef CVX_VERSION
#define CVX_VERSION "0"
#endif

namespace {

using Outcome = CvxRemoteCommands::EvxOutcome;
using Client = CvxRemoteCommands::Client;

bool CheckCount(const CvxScpiCommand& command, std::size_t least, std::size_t most, Client& client)
{
    if (command.arguments.size() < least) {
        client.errors.Push(CvxScpiErrorQueue::kMissingParameter,
                           command.header + " takes " + std::to_string(least) + " argument(s)");
        return false;
    }
    if (command.arguments.size() > most) {
        client.errors.Push(CvxScpiErrorQueue::kParameterNotAllowed,
                           command.header + " takes at most " + std::to_string(most) + " argument(s)");
        return false;
    }
    return true;
}

// A name, a path or a command name: a quoted string, or a plain word.
bool NameText(const CvxScpiArgument& argument, Client& client, std::string& out)
{
    if (argument.kind == EvxScpiArgument::Block) {
        client.errors.Push(CvxScpiErrorQueue::kDataTypeError, "a name is a quoted string, not a block");
        return false;
    }
    out = argument.text;
    return true;
}

// Markup: a block or a quoted string.
bool MarkupText(const CvxScpiArgument& argument, Client& client, std::u16string& out)
{
    if (argument.kind == EvxScpiArgument::Word) {
        client.errors.Push(CvxScpiErrorQueue::kDataTypeError, "markup is sent as a block or a quoted string");
        return false;
    }
    out = CvxStringConvert::FromUtf8(argument.text);
    return true;
}

} // namespace

const CvxRemoteCommands::Entry CvxRemoteCommands::kCommands[] = {
    {"*IDN?", &CvxRemoteCommands::Identify},
    {"*RST", &CvxRemoteCommands::Reset},
    {"*CLS", &CvxRemoteCommands::ClearStatus},
    {"*OPC?", &CvxRemoteCommands::OperationComplete},
    {"RUN", &CvxRemoteCommands::RunOnce},
    {"RUN:REPetitive", &CvxRemoteCommands::RunRepetitive},
    {"STOP", &CvxRemoteCommands::Stop},
    {"RUN:STATe?", &CvxRemoteCommands::RunState},
    {"RUN:COUNt?", &CvxRemoteCommands::RunCount},
    {"SYSTem:ERRor?", &CvxRemoteCommands::NextError},
    {"SYSTem:ERRor:NEXT?", &CvxRemoteCommands::NextError},
    {"SYSTem:ERRor:COUNt?", &CvxRemoteCommands::ErrorCount},
    {"SYSTem:SETup:SAVE", &CvxRemoteCommands::SaveSetup},
    {"SYSTem:SETup:LOAD", &CvxRemoteCommands::LoadSetup},
    {"SOURce:OPTion", &CvxRemoteCommands::SourceOption},
    {"SOURce:OPTion?", &CvxRemoteCommands::SourceOptionQuery},
    {"TOOL:LIST?", &CvxRemoteCommands::ToolList},
    {"TOOL:EXECute", &CvxRemoteCommands::ToolExecute},
    {"TOOL:OPTions", &CvxRemoteCommands::ToolOptions},
    {"TOOL:VALue?", &CvxRemoteCommands::ToolValue},
    {"TOOL:DATA?", &CvxRemoteCommands::ToolData},
};

CvxRemoteCommands::EvxOutcome CvxRemoteCommands::Execute(const CvxScpiCommand& command, Client& client)
{
    if (m_gate) {
        if (const std::string why = m_gate(command); !why.empty()) {
            client.errors.Push(CvxScpiErrorQueue::kExecutionError, why);
            return Outcome::Done;
        }
    }
    for (const Entry& entry : kCommands) {
        if (CvxScpiParser::Matches(entry.pattern, command.header)) {
            return (this->*entry.handler)(command, client);
        }
    }
    for (const Extra& extra : m_extra) {
        if (CvxScpiParser::Matches(extra.pattern, command.header)) {
            return extra.handler(command, client);
        }
    }
    client.errors.Push(CvxScpiErrorQueue::kUndefinedHeader, command.header);
    return Outcome::Undefined;
}

std::string CvxRemoteCommands::Identity(const std::string& model)
{
    return "Cvx," + model + ",0," + CVX_VERSION;
}

std::string CvxRemoteCommands::FormatToolReply(const std::u16string& reply)
{
    const std::string text = CvxStringConvert::ToUtf8(reply);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if ((first != std::string::npos && text[first] == '<') || text.find_first_of("\r\n;") != std::string::npos) {
        return CvxScpiParser::FormatBlock(text);
    }
    return text;
}

CvxStdToolCmdIFace* CvxRemoteCommands::FindTool(const CvxScpiArgument& name, Client& client) const
{
    std::string text;
    if (!NameText(name, client, text)) {
        return nullptr;
    }
    CvxStdToolCmdIFace* iface = m_session.GetToolIFace(m_session.FindTool(CvxStringConvert::FromUtf8(text)));
    if (iface == nullptr) {
        client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue, "no tool named " + CvxScpiParser::QuoteString(text));
    }
    return iface;
}

// ---- Common commands ----

Outcome CvxRemoteCommands::Identify(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.replies.push_back(Identity(m_model));
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::Reset(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        m_runner.Stop();
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ClearStatus(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.errors.Clear();
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::OperationComplete(const CvxScpiCommand& command, Client& client)
{
    if (!CheckCount(command, 0, 0, client)) {
        return Outcome::Done;
    }
    if (m_runner.IsActive()) {
        return Outcome::WaitForRun;
    }
    client.replies.emplace_back("1");
    return Outcome::Done;
}

// ---- Runs ----

Outcome CvxRemoteCommands::RunOnce(const CvxScpiCommand& command, Client& client)
{
    if (!CheckCount(command, 0, 0, client)) {
        return Outcome::Done;
    }
    if (m_runner.IsActive()) {
        client.errors.Push(CvxScpiErrorQueue::kInitIgnored, "a repetitive run is going on");
    } else if (!m_session.Run()) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError, m_session.GetLastError());
    } else {
        QueueComparedNothing(client);
    }
    return Outcome::Done;
}

void CvxRemoteCommands::QueueComparedNothing(Client& client)
{
    for (const std::string& tool : m_session.ToolsThatComparedNothing()) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError, tool);
    }
}

Outcome CvxRemoteCommands::RunRepetitive(const CvxScpiCommand& command, Client& client)
{
    if (!CheckCount(command, 0, 1, client)) {
        return Outcome::Done;
    }
    std::int64_t runs = 0;
    if (!command.arguments.empty()) {
        const CvxScpiArgument& argument = command.arguments[0];
        const char* begin = argument.text.data();
        const char* end = begin + argument.text.size();
        const auto [last, ec] = std::from_chars(begin, end, runs);
        if (argument.kind != EvxScpiArgument::Word || ec == std::errc::invalid_argument || last != end) {
            client.errors.Push(CvxScpiErrorQueue::kDataTypeError, "the number of runs is a whole number");
            return Outcome::Done;
        }
        if (ec == std::errc::result_out_of_range || runs < 0) {
            client.errors.Push(CvxScpiErrorQueue::kDataOutOfRange, "the number of runs is 0 (no limit) or more");
            return Outcome::Done;
        }
    }
    if (m_runner.IsActive()) {
        client.errors.Push(CvxScpiErrorQueue::kInitIgnored, "a repetitive run is going on");
    } else if (m_session.GetSource() == nullptr) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError, "no acquisition source is set");
    } else {
        m_runner.Start(runs);
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::Stop(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        m_runner.Stop();
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::RunState(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.replies.emplace_back(m_runner.IsActive() ? "1" : "0");
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::RunCount(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.replies.push_back(std::to_string(m_session.GetRunCount()));
    }
    return Outcome::Done;
}

// ---- System ----

Outcome CvxRemoteCommands::NextError(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.replies.push_back(client.errors.Pop());
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ErrorCount(const CvxScpiCommand& command, Client& client)
{
    if (CheckCount(command, 0, 0, client)) {
        client.replies.push_back(std::to_string(client.errors.GetCount()));
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::SaveSetup(const CvxScpiCommand& command, Client& client)
{
    std::string path;
    if (CheckCount(command, 1, 1, client) && NameText(command.arguments[0], client, path)
        && !m_session.SaveSetup(path)) {
        client.errors.Push(CvxScpiErrorQueue::kMassStorageError, m_session.GetLastError());
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::LoadSetup(const CvxScpiCommand& command, Client& client)
{
    std::string path;
    if (!CheckCount(command, 1, 1, client) || !NameText(command.arguments[0], client, path)) {
        return Outcome::Done;
    }
    // The setup replaces the source and the tools that a repetitive run would use.
    m_runner.Stop();
    if (!m_session.LoadSetup(path)) {
        client.errors.Push(CvxScpiErrorQueue::kMassStorageError, m_session.GetLastError());
    }
    return Outcome::Done;
}

// ---- Source ----

Outcome CvxRemoteCommands::SourceOption(const CvxScpiCommand& command, Client& client)
{
    std::string key;
    std::string value;
    if (!CheckCount(command, 2, 2, client) || !NameText(command.arguments[0], client, key)
        || !NameText(command.arguments[1], client, value)) {
        return Outcome::Done;
    }
    std::string error;
    if (m_session.GetSource() == nullptr) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError, "no acquisition source is set");
    } else if (!m_session.GetSource()->SetOption(key, value, error)) {
        client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue, error);
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::SourceOptionQuery(const CvxScpiCommand& command, Client& client)
{
    std::string key;
    if (!CheckCount(command, 1, 1, client) || !NameText(command.arguments[0], client, key)) {
        return Outcome::Done;
    }
    if (m_session.GetSource() == nullptr) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError, "no acquisition source is set");
        return Outcome::Done;
    }
    for (const CvxSourceOption& option : m_session.GetSource()->GetOptions()) {
        if (option.key == key) {
            client.replies.push_back(CvxScpiParser::QuoteString(option.value));
            return Outcome::Done;
        }
    }
    client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue, "the source has no option " + CvxScpiParser::QuoteString(key));
    return Outcome::Done;
}

// ---- Tools ----

Outcome CvxRemoteCommands::ToolList(const CvxScpiCommand& command, Client& client)
{
    if (!CheckCount(command, 0, 0, client)) {
        return Outcome::Done;
    }
    std::string list;
    for (std::size_t i = 0; i < m_session.GetToolCount(); ++i) {
        list += (i > 0 ? "," : "") + CvxScpiParser::QuoteString(CvxStringConvert::ToUtf8(m_session.GetTool(i)->GetName()));
    }
    client.replies.push_back(std::move(list));
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ToolExecute(const CvxScpiCommand& command, Client& client)
{
    std::string name;
    if (!CheckCount(command, 2, 2, client)) {
        return Outcome::Done;
    }
    CvxStdToolCmdIFace* tool = FindTool(command.arguments[0], client);
    if (tool != nullptr && NameText(command.arguments[1], client, name)
        && !tool->ExecuteCommand(CvxStringConvert::FromUtf8(name))) {
        client.errors.Push(CvxScpiErrorQueue::kExecutionError,
                           "the tool did not execute " + CvxScpiParser::QuoteString(name));
    } else if (tool != nullptr && (name == "Execute" || name == "CopyReference")) {
        QueueComparedNothing(client);
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ToolOptions(const CvxScpiCommand& command, Client& client)
{
    std::u16string request;
    if (!CheckCount(command, 2, 2, client)) {
        return Outcome::Done;
    }
    CvxStdToolCmdIFace* tool = FindTool(command.arguments[0], client);
    if (tool != nullptr && MarkupText(command.arguments[1], client, request) && !tool->SetOptions(request)) {
        client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue,
                           "the tool refused the options (malformed markup or a value it cannot apply)");
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ToolValue(const CvxScpiCommand& command, Client& client)
{
    std::string name;
    if (!CheckCount(command, 2, 2, client)) {
        return Outcome::Done;
    }
    CvxStdToolCmdIFace* tool = FindTool(command.arguments[0], client);
    std::u16string reply;
    if (tool == nullptr || !NameText(command.arguments[1], client, name)) {
        return Outcome::Done;
    }
    if (tool->GetDataValue(CvxStringConvert::FromUtf8(name), reply)) {
        client.replies.push_back(FormatToolReply(reply));
    } else {
        client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue,
                           "the tool answers no value " + CvxScpiParser::QuoteString(name));
    }
    return Outcome::Done;
}

Outcome CvxRemoteCommands::ToolData(const CvxScpiCommand& command, Client& client)
{
    std::u16string request;
    if (!CheckCount(command, 2, 2, client)) {
        return Outcome::Done;
    }
    CvxStdToolCmdIFace* tool = FindTool(command.arguments[0], client);
    std::u16string reply;
    if (tool == nullptr || !MarkupText(command.arguments[1], client, request)) {
        return Outcome::Done;
    }
    if (tool->GetDataWithArgs(request, reply)) {
        client.replies.push_back(FormatToolReply(reply));
    } else {
        client.errors.Push(CvxScpiErrorQueue::kIllegalParameterValue,
                           "the tool refused the request (malformed markup, an unknown request or no such data)");
    }
    return Outcome::Done;
}

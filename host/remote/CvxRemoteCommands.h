#pragma once
// The command set of the remote-control server: what each SCPI-style command does to the
// host session, its tools and the remote repetitive run. One command at a time, on the thread
// that owns the session; errors go to the calling client's queue, replies to its reply list
// (the server joins the replies of one message with ";"). docs/remote.md lists the commands.

#include <functional>
#include <string>
#include <vector>

class CvxHostSession;
class CvxRemoteRunner;
class CvxScpiErrorQueue;
class CvxStdToolCmdIFace;
struct CvxScpiArgument;
struct CvxScpiCommand;

class CvxRemoteCommands {
public:
    enum class EvxOutcome {
        Done,
        // *OPC? while a repetitive run goes on: the server answers once the run has ended.
        WaitForRun,
        // No such command (the error is queued): the rest of the message is not executed.
        Undefined,
    };

    // What one command may touch of the client that sent it.
    struct Client {
        CvxScpiErrorQueue& errors;
        std::vector<std::string>& replies;
    };

    // A command of the host's own (the desktop host's window commands).
    using Handler = std::function<EvxOutcome(const CvxScpiCommand&, Client&)>;

    CvxRemoteCommands(CvxHostSession& session, CvxRemoteRunner& runner) : m_session(session), m_runner(runner) {}

    // Adds a command, tried after the common ones.
    void AddCommand(std::string pattern, Handler handler) { m_extra.push_back({std::move(pattern), std::move(handler)}); }
    // A check before every command: a reason (queued as error -200) refuses it now.
    using Gate = std::function<std::string(const CvxScpiCommand&)>;
    void SetGate(Gate gate) { m_gate = std::move(gate); }

    EvxOutcome Execute(const CvxScpiCommand& command, Client& client);

    // The *IDN? answer: maker, model (the program serving: "cvx-compare" unless the host sets
    // its own), serial number, version.
    static std::string Identity(const std::string& model = "cvx-compare");
    void SetModel(std::string model) { m_model = std::move(model); }
    // A tool's reply as it travels: markup (and anything with a line break or ";") as a block,
    // a number or a word as plain text.
    static std::string FormatToolReply(const std::u16string& reply);

private:
    using Member = EvxOutcome (CvxRemoteCommands::*)(const CvxScpiCommand&, Client&);
    struct Entry {
        const char* pattern;
        Member handler;
    };
    struct Extra {
        std::string pattern;
        Handler handler;
    };
    static const Entry kCommands[];

    EvxOutcome Identify(const CvxScpiCommand& command, Client& client);
    EvxOutcome Reset(const CvxScpiCommand& command, Client& client);
    EvxOutcome ClearStatus(const CvxScpiCommand& command, Client& client);
    EvxOutcome OperationComplete(const CvxScpiCommand& command, Client& client);
    EvxOutcome RunOnce(const CvxScpiCommand& command, Client& client);
    EvxOutcome RunRepetitive(const CvxScpiCommand& command, Client& client);
    EvxOutcome Stop(const CvxScpiCommand& command, Client& client);
    EvxOutcome RunState(const CvxScpiCommand& command, Client& client);
    EvxOutcome RunCount(const CvxScpiCommand& command, Client& client);
    EvxOutcome NextError(const CvxScpiCommand& command, Client& client);
    EvxOutcome ErrorCount(const CvxScpiCommand& command, Client& client);
    EvxOutcome SaveSetup(const CvxScpiCommand& command, Client& client);
    EvxOutcome LoadSetup(const CvxScpiCommand& command, Client& client);
    EvxOutcome SourceOption(const CvxScpiCommand& command, Client& client);
    EvxOutcome SourceOptionQuery(const CvxScpiCommand& command, Client& client);
    EvxOutcome ToolList(const CvxScpiCommand& command, Client& client);
    EvxOutcome ToolExecute(const CvxScpiCommand& command, Client& client);
    // An error for each tool whose comparison compared nothing, so that no client reads its
    // zero differences as a pass.
    void QueueComparedNothing(Client& client);
    EvxOutcome ToolOptions(const CvxScpiCommand& command, Client& client);
    EvxOutcome ToolValue(const CvxScpiCommand& command, Client& client);
    EvxOutcome ToolData(const CvxScpiCommand& command, Client& client);

    // The tool named by the first argument, with the error queued when there is none.
    CvxStdToolCmdIFace* FindTool(const CvxScpiArgument& name, Client& client) const;

    CvxHostSession& m_session;
    CvxRemoteRunner& m_runner;
    std::vector<Extra> m_extra;
    std::string m_model = "cvx-compare";
    Gate m_gate;
};

// Fuzz target: the remote-control request handler. The input is what one client sends: lines
// and blocks, cut into messages by the input buffer, parsed command by command and executed
// against a host session as the server does (replies collected, errors queued, a repetitive
// run stepped once after each message). The session, its simulated analyzer (300 samples) and the
// module are made once per process; every input starts with one fresh Compare tool that has
// compared the session's last capture. Setup save and load and source option changes are
// not executed: they would write and read files anywhere or make the next acquisition as
// large as the input asks, and the setup readers have their own targets. Commands that
// acquire or compare (RUN, TOOL:EXECute) run at most kMaxCostly times per input, so that a
// long list of them stays within the time an input may take.

#include "CvxFuzzEnvironment.h"

#include "CvxHostSession.h"
#include "CvxRemoteCommands.h"
#include "CvxRemoteRunner.h"
#include "CvxScpiErrorQueue.h"
#include "CvxScpiInputBuffer.h"
#include "CvxScpiParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kMaxCostly = 8;

CvxHostSession& Session()
{
    static CvxHostSession* session = [] {
        CvxFuzzEnvironment::GetInstance();
        auto* made = new CvxHostSession;
        std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::MakeSource("simulated");
        std::string error;
        source->SetOption("samples", "300", error);
        source->SetOption("state_samples", "100", error);
        made->SetSource(std::move(source));
        if (made->AddCompareTool() == nullptr || !made->Run()) {
            std::abort(); // no module: the target would test nothing
        }
        CvxFuzzEnvironment::GetInstance().KeepCurrentLabels();
        return made;
    }();
    return *session;
}

bool Skipped(const CvxScpiCommand& command, int& costly)
{
    if (CvxScpiParser::Matches("RUN", command.header) || CvxScpiParser::Matches("TOOL:EXECute", command.header)) {
        return ++costly > kMaxCostly;
    }
    return CvxScpiParser::Matches("SYSTem:SETup:SAVE", command.header)
        || CvxScpiParser::Matches("SYSTem:SETup:LOAD", command.header)
        || CvxScpiParser::Matches("SOURce:OPTion", command.header);
}

void ExecuteMessage(const std::string& message, CvxRemoteCommands& commands, CvxRemoteCommands::Client& client,
                    int& costly)
{
    std::size_t position = 0;
    CvxScpiCommand command;
    client.replies.clear();
    while (true) {
        int errorCode = 0;
        std::string errorText;
        const auto result = CvxScpiParser::ParseNext(message, position, command, errorCode, errorText);
        if (result == CvxScpiParser::EvxResult::Error) {
            client.errors.Push(errorCode, errorText);
            break;
        }
        if (result == CvxScpiParser::EvxResult::End) {
            break;
        }
        if (Skipped(command, costly)) {
            continue;
        }
        if (commands.Execute(command, client) == CvxRemoteCommands::EvxOutcome::Undefined) {
            break;
        }
    }
}

} // namespace

// The one-time set-up (module, session, first capture) before the first timed input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Session();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CvxHostSession& session = Session();
    session.RemoveAllTools();
    if (session.AddCompareTool() == nullptr) {
        std::abort();
    }
    {
        CvxRemoteRunner runner(session);
        CvxRemoteCommands commands(session, runner);
        CvxScpiErrorQueue errors;
        std::vector<std::string> replies;
        CvxRemoteCommands::Client client{errors, replies};

        CvxScpiInputBuffer input;
        input.Append(std::string_view(reinterpret_cast<const char*>(data), size));
        input.Append("\n");
        std::string message;
        bool overlong = false;
        int costly = 0;
        while (input.Next(message, overlong)) {
            if (overlong) {
                errors.Push(CvxScpiErrorQueue::kTooMuchData, "dropped");
                continue;
            }
            ExecuteMessage(message, commands, client, costly);
            std::string error;
            if (runner.IsActive() && ++costly <= kMaxCostly) {
                runner.Step(CvxRemoteRunner::Clock::now(), error);
            }
        }
        while (errors.GetCount() > 0) {
            errors.Pop();
        }
        runner.Stop();
    }
    session.ClearStopRequest();
    CvxFuzzEnvironment::GetInstance().EndInput();
    return 0;
}

// Fuzz target: the host setup file, loaded by the host session as a user's file is: the zip
// archive (libzip), setup.xml, the data streams, the source and its options, the labels, and
// every tool's part, each tool made by the Compare module (loaded once per process) and sent
// its load message. A setup that loads then gets a small capture (300 samples of the
// simulated analyzer) delivered to its tools, which compare it against what they loaded.
// Mutations rarely get through the archive's checksums; FuzzSetupXml reaches the text and the
// tools' streams behind them.

#include "CvxFuzzEnvironment.h"

#include "CvxHostSession.h"
#include "CvxSimulatedAnalyzer.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct Host {
    CvxHostSession session;
    CvxSimulatedAnalyzer capture;
};

Host& GetHost()
{
    static Host* host = [] {
        CvxFuzzEnvironment::GetInstance();
        auto* made = new Host;
        std::string error;
        made->capture.SetOption("samples", "300", error);
        made->capture.SetOption("state_samples", "100", error);
        if (made->capture.Acquire() == nullptr || !made->session.LoadModule()) {
            std::abort(); // no module: the target would test nothing
        }
        CvxFuzzEnvironment::GetInstance().KeepCurrentLabels();
        return made;
    }();
    return *host;
}

} // namespace

// The one-time set-up (module, session, first capture) before the first timed input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    GetHost();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Host& host = GetHost();
    CvxFuzzEnvironment& environment = CvxFuzzEnvironment::GetInstance();
    if (host.session.LoadSetup(environment.WriteInputFile(data, size)) && host.session.GetToolCount() > 0) {
        host.session.Deliver(host.capture.Acquire(), 1);
    }
    host.session.RemoveAllTools();
    environment.EndInput();
    return 0;
}

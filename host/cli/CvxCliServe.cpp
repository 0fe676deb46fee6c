#include "CvxCliServe.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxCliHost.h"
#include "CvxRemoteServer.h"

#include <cstdio>

int CvxCliServe::Run(const std::vector<std::string>& args)
{
    CvxCliArgs cli("serve [OPTIONS]",
                   "Serves the remote-control commands of the host (SCPI-style, one command per line over TCP)\n"
                   "on a session with a source and a Compare tool, or with a setup, until Ctrl-C or SIGTERM.",
                   {
                       {"setup", "FILE", "load this setup (its source, tools and reference)"},
                       {"source", "KIND", "simulated, vcd or sigrok (default: the setup's, else simulated)"},
                       {"option", "KEY=VALUE", "a source option (repeatable): samples=50000, file=run.vcd, ..."},
                       {"address", "ADDR", "address to listen on (default 127.0.0.1)"},
                       {"port", "N", "TCP port (default 5025; 0 picks a free one)"},
                   },
                   0, 0);
    if (!cli.Parse(args)) {
        std::fputs(cli.Help().c_str(), stdout);
        return kCliExitSame;
    }
    const int port = static_cast<int>(cli.GetInt("port", CvxRemoteServer::kDefaultPort, 0, 65535));

    CvxCliHost host;
    CvxHostSession& session = host.GetSession();
    if (cli.Has("setup")) {
        host.LoadSetup(cli.Get("setup"));
    }
    if (cli.Has("source") || session.GetSource() == nullptr) {
        session.SetSource(CvxCliCapture::ForKind(cli.Get("source", "simulated")));
    }
    CvxCliCapture::ApplyOptions(*session.GetSource(), cli.GetAll("option"));
    if (session.GetToolCount() == 0) {
        host.AddTool();
    }

    CvxRemoteServer server(session);
    std::string error;
    const std::string address = cli.Get("address", "127.0.0.1");
    if (!server.Listen(address, port, &error)) {
        throw CvxCliError(error); // names the address, the port and the reason
    }
    std::fprintf(stderr, "cvx-compare: serving on %s:%d\n", address.c_str(), server.GetPort());
    std::fflush(stderr);
    host.OnInterrupt([&server] { server.Stop(); });
    return server.Serve() == 0 ? kCliExitSame : kCliExitTrouble;
}

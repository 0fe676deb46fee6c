// The remote-control server against real sockets: bad requests, over-long requests, several
// clients, a client that never reads, and repetitive runs served between requests.

#include "CvxHostSession.h"
#include "CvxInfoMgr.h"
#include "CvxRemoteCommands.h"
#include "CvxRemoteServer.h"
#include "CvxRemoteTestClient.h"
#include "CvxScpiInputBuffer.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kOutputLimit = 64 * 1024;
constexpr std::chrono::milliseconds kIdleLimit{1000};

class CvxRemoteServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path() / ("cvx-remote-" + std::to_string(getpid()));
        std::filesystem::create_directories(base);
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(base.string()));
        CvxInfoMgr::GetInstance().ClearRecentMessages();

        std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::MakeSource("simulated");
        std::string error;
        ASSERT_TRUE(source->SetOption("samples", "200", error)) << error;
        ASSERT_TRUE(source->SetOption("interval", "2", error)) << error;
        m_session.SetSource(std::move(source));
        m_server.SetWaitTimeout(std::chrono::milliseconds(500));
        m_server.SetClientOutputLimit(kOutputLimit);
        m_server.SetIdleLimit(kIdleLimit);
        ASSERT_TRUE(m_server.Listen("127.0.0.1", 0, &error)) << error;
        m_port = m_server.GetPort();
        ASSERT_GT(m_port, 0);
        m_thread = std::thread([this] { m_result = m_server.Serve(); });
    }
    void TearDown() override
    {
        if (m_thread.joinable()) {
            m_server.Stop();
            m_thread.join();
            EXPECT_EQ(m_result, 0);
        }
    }

    bool Logged(std::u16string_view text) const
    {
        for (const CvxInfoMgr::Entry& entry : CvxInfoMgr::GetInstance().GetRecentMessages()) {
            if (entry.text.find(text) != std::u16string::npos) {
                return true;
            }
        }
        return false;
    }

    CvxHostSession m_session;
    CvxRemoteServer m_server{m_session};
    int m_port = 0;
    int m_result = -1;
    std::thread m_thread;
};

} // namespace

TEST_F(CvxRemoteServerTest, BadRequestsBecomeQueuedErrorsAndServingGoesOn)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"FOO:BAR", "-113,"},
        {"SYST:ERR", "-113,"}, // the query form only
        {"TOOL:EXEC \"Nope\",\"Execute\"", "-224,\"Illegal parameter value; no tool named \"\"Nope\"\"\""},
        {"TOOL:VAL? \"Nope\",\"GetOptions\"", "-224,"},
        {"TOOL:OPT \"Nope\",#2a5", "-161,"},
        {"TOOL:OPT \"x\",#0<a/>", "-161,"},
        {"TOOL:OPT \"x\",#9999999999<a/>", "-223,"},
        {"TOOL:EXEC \"\xff\x01\",\"x\"", "-224,\"Illegal parameter value; no tool named \"\"? \"\"\""},
        {"TOOL:EXEC \"unclosed", "-102,"},
        {"RUN:REP -1", "-222,"},
        {"RUN:REP many", "-104,"},
        {"*IDN? 5", "-108,"},
        {"SYST:SET:LOAD", "-109,"},
        {"SYST:SET:LOAD #13abc", "-104,"},
        {"SYST:SET:LOAD \"/nonexistent-cvx-dir/a.cvxsetup\"", "-250,"},
        {"SYST:SET:SAVE \"/nonexistent-cvx-dir/a.cvxsetup\"", "-250,"},
        {"SOUR:OPT \"no_such_option\",\"1\"", "-224,"},
        {"SOUR:OPT \"samples\",\"0\"", "-224,"},
        {"SOUR:OPT? \"no_such_option\"", "-224,"},
    };
    CvxRemoteTestClient client(m_port);
    ASSERT_TRUE(client.IsConnected());
    for (const auto& [request, error] : cases) {
        EXPECT_TRUE(client.Send(std::string(request) + "\n"));
        const std::string reply = client.Query("SYST:ERR?");
        EXPECT_EQ(reply.substr(0, error.size()), error) << request << " -> " << reply;
        EXPECT_EQ(client.Query("SYST:ERR?"), "0,\"No error\"") << request;
    }
    EXPECT_EQ(client.Query("*IDN?"), CvxRemoteCommands::Identity());
    EXPECT_EQ(client.Query("SOUR:OPT? \"samples\""), "\"200\"");
    EXPECT_EQ(client.Query("TOOL:LIST?"), "");
}

TEST_F(CvxRemoteServerTest, SeveralCommandsOfOneLineAnswerInOneLine)
{
    CvxRemoteTestClient client(m_port);
    EXPECT_EQ(client.Query("*IDN?;:run:stat?; SYSTEM:ERROR?"), CvxRemoteCommands::Identity() + ";0;0,\"No error\"");
    // After an error in a line the rest of the line is not executed.
    EXPECT_EQ(client.Query("RUN:STAT?;NOPE;*IDN?"), "0");
    EXPECT_EQ(client.Query("SYST:ERR:COUN?;SYST:ERR?;SYST:ERR?"), "1;-113,\"Undefined header; NOPE\";0,\"No error\"");
}

TEST_F(CvxRemoteServerTest, OverlongRequestIsDroppedAndTheNextLineIsServed)
{
    CvxRemoteTestClient client(m_port);
    const std::size_t limit = CvxScpiInputBuffer::kMaxMessage;
    // A block header that claims more than the limit, and a plain line over it.
    std::string request = "TOOL:OPT \"x\",#8" + std::to_string(limit * 40) + std::string(limit + 5, 'x') + "\n";
    request += std::string(limit + 1, 'A') + "\n*IDN?\n";
    ASSERT_TRUE(client.Send(request));
    EXPECT_EQ(client.ReadLine(), CvxRemoteCommands::Identity());
    EXPECT_EQ(client.Query("SYST:ERR?").substr(0, 5), "-223,");
    EXPECT_EQ(client.Query("SYST:ERR?").substr(0, 5), "-223,");
    EXPECT_EQ(client.Query("SYST:ERR?"), "0,\"No error\"");
}

TEST_F(CvxRemoteServerTest, ClientsAtOnceKeepTheirOwnErrorsAndOthersFollow)
{
    {
        CvxRemoteTestClient first(m_port);
        CvxRemoteTestClient second(m_port);
        ASSERT_TRUE(first.Send("BAD:ONE\n"));
        EXPECT_EQ(second.Query("SYST:ERR?"), "0,\"No error\"");
        EXPECT_EQ(first.Query("SYST:ERR?"), "-113,\"Undefined header; BAD:ONE\"");
        // Half a line of one client does not hold up the other.
        ASSERT_TRUE(first.Send("*ID"));
        EXPECT_EQ(second.Query("RUN:STAT?"), "0");
        ASSERT_TRUE(first.Send("N?\n"));
        EXPECT_EQ(first.ReadLine(), CvxRemoteCommands::Identity());
    }
    for (int i = 0; i < 3; ++i) {
        CvxRemoteTestClient next(m_port);
        EXPECT_EQ(next.Query("*IDN?"), CvxRemoteCommands::Identity());
    }
}

TEST_F(CvxRemoteServerTest, ClientThatNeverReadsIsDisconnectedWithoutBlockingOthers)
{
    CvxRemoteTestClient greedy(m_port);
    CvxRemoteTestClient polite(m_port);
    std::string queries;
    for (int i = 0; i < 2000; ++i) {
        queries += "*IDN?;";
    }
    queries += "*IDN?\n";
    // Bounded: the replies asked for pass the output bound plus every socket buffer well before.
    bool disconnected = false;
    for (int i = 0; i < 400 && !disconnected; ++i) {
        disconnected = !greedy.Send(queries);
        EXPECT_EQ(polite.Query("*IDN?"), CvxRemoteCommands::Identity());
    }
    EXPECT_TRUE(disconnected);
    EXPECT_TRUE(Logged(u"bytes of replies unread"));
    EXPECT_EQ(polite.Query("RUN:STAT?"), "0");
}

TEST_F(CvxRemoteServerTest, MessageIsStoppedWhenItsRepliesPassTheBound)
{
    // Replies of small queries are many times the request: the message ends at the bound, so
    // neither its replies pile up nor do its later commands run.
    std::string message;
    while (message.size() < kOutputLimit / 2) {
        message += "*IDN?;";
    }
    message += "RUN\n";
    {
        CvxRemoteTestClient greedy(m_port);
        ASSERT_TRUE(greedy.Send(message));
        EXPECT_EQ(greedy.ReadLine(), "<closed>");
    }
    CvxRemoteTestClient next(m_port);
    EXPECT_EQ(next.Query("RUN:COUN?"), "0");
    EXPECT_TRUE(Logged(u"bytes of replies unread"));
}

TEST_F(CvxRemoteServerTest, SilentClientsGiveWayWhenAllPlacesAreTaken)
{
    std::vector<std::unique_ptr<CvxRemoteTestClient>> clients;
    for (std::size_t i = 0; i < CvxRemoteServer::kMaxClients; ++i) {
        clients.push_back(std::make_unique<CvxRemoteTestClient>(m_port));
        ASSERT_EQ(clients.back()->Query("*IDN?"), CvxRemoteCommands::Identity()) << i;
    }
    {
        CvxRemoteTestClient early(m_port); // every client spoke just now
        EXPECT_EQ(early.Query("*IDN?"), "<closed>");
    }
    std::this_thread::sleep_for(kIdleLimit + std::chrono::milliseconds(200));
    // One in the middle of a line has something under way; the others are merely silent.
    ASSERT_TRUE(clients[0]->Send("*ID"));
    CvxRemoteTestClient late(m_port);
    EXPECT_EQ(late.Query("*IDN?"), CvxRemoteCommands::Identity());
    EXPECT_EQ(clients[1]->ReadLine(), "<closed>"); // silent longest
    ASSERT_TRUE(clients[0]->Send("N?\n"));
    EXPECT_EQ(clients[0]->ReadLine(), CvxRemoteCommands::Identity());
    EXPECT_EQ(clients[2]->Query("RUN:STAT?"), "0");
    EXPECT_TRUE(Logged(u"its place went to"));
}

TEST_F(CvxRemoteServerTest, RepetitiveRunGoesOnBetweenRequests)
{
    CvxRemoteTestClient client(m_port);
    CvxRemoteTestClient other(m_port);
    EXPECT_EQ(client.Query("RUN:REP 3;*OPC?"), "1");
    EXPECT_EQ(client.Query("RUN:COUN?"), "3");
    EXPECT_TRUE(client.Send("RUN\n"));
    EXPECT_EQ(client.Query("RUN:COUN?;*OPC?"), "4;1");

    EXPECT_TRUE(client.Send("RUN:REPETITIVE\n"));
    EXPECT_EQ(other.Query("RUN:STAT?"), "1");
    EXPECT_EQ(other.Query("RUN;SYST:ERR?").substr(0, 5), "-213,"); // no single run during it
    // *OPC? waits for the endless run only up to its timeout, serving others meanwhile.
    ASSERT_TRUE(client.Send("*OPC?\n"));
    EXPECT_EQ(other.Query("*IDN?"), CvxRemoteCommands::Identity());
    EXPECT_EQ(client.ReadLine(), "0");
    EXPECT_EQ(client.Query("SYST:ERR?").substr(0, 5), "-300,");
    ASSERT_TRUE(client.Send("*OPC?\n"));
    EXPECT_TRUE(other.Send("STOP\n"));
    EXPECT_EQ(client.ReadLine(), "1");
    EXPECT_EQ(other.Query("RUN:STAT?;SYST:ERR?"), "0;0,\"No error\"");
    const std::string runs = client.Query("RUN:COUN?");
    EXPECT_GT(std::stoll(runs), 4);
}

TEST(CvxRemoteServerListenTest, RefusesBusyPortsAndBadAddresses)
{
    CvxHostSession session;
    CvxRemoteServer first(session);
    CvxRemoteServer second(session);
    std::string error;
    ASSERT_TRUE(first.Listen("127.0.0.1", 0, &error)) << error;
    EXPECT_FALSE(second.Listen("127.0.0.1", first.GetPort(), &error));
    EXPECT_NE(error.find("in use"), std::string::npos) << error;
    EXPECT_FALSE(second.Listen("127.0.0.999", 0, &error));
    EXPECT_FALSE(second.Listen("127.0.0.1", 70000, &error));
    EXPECT_FALSE(second.Listen("", 0, &error));
    EXPECT_EQ(second.GetPort(), -1);
    EXPECT_EQ(second.Serve(), 1);
}

// The daemon as its users meet it: real nexord processes, clients on the socket connection.
#include <gtest/gtest.h>

#include "DataPathFixture.h"
#include "NexordProcess.h"
#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/com/RemoteSocket.h"

#include <thread>

namespace {

struct Reconciled {
    std::vector<std::string> messages;
    void Listen(TClientDataSet& ds) {
        ds.OnReconcileError = [this](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction& action) {
            messages.push_back(e.Message());
            action = raSkip;
        };
    }
};

// Edits a body line and stamps it as the data modules do (FLAG one up), and the header with it.
void EditLine(DocumentClient& c, const std::string& line, const std::string& value) {
    ASSERT_TRUE(c.body.Locate("MD002", Variant(line), {}));
    c.body.Edit();
    c.body.FieldByName("MD004")->SetAsString(value);
    DocumentClient::BumpFlag(c.body);
    c.body.Post();
    c.main.Edit();
    DocumentClient::BumpFlag(c.main);
    c.main.Post();
}

}  // namespace

class Nexord : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(Nexord);

TEST_P(Nexord, SecondSaveOfTheSameRowIsRefusedAndTheFirstStays) {
    AddDocuments(2, 3);
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();

    DocumentClient first("127.0.0.2", daemon.Port()), second("127.0.0.2", daemon.Port());
    EXPECT_FALSE(first.connection.IsInProcess());
    first.Open("ADMMC.MC001 = 'D001'");
    second.Open("ADMMC.MC001 = 'D001'");
    EXPECT_EQ(first.body.RecordCount(), 3);

    EditLine(first, "0002", "第一位");
    EXPECT_EQ(first.main.ApplyUpdates(0), 0);

    EditLine(second, "0002", "第二位");
    Reconciled header;
    header.Listen(second.main);
    EXPECT_EQ(second.main.ApplyUpdates(0), 1);
    EXPECT_EQ(header.messages, std::vector<std::string>{"Record changed by another user"});
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'").AsString(), "第一位");
    EXPECT_EQ(Count("SELECT FLAG FROM ADMMC WHERE MC001 = 'D001'"), 2);

    // A line deleted meanwhile is reported as deleted, not as changed.
    first.Open("ADMMC.MC001 = 'D002'");
    second.Open("ADMMC.MC001 = 'D002'");
    ASSERT_TRUE(first.body.Locate("MD002", Variant("0001"), {}));
    first.body.Delete();
    EXPECT_EQ(first.main.ApplyUpdates(0), 0);
    ASSERT_TRUE(second.body.Locate("MD002", Variant("0001"), {}));
    second.body.Edit();
    second.body.FieldByName("MD004")->SetAsString("晚了");
    DocumentClient::BumpFlag(second.body);
    second.body.Post();
    Reconciled line;
    line.Listen(second.body);
    EXPECT_EQ(second.main.ApplyUpdates(0), 1);
    EXPECT_EQ(line.messages, std::vector<std::string>{"Record not found or deleted by another user"});
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D002'"), 2);

    std::string log = daemon.Log();
    EXPECT_NE(log.find("opened for Nexor01S.Class1"), std::string::npos) << log;
}

TEST_P(Nexord, ServesManyClientsAtOnce) {
    AddDocuments(4, 5);
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    constexpr int kClients = 4, kRounds = 5;
    std::vector<std::string> failures(kClients);
    std::vector<std::thread> clients;
    for (int k = 0; k < kClients; ++k) {
        clients.emplace_back([&, k] {
            try {
                DocumentClient c("127.0.0.2", daemon.Port());
                std::string key = "D00" + std::to_string(k + 1);
                for (int round = 1; round <= kRounds; ++round) {
                    c.Open("ADMMC.MC001 = '" + key + "'");
                    ASSERT_TRUE(c.body.Locate("MD002", Variant("0001"), {}));
                    c.body.Edit();
                    c.body.FieldByName("MD004")->SetAsString("第" + std::to_string(round) + "轮");
                    DocumentClient::BumpFlag(c.body);
                    c.body.Post();
                    if (c.main.ApplyUpdates(0) != 0) failures[static_cast<std::size_t>(k)] += "round refused; ";
                }
            } catch (const Exception& e) {
                failures[static_cast<std::size_t>(k)] += e.Message();
            }
        });
    }
    for (auto& t : clients) t.join();
    for (int k = 0; k < kClients; ++k) {
        EXPECT_EQ(failures[static_cast<std::size_t>(k)], "") << "client " << k;
        std::string key = "D00" + std::to_string(k + 1);
        EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = ? AND MD002 = '0001'", {key}).AsString(), "第5轮");
        EXPECT_EQ(Count("SELECT FLAG FROM ADMMD WHERE MD001 = ? AND MD002 = '0001'", {key}), 1 + kRounds);
    }
    EXPECT_EQ(daemon.Log().find("closed: connection error"), std::string::npos) << daemon.Log();
}

TEST_P(Nexord, MalformedClientEndsOnlyItsOwnSession) {
    AddDocuments(1, 1);
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--max-frame", "65536"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    DocumentClient good("127.0.0.2", daemon.Port());
    good.Open("ADMMC.MC001 = 'D001'");

    {
        TSocket raw = TSocket::Connect("127.0.0.2", daemon.Port(), 2000);
        TWireWriter hello;
        hello.Message(TRemoteMessage::Hello);
        hello.U32(kRemoteProtocolVersion);
        hello.Str("Nexor01S.Class1");
        raw.SendAll(hello.Frame(), 2000);
        std::string payload;
        ASSERT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Frame);
        raw.SendAll(std::string("\x00\x00\x00\x03\x03\x01\x02", 7), 2000);  // a call cut short
        EXPECT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Closed);
    }
    {
        TSocket raw = TSocket::Connect("127.0.0.2", daemon.Port(), 2000);
        raw.SendAll(std::string("\x00\x10\x00\x00", 4), 2000);  // 1 MiB announced, 64 KiB allowed
        std::string payload;
        EXPECT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Closed);
    }
    EXPECT_TRUE(daemon.WaitForLog("exceeds the limit of 65536 bytes", 5000)) << daemon.Log();
    EXPECT_NE(daemon.Log().find("malformed frame: truncated"), std::string::npos) << daemon.Log();

    // The good client goes on working on the same daemon.
    EXPECT_EQ(OleCall(good.Server(), "GetRecCount").AsInteger(), 1);
    EditLine(good, "0001", "照常");
    EXPECT_EQ(good.main.ApplyUpdates(0), 0);
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001'").AsString(), "照常");
}

TEST_P(Nexord, StopsOnSignalAndADownDaemonGivesTheConnectionError) {
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    int port = daemon.Port();
    DocumentClient client("127.0.0.2", port);
    daemon.Signal(SIGTERM);
    EXPECT_EQ(daemon.Wait(10000), 0);
    EXPECT_NE(daemon.Log().find("stopping on SIGTERM"), std::string::npos) << daemon.Log();
    EXPECT_NE(daemon.Log().find("closed: server stopping"), std::string::npos) << daemon.Log();

    // The open session is gone, and so is the daemon.
    EXPECT_EQ(ErrorOf([&] {
                  OleCall(client.Server(), "WhatIs", {"TODAY"});
              }).rfind("Connection to 127.0.0.2:" + std::to_string(port) + " lost", 0),
              0u);
    EXPECT_EQ(ErrorOf([&] { DocumentClient late("127.0.0.2", port); }),
              "Unable to connect to 127.0.0.2:" + std::to_string(port) + ": Connection refused");

    // Starting without what it needs is a usage error.
    EXPECT_EQ(NexordProcess::Run({"--port", "0"}), 2);
    EXPECT_EQ(NexordProcess::Run({"--port", "70000", "--database", dbPath_}), 2);
}

TEST_P(Nexord, CreatesADatabaseOnlyWhenAskedAndServesTheLookupServerToo) {
    const std::string fresh =
        Backend() == TestBackend::SQLite ? (folder_ / "new-company.db").string() : kPostgresPrefix + NewTestSchema();
    NexordProcess refused(fresh);
    EXPECT_EQ(refused.Wait(10000), 1);
    EXPECT_NE(refused.Log().find("the database " + fresh + " does not exist"), std::string::npos) << refused.Log();
    if (Backend() == TestBackend::SQLite) {
        EXPECT_FALSE(std::filesystem::exists(fresh));
    }

    NexordProcess daemon(fresh, "127.0.0.2", {"--create"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    EXPECT_NE(daemon.Log().find("created the database " + fresh), std::string::npos) << daemon.Log();

    // The lookup server a program's data module connects to, with the rows of the served database.
    TSocketConnection lookup;
    lookup.Address = "127.0.0.2";
    lookup.Port = daemon.Port();
    lookup.ServerName = "PickvuS.Class1";
    lookup.Open();
    std::vector<Variant> params(19);
    params[0] = "ADMMA";
    params[1] = "01";
    params[2] = VarArrayOf({});
    params[4] = "";
    params[5] = "DEMO";
    params[6] = "DEMO";
    Variant rows = OleCall(lookup.AppServer(), "F2GetData", {VarArrayOf(params)});
    ASSERT_TRUE(rows.IsArray()) << daemon.Log();
    EXPECT_GT(rows.Count(), 0);
}

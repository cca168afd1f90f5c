// What SQL a client may send a real nexord, and how long and how large its answers may grow.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "DataPathFixture.h"
#include "NexordProcess.h"
#include "RawClient.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

const char* kEndless = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) SELECT COUNT(*) AS N FROM r";

}  // namespace

class NexordSql : public OnEveryBackend<DataPathFixture> {
protected:
    Variant Sql(DocumentClient& c, const std::string& sql, const std::string& fields = "") {
        return OleCall(c.Server(), "SimpleSql", {VarArrayOf({sql, fields})});
    }
    std::string Refusal(DocumentClient& c, const std::string& sql) {
        return ErrorOf([&] { Sql(c, sql); });
    }
    bool OnSqlite() const { return Backend() == TestBackend::SQLite; }
};
TDEF_ON_EVERY_BACKEND(NexordSql);

TEST_P(NexordSql, ClientSqlIsOneStatementThatReachesOnlyTheCompanysData) {
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    DocumentClient c(daemon.Address(), daemon.Port());
    long long programs = Count("SELECT COUNT(*) FROM ADMMB");
    ASSERT_GT(programs, 0);

    // What the framework sends goes through.
    EXPECT_EQ(VarToStr(Sql(c, "SELECT MA001 FROM ADMMA WHERE MA001 = 'ADM'", "MA001")[0][0]), "ADM");
    EXPECT_EQ(OleCall(c.Server(), "TransactionSQL",
                      {VarArrayOf({VarArrayOf({"UPDATE ADMMA SET MA003 = MA003 WHERE MA001 = 'ADM'"}), ""})})
                  .AsInteger(),
              1);

    // A second statement is refused, and nothing of the text runs.
    EXPECT_TRUE(StartsWith(Refusal(c, "SELECT 1; DELETE FROM ADMMB"), "Only one statement is allowed here"));
    EXPECT_TRUE(
        StartsWith(ErrorOf([&] {
                       OleCall(c.Server(), "TransactionSQL", {VarArrayOf({VarArrayOf({"DELETE FROM ADMMB; SELECT 1"}), ""})});
                   }),
                   "Only one statement is allowed here"));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMB"), programs);

    // Transaction control and changes to the tables themselves are the server's.
    for (const char* sql : {"BEGIN", "COMMIT", "CREATE TABLE STOLEN (A INT)", "DROP TABLE ADMMB"})
        EXPECT_NE(Refusal(c, sql).find("is not allowed in SQL sent to the server"), std::string::npos) << sql;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMB"), programs);

    if (OnSqlite()) {
        std::string stolen = (folder_ / "stolen.db").string(), copy = (folder_ / "copy.db").string();
        for (const std::string& sql :
             {"ATTACH DATABASE '" + stolen + "' AS x", "VACUUM INTO '" + copy + "'", std::string("PRAGMA writable_schema = 1"),
              std::string("SELECT load_extension('x')"), std::string("PRAGMA journal_mode = DELETE")})
            EXPECT_NE(Refusal(c, sql).find("is not allowed in SQL sent to the server"), std::string::npos) << Refusal(c, sql);
        EXPECT_FALSE(std::filesystem::exists(stolen));
        EXPECT_FALSE(std::filesystem::exists(copy));
        EXPECT_EQ(VarToStr(Sql(c, "PRAGMA journal_mode")[0][0]), "wal");
    } else {
        // The session works as the company's own role: nothing outside the company's schema, no way back.
        std::string other = NewTestSchema();
        CompanyDatabase::Create(kPostgresPrefix + other);
        EXPECT_NE(Refusal(c, "SELECT COUNT(*) FROM " + other + ".admmb").find("permission denied"), std::string::npos);
        EXPECT_NE(Refusal(c, "SELECT pg_read_file('/etc/hostname')").find("permission denied"), std::string::npos);
        for (const char* sql : {"SET ROLE NONE", "RESET ROLE", "SELECT set_config('role', 'none', false)",
                                "COPY admmb TO '/tmp/admtl.txt'", "SELECT query_to_xml('DELETE FROM admmb', true, true, '')"})
            EXPECT_NE(Refusal(c, sql).find("is not allowed in SQL sent to the server"), std::string::npos) << sql;
    }

    // Parts of statements: a condition may not reach past the parentheses the server puts around it.
    ASSERT_EQ(OleCall(c.Server(), "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})}).AsInteger(), 0);
    long long forms = Count("SELECT COUNT(*) FROM ADMNF");
    for (const char* condition : {"1=1); DELETE FROM ADMNF; --", "1=1) OR (1=1", "1=1 --", "MC001 = 'x"})
        EXPECT_TRUE(StartsWith(ErrorOf([&] {
                                   OleCall(c.Server(), "GetBaseLimitedRecs", {"M11", condition, 0});
                               }),
                               "The condition must be one whole expression"))
            << condition;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMNF"), forms);
    EXPECT_TRUE(StartsWith(ErrorOf([&] { c.Open("1=1) OR (1=1"); }), "The condition must be one whole expression"));
    EXPECT_TRUE(StartsWith(ErrorOf([&] { c.Open("", "MC001; DELETE FROM ADMMC"); }), "The order must be one whole expression"));
    c.Open("ADMMC.MC001 <> ')'", "ADMMC.MC001 DESC");
    EXPECT_EQ(c.main.RecordCount(), Count("SELECT COUNT(*) FROM ADMMC"));
}

TEST_P(NexordSql, ATransactionNeverOutlivesItsCallNorHoldsOthersBack) {
    AddDocuments(1, 1);
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    {
        DocumentClient first(daemon.Address(), daemon.Port());
        EXPECT_NE(Refusal(first, "BEGIN IMMEDIATE").find("Transaction control is not allowed"), std::string::npos);
        EXPECT_EQ(OleCall(first.Server(), "TransactionSQL",
                          {VarArrayOf({VarArrayOf({"UPDATE ADMMD SET MD004 = 'kept' WHERE MD001 = 'D001'"}), ""})})
                      .AsInteger(),
                  1);

        // Another client saves meanwhile without waiting.
        DocumentClient second(daemon.Address(), daemon.Port());
        second.Open("ADMMC.MC001 = 'D001'");
        second.body.Edit();
        second.body.FieldByName("UDF01")->SetAsString("second");
        second.body.Post();
        EXPECT_EQ(second.main.ApplyUpdates(0), 0);
    }
    // What a call answered as done stays done when its client has gone.
    EXPECT_TRUE(daemon.WaitForLog("closed: client closed the connection", 5000));
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001'").AsString(), "kept");
    EXPECT_EQ(Value("SELECT UDF01 FROM ADMMD WHERE MD001 = 'D001'").AsString(), "second");
}

TEST_P(NexordSql, StatementsAreBoundedInTimeRowsAndValueSize) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--statement-timeout", "1", "--max-rows", "1000"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    DocumentClient c(daemon.Address(), daemon.Port());

    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Refusal(c, kEndless), "The statement was stopped: it ran longer than the server's statement time limit (1 s)");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(Refusal(c, "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 5000) SELECT n FROM r"),
              "The answer holds more than 1000 rows, the server's row limit per answer: narrow the query");
    EXPECT_EQ(Sql(c, "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 1000) SELECT n FROM r").Count(),
              1000);
    if (OnSqlite()) {
        long long before = ResidentKiB(daemon.Pid());
        EXPECT_EQ(Refusal(c, "SELECT RPAD('x', 2000000000, 'y')"),
                  "A text or binary value exceeds the server's value limit (64 MiB)");
        EXPECT_LT(ResidentKiB(daemon.Pid()) - before, 64 * 1024);
    }
    // The session is fine afterwards.
    EXPECT_EQ(VarToStr(Sql(c, "SELECT MA001 FROM ADMMA WHERE MA001 = 'ADM'")[0][0]), "ADM");
}

TEST_P(NexordSql, WorkOfAClientThatLeftIsStoppedAndSigtermEndsTheDaemonWhateverRuns) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--statement-timeout", "600"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    {
        RawClient leaving(daemon.Address(), daemon.Port());
        leaving.Hello();
        ASSERT_EQ(leaving.Answer(), "welcome");
        leaving.Call("SimpleSql", {VarArrayOf({kEndless, ""})});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    EXPECT_TRUE(daemon.WaitForLog("call cancelled: the client closed the connection", 5000)) << daemon.Log();

    RawClient busy(daemon.Address(), daemon.Port());
    busy.Hello();
    ASSERT_EQ(busy.Answer(), "welcome");
    busy.Call("SimpleSql", {VarArrayOf({kEndless, ""})});
    RawClient silent(daemon.Address(), daemon.Port());
    silent.Hello();
    ASSERT_EQ(silent.Answer(), "welcome");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto signalled = std::chrono::steady_clock::now();
    daemon.Signal(SIGTERM);
    EXPECT_EQ(daemon.Wait(10000), 0) << daemon.Log();
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(5));
    EXPECT_EQ(busy.Answer(), "closed");
}

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "tests/outside/CompanyFixture.h"

namespace {

std::map<std::string, std::string> InfoLines(const std::string& text) {
    std::map<std::string, std::string> out;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << "lines end in CR LF";
        line.pop_back();
        auto eq = line.find('=');
        EXPECT_NE(eq, std::string::npos) << line;
        out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

}  // namespace

class AppServerTest : public OnEveryBackend<CompanyFixture> {};
TDEF_ON_EVERY_BACKEND(AppServerTest);

TEST_P(AppServerTest, ConnectSendsTheProgramInformationOfTheUser) {
    Variant ds = ConnectedServer("DS");
    auto info = InfoLines(OleGet(ds, "SvrData").AsString());
    EXPECT_EQ(info["POWER_DATA"], ",Y,Y,YYYYYYYYYYYY,YYYYYYY,YYYYYYY");
    EXPECT_EQ(info["USER_GROUP"], "ADMIN");
    EXPECT_EQ(info["GROUP_LIST"], "'ADMIN'");
    EXPECT_EQ(info["M11_TABLE"], "ADMMC");
    EXPECT_EQ(info["M11_KEY"], "MC001");
    EXPECT_EQ(info["D11_TABLE"], "ADMMD");
    EXPECT_EQ(info["D11_KEY"], "MD001,MD002");
    EXPECT_NE(info["M11_SELECT"].find("MC004C"), std::string::npos);
    EXPECT_TRUE(info.count("EX_POWER"));

    Variant clerk = ConnectedServer("CLERK");
    auto clerkInfo = InfoLines(OleGet(clerk, "SvrData").AsString());
    EXPECT_EQ(clerkInfo["POWER_DATA"], ",N,N,YYNNNYYYYNNN,NNNNNNN,NNNNNNN");
    EXPECT_EQ(clerkInfo["USER_GROUP"], "CLERK");
    EXPECT_EQ(clerkInfo["M11_TABLE"], "ADMMC");

    // A known user without rights on the program connects with an empty POWER_DATA.
    Variant guest = ConnectedServer("GUEST");
    EXPECT_EQ(InfoLines(OleGet(guest, "SvrData").AsString())["POWER_DATA"], "");
}

TEST_P(AppServerTest, ConnectRefusesUnknownUsersAndProgramsWithAReason) {
    Variant server = CreateOleObject("Nexor01S.Class1");
    EXPECT_EQ(OleCall(server, "Connect", {VarArrayOf({"TDEF05", "NOBODY", "DEMO", "DEMO", true, false})}).AsInteger(), 2);
    EXPECT_NE(OleGet(server, "LastError").AsString().find("NOBODY"), std::string::npos);
    EXPECT_EQ(OleGet(server, "SvrData").AsString(), "");
    EXPECT_EQ(OleCall(server, "Connect", {VarArrayOf({"NOPROG", "DS", "DEMO", "DEMO", true, false})}).AsInteger(), 3);
    EXPECT_NE(OleGet(server, "LastError").AsString().find("NOPROG"), std::string::npos);
    EXPECT_EQ(OleCall(server, "Connect", {"not an array"}).AsInteger(), -1);
    // The refusals are logged beside an SQLite database; a PostgreSQL one has no folder, so the
    // temporary folder takes the log when no server folder is configured.
    std::filesystem::path logs = (Backend() == TestBackend::SQLite ? folder_ : std::filesystem::temp_directory_path()) / "Log";
    bool logged = false;
    for (auto& e : std::filesystem::directory_iterator(logs)) {
        if (!e.path().filename().string().starts_with("Nexor01S_")) continue;
        std::ifstream in(e.path());
        std::stringstream text;
        text << in.rdbuf();
        logged = logged || text.str().find("unknown user 'NOBODY'") != std::string::npos;
    }
    EXPECT_TRUE(logged);
    // A refused session that connects properly afterwards gets its data.
    EXPECT_EQ(OleCall(server, "Connect", {VarArrayOf({"tdef05", "DS", "DEMO", "DEMO", true, false})}).AsInteger(), 0);
    EXPECT_NE(OleGet(server, "SvrData").AsString().find("POWER_DATA="), std::string::npos);
}

TEST_P(AppServerTest, WhatIsAnswersDateTypeAndTime) {
    Variant server = ConnectedServer();
    std::string today = OleCall(server, "WhatIs", {"TODAY"}).AsString();
    EXPECT_EQ(today.size(), 8u);
    EXPECT_TRUE(today.starts_with("20"));
    EXPECT_EQ(OleCall(server, "WhatIs", {"SQLTYPE"}).AsInteger(), 0);
    std::string stamp = OleCall(server, "WhatIs", {"SERVERTIME"}).AsString();
    EXPECT_EQ(stamp.size(), 17u);
    EXPECT_EQ(stamp.substr(0, 8), today);
    EXPECT_TRUE(OleCall(server, "WhatIs", {"NONSENSE"}).IsEmpty());
}

TEST_P(AppServerTest, SimpleSqlAnswersRowsOfTheListedFieldsInBothForms) {
    Variant server = ConnectedServer();
    // Two-element form, the client having resolved $$ to the two-dot form.
    Variant rows = OleCall(
        server, "SimpleSQL",
        {VarArrayOf({"SELECT MB002,MB011,MB012,MB013 FROM DEMO..ADMMB WHERE MB001='TDEF05'", "MB002,MB011,MB012,MB013"})});
    ASSERT_TRUE(rows.IsArray());
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Low(), 0);
    EXPECT_EQ(rows[0].Count(), 4);
    EXPECT_EQ(rows[0][0].AsString(), "文档信息录入作业");
    EXPECT_EQ(rows[0][1].AsString(), "Document Maintenance");

    // Four-element form with $$, TOP and ISNULL; fields picked by name in the listed order.
    Variant top =
        OleCall(server, "SimpleSql",
                {VarArrayOf({"select top 2 ISNULL(MA003, N'无') AS NOTE, MA001 from $$ADMMA ADMMA(nolock) order by MA001",
                             "MA001,NOTE", "DEMO", "N"})});
    ASSERT_EQ(top.Count(), 2);
    EXPECT_EQ(top[0][0].AsString(), "ACT");
    EXPECT_EQ(top[0][1].AsString(), "无");
    EXPECT_EQ(top[1][0].AsString(), "ADM");
    EXPECT_EQ(top[1][1].AsString(), "作业、权限与文档定义");

    // String concatenation with +.
    Variant joined =
        OleCall(server, "SimpleSql", {VarArrayOf({"SELECT MA001 + ':' + MA002 AS T FROM ADMMA WHERE MA001='CMS'", "T"})});
    EXPECT_EQ(joined[0][0].AsString(), "CMS:基本信息管理");

    // Nothing found: an empty answer. A field missing from the result is an error, not a silent gap.
    EXPECT_TRUE(OleCall(server, "SimpleSql", {VarArrayOf({"SELECT MA001 FROM ADMMA WHERE MA001='none'", "MA001"})}).IsEmpty());
    EXPECT_THROW(OleCall(server, "SimpleSql", {VarArrayOf({"SELECT MA001 FROM ADMMA", "MA001,MA999"})}), EDatabaseError);
}

TEST_P(AppServerTest, TransactionSqlIsAllOrNothingAndReportsTheDatabaseMessage) {
    Variant server = ConnectedServer();
    auto count = [&] {
        return OleCall(server, "SimpleSql", {VarArrayOf({"SELECT COUNT(*) AS N FROM ADMMA", "N"})})[0][0].AsInteger();
    };
    int before = count();
    Variant bad = VarArrayOf({"INSERT INTO $$ADMMA (MA001, MA002) VALUES ('X1', N'一')",
                              "INSERT INTO $$ADMMA (MA001, MA002) VALUES ('ADM', N'重复')"});
    try {
        OleCall(server, "TransactionSQL", {VarArrayOf({bad, ""})});
        ADD_FAILURE() << "a duplicate key must fail the transaction";
    } catch (const Exception& e) {
        // Each backend words it its own way; both name the unique key.
        std::string message = e.Message();
        for (auto& c : message) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_NE(message.find("UNIQUE"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(count(), before);

    Variant good = VarArrayOf({"INSERT INTO ADMMA (MA001, MA002) VALUES ('X1', '一')",
                               "UPDATE DEMO..ADMMA SET MA002 = MA002 + '!' WHERE MA001 = 'X1'"});
    OleCall(server, "TransactionSQL", {VarArrayOf({good, ""})});
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(OleCall(server, "SimpleSql", {VarArrayOf({"SELECT MA002 FROM ADMMA WHERE MA001='X1'", "MA002"})})[0][0].AsString(),
              "一!");
}

TEST_P(AppServerTest, GetSysInfoAnswersNamesAndValuesInTwoRows) {
    Variant server = CreateOleObject("Nexor01S.Class1");
    Variant info = OleCall(server, "GetSysInfo", {"DEMO"});
    ASSERT_EQ(info.DimCount(), 2);
    EXPECT_EQ(info.Low(1), 0);
    EXPECT_EQ(info.High(1), 1);
    EXPECT_EQ(info.Low(2), 0);
    std::map<std::string, std::string> values;
    for (int j = info.Low(2); j <= info.High(2); ++j) values[info.At(0, j).AsString()] = info.At(1, j).AsString();
    EXPECT_EQ(values["SYS001"], "1");
    EXPECT_EQ(values["SYS002"], "/");
    EXPECT_EQ(values["RKT002"], "演示公司");
    EXPECT_EQ(values.size(), static_cast<std::size_t>(info.Count(2)));
    EXPECT_TRUE(OleCall(server, "GetSysInfo", {"OTHER", "DEMO"}).IsEmpty());
}

TEST_P(AppServerTest, CheckValueAnswersFromTheCatalogWithBoundKeys) {
    Variant server = ConnectedServer();
    Variant db = "DEMO";
    Variant values;
    ASSERT_TRUE(
        OleCall(server, "CheckValue", {"ADMMB", "06", Variant::Ref(&db), VarArrayOf({"TDEF05", "DEMO"}), Variant::Ref(&values)})
            .AsBool());
    ASSERT_TRUE(values.IsArray());
    EXPECT_EQ(values.Low(), 0);
    EXPECT_EQ(values.Count(), 10);
    EXPECT_EQ(values[0].AsString(), "文档信息录入作业");  // program name
    EXPECT_EQ(values[1].AsString(), "TDEF05");            // print program id
    EXPECT_EQ(values[7].AsString(), "N");                 // program flag
    EXPECT_EQ(values[9].AsString(), "Document Maintenance");

    // A single key need not be wrapped; a miss answers false and clears the values.
    EXPECT_TRUE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", "ADM", Variant::Ref(&values)}).AsBool());
    EXPECT_EQ(values[0].AsString(), "系统管理");
    EXPECT_FALSE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", VarArrayOf({"ZZZ"}), Variant::Ref(&values)}).AsBool());
    EXPECT_TRUE(values.IsEmpty());
    EXPECT_FALSE(OleCall(server, "CheckValue", {"NOTABLE", "01", "DEMO", VarArrayOf({"X"}), Variant::Ref(&values)}).AsBool());

    // QueryData gives every row.
    Variant rows;
    ASSERT_TRUE(OleCall(server, "QueryData", {"ADMMD", "03", "DEMO", VarArrayOf({"ADMMC"}), Variant::Ref(&rows)}).AsBool());
    ASSERT_EQ(rows.Count(), static_cast<int>(CompanyDatabase(dbPath_).Columns("ADMMC").size()));
    EXPECT_EQ(rows[0][0].AsString(), "MC001");
    EXPECT_EQ(rows[0][1].AsString(), "文档编号");
}

TEST_P(AppServerTest, AnInjectionThroughALookupKeyStaysALiteral) {
    Variant server = ConnectedServer();
    Variant values;
    for (const char* attack : {"ADM' OR '1'='1", "x'; DROP TABLE ADMMA; --", "' UNION SELECT MP003 FROM ADMMP --"}) {
        EXPECT_FALSE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", VarArrayOf({attack}), Variant::Ref(&values)}).AsBool())
            << attack;
    }
    // The table is intact, and a code that really holds a quote is found as it is.
    OleCall(server, "TransactionSQL",
            {VarArrayOf({VarArrayOf({"INSERT INTO ADMMA (MA001, MA002) VALUES ('O''K', '带引号')"}), ""})});
    EXPECT_TRUE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", VarArrayOf({"O'K"}), Variant::Ref(&values)}).AsBool());
    EXPECT_EQ(values[0].AsString(), "带引号");
    EXPECT_TRUE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", VarArrayOf({"ADM"}), Variant::Ref(&values)}).AsBool());
    // Names that reach the statement text are checked instead of bound.
    EXPECT_THROW(OleCall(server, "QueryMaxSeq",
                         {"ADMMD; DROP TABLE ADMMA", "DEMO", "MD001,MD002", VarArrayOf({"ADMMC"}), "", Variant::Ref(&values)}),
                 EDatabaseError);
}

TEST_P(AppServerTest, QueryMaxSeqGivesTheNextNumberOfAKey) {
    Variant server = ConnectedServer();
    Variant number;
    ASSERT_TRUE(OleCall(server, "QueryMaxSeq", {"ADMMD", "DEMO", "MD001,MD002", VarArrayOf({"ADMMC"}), "", Variant::Ref(&number)})
                    .AsBool());
    char next[16];
    std::snprintf(next, sizeof next, "%04zu", CompanyDatabase(dbPath_).Columns("ADMMC").size() + 1);
    EXPECT_EQ(number.AsString(), next);
    OleCall(server, "QueryMaxSeq", {"ADMMD", "DEMO", "MD001,MD002", VarArrayOf({"NEWDOC"}), "", Variant::Ref(&number)});
    EXPECT_EQ(number.AsString(), "0001");
    // With a prefix only the rest counts; it keeps its width and grows past it rather than wrapping.
    OleCall(server, "TransactionSQL",
            {VarArrayOf(
                {VarArrayOf({"INSERT INTO ADMMC (MC001) VALUES ('D20240107')", "INSERT INTO ADMMC (MC001) VALUES ('D20240109')",
                             "INSERT INTO ADMMC (MC001) VALUES ('D2024020')"}),
                 ""})});
    OleCall(server, "QueryMaxSeq", {"ADMMC", "DEMO", "MC001", VarArrayOf({}), "D202401", Variant::Ref(&number)});
    EXPECT_EQ(number.AsString(), "D20240110");
    OleCall(server, "TransactionSQL", {VarArrayOf({VarArrayOf({"INSERT INTO ADMMC (MC001) VALUES ('D20240199')"}), ""})});
    OleCall(server, "QueryMaxSeq", {"ADMMC", "DEMO", "MC001", VarArrayOf({}), "D202401", Variant::Ref(&number)});
    EXPECT_EQ(number.AsString(), "D202401100");
}

TEST_P(AppServerTest, GetLookupListGivesCaptionTitlesAndMatchingRows) {
    Variant server = ConnectedServer();
    Variant list = OleCall(server, "GetLookupList", {"ADMMA", "01", "DEMO", VarArrayOf({}), "c"});
    ASSERT_TRUE(list.IsArray());
    EXPECT_EQ(list[0].AsString(), "系统信息查询");
    EXPECT_EQ(list[1][1].AsString(), "系统名称");
    ASSERT_EQ(list[2].Count(), 2);  // CMS and COP start with "c"
    EXPECT_EQ(list[2][0][0].AsString(), "CMS");
    EXPECT_EQ(list[2][1][0].AsString(), "COP");
    EXPECT_TRUE(OleCall(server, "GetLookupList", {"NOTABLE", "01", "DEMO", VarArrayOf({}), ""}).IsEmpty());
}

TEST_P(AppServerTest, AnswersTheStatementsTheFrameworkSends) {
    Variant server = ConnectedServer();
    // [statement, fields] as the framework builds them, with $$ left for the server.
    const char* statements[][2] = {
        {"select top 1 MF001,MF003,MF004,MF005,MF006 from $$CMSMF CMSMF where MF001='RMB'", "MF001,MF003,MF004,MF005,MF006"},
        {"SELECT MR004,MR005 FROM ADMMR WHERE MR001= 'TDEF05'", "MR004,MR005"},
        {"SELECT * FROM ADMMR AS ADMMR  WHERE MR001='TDEF05' and (MR004='MC001' or MR005='MC001')  order by MR011",
         "MR002,MR003,MR004,MR005,MR006,MR007,MR008,MR009,MR010,MR011"},
        {"SELECT NH003 FROM $$ADMNH WHERE NH001 = 'TDEF05'", "NH003"},
        {" SELECT TL006,TL013,TL012 FROM $$ADMTK ADMTK  LEFT JOIN $$ADMTL ADMTL ON TK001 = TL001 AND TL010 = 'Y'  WHERE  "
         "TL012 <> ''  AND TK003 = 'Y' AND TL005 = 'TDEF05' AND TL003 = 'Z01' ORDER BY TL011 ",
         "TL006,TL013,TL012"},
        {" SELECT TJ003,TJ005 FROM ADMTJ ADMTJ  WHERE TJ002 = 'TDEF05' AND TJ001 = 'Z01'", "TJ003,TJ005"},
        {" SELECT MQ002,MQ003,MQ004,MR003,MR004,MR005,MR007,MQ006,MQ007,MQ008  FROM $$ADMMQ AS ADMMQ  LEFT JOIN $$ADMMR AS ADMMR "
         "ON (MQ001=MR001 AND MQ002=MR002)  WHERE MQ001= 'TDEF05' order by MQ002",
         "MQ002,MQ003,MQ004,MR003,MR004,MR005,MR007,MQ006,MQ007,MQ008"},
        {" SELECT MC002, MC006, '' AAA, '' MD003, '' MD005, '' MD004,'' BBB, MC007, MC008, 'N' CCC  FROM $$QWSMC  WHERE MC001 = "
         "'TDEF05' ORDER BY MC002 ",
         "MC002,MC006,AAA,MD003,MD005,MD004,BBB,MC007,MC008,CCC"},
        {" SELECT top  1  MC006,MC009 \r FROM  $$QWSMC \r WHERE MC001='TDEF05' AND (MC002='1' OR MC002='****') \r ORDER  BY  "
         "MC002 DESC  ",
         "MC006,MC009"},
        {"select TOP 1 1 AS REC from QWJOBQUE(nolock) where QW001='DEMO' and QW002='TDEF05' and QW003='ADMMC' ", "REC"},
        {" SELECT ME007 FROM $$QWSME WHERE ME001 = 'TDEF05' AND ME002 = 'A' AND ME003 = '' AND ME004 = '' AND ME005 = '' AND "
         "ME006 = ''",
         "ME007"},
        {" SELECT MB008, MB009, MB010, MB011 FROM RKTMB WHERE MB001 = 'DEMO'", "MB008,MB009,MB010,MB011"},
        {"select NT001,NT002 from WARRANT where UPPER(NT001) like '%TDEF05%' order by NT002", "NT002"},
    };
    for (const auto& s : statements) {
        EXPECT_NO_THROW(OleCall(server, "SimpleSql", {VarArrayOf({s[0], s[1], "DEMO", "N"})})) << s[0];
    }
    EXPECT_EQ(OleCall(server, "SimpleSql", {VarArrayOf({statements[0][0], statements[0][1], "DEMO", "N"})})[0][2].AsInteger(), 2);
    EXPECT_EQ(OleCall(server, "SimpleSql", {VarArrayOf({statements[12][0], statements[12][1]})})[0][0].AsString(),
              "文档信息清单");
}

TEST_P(AppServerTest, ASessionGoesOnAfterItsDatabaseConnectionIsLost) {
    if (Backend() != TestBackend::PostgreSQL) GTEST_SKIP() << "an SQLite file has no connection to lose";
    // The session's connections carry a name, so that the server can end them.
    std::string connection = getenv("TDEF_POSTGRESQL");
    std::string application = "lost_" + std::to_string(getpid());
    setenv("TDEF_POSTGRESQL", (connection + " application_name=" + application).c_str(), 1);
    Variant server = ConnectedServer();
    setenv("TDEF_POSTGRESQL", connection.c_str(), 1);
    auto systemName = [&] {
        return OleCall(server, "SimpleSql", {VarArrayOf({"SELECT MA002 FROM ADMMA WHERE MA001='ADM'", "MA002"})})[0][0]
            .AsString();
    };
    EXPECT_EQ(systemName(), "系统管理");

    // The database server ends the connection, as a restart of the server does (the administrator does
    // it: the company's own role may not).
    PGconn* admin = PQconnectdb(connection.c_str());
    std::string terminate =
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = '" + application + "'";
    PGresult* ended = PQexec(admin, terminate.c_str());
    EXPECT_EQ(PQntuples(ended), 1) << PQerrorMessage(admin);
    PQclear(ended);
    PQfinish(admin);
    // The call that meets the lost connection fails with the reason; the session then connects anew.
    try {
        systemName();
    } catch (const Exception& e) {
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(systemName(), "系统管理");
    CompanyDatabase company(dbPath_);
    EXPECT_EQ(OleCall(server, "GetRecCount", {}).AsInteger(), company.Query("SELECT COUNT(*) FROM ADMMC").rows[0][0].AsInteger());
}

// End-to-end runs of torvane --script: a window session offscreen over the real program library.
#include <gtest/gtest.h>

#include <algorithm>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/UserPasswords.h"
#include "tests/outside/NexordProcess.h"
#include "tests/torvane_script/ScriptRun.h"

namespace {

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// Width and height from a PNG's header; zero when the bytes are not a PNG.
std::pair<int, int> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto be = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {static_cast<int>(be(16)), static_cast<int>(be(20))};
}

}  // namespace

TEST_F(ScriptRunTest, LogsInOpensTdef05ChecksItsCaptionTakesAPictureAndCloses) {
    TScriptResult r = RunScript(
        "# the demo login and the table-definition program\n"
        "login DS DEMO DEMO\n"
        "expect frmWorkCenter Caption \"Torvane 工作中心 - DS@DEMO/DEMO\"\n"
        "open Tdef05\n"
        "expect form Caption \"文档信息录入作业[演示公司]\"\n"
        "expect form Visible true\n"
        "screenshot tdef05.png\n"
        "close\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("login: DS@DEMO/DEMO"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("caption: 文档信息录入作业[演示公司]"), std::string::npos) << r.out;
    // The host heard the program's life: created, shown, closing, hidden, destroyed.
    std::size_t created = r.out.find("TDEF05: event 256");
    std::size_t shown = r.out.find("TDEF05: event 272");
    std::size_t closing = r.out.find("TDEF05: event 320");
    std::size_t destroyed = r.out.find("TDEF05: event 304");
    ASSERT_NE(created, std::string::npos) << r.out;
    ASSERT_NE(destroyed, std::string::npos) << r.out;
    EXPECT_LT(created, shown);
    EXPECT_LT(shown, closing);
    EXPECT_LT(closing, destroyed);
    auto [width, height] = PngSize(ReadFile(folder_ / "tdef05.png"));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
}

TEST_F(ScriptRunTest, TheFirstFailedExpectationStopsTheRunWithOneLine) {
    TScriptResult r = RunScript(
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "expect form Caption \"another caption\"\n"
        "screenshot never.png\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("line 3: expected form.Caption = \"another caption\", found \"文档信息录入作业[演示公司]\""),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "never.png")) << "nothing runs after the failure";
    EXPECT_NE(r.out.find("TDEF05: event 304"), std::string::npos) << "the program is still closed at the end";

    // Commands that cannot be done fail the same way.
    r = RunScript("login DS DEMO DEMO\nclick btnNowhere\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("line 2: expected a component named btnNowhere, found none in the window \"Torvane 工作中心 - "
                         "DS@DEMO/DEMO\" (frmWorkCenter)"),
              std::string::npos)
        << r.err;
    r = RunScript("login DS DEMO DEMO\nexpect miADMI02 Enabled true\n");
    EXPECT_EQ(r.exitCode, 1) << "a program without a library is listed but disabled";
    EXPECT_NE(r.err.find("expected miADMI02.Enabled = \"true\", found \"False\""), std::string::npos) << r.err;
    r = RunScript("login NOBODY DEMO DEMO\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("用户 NOBODY 不存在"), std::string::npos) << r.err;
    r = RunScript("login DS DEMO DEMO\nopen Tdef05 run-mode x\n");
    EXPECT_NE(r.err.find("line 2: expected a number after run-mode"), std::string::npos) << r.err;
    r = RunScript("login DS DEMO DEMO\nfly away\n");
    EXPECT_NE(r.err.find("line 2: expected a command"), std::string::npos) << r.err;

    // A script that cannot be read at all.
    r = RunScript("login DS DEMO \"DEMO\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("line 1: the quote is not closed"), std::string::npos) << r.err;
}

TEST_F(ScriptRunTest, MenuItemsKeysAndTheMainWindow) {
    TScriptResult r = RunScript(
        "login DS DEMO DEMO\n"
        "expect miTDEF05 Caption \"TDEF05 文档信息录入作业\"\n"
        "click miTDEF05\n"
        "expect form Caption \"文档信息录入作业[演示公司]\"\n"
        "key F5 Ctrl+Tab\n"
        "answer No\n"
        "close\n"
        "close\n");
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("TDEF05: event 272"), std::string::npos) << "the menu item opened the program";
    EXPECT_NE(r.out.find("TDEF05: event 304"), std::string::npos) << "the first close closed it";
    EXPECT_NE(r.out.find("新增的资料尚未保存, 是否保存?  -> No"), std::string::npos) << "closing asked about the new record";
    EXPECT_NE(r.err.find("line 8: expected a program window to close, found only the main window"), std::string::npos) << r.err;
}

TEST_F(ScriptRunTest, AScriptIsCheckedWholeAndReadAsUtf8OrGbk) {
    // A mistake on the last line: nothing runs, not even the login.
    TScriptResult r = RunScript("login DS DEMO DEMO\nopen Tdef05\nanswer Maybe\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("line 3: expected a button"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("login:"), std::string::npos) << r.out;

    // A byte-order mark before the first command, and a file saved as GBK ("文档信息录入作业" in GBK bytes).
    r = RunScript(
        "\xEF\xBB\xBFlogin DS DEMO DEMO\nopen Tdef05\nexpect form Caption \"\xCE\xC4\xB5\xB5\xD0\xC5\xCF\xA2"
        "\xC2\xBC\xC8\xEB\xD7\xF7\xD2\xB5[\xD1\xDD\xCA\xBE\xB9\xAB\xCB\xBE]\"\nexpect form Caption \xB4\xED\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("line 4: expected form.Caption = \"错\""), std::string::npos) << "the error reads as Chinese: " << r.err;
}

TEST_F(ScriptRunTest, TheLoginNamesWhatIsMissingAndCreatesNoDatabase) {
    TScriptResult r = RunScript("login DS NOPE DEMO\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("公司 NOPE 不存在"), std::string::npos) << r.err;

    r = RunScript("login DS DEMO DEMOX\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("数据库 DEMOX 不存在"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "demo" / "server" / "Data" / "DEMOX.db"))
        << "a mistyped database name makes no company";
    EXPECT_TRUE(std::filesystem::exists(folder_ / "demo" / "server" / "Data" / "DEMO.db"))
        << "the demo installation's own database is made when first used";

    // Ids are matched without regard to case and shown as the company spells them.
    r = RunScript("login ds demo demo\nopen Tdef05\nexpect form Caption \"文档信息录入作业[演示公司]\"\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("login: DS@DEMO/demo"), std::string::npos) << r.out;
}

TEST_F(ScriptRunTest, LogsInAndOpensTdef05ThroughNexordOnAnotherAddress) {
    // The daemon as its usage says, on its own new database; a user that only this database knows.
    const std::string serverDatabase = (folder_ / "server-company.db").string();
    // Every client logs in with a password, this machine's too.
    NexordProcess daemon(serverDatabase, "127.0.0.2", {"--create"}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    {
        CompanyDatabase db(serverDatabase);
        db.Query("INSERT INTO RKTMA (MA001, MA002, MA003, MA004) VALUES ('FAR', '远程用户', 'ADMIN', '''ADMIN''')");
        SetUserPassword(db, "FAR", "far away");
        db.Query(
            "INSERT INTO ADMMP (MP001, MP002, MP003, MP004) SELECT 'FAR', MP002, MP003, MP004 FROM ADMMP WHERE MP001 = 'DS'");
        db.Query("UPDATE ADMMC SET MC002 = '远程的表' WHERE MC001 = (SELECT MIN(MC001) FROM ADMMC)");
    }
    // The client points at it; nothing of the company is kept on this side.
    std::filesystem::create_directories(folder_ / "demo" / "client");
    std::ofstream(folder_ / "demo" / "client" / "VandrilC.ini", std::ios::binary)
        << "[Server Information]\nComputerName=127.0.0.2\nServerPort=" << daemon.Port() << "\n";

    TScriptResult refused = RunScript("login DS DEMO DEMO wrong\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("用户或密码不正确"), std::string::npos) << refused.err;
    refused = RunScript("login DS DEMO DEMO\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("用户或密码不正确"), std::string::npos) << refused.err;

    for (const auto& [user, password] : {std::pair{"DS", "admin"}, std::pair{"FAR", "\"far away\""}}) {
        TScriptResult r = RunScript(std::string("login ") + user + " DEMO DEMO " + password + "\n" +
                                    "open Tdef05\n"
                                    "expect form Caption \"文档信息录入作业[演示公司]\"\n"
                                    "expect-field cdsMain MC002 远程的表\n"
                                    "close\n");
        EXPECT_EQ(r.exitCode, 0) << user << ": " << r.err << daemon.Log();
        EXPECT_NE(r.out.find("TDEF05: event 304"), std::string::npos) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ / "demo" / "server" / "Data" / "DEMO.db"))
        << "login, program list and program all read the server's database";
    EXPECT_EQ(daemon.Log().find("Invalid class string"), std::string::npos) << daemon.Log();
    // The work center proved the password once; the program's own sessions came with its ticket.
    EXPECT_NE(daemon.Log().find("opened for Nexor01S.Class1 as FAR (password)"), std::string::npos) << daemon.Log();
    EXPECT_NE(daemon.Log().find("opened for Nexor01S.Class1 as FAR (ticket)"), std::string::npos) << daemon.Log();
    EXPECT_NE(daemon.Log().find("opened for PickvuS.Class1 as FAR (ticket)"), std::string::npos) << daemon.Log();
}

// End-to-end runs of torvane --script: a window session offscreen over the real program library.
#include <gtest/gtest.h>

#include <algorithm>

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
    EXPECT_NE(r.err.find("line 2: expected a component named btnNowhere"), std::string::npos) << r.err;
    r = RunScript("login DS DEMO DEMO\nexpect miADMI02 Enabled true\n");
    EXPECT_EQ(r.exitCode, 1) << "a program without a library is listed but disabled";
    EXPECT_NE(r.err.find("expected miADMI02.Enabled = \"true\", found \"False\""), std::string::npos) << r.err;
    r = RunScript("login NOBODY DEMO DEMO\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("NOBODY 不存在!"), std::string::npos) << r.err;
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
        "key Shift+Nothing\n");
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("TDEF05: event 272"), std::string::npos) << "the menu item opened the program";
    EXPECT_NE(r.err.find("line 6: expected a key name"), std::string::npos) << r.err;
}

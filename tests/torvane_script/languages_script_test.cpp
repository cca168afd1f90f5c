// The work center's scripts in the three languages: the code page of the client configuration picks
// the script of every text and the language pack.
#include <gtest/gtest.h>

#include "tests/torvane_script/ScriptRun.h"

TEST_F(ScriptRunTest, TheInterfaceCodePageTurnsTheProgramTraditionalOrEnglishForTheRunOnly) {
    TScriptResult traditional = RunScript(
        "codepage 950 936\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "expect form Caption \"文檔信息錄入作業[演示公司]\"\n"
        "screenshot cht.png\n"
        "close\n");
    EXPECT_EQ(traditional.exitCode, 0) << traditional.err;
    EXPECT_NE(traditional.out.find("codepage: 950 936"), std::string::npos) << traditional.out;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "cht.png"));
    const std::string configuration = ReadFile(folder_ / "demo/client/VandrilC.ini");
    EXPECT_NE(configuration.find("UICodePage=936"), std::string::npos) << "put back after the run:\n" << configuration;

    TScriptResult english = RunScript(
        "codepage 437\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "expect form Caption \"Document Maintenance[演示公司]\"\n"
        "close\n");
    EXPECT_EQ(english.exitCode, 0) << english.err;

    TScriptResult wrong = RunScript("codepage big5\n");
    EXPECT_EQ(wrong.exitCode, 2) << "checked before the run";
    EXPECT_NE(wrong.err.find("expected a code page number"), std::string::npos) << wrong.err;
}

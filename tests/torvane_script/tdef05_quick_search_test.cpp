// Tdef05's quick search in the work center (tdef05_quick_search.script): Ctrl+F on the body grid
// opens the find dialog with the grid's field chosen; Enter finds the line; a missing text is
// reported and the line stays.
#include <gtest/gtest.h>

#include "tests/torvane_script/ScriptRun.h"

TEST_F(ScriptRunTest, Tdef05FindsABodyLineWithCtrlF) {
    const char* source = std::getenv("TDEF_SOURCE");
    ASSERT_NE(source, nullptr);
    TScriptResult r = RunScript(ReadFile(std::string(source) + "/tests/torvane_script/tdef05_quick_search.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "search-dialog.png"));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "search-found.png"));
}

TEST_F(ScriptRunTest, TheFindDialogSpeaksTheInterfaceLanguage) {
    TScriptResult english = RunScript(
        "codepage 437\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "key Ctrl+Down\n"
        "key Ctrl+F\n"
        "expect form Caption \"Quick Find\"\n"
        "expect rbCursor Caption \"&From the current record\"\n"
        "expect btnClose Caption \"Cl&ose\"\n"
        "screenshot find-eng.png\n"
        "key Enter\n"
        "expect-message E 000032\n"
        "key Esc\n");
    EXPECT_EQ(english.exitCode, 0) << english.err << english.out;
    EXPECT_NE(english.out.find("The text to find cannot be blank."), std::string::npos) << english.out;

    TScriptResult traditional = RunScript(
        "codepage 950 936\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "key Ctrl+Down\n"
        "key Ctrl+F\n"
        "expect btnClose Caption \"關閉(&O)\"\n"
        "screenshot find-cht.png\n"
        "key Esc\n");
    EXPECT_EQ(traditional.exitCode, 0) << traditional.err << traditional.out;
}

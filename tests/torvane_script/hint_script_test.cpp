// The mouse resting on a tool button or an edit of a program window shows its hint, and the hint is
// in the window's picture; resting on a control without a hint takes it away.
#include <gtest/gtest.h>

#include "tests/torvane_script/ScriptRun.h"

TEST_F(ScriptRunTest, HoveringShowsTheHintInTheWindowsPicture) {
    TScriptResult r = RunScript(
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "screenshot before.png\n"
        "hover btnAdd\n"
        "screenshot add.png\n"
        "hover edMC001\n"
        "screenshot after.png\n"
        "hover btnFirst\n"
        "screenshot first.png\n"
        "close\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string before = ReadFile(folder_ / "before.png");
    ASSERT_FALSE(before.empty());
    const std::string add = ReadFile(folder_ / "add.png"), first = ReadFile(folder_ / "first.png");
    EXPECT_TRUE(add != before) << "the hint of the tool button is in the picture";
    EXPECT_TRUE(first != before);
    EXPECT_TRUE(first != add) << "another hint at another place";
    EXPECT_TRUE(ReadFile(folder_ / "after.png") == before) << "no hint over an edit without one";

    TScriptResult missing = RunScript("login DS DEMO DEMO\nopen Tdef05\nhover btnNothing\n");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("btnNothing"), std::string::npos) << missing.err;
}

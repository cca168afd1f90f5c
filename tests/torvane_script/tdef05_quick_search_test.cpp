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

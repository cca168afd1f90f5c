// The saved schemes of Tdef05's query window in the work center (tdef05_query_schemes.script): a scheme
// saved, and the scheme list shown in each of its view styles.
#include <gtest/gtest.h>

#include "tests/torvane_script/ScriptRun.h"

TEST_F(ScriptRunTest, Tdef05ShowsItsSavedSchemesInEachViewStyle) {
    const char* source = std::getenv("TDEF_SOURCE");
    ASSERT_NE(source, nullptr);
    TScriptResult r = RunScript(ReadFile(std::string(source) + "/tests/torvane_script/tdef05_query_schemes.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    for (const char* picture : {"schemes-icons.png", "schemes-report.png"})
        EXPECT_TRUE(std::filesystem::exists(folder_ / picture)) << picture;
}

// The query window of Tdef05 in the work center (tdef05_query.script): a document code on the grid page,
// then documents of a system with a numeric field in their body through the advanced and lines pages.
#include <gtest/gtest.h>

#include "tests/torvane_script/ScriptRun.h"

TEST_F(ScriptRunTest, Tdef05QueriesByTheGridAndByTheBodyWithTheQueryWindow) {
    const char* source = std::getenv("TDEF_SOURCE");
    ASSERT_NE(source, nullptr);
    TScriptResult r = RunScript(ReadFile(std::string(source) + "/tests/torvane_script/tdef05_query.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    for (const char* picture : {"qbe-grid.png", "qbe-advanced.png", "qbe-lines.png", "query-found.png"})
        EXPECT_TRUE(std::filesystem::exists(folder_ / picture)) << picture;
}

// Tdef05 end to end in the work center with the keyboard alone (tdef05_documents.script): a table
// definition added with three fields, found again, a length changed, a line deleted, the document
// copied to a new code and the copy deleted. The company database then holds exactly what was typed.
#include <gtest/gtest.h>

#include "outside/appserver/CompanyDatabase.h"
#include "tests/torvane_script/ScriptRun.h"

namespace {

std::vector<std::string> Rows(CompanyDatabase& db, const std::string& sql) {
    std::vector<std::string> rows;
    for (const SqlRow& row : db.Query(sql).rows) {
        std::string text;
        for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "|" : "") + VarToStr(row[i]);
        rows.push_back(text);
    }
    return rows;
}

}  // namespace

TEST_F(ScriptRunTest, Tdef05DocumentsAreAddedFoundChangedCopiedAndDeletedWithTheKeyboard) {
    const char* source = std::getenv("TDEF_SOURCE");
    ASSERT_NE(source, nullptr);
    TScriptResult r = RunScript(ReadFile(std::string(source) + "/tests/torvane_script/tdef05_documents.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    for (const char* picture : {"browse-start.png", "body-new.png", "browse-found.png", "header-edit.png", "copy-source.png",
                                "copy-dest.png", "copy-saved.png", "browse-end.png"})
        EXPECT_TRUE(std::filesystem::exists(folder_ / picture)) << picture;

    CompanyDatabase db((folder_ / "demo" / "server" / "Data" / "DEMO.db").string());
    EXPECT_EQ(Rows(db, "SELECT MC001, MC002, MC003, MC004, MC005, CREATOR FROM ADMMC WHERE MC001 LIKE 'ZTAB%'"),
              (std::vector<std::string>{"ZTAB01|测试表|1|ADM|测试用的表|DS"}));
    EXPECT_EQ(Rows(db, "SELECT MD001, MD002, MD003, MD004, MD005, MD006 FROM ADMMD WHERE MD001 LIKE 'ZTAB%' ORDER BY MD002"),
              (std::vector<std::string>{"ZTAB01|0001|ID|编号|V|12", "ZTAB01|0003|PRICE|单价|N|16.4"}));
    EXPECT_EQ(Rows(db, "SELECT MODIFIER, FLAG FROM ADMMC WHERE MC001 = 'ZTAB01'"), (std::vector<std::string>{"DS|2"}))
        << "saved twice: added, then changed";
}

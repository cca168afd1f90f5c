// Tdef05 in the work center in the three languages of the interface: captions, menu items, hints and
// status texts in the interface's script or language; under a traditional interface over a simplified
// database a document typed in traditional characters is stored simplified and read back traditional.
#include <gtest/gtest.h>

#include "outside/appserver/CompanyDatabase.h"
#include "tests/torvane_script/ScriptRun.h"

namespace {

std::string Value(const std::filesystem::path& database, const std::string& select) {
    CompanyDatabase db(database.string());
    const auto rows = db.Query(select).rows;
    return rows.empty() || rows[0].empty() ? std::string("(none)") : VarToStr(rows[0][0]);
}

}  // namespace

TEST_F(ScriptRunTest, Tdef05UnderATraditionalInterfaceShowsTraditionalAndStoresSimplified) {
    TScriptResult r = RunScript(
        "codepage 950 936\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "expect form Caption \"文檔信息錄入作業[演示公司]\"\n"
        "expect Status Panels_0.Text 瀏覽\n"
        "expect Status Panels_2.Text 單身筆數\n"
        "expect MenuItem1 Caption 資料(&D)\n"
        "expect miLast Caption 最後一個(&L)\n"
        "expect miCopy Caption 複製單據(&Y)\n"
        "expect miBodyToExcel Caption 單身資料轉Excel（含格式）\n"
        "expect mnuAttach Caption 附件\n"
        "expect btnQuery Hint 查詢\n"
        "expect btnCalc Hint 計算器\n"
        "expect tbsBody1 Caption 單身\n"
        "expect lblMC001 Caption 文檔編號\n"
        "expect lblMC004 Caption 系統編號\n"
        "expect edMC004 Hint [F2]系統信息查詢\n"
        "screenshot tdef05-cht.png\n"
        "key F5\n"
        "expect Status Panels_0.Text 新增\n"
        "write ZTW01\n"
        "key Tab\n"
        "write 測試資料表\n"
        "key Tab\n"
        "key Tab\n"
        "write ADM\n"
        "key Tab\n"
        "write 繁體備註\n"
        "key Enter\n"
        "key Tab\n"
        "write ID\n"
        "key Enter\n"
        "write 編號\n"
        "key Enter\n"
        "write V\n"
        "key Enter\n"
        "write 10\n"
        "key Enter\n"
        "key F12\n"
        "key Esc\n"
        "key Enter\n"
        "expect form EditMode 0\n"
        "close\n"
        // Opened anew: the document comes from the database.
        "open Tdef05\n"
        "key F6\n"
        "write ZTW01\n"
        "click BBOK\n"
        "expect-field cdsMain MC001 ZTW01\n"
        "expect-field cdsMain MC002 测试资料表\n"
        "expect edMC002 Text 測試資料表\n"
        "expect edMC005 Text 繁體備注\n"
        "expect-field cdsBody1 MD004 编号\n"
        "screenshot tdef05-cht-saved.png\n"
        "close\n");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::filesystem::path database = folder_ / "demo" / "server" / "Data" / "DEMO.db";
    EXPECT_EQ(Value(database, "SELECT MC002 FROM ADMMC WHERE MC001 = 'ZTW01'"), "测试资料表");
    EXPECT_EQ(Value(database, "SELECT MC005 FROM ADMMC WHERE MC001 = 'ZTW01'"), "繁体备注") << "character by character";
    EXPECT_EQ(Value(database, "SELECT MD004 FROM ADMMD WHERE MD001 = 'ZTW01'"), "编号");
    EXPECT_TRUE(std::filesystem::exists(folder_ / "tdef05-cht-saved.png"));
}

TEST_F(ScriptRunTest, Tdef05UnderAnEnglishInterfaceShowsTheEnglishPack) {
    TScriptResult r = RunScript(
        "codepage 437\n"
        "login DS DEMO DEMO\n"
        "open Tdef05\n"
        "expect form Caption \"Document Maintenance[演示公司]\"\n"
        "expect Status Panels_0.Text Browse\n"
        "expect Status Panels_2.Text Lines\n"
        "expect MenuItem1 Caption &Data\n"
        "expect miLast Caption &Last\n"
        "expect miCopy Caption \"Cop&y Document\"\n"
        "expect miOptions Caption &Options\n"
        "expect btnQuery Hint \"Query (F6)\"\n"
        "expect btnAttach Hint Attachments\n"
        "expect tbsBody1 Caption Lines\n"
        "expect lblMC001 Caption Code\n"
        "expect edMC004 Hint \"[F2]System Lookup\"\n"
        "screenshot tdef05-eng.png\n"
        "key F5\n"
        "expect Status Panels_0.Text Insert\n"
        "screenshot tdef05-eng-insert.png\n"
        "key Esc\n"
        "close\n");
    EXPECT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "tdef05-eng.png"));
}

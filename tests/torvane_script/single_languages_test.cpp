// The single-table window in the three languages of the interface, through the work center: every
// caption, menu item, hint and status text in the interface's script or language, and a text typed
// in traditional characters stored simplified (the database's code page 936) and shown traditional.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/torvane_script/SingleScript.h"

TEST_F(SingleWindowScript, ATraditionalInterfaceShowsTraditionalAndStoresSimplified) {
    const int code =
        Run("codepage 950 936\n"
            "login DS DEMO DEMO\n"
            "open Tsgl01\n"
            "expect form Caption \"單表測試作業[演示公司]\"\n"
            "expect Status Panels_0.Text 瀏覽\n"
            "expect Status Panels_2.Text 單據筆數\n"
            "expect MenuItem1 Caption 資料(&D)\n"
            "expect miLast Caption 最後一個(&L)\n"
            "expect miTable2Excel Caption 資料轉Excel(含格式)\n"
            "expect btnQuery Hint 查詢\n"
            "expect btnCalc Hint 計算器\n"
            "expect tbsHead1 Caption 詳細字段\n"
            "expect lblMA003 Caption 名稱(&N)\n"
            "screenshot tsgl01-cht.png\n"
            "key F5\n"
            "expect Status Panels_0.Text 新增\n"
            "write G\n"
            "key Enter\n"
            "write 資料檔\n"
            "key Enter\n"
            "write 5\n"
            "key Enter\n"
            "write 9.5\n"
            "key F12\n"
            "answer OK\n"
            "key Esc\n"
            "key F6\n"
            "key Enter\n"
            "key Ctrl+E\n"
            "expect-field cdsMain MA003 资料档\n"
            "expect edMA003 Text 資料檔\n"
            "screenshot tsgl01-cht-saved.png\n"
            "close\n");
    EXPECT_EQ(code, 0) << Output("err.txt") << Output("out.txt");
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA001 = 'G'"), "资料档") << "stored as the database writes it";
    EXPECT_TRUE(std::filesystem::exists(shots_ + "tsgl01-cht.png"));
}

TEST_F(SingleWindowScript, AnEnglishInterfaceShowsTheEnglishPack) {
    const int code =
        Run("codepage 437\n"
            "login DS DEMO DEMO\n"
            "open Tsgl01\n"
            "expect form Caption \"Single Table Test[演示公司]\"\n"
            "expect Status Panels_0.Text Browse\n"
            "expect Status Panels_2.Text Records\n"
            "expect MenuItem1 Caption &Data\n"
            "expect miAdd Caption &Add\n"
            "expect btnAdd Hint \"Add (F5)\"\n"
            "expect btnCalc Hint Calculator\n"
            "expect tbsHead1 Caption Details\n"
            "expect lblMA003 Caption &Name\n"
            "screenshot tsgl01-eng.png\n"
            "key F5\n"
            "expect Status Panels_0.Text Insert\n"
            "screenshot tsgl01-eng-insert.png\n"
            "answer OK\n"
            "key Esc\n"
            "close\n");
    EXPECT_EQ(code, 0) << Output("err.txt") << Output("out.txt");
    EXPECT_TRUE(std::filesystem::exists(shots_ + "tsgl01-eng.png"));
}

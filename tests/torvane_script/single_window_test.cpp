// The single-table window in the work center, driven with the keyboard alone by torvane --script:
// add, save, edit, delete and navigate the test program TSGL01, with a screenshot of each mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/torvane_script/SingleScript.h"
#include "toolkit/rtl/DateTime.h"

TEST_F(SingleWindowScript, AddsEditsDeletesAndNavigatesWithTheKeyboardAlone) {
    const std::string today = FormatDateTime("yyyymmdd", Now());
    const int code =
        Run("login DS DEMO DEMO\n"
            "open Tsgl01\n"
            "expect form Caption \"单表测试作业[演示公司]\"\n"
            "expect Status Panels_0.Text 浏览\n"
            "expect Status Panels_3.Text 1/3\n"
            "screenshot single-browse.png\n"
            "# add: F5, type, Enter moves on, F12 saves and starts the next record\n"
            "key F5\n"
            "expect Status Panels_0.Text 新增\n"
            "expect form ActiveControl edMA001\n"
            "write G\n"
            "key Enter\n"
            "write 键盘新增\n"
            "key Enter\n"
            "write 5\n"
            "key Enter\n"
            "write 9.5\n"
            "screenshot single-insert.png\n"
            "key F12\n"
            "expect Status Panels_0.Text 新增\n"
            "expect-field cdsMain MA001 G\n"
            "# give up the next one: Esc asks, OK\n"
            "answer OK\n"
            "key Esc\n"
            "expect-message C 000004\n"
            "expect Status Panels_0.Text 浏览\n"
            "# query every row (the plain query dialog: Enter on an empty condition)\n"
            "key F6\n"
            "key Enter\n"
            "expect Status Panels_3.Text 1/4\n"
            "screenshot single-query.png\n"
            "key Ctrl+E\n"
            "expect Status Panels_3.Text 4/4\n"
            "expect-field cdsMain MA003 键盘新增\n"
            "key Ctrl+H Ctrl+N\n"
            "expect Status Panels_3.Text 2/4\n"
            "# edit: F7 goes to page 1 with the name focused\n"
            "key F7\n"
            "expect Status Panels_0.Text 更改\n"
            "expect form ActiveControl edMA003\n"
            "write 改名螺母\n"
            "screenshot single-edit.png\n"
            "key F12\n"
            "expect Status Panels_0.Text 浏览\n"
            "# delete the first row: F8, OK\n"
            "key Ctrl+H\n"
            "answer OK\n"
            "key F8\n"
            "expect-message C 000001\n"
            "expect Status Panels_3.Text 1/3\n"
            "key Ctrl+Tab Ctrl+Tab\n"
            "screenshot single-after-delete.png\n"
            "close\n");
    EXPECT_EQ(code, 0) << Output("err.txt") << Output("out.txt");
    EXPECT_EQ(Output("err.txt"), "");
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA001 = 'G'"), "键盘新增");
    EXPECT_EQ(Sql("SELECT MA002 FROM TSGMA WHERE MA001 = 'G'"), today + "0001");
    EXPECT_EQ(Sql("SELECT MA004 FROM TSGMA WHERE MA001 = 'G'"), "5");
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '202401020002'"), "改名螺母");
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM TSGMA"), "3");
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM TSGMA WHERE MA002 = '202401020001'"), "0") << "the first row is deleted";
    for (const char* shot : {"single-browse.png", "single-insert.png", "single-edit.png", "single-after-delete.png"})
        EXPECT_TRUE(std::filesystem::exists(shots_ + shot)) << shot;
}

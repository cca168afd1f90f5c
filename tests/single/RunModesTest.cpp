// Start-up by the host's run mode, the query command through the plain query dialog, and the
// user-defined fields of a new record.
#include "framework/forms/QueryStandIn.h"
#include "tests/single/SingleFixture.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

Variant Values(const std::vector<std::pair<std::string, std::string>>& pairs) {
    Variant values = VarArrayCreate(0, 1, 0, static_cast<int>(pairs.size()) - 1);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        values.At(0, static_cast<int>(i)) = pairs[i].first;
        values.At(1, static_cast<int>(i)) = pairs[i].second;
    }
    return values;
}

}  // namespace

TEST_F(SingleFixture, RunModeSevenAddsWithTheGivenValuesAndClosesAfterTheFirstSaveWithCodeOne) {
    Open("DS", false);
    form->RunMode = 7;
    form->RunModeParam = Values({{"MA001", "F"}, {"MA003", "外部新增"}});
    int resultCode = 0;
    TCloseEvent close = form->OnClose;
    form->OnClose = [&, close](TObject* sender, TCloseAction& action) {
        close(sender, action);
        resultCode = form->ResultCode;
    };
    TComponentRef<TfrmTsgl01> alive(form);
    form->Show();
    Application->ProcessMessages();
    ASSERT_TRUE(alive);
    EXPECT_EQ(form->EditMode, emInsert);
    EXPECT_TRUE(form->CloseAfterSave);
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "外部新增");
    Key(VK_F12);
    EXPECT_EQ(Count("MA001 = 'F' AND MA003 = '外部新增'"), 1);
    EXPECT_FALSE(alive) << "closed after the first save";
    EXPECT_EQ(resultCode, 1);
    form = nullptr;
}

TEST_F(SingleFixture, RunModeElevenImportsEveryDocumentOfTheXmlAndCloses) {
    Open("DS", false);
    form->RunMode = 11;
    form->StartParamText =
        "<dataimport headfields=\"MA001|MA003|MA004|MA005\" bodyfields=\"\">"
        "<doc><head><row MA001=\"X\" MA003=\"导入一\" MA004=\"3\" MA005=\"1.5\"/></head><body/></doc>"
        "<doc><head><row MA001=\"X\" MA003=\"导入二\" MA004=\"4\" MA005=\"2.25\"/></head><body/></doc>"
        "</dataimport>";
    TComponentRef<TfrmTsgl01> alive(form);
    form->Show();
    Application->ProcessMessages();
    EXPECT_EQ(Count("MA001 = 'X'"), 2);
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '" + Today() + "0002'"), "导入二");
    EXPECT_EQ(Sql("SELECT MA005 FROM TSGMA WHERE MA002 = '" + Today() + "0001'"), "1.5");
    EXPECT_FALSE(alive) << "the window closes after the import";
    if (!alive) form = nullptr;
}

TEST_F(SingleFixture, TheQueryCommandOpensTheRowsOfTheConditionAndReportsARefusedOne) {
    std::string condition = "MA001 = 'B'";
    app.ModalLoop().When("TfrmQueryText", [&](TCustomForm& dialog) {
        auto& query = static_cast<TfrmQueryText&>(dialog);
        query.Memo1->SetText(condition);
        query.BBOK->Click();
    });
    Open();
    Key(VK_F6);
    EXPECT_EQ(Main().RecordCount(), 1);
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "垫圈");
    EXPECT_EQ(form->LastCondition, "MA001 = 'B'");
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsBrowse);
    EXPECT_EQ(form->ActiveControl(), form->gdHead);
    EXPECT_EQ(form->QueryDialog->GetRowLimit(), 200) << "SYS151 presets the row limit";

    condition = "NOSUCHCOLUMN = 1";
    Key(VK_F6);
    ASSERT_GT(app.Messages().Count(), 0);
    EXPECT_NE(app.Messages().Last().Text.find("NOSUCHCOLUMN"), std::string::npos) << app.Messages().Last().Text;
    EXPECT_EQ(DialogTexts().back(), Message("W", "000001"));
    EXPECT_TRUE(Main().Active()) << "the window keeps what it showed";
    EXPECT_EQ(Main().RecordCount(), 1);
    EXPECT_EQ(form->LastCondition, "MA001 = 'B'");

    condition = "";
    Key(VK_F6);
    EXPECT_EQ(Main().RecordCount(), 3) << "an empty condition reads every row";
}

TEST_F(SingleFixture, UserDefinedRulesFillTheNewRecordAndThreeFailuresShowOneMessage) {
    install.ExecuteSql("INSERT INTO ADMTK (TK001, TK002, TK003) VALUES ('R1', '测试规则', 'Y')");
    const char* line =
        "INSERT INTO ADMTL (TL001, TL002, TL003, TL005, TL006, TL010, TL011, TL012, TL013) "
        "VALUES ('R1', ?1, 'TSGL01', 'Z01', ?2, 'Y', ?3, '', ?4)";
    install.ExecuteSql(line, {"0001", "UDF01", "1", "SELECT MA003 FROM TSGMA WHERE MA002 = '202401020002'"});
    install.ExecuteSql(line, {"0002", "MA004", "2", "SELECT 'abc'"});
    install.ExecuteSql(line, {"0003", "UDF51", "3", "SELECT 'xyz'"});
    install.ExecuteSql(line, {"0004", "MA005", "4", "SELECT 'no number'"});
    Open();
    Key(VK_F5);
    EXPECT_EQ(Main().FieldByName("UDF01")->AsString(), "螺母");
    ASSERT_EQ(DialogTexts().size(), 1u) << "one message for the run";
    EXPECT_EQ(DialogTexts()[0], Message("E", "000032", {"自定义栏位(数量)赋值错误，可能是类型不匹配！！"}));
}

// A save the application server refuses keeps everything typed, says which record and why, stays in
// its edit mode and stores nothing.
#include "tests/single/SingleFixture.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

std::string LastMessageBox(TScriptedApp& app) { return app.Messages().Count() ? app.Messages().Last().Text : std::string(); }

}  // namespace

TEST_F(SingleFixture, ANumberSavedMeanwhileByAnotherUserIsRefusedAndTheInputStays) {
    Open();
    Key(VK_F5);
    const std::string number = Main().FieldByName("MA002")->AsString();
    ASSERT_EQ(number, Today() + "0001");
    Type("A");
    Key(VK_RETURN);
    Type("新品");
    Key(VK_RETURN);
    Type("7");
    Key(VK_RETURN);
    Type("19.9");
    // Another user saves a record under the same number meanwhile.
    install.ExecuteSql("INSERT INTO TSGMA (MA001, MA002, MA003, FLAG) VALUES ('A', ?1, '别人的', 1)", {number});

    Key(VK_F12);
    EXPECT_EQ(LastMessageBox(app), "保存失败 [类别=A, 单号=" + number + "]\n相同键值的资料已经存在");
    ASSERT_FALSE(DialogTexts().empty());
    EXPECT_EQ(DialogTexts().back(), Message("E", "000008"));
    EXPECT_EQ(form->EditMode, emInsert) << "still adding";
    EXPECT_EQ(form->StatusText(0), "新增");
    EXPECT_TRUE(form->LastSaveFailed);
    EXPECT_EQ(Main().State(), dsEdit) << "the record is back in edit state";
    EXPECT_EQ(form->edMA003->Text(), "新品");
    EXPECT_EQ(Main().FieldByName("MA004")->AsString(), "7");
    EXPECT_EQ(Main().FieldByName("MA005")->AsFloat(), 19.9);
    EXPECT_TRUE(form->btnOK->Enabled());
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '" + number + "'"), "别人的") << "nothing overwritten";
    EXPECT_EQ(Count("MA001 = 'A'"), 3);

    // A free number and the same input save.
    Main().FieldByName("MA002")->SetAsString(Today() + "0099");
    Key(VK_F12);
    EXPECT_FALSE(form->LastSaveFailed);
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '" + Today() + "0099'"), "新品");
    EXPECT_EQ(Sql("SELECT MA005 FROM TSGMA WHERE MA002 = '" + Today() + "0099'"), "19.9");
}

TEST_F(SingleFixture, ARecordChangedMeanwhileIsRefusedAndTheWindowStaysInEdit) {
    Open();
    Key(VK_F7);
    Enter(form->edMA003, "我的名称");
    Enter(form->edMA004, "321");
    install.ExecuteSql("UPDATE TSGMA SET MA003 = '别人改的', FLAG = 2 WHERE MA002 = '202401020001'");

    Key(VK_F12);
    EXPECT_EQ(LastMessageBox(app), "保存失败 [类别=A, 单号=202401020001]\n资料已被其他用户更改, 请重新查询后再改");
    EXPECT_EQ(DialogTexts().back(), Message("E", "000008"));
    EXPECT_EQ(form->EditMode, emEdit);
    EXPECT_EQ(Main().State(), dsEdit);
    EXPECT_TRUE(form->LastSaveFailed);
    EXPECT_EQ(form->edMA003->Text(), "我的名称");
    EXPECT_EQ(form->edMA004->Text(), "321");
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '202401020001'"), "别人改的");
    EXPECT_EQ(Sql("SELECT FLAG FROM TSGMA WHERE MA002 = '202401020001'"), "2");

    // Refusing to give up keeps the input, even after the failed save.
    app.QueueDialogAnswer(mrCancel);
    Key(VK_ESCAPE);
    EXPECT_EQ(form->EditMode, emEdit);
    EXPECT_EQ(form->edMA003->Text(), "我的名称");
    // Giving up returns to the record as it was read.
    app.QueueDialogAnswer(mrOk);
    Key(VK_ESCAPE);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "螺丝");
}

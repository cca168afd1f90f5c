// The edit modes of the single-table window through its keys: add (F5), save (F12), edit (F7),
// delete (F8), cancel and close (Esc), with the status bar and the command states.
#include "tests/single/program/Tsgl01DataModule.h"
#include "tests/single/SingleFixture.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"

TEST_F(SingleFixture, TheWindowStartsInBrowseOnTheProgramsRowsWithItsCommands) {
    Open();
    EXPECT_EQ(form->Caption(), "单表测试作业[演示公司]");
    EXPECT_EQ(form->StatusText(0), "浏览");
    EXPECT_EQ(form->StatusText(2), "单据笔数");
    EXPECT_EQ(form->StatusText(3), "1/3");
    EXPECT_EQ(form->StatusText(4), "127.0.0.1 - 211");
    EXPECT_TRUE(Main().Active());
    EXPECT_EQ(Main().RecordCount(), 3);
    EXPECT_EQ(Dm().KeyFields, "MA001,MA002");
    EXPECT_EQ(Dm().AutoNumberField, "MA002");
    EXPECT_FALSE(Main().FieldByName("MA002")->Required()) << "the numbered key is not typed";
    EXPECT_EQ(form->ImageList1->Count(), 14) << "ten base images, calculator, colour filter, save, cancel";
    EXPECT_EQ(form->btnCalc->ImageIndex(), 10);
    EXPECT_EQ(form->btnColorQuery->ImageIndex(), 11);
    for (TToolButton* b : {form->btnAdd, form->btnQuery, form->btnEdit, form->btnDelete, form->btnFirst, form->btnNext})
        EXPECT_TRUE(b->Enabled()) << b->Name();
    EXPECT_FALSE(form->btnOK->Enabled());
    EXPECT_FALSE(form->btnCancel->Enabled());
    EXPECT_FALSE(form->btnReFresh->Enabled());
    EXPECT_TRUE(form->miExit->Enabled());
    EXPECT_EQ(form->miAdd->ShortCut(), ShortCut(VK_F5, {}));
    EXPECT_EQ(form->miOK->ShortCut(), ShortCut(VK_F12, {}));
    EXPECT_EQ(form->miNext->ShortCut(), ShortCut('N', {ssCtrl}));
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead1);
    EXPECT_FALSE(form->tbsUDF->TabVisible());
    EXPECT_TRUE(form->tbsBrowse->TabVisible());
    EXPECT_EQ(form->PageLastControls, (std::vector<std::string>{"edMA006", "edUDF51"}));
    EXPECT_EQ(form->FinalControl, form->edUDF51);
    EXPECT_EQ(form->edMA001->Color(), RGB(0, 200, 200)) << "key field colour";
    EXPECT_EQ(form->edMA003->Color(), RGB(255, 255, 175)) << "required field colour";

    Key('N', {ssCtrl});
    EXPECT_EQ(form->StatusText(3), "2/3");
    Key('E', {ssCtrl});
    EXPECT_EQ(form->StatusText(3), "3/3");
    Key('H', {ssCtrl});
    EXPECT_EQ(form->StatusText(3), "1/3");
}

TEST_F(SingleFixture, AddingTypesSavesAndStartsTheNextRecordWithTheKeptValuesTrimmed) {
    Open();
    Key(VK_F5);
    EXPECT_EQ(form->EditMode, emInsert);
    EXPECT_EQ(form->StatusText(0), "新增");
    EXPECT_EQ(Main().State(), dsInsert);
    EXPECT_EQ(form->ActiveControl(), form->edMA001) << "the first control for new records";
    EXPECT_FALSE(form->btnAdd->Enabled());
    EXPECT_TRUE(form->btnOK->Enabled());
    EXPECT_FALSE(form->tbsBrowse->TabVisible()) << "no browse page while editing";
    EXPECT_EQ(Main().FieldByName("MA002")->AsString(), Today() + "0001") << "the server's next number";

    Type("C");
    Key(VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), form->edMA003) << "Enter moves on (the numbered key is skipped)";
    Type("六角螺栓");
    Key(VK_RETURN);
    Type("12");
    Key(VK_F12);

    ASSERT_EQ(Count("MA001 = 'C'"), 1) << "saved";
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA001 = 'C'"), "六角螺栓");
    EXPECT_EQ(Sql("SELECT MA004 FROM TSGMA WHERE MA001 = 'C'"), "12");
    EXPECT_EQ(Sql("SELECT FLAG FROM TSGMA WHERE MA001 = 'C'"), "1");
    EXPECT_EQ(Sql("SELECT CREATOR FROM TSGMA WHERE MA001 = 'C'"), "DS");
    EXPECT_EQ(Sql("SELECT MA002 FROM TSGMA WHERE MA001 = 'C'"), Today() + "0001");

    // IsKeepOnAdd (the default) goes on with a new record that shows the kept category.
    EXPECT_EQ(form->EditMode, emInsert);
    EXPECT_EQ(Main().State(), dsInsert);
    EXPECT_EQ(Main().FieldByName("MA001")->AsString(), "C") << "kept values come back trimmed";
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "") << "only the kept fields carry over";
    EXPECT_EQ(Main().FieldByName("MA002")->AsString(), Today() + "0002");
    EXPECT_FALSE(form->LastSaveFailed);

    // Without IsKeepOnAdd the save returns to Browse.
    form->IsKeepOnAdd = false;
    Enter(form->edMA003, "平垫片");
    Key(VK_F12);
    EXPECT_EQ(Count("MA001 = 'C'"), 2);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(form->StatusText(0), "浏览");
    EXPECT_EQ(Main().State(), dsBrowse);
    EXPECT_TRUE(form->tbsBrowse->TabVisible());
}

TEST_F(SingleFixture, EditingChangesTheRowAndCountsItsFlagDeletingAsksFirst) {
    Open();
    Key(VK_F7);
    EXPECT_EQ(form->EditMode, emEdit);
    EXPECT_EQ(form->StatusText(0), "更改");
    EXPECT_EQ(form->ActiveControl(), form->edMA003);
    EXPECT_FALSE(form->edMA001->Enabled()) << "key controls are closed in Edit";
    Enter(form->edMA003, "不锈钢螺丝");
    Key(VK_F12);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Sql("SELECT MA003 FROM TSGMA WHERE MA002 = '202401020001'"), "不锈钢螺丝");
    EXPECT_EQ(Sql("SELECT FLAG FROM TSGMA WHERE MA002 = '202401020001'"), "2");
    EXPECT_EQ(Sql("SELECT MODIFIER FROM TSGMA WHERE MA002 = '202401020001'"), "DS");

    // F8 answered Cancel keeps the row; answered OK deletes it.
    app.QueueDialogAnswer(mrCancel);
    Key(VK_F8);
    EXPECT_EQ(Count(), 3);
    ASSERT_EQ(DialogTexts().size(), 1u);
    EXPECT_EQ(DialogTexts().back(), Message("C", "000001"));
    app.QueueDialogAnswer(mrOk);
    Key(VK_F8);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Count("MA002 = '202401020001'"), 0);
    EXPECT_EQ(Main().RecordCount(), 2);
    EXPECT_EQ(form->EditMode, emBrowse);
}

TEST_F(SingleFixture, EscapeCancelsWithTheRightQuestionAndClosesInBrowse) {
    Open();
    Key(VK_F7);
    Enter(form->edMA003, "改过");
    app.QueueDialogAnswer(mrOk);
    Key(VK_ESCAPE);
    ASSERT_EQ(DialogTexts().size(), 1u);
    EXPECT_EQ(DialogTexts()[0], Message("C", "000002")) << "Edit with changes asks 000002";
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "螺丝") << "the change is gone";

    Key(VK_F5);
    Type("Z");
    app.QueueDialogAnswer(mrCancel);
    Key(VK_ESCAPE);
    EXPECT_EQ(DialogTexts().back(), Message("C", "000004")) << "Insert with changes asks 000004";
    EXPECT_EQ(form->EditMode, emInsert) << "refused: the input stays";
    EXPECT_EQ(form->edMA001->Text(), "Z");
    app.QueueDialogAnswer(mrOk);
    Key(VK_ESCAPE);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Count(), 3) << "nothing stored";

    TComponentRef<TfrmTsgl01> alive(form);
    Key(VK_ESCAPE);
    EXPECT_FALSE(alive) << "Escape in Browse closes the window";
    if (!alive) form = nullptr;
}

TEST_F(SingleFixture, AnEmptyRequiredFieldStopsTheSaveAndTakesTheFocus) {
    Open();
    Key(VK_F5);
    Type("D");
    Key(VK_F12);
    ASSERT_FALSE(DialogTexts().empty());
    EXPECT_EQ(DialogTexts()[0], Message("E", "000003", {"名称"}));
    EXPECT_EQ(form->ActiveControl(), form->edMA003);
    EXPECT_EQ(form->EditMode, emInsert);
    EXPECT_EQ(Main().State(), dsInsert);
    EXPECT_EQ(form->edMA001->Text(), "D");
    EXPECT_TRUE(form->LastSaveFailed);
    EXPECT_EQ(Count(), 3);
}

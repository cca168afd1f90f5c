// The master-detail window through Tdef05: layout, body editing, the empty-body rule, locked
// documents, copying and re-reading, on the real plug-in objects and application server.
#include "tests/double/Tdef05Fixture.h"

#include "dialogs/RkCopy.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Splitter.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"

TEST_F(Tdef05Fixture, TheBrowsePageHidesTheBodyAndTheDetailPageBringsBackTheHeightTheUserLeft) {
    Open();
    ASSERT_NE(form->pgHead->ActivePage(), form->tbsBrowse);
    EXPECT_TRUE(form->pgBody->Visible());
    EXPECT_EQ(form->StatusText(2), "单身笔数");
    form->pgHead->SetHeight(150);  // the user drags the splitter
    EXPECT_EQ(form->SavedHeadHeight, 150);

    form->pgHead->ChangeActivePageByUser(form->tbsBrowse);
    EXPECT_FALSE(form->pgBody->Visible());
    EXPECT_FALSE(form->sprBody->Visible());
    EXPECT_EQ(form->pgHead->Align(), alClient);
    EXPECT_EQ(form->StatusText(2), "单头笔数");
    EXPECT_EQ(form->StatusText(3), "1/" + std::to_string(Dm().ServerRecordCount));

    form->pgHead->ChangeActivePageByUser(form->tbsHead1);
    EXPECT_TRUE(form->pgBody->Visible());
    EXPECT_EQ(form->pgHead->Align(), alTop);
    EXPECT_EQ(form->pgHead->Height(), 150);
    EXPECT_EQ(form->StatusText(2), "单身笔数");
    EXPECT_EQ(form->StatusText(3), "1/" + std::to_string(Body().RecordCount()));

    // Ctrl+Down goes into the body from the browse page too.
    form->pgHead->ChangeActivePageByUser(form->tbsBrowse);
    Key(VK_DOWN, {ssCtrl});
    EXPECT_EQ(form->ActiveControl(), form->gdBody1);
    EXPECT_TRUE(form->pgBody->Visible());
}

TEST_F(Tdef05Fixture, CtrlDeleteAsksBeforeDeletingALineAndDoesNothingOnAnEmptyBody) {
    Open();
    ShowDocument("ADMMA");
    const int lines = Body().RecordCount();
    form->gdBody1->SetFocus();
    Key(VK_DELETE, {ssCtrl});
    EXPECT_TRUE(DialogTexts().empty()) << "in Browse nothing is deleted and nothing asked";

    ASSERT_TRUE(form->DoEdit());
    form->gdBody1->SetFocus();
    app.QueueDialogAnswer(mrCancel);
    Key(VK_DELETE, {ssCtrl});
    ASSERT_EQ(DialogTexts().size(), 1u);
    EXPECT_EQ(DialogTexts()[0], Message("C", "000005"));
    EXPECT_EQ(Body().RecordCount(), lines);
    app.QueueDialogAnswer(mrOk);
    Key(VK_DELETE, {ssCtrl});
    EXPECT_EQ(Body().RecordCount(), lines - 1);
    form->DoCancel(false);

    // A new document without lines: nothing to delete, nothing asked.
    form->DoAdd(true);
    Main().FieldByName("MC001")->SetAsString("ZEMPTY");
    Main().FieldByName("MC004")->SetAsString("ADM");
    form->gdBody1->SetFocus();
    Body().Cancel();  // the first line entering the grid started is given up
    ASSERT_EQ(Body().RecordCount(), 0);
    const std::size_t asked = DialogTexts().size();
    Key(VK_DELETE, {ssCtrl});
    EXPECT_EQ(DialogTexts().size(), asked);
}

TEST_F(Tdef05Fixture, AnEmptyBodyIsAskedAboutOrRefusedAsTheProgramSays) {
    Open();
    auto newDocument = [this](const char* code) {
        form->DoAdd(true);
        Main().FieldByName("MC001")->SetAsString(code);
        Main().FieldByName("MC004")->SetAsString("ADM");
    };
    form->BodyRequired = 1;
    newDocument("ZEMPTY1");
    app.QueueDialogAnswer(mrCancel);
    EXPECT_FALSE(form->DoSave());
    EXPECT_EQ(DialogTexts().back(), Message("W", "100079", {"单身没有资料"}));
    EXPECT_EQ(form->EditMode, emInsert) << "Cancel leaves the document being edited";
    EXPECT_TRUE(form->btnOK->Enabled());
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'ZEMPTY1'"), "0");
    app.QueueDialogAnswer(mrOk);
    EXPECT_TRUE(form->DoSave());
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'ZEMPTY1'"), "1");

    form->BodyRequired = 2;
    newDocument("ZEMPTY2");
    EXPECT_FALSE(form->DoSave());
    EXPECT_EQ(DialogTexts().back(), Message("E", "000032", {"单身没有资料"}));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'ZEMPTY2'"), "0");
    form->DoCancel(false);

    form->BodyRequired = 0;  // the demo program's own policy ("N"): an empty body is saved unasked
    const std::size_t asked = DialogTexts().size();
    newDocument("ZEMPTY3");
    EXPECT_TRUE(form->DoSave());
    EXPECT_EQ(DialogTexts().size(), asked);
}

TEST_F(Tdef05Fixture, AVoidDocumentCanNeitherBeEditedNorDeleted) {
    install.ExecuteSql("UPDATE ADMMC SET UDF01 = 'V' WHERE MC001 = 'ADMMB'");
    Open("DS", [](TfrmTdef05& f) { f.ConfirmField = "UDF01"; });
    ShowDocument("ADMMB");
    EXPECT_FALSE(form->btnEdit->Enabled());
    EXPECT_FALSE(form->btnDelete->Enabled());
    EXPECT_FALSE(form->DoEdit());
    EXPECT_FALSE(form->DoDelete(false));
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'ADMMB'"), "1");
    ShowDocument("ADMMA");
    EXPECT_TRUE(form->btnEdit->Enabled()) << "an ordinary document stays editable";
}

TEST_F(Tdef05Fixture, CopyingReportsAMissingSourceAndCopiesEveryValueButKeysAndSystemColumns) {
    install.ExecuteSql("UPDATE ADMMC SET MC005 = '来源备注', UDF01 = '自定义', UDF51 = 7 WHERE MC001 = 'CMSMF'");
    Open();
    ShowDocument("CMSMF");
    const int lines = Body().RecordCount();
    app.ModalLoop().WhenNext("TfrmCopy", [this](TCustomForm& window) {
        auto& copy = dynamic_cast<TfrmCopy&>(window);
        EXPECT_EQ(copy.edSource[0]->Text(), "CMSMF") << "the current document is proposed";
        copy.edSource[0]->SetText("NOPE");
        copy.BBOK->Click();
        EXPECT_TRUE(copy.OnSourcePage()) << "a missing source keeps the source page";
        ASSERT_GE(app.Messages().Count(), 1);
        EXPECT_EQ(app.Messages().Last().Text, "来源信息不存在!!");
        copy.edSource[0]->SetText("CMSMF");
        copy.BBOK->Click();
        ASSERT_FALSE(copy.OnSourcePage());
        copy.edDest[0]->SetFocus();
        copy.edDest[0]->SetText("ZCOPY");
        copy.BBOK->Click();  // closes with OK
    });
    ASSERT_TRUE(form->CopyDocument());
    EXPECT_EQ(form->EditMode, emInsert);
    EXPECT_EQ(Main().FieldByName("MC001")->AsString(), "ZCOPY");
    EXPECT_EQ(Main().FieldByName("MC005")->AsString(), "来源备注");
    EXPECT_EQ(Body().RecordCount(), lines);
    ASSERT_TRUE(form->DoSave());

    EXPECT_EQ(Rows("SELECT MC002, MC003, MC004, MC005, UDF01, UDF51, FLAG FROM ADMMC WHERE MC001 = 'ZCOPY'"),
              Rows("SELECT MC002, MC003, MC004, MC005, UDF01, UDF51, FLAG FROM ADMMC WHERE MC001 = 'CMSMF'"));
    EXPECT_NE(Sql("SELECT CREATE_DATE FROM ADMMC WHERE MC001 = 'ZCOPY'"),
              Sql("SELECT CREATE_DATE FROM ADMMC WHERE MC001 = 'CMSMF'"))
        << "system columns are the new document's own";
    EXPECT_EQ(Rows("SELECT MD002, MD003, MD004, MD005, MD006, MD007, MD008 FROM ADMMD WHERE MD001 = 'ZCOPY' ORDER BY MD002"),
              Rows("SELECT MD002, MD003, MD004, MD005, MD006, MD007, MD008 FROM ADMMD WHERE MD001 = 'CMSMF' ORDER BY MD002"));

    // A copy dialog cancelled copies nothing.
    form->DoCancel(false);
    app.ModalLoop().WhenNext("TfrmCopy", [](TCustomForm& window) { window.SetModalResult(mrCancel); });
    ShowDocument("CMSMF");
    EXPECT_FALSE(form->CopyDocument());
}

TEST_F(Tdef05Fixture, RereadingGoesOnFromTheCurrentDocumentByKeyAndByTheBlankPaddedKeyText) {
    Open();
    ShowDocument("ADMMA");
    form->KeepPosition = false;
    form->ReopenWithQuery();
    EXPECT_EQ(form->LastCondition, "ADMMC.MC001='ADMMA'") << "without kept position: exactly the document";
    EXPECT_EQ(Main().RecordCount(), 1);
    EXPECT_TRUE(form->KeepPosition);

    form->ReopenWithQuery();
    EXPECT_EQ(form->LastCondition, "ADMMC.MC001>='ADMMA' and RPAD(ADMMC.MC001,10,' ')>='ADMMA     '");
    EXPECT_EQ(Main().FieldByName("MC001")->AsString(), "ADMMA");
    Main().Next();
    EXPECT_EQ(Main().FieldByName("MC001")->AsString(), "ADMMB") << "the documents after it follow";
    EXPECT_EQ(Dm().ServerRecordCount, std::stoi(Sql("SELECT COUNT(*) FROM ADMMC WHERE MC001 >= 'ADMMA'")));

    // The refresh button re-reads in Browse.
    form->btnReFresh->Click();
    EXPECT_EQ(Main().FieldByName("MC001")->AsString(), "ADMMB");
}

TEST_F(Tdef05Fixture, FillingTheKeysOfANewDocumentLeavesTheUserOnHisLineWithTheCountsShown) {
    Open();
    form->DoAdd(true);
    Main().FieldByName("MC001")->SetAsString("ZKEYS");
    Main().FieldByName("MC004")->SetAsString("ADM");
    for (const char* code : {"A", "B", "C"}) {
        Body().Append();
        Body().FieldByName("MD003")->SetAsString(code);
        Body().FieldByName("MD005")->SetAsString("V");
        Body().FieldByName("MD006")->SetAsFloat(10);
        Body().Post();
    }
    Body().First();
    Body().Next();
    form->SetStatusText(2, "");
    form->SetStatusText(3, "");
    Dm().BeforeInsertSave();
    EXPECT_EQ(Body().FieldByName("MD003")->AsString(), "B");
    EXPECT_EQ(form->StatusText(2), "单身笔数");
    EXPECT_EQ(form->StatusText(3), "2/3");
    for (Body().First(); !Body().Eof(); Body().Next()) EXPECT_EQ(Body().FieldByName("MD001")->AsString(), "ZKEYS");

    ASSERT_TRUE(form->DoSave());
    EXPECT_EQ(Rows("SELECT MD002, MD003 FROM ADMMD WHERE MD001 = 'ZKEYS' ORDER BY MD002"),
              (std::vector<std::string>{"0001|A", "0002|B", "0003|C"}));
}

TEST_F(Tdef05Fixture, ABodyLineIsCheckedAgainstTheRequiredFieldsInForceWhenItIsPosted) {
    Open();
    ShowDocument("ADMMA");
    ASSERT_TRUE(form->DoEdit());
    auto postLine = [this](const char* code, const char* name) {
        Body().Append();
        Body().FieldByName("MD003")->SetAsString(code);
        Body().FieldByName("MD004")->SetAsString(name);
        Body().FieldByName("MD005")->SetAsString("V");
        try {
            Body().Post();
            return true;
        } catch (const std::exception&) {
            Body().Cancel();
            return false;
        }
    };
    EXPECT_TRUE(postLine("ZF1", "")) << "the program's own list does not require the description";
    form->AddRequiredFields("cdsBody1:MD004");
    const std::size_t shown = DialogTexts().size();
    EXPECT_FALSE(postLine("ZF2", ""));
    ASSERT_EQ(DialogTexts().size(), shown + 1);
    EXPECT_EQ(DialogTexts().back(), Message("E", "000003", {Body().FieldByName("MD004")->DisplayLabel()}));
    EXPECT_TRUE(postLine("ZF3", "说明"));
    form->SetRequiredFields("CdsMain:MC003,MC004;cdsBody1:MD003,MD005");
    EXPECT_FALSE(postLine("ZF4", "")) << "setting a list merges it: the description stays required";
    EXPECT_TRUE(postLine("ZF5", "说明"));
    form->DoCancel(false);
}

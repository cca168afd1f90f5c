// Tdef05's own rules: its fields and texts, the checks of code, system, field code and length, the
// defaults, and the two lookups, through the real window, data module and servers.
#include "tests/double/Tdef05Fixture.h"

#include "controls/RkLookupButton.h"
#include "framework/data/FieldText.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/grids/DBGrids.h"

TEST_F(Tdef05Fixture, TheWindowShowsTheDocumentWithItsLabelsTypesAndVersion) {
    Open();
    EXPECT_EQ(form->VersionText, "880811-0.00.01");
    EXPECT_EQ(form->RequiredFields, "CdsMain:MC003,MC004;cdsBody1:MD003,MD005");
    EXPECT_FALSE(Dm().BodyAutoNumber) << "the program numbers its lines itself";
    EXPECT_EQ(form->edMC004->Hint(), "[F2]系统信息查询");
    EXPECT_EQ(form->btnMC004->Hint(), "系统信息查询");
    EXPECT_EQ(form->edMC005->Hint(), "[F2]常用语查询");
    EXPECT_EQ(form->btnMC005->Hint(), "常用语查询");
    ASSERT_EQ(form->cboMC003->Items()->Count(), 8);
    EXPECT_EQ(form->cboMC003->ItemText(2), "3:交易单头");
    EXPECT_EQ(form->cboMC003G->ItemText(2), "3:交易单头档");
    EXPECT_EQ(form->cboMD005G->ItemText(6), "Z:Int");

    ShowDocument("ADMMC");
    EXPECT_EQ(Main().FieldByName("MC001")->DisplayLabel(), "文档编号");
    EXPECT_EQ(Main().FieldByName("MC004C")->AsString(), "系统管理");
    EXPECT_FALSE(Main().FieldByName("UDF01")->Visible());
    EXPECT_EQ(Body().FieldByName("MD006")->DisplayLabel(), "长度");
    EXPECT_FALSE(Body().FieldByName("MD001")->Visible());
    // Types show as the combo boxes name them; the value stays the code.
    install.ExecuteSql("UPDATE ADMMC SET MC003 = '3' WHERE MC001 = 'ADMMC'");
    ShowDocument("ADMMC");
    EXPECT_EQ(Main().FieldByName("MC003")->DisplayText(), "3:交易单头档");
    EXPECT_EQ(Main().FieldByName("MC003")->AsString(), "3");
    Body().Locate("MD003", Variant("MC004"), {});
    EXPECT_EQ(Body().FieldByName("MD005")->DisplayText(), "V:Varchar");
    EXPECT_EQ(Body().FieldByName("MD006")->DisplayText(), "3.0") << "one decimal: digit group 1";
    // The body in the order of document and line after Edit.
    ASSERT_TRUE(form->DoEdit());
    EXPECT_EQ(Body().IndexFieldNames(), "MD001;MD002");
    Body().Edit();
    Body().FieldByName("MD005")->SetText("n:numeric");
    EXPECT_EQ(Body().FieldByName("MD005")->AsString(), "N") << "a combo text or its value, in any case";
}

TEST_F(Tdef05Fixture, LengthsAreWholeExceptForNumbersAndAlwaysAboveZero) {
    Open();
    ShowDocument("ADMMA");
    ASSERT_TRUE(form->DoEdit());
    Body().First();
    Body().Edit();
    TField* type = Body().FieldByName("MD005");
    TField* length = Body().FieldByName("MD006");
    SetFieldText(type, "C", false);
    app.QueueDialogAnswer(mrOk);  // the answer does not matter
    EXPECT_THROW(length->SetAsFloat(10.5), EAbort);
    EXPECT_EQ(DialogTexts().back(), Message("W", "100001", {"", "", ""}));
    EXPECT_NE(length->AsFloat(), 10.5);
    SetFieldText(type, "N", false);
    length->SetAsFloat(10.5);
    EXPECT_DOUBLE_EQ(length->AsFloat(), 10.5);
    for (const char* kind : {"N", "V"}) {
        SetFieldText(type, kind, false);
        EXPECT_THROW(length->SetAsFloat(0), EAbort) << kind;
        EXPECT_EQ(DialogTexts().back(), Message("E", "100012", {"长度"}));
    }
    EXPECT_THROW(length->SetAsFloat(-3), EAbort);
}

TEST_F(Tdef05Fixture, CodesAreCheckedAgainstTheCompanyAndTheOtherLines) {
    Open();
    ASSERT_TRUE(form->DoAdd(true));
    EXPECT_THROW(Main().FieldByName("MC001")->SetAsString("ADMMA"), EAbort) << "an existing document code";
    EXPECT_EQ(DialogTexts().back(), Message("E", "000002", {"文档编号"}));
    Main().FieldByName("MC001")->SetAsString("ZNEW");
    EXPECT_THROW(Main().FieldByName("MC004")->SetAsString("XYZ"), EAbort) << "an unknown system";
    EXPECT_EQ(DialogTexts().back(), Message("E", "000001", {"系统编号"}));
    Main().FieldByName("MC004")->SetAsString("INV");
    EXPECT_EQ(Main().FieldByName("MC004C")->AsString(), "存货管理");
    Main().FieldByName("MC004")->SetAsString("");
    EXPECT_TRUE(Main().FieldByName("MC004C")->IsNull()) << "an emptied system clears its name";
    Main().FieldByName("MC004")->SetAsString("INV");

    Body().Append();
    Body().FieldByName("MD003")->SetAsString("CODE1");
    Body().Post();
    Body().Append();
    EXPECT_EQ(Body().FieldByName("MD002")->AsString(), "0002");
    EXPECT_THROW(Body().FieldByName("MD003")->SetAsString("CODE1"), EAbort) << "a field code once per document";
    EXPECT_EQ(DialogTexts().back(), Message("E", "000002", {"字段编号"}));
    Body().FieldByName("MD003")->SetAsString("CODE2");
    Body().Post();
    // The line itself may keep its code when edited.
    Body().First();
    Body().Edit();
    Body().FieldByName("MD003")->SetAsString("CODE1");
    Body().Post();
    ASSERT_TRUE(form->DoSave());
    EXPECT_EQ(Rows("SELECT MD002, MD003, MD005 FROM ADMMD WHERE MD001 = 'ZNEW' ORDER BY MD002"),
              (std::vector<std::string>{"0001|CODE1|C", "0002|CODE2|C"}));
    EXPECT_EQ(Sql("SELECT MC003 FROM ADMMC WHERE MC001 = 'ZNEW'"), "1");
}

TEST_F(Tdef05Fixture, F2OpensTheSystemLookupAndThePhrasesOfTheCompany) {
    std::string asked;
    DefaultLookupCallbacks().choose = [&](const LookupRequest& request, const Variant& rows) {
        asked = request.table + "/" + request.kind + " " + request.caption;
        for (int i = 0; i < rows.Count(); ++i)
            if (VarToStr(rows[i][0]) == "PUR") return VarArrayOf({rows[i]});
        return Variant();
    };
    std::vector<std::string> offered;
    DefaultLookupCallbacks().phrase = [&](const std::string&, const std::string&, const std::vector<std::string>& phrases,
                                          std::string& text) {
        offered = phrases;
        text = phrases.at(1);
        return 0;
    };
    Open();
    ASSERT_TRUE(form->DoAdd(true));
    form->edMC004->SetFocus();
    Key(VK_F2);
    EXPECT_EQ(asked, "ADMMA/01 系统信息查询");
    EXPECT_EQ(Main().FieldByName("MC004")->AsString(), "PUR");
    EXPECT_EQ(Main().FieldByName("MC004C")->AsString(), "采购管理");

    // The lookup buttons belong to their edits: named after them, at their right, following them.
    EXPECT_EQ(form->btnMC004->Name(), "btnMC004");
    EXPECT_EQ(form->FindComponent("btnMC005"), form->btnMC005) << "language files reach the button by name";
    EXPECT_EQ(form->btnMC004->Hint(), "系统信息查询");
    EXPECT_EQ(form->btnMC004->Parent(), form->edMC004->Parent());
    EXPECT_EQ(form->btnMC004->Left(), form->edMC004->Left() + form->edMC004->Width() + 1);
    form->edMC004->SetBounds(form->edMC004->Left(), form->edMC004->Top(), 80, form->edMC004->Height());
    EXPECT_EQ(form->btnMC004->Left(), form->edMC004->Left() + 81);
    form->edMC004->SetEnabled(false);
    EXPECT_FALSE(form->btnMC004->Enabled());
    form->edMC004->SetEnabled(true);
    EXPECT_TRUE(form->btnMC004->Enabled());

    form->btnMC005->Click();  // the button beside the remark opens its lookup as F2 does
    EXPECT_EQ(form->ActiveControl(), form->edMC005);
    ASSERT_GE(offered.size(), 3u);
    EXPECT_EQ(offered[0], "待确认") << "the user's own phrases first";
    EXPECT_EQ(Main().FieldByName("MC005")->AsString(), "已确认");
}

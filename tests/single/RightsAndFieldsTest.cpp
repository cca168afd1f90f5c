// Command flags from the user's rights (record-level rights by who created the row), field
// restrictions by system setting, required-field lists, opening with a condition.
#include "tests/single/SingleFixture.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/widgets/ToolBar.h"

TEST_F(SingleFixture, RecordLevelRightsFollowWhoseRowItIsAndAGroupQuotedInDoubleQuotes) {
    // CLERK: record-level rights on; all own rights, group rights 46..52, none for other users' rows.
    Open("CLERK");
    ASSERT_TRUE(form->FunctionRights.Contains(31));
    EXPECT_EQ(Main().FieldByName("CREATOR")->AsString(), "DS");
    EXPECT_FALSE(form->CanEdit) << "a row of another group";
    EXPECT_FALSE(form->btnEdit->Enabled());
    EXPECT_FALSE(form->btnDelete->Enabled());
    Key('E', {ssCtrl});  // the row CLERK created
    EXPECT_EQ(Main().FieldByName("CREATOR")->AsString(), "CLERK");
    EXPECT_TRUE(form->CanEdit);
    EXPECT_TRUE(form->btnEdit->Enabled());
    CloseForm();

    // ADMIN quoted in double quotes in CLERK's group list: DS's rows take the group block.
    install.ExecuteSql("UPDATE RKTMA SET MA004 = ?1 WHERE MA001 = 'CLERK'", {"'CLERK',\"ADMIN\""});
    Open("CLERK");
    EXPECT_EQ(Main().FieldByName("USR_GROUP")->AsString(), "ADMIN");
    EXPECT_TRUE(form->CanEdit) << "element 47";
    EXPECT_TRUE(form->CanDelete) << "element 48";
    EXPECT_TRUE(form->btnEdit->Enabled());
    // Without the group right the same row cannot be edited.
    CloseForm();
    install.ExecuteSql("UPDATE ADMMP SET MP003 = ',Y,Y,YYYYYYYYYYYY,YNYYYYY,NNNNNNN' WHERE MP001 = 'CLERK'");
    Open("CLERK");
    EXPECT_FALSE(form->CanEdit);
    EXPECT_TRUE(form->CanDelete);
}

TEST_F(SingleFixture, TheHostsCommandWordClosesCommandsTheRightsWouldAllow) {
    Open();
    form->CommandRights.Exclude(ceDelete);
    form->CommandRights.Exclude(ceAdd);
    form->UpdateCommandStates();
    EXPECT_FALSE(form->btnDelete->Enabled());
    EXPECT_FALSE(form->btnAdd->Enabled());
    EXPECT_TRUE(form->btnEdit->Enabled());
    Key(VK_F5);
    EXPECT_EQ(form->EditMode, emBrowse) << "F5 is closed as well";
}

TEST_F(SingleFixture, Sys024DisablesItsFieldGroupsAndFourDisablesNothing) {
    auto prepare = [](TfrmTsgl01& f) {
        f.Sys024FieldsA = "cdsMain:MA008";
        f.Sys024FieldsB = "CdsMain:UDF01";
    };
    install.ExecuteSql("UPDATE ADMSY SET SY003 = '4' WHERE SY002 = 'SYS024'");
    Open("DS", true, prepare);
    EXPECT_TRUE(form->edMA008->Enabled());
    EXPECT_EQ(form->edMA008->DataField(), "MA008");
    EXPECT_TRUE(Main().FieldByName("MA008")->Visible());
    EXPECT_TRUE(form->edUDF01->Enabled());

    install.ExecuteSql("UPDATE ADMSY SET SY003 = '3' WHERE SY002 = 'SYS024'");
    Open("DS", true, prepare);
    EXPECT_FALSE(form->edMA008->Enabled()) << "3 disables group A";
    EXPECT_EQ(form->edMA008->DataField(), "");
    EXPECT_FALSE(Main().FieldByName("MA008")->Visible());
    EXPECT_TRUE(form->edUDF01->Enabled());

    install.ExecuteSql("UPDATE ADMSY SET SY003 = '1' WHERE SY002 = 'SYS024'");
    Open("DS", true, prepare);
    EXPECT_FALSE(form->edMA008->Enabled());
    EXPECT_FALSE(form->edUDF01->Enabled()) << "1 disables both";
}

TEST_F(SingleFixture, RequiredFieldListsMergeGroupByGroup) {
    Open();
    EXPECT_EQ(form->RequiredFields, "cdsMain:MA003");
    form->RequiredFields = "cdsMain:B,A";
    form->SetRequiredFields("cdsMain:A");
    EXPECT_EQ(form->RequiredFields, "cdsMain:B,A") << "one A";
    form->SetRequiredFields("CdsMain:C;cdsBody1:MD003");
    EXPECT_EQ(form->RequiredFields, "cdsMain:B,A,C;cdsBody1:MD003");
    form->SetRequiredFields("cdsMain:B,A,C;cdsBody1:MD003");
    EXPECT_EQ(form->RequiredFields, "cdsMain:B,A,C;cdsBody1:MD003") << "the same list changes nothing";
    form->AddRequiredFields("cdsBody1:MD005;cdsMain:A");
    EXPECT_EQ(form->RequiredFields, "cdsBody1:MD005,MD003;cdsMain:A,B,C") << "in front";
}

TEST_F(SingleFixture, AllOpensEveryRowAndAConditionSomeOfThem) {
    Open();
    form->OpenWithCondition(&Main(), "MA001 = 'B'", "MA001,MA002");
    EXPECT_EQ(Main().RecordCount(), 1);
    EXPECT_EQ(form->LastCondition, "MA001 = 'B'");
    form->OpenWithCondition(&Main(), "all", "MA001,MA002");
    EXPECT_EQ(Main().RecordCount(), 3);
    EXPECT_EQ(form->LastCondition, "all");
    form->OpenWithCondition(&Main(), "NOSUCHCOLUMN = 1", "");
    EXPECT_FALSE(Main().Active()) << "a refused open is logged, not raised";
}

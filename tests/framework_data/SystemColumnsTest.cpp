// System columns stamped on the client and stored by the real application server.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "RadicalFixture.h"

namespace {

std::string Text(const Variant& v) { return VarToStr(v); }

}  // namespace

TEST_F(RadicalFixture, ANewRowPostedTwiceIsStampedOnceAndStoredWithFlagOne) {
    ASSERT_TRUE(Connect());
    TClientDataSet& systems = *dm->cdsMain;
    systems.Append();
    systems.FieldByName("MA001")->SetAsString("T01");
    systems.FieldByName("MA002")->SetAsString("测试系统");
    systems.Post();
    EXPECT_EQ(systems.FieldByName("FLAG")->AsInteger(), -1);
    EXPECT_EQ(systems.FieldByName("CREATOR")->AsString(), "DS");
    systems.Edit();
    dm->AttachFieldHandler(systems.FieldByName("MA003"), "TimeFieldSetText");
    systems.FieldByName("MA003")->SetText("8:5");
    systems.Post();
    EXPECT_EQ(systems.FieldByName("FLAG")->AsInteger(), -1);
    EXPECT_TRUE(systems.FieldByName("MODIFIER")->IsNull());

    ASSERT_TRUE(dm->ApplyDataSet(&systems));
    EXPECT_EQ(systems.FieldByName("FLAG")->AsInteger(), 1);
    SqlResult row =
        Db().Query("SELECT FLAG, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, MODIFIER, MA003 FROM ADMMA WHERE MA001 = 'T01'");
    ASSERT_EQ(row.rows.size(), 1u);
    EXPECT_EQ(row.rows[0][0].AsInteger(), 1);
    EXPECT_EQ(Text(row.rows[0][1]), "DEMO");
    EXPECT_EQ(Text(row.rows[0][2]), "DS");
    EXPECT_EQ(Text(row.rows[0][3]), brokers->UserGroup);
    EXPECT_FALSE(brokers->UserGroup.empty());
    EXPECT_EQ(Text(row.rows[0][4]), dm->Today);
    EXPECT_TRUE(row.rows[0][5].IsNull());
    EXPECT_EQ(Text(row.rows[0][6]), "0805");
}

TEST_F(RadicalFixture, EditedRowsCountTheirFlagUpModuloAThousandAndNegativeFlagsAreNotStamped) {
    Db().Query("UPDATE ADMMA SET FLAG = 999 WHERE MA001 = 'ACT'");
    Db().Query("UPDATE ADMMA SET FLAG = -5 WHERE MA001 = 'CMS'");
    ASSERT_TRUE(Connect());
    TClientDataSet& systems = *dm->cdsMain;

    ASSERT_TRUE(systems.Locate("MA001", "ACT"));
    systems.Edit();
    systems.FieldByName("MA003")->SetAsString("总账");
    systems.Post();
    EXPECT_EQ(systems.FieldByName("MODIFIER")->AsString(), "DS");
    EXPECT_EQ(systems.FieldByName("MODI_DATE")->AsString(), dm->Today);

    ASSERT_TRUE(systems.Locate("MA001", "CMS"));
    systems.Edit();
    systems.FieldByName("MA003")->SetAsString("公用");
    systems.Post();
    EXPECT_TRUE(systems.FieldByName("MODIFIER")->IsNull());
    EXPECT_EQ(systems.FieldByName("FLAG")->AsInteger(), -5);

    ASSERT_TRUE(systems.Locate("MA001", "ACT"));
    ASSERT_TRUE(dm->ApplyDataSet(&systems));
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMA WHERE MA001 = 'ACT'").AsInteger(), 0);
    EXPECT_EQ(Text(Value("SELECT MODIFIER FROM ADMMA WHERE MA001 = 'ACT'")), "DS");
    EXPECT_EQ(Text(Value("SELECT MA003 FROM ADMMA WHERE MA001 = 'CMS'")), "公用");
    EXPECT_TRUE(Value("SELECT MODIFIER FROM ADMMA WHERE MA001 = 'CMS'").IsNull());
}

TEST_F(RadicalFixture, ARowStillBeingEditedWhenSavingIsStampedAndStoredFinalized) {
    ASSERT_TRUE(Connect());
    TClientDataSet& systems = *dm->cdsMain;
    systems.Append();
    systems.FieldByName("MA001")->SetAsString("T02");
    ASSERT_TRUE(dm->ApplyDataSet(&systems));
    EXPECT_EQ(systems.State(), dsBrowse);
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMA WHERE MA001 = 'T02'").AsInteger(), 1);
    EXPECT_EQ(Text(Value("SELECT CREATOR FROM ADMMA WHERE MA001 = 'T02'")), "DS");
}

TEST_F(RadicalFixture, SavingARowChangedMeanwhileIsRefusedAndAFailureIsLogged) {
    ASSERT_TRUE(Connect());
    TClientDataSet& systems = *dm->cdsMain;
    ASSERT_TRUE(systems.Locate("MA001", "PUR"));
    Db().Query("UPDATE ADMMA SET MA003 = '别人', FLAG = 7 WHERE MA001 = 'PUR'");
    systems.Edit();
    systems.FieldByName("MA003")->SetAsString("我的");
    systems.Post();
    EXPECT_FALSE(dm->ApplyDataSet(&systems));
    EXPECT_EQ(Text(Value("SELECT MA003 FROM ADMMA WHERE MA001 = 'PUR'")), "别人");

    systems.BeforePost = [](TDataSet*) { throw Exception("磁盘已满"); };
    systems.Edit();
    systems.FieldByName("MA003")->SetAsString("再次");
    EXPECT_THROW(dm->ApplyDataSet(&systems), Exception);
    std::string logged;
    for (const auto& entry : std::filesystem::directory_iterator(client_ + "Log")) {
        if (entry.path().filename().string().find("knlRadical-311") == std::string::npos) continue;
        std::stringstream text;
        text << std::ifstream(entry.path()).rdbuf();
        logged += text.str();
    }
    EXPECT_NE(logged.find("磁盘已满"), std::string::npos);
}

TEST_F(RadicalFixture, ADocumentWithItsBodyIsSavedInOneCallWithEveryRowFinalized) {
    ASSERT_TRUE(Connect("TDEF05"));
    TClientDataSet& docs = *dm->cdsMain;
    TClientDataSet& body = *dm->cdsBody;
    ASSERT_TRUE(body.Active());

    docs.Append();
    docs.FieldByName("MC001")->SetAsString("NEWDOC");
    docs.FieldByName("MC004")->SetAsString("ADM");
    for (const char* line : {"0001", "0002"}) {
        body.Append();
        body.FieldByName("MD001")->SetAsString("NEWDOC");
        body.FieldByName("MD002")->SetAsString(line);
        body.FieldByName("MD003")->SetAsString(std::string("F") + line);
        body.Post();
    }
    docs.Post();
    ASSERT_TRUE(dm->ApplyDataSet(&docs));
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMC WHERE MC001 = 'NEWDOC'").AsInteger(), 1);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NEWDOC' AND FLAG = 1 AND CREATOR = 'DS'").AsInteger(), 2);

    // Changing one line of the document counts the line and the header up.
    body.First();
    body.Edit();
    body.FieldByName("MD004")->SetAsString("字段一");
    body.Post();
    docs.Post();
    ASSERT_TRUE(dm->ApplyDataSet(&docs));
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMC WHERE MC001 = 'NEWDOC'").AsInteger(), 2);
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMD WHERE MD001 = 'NEWDOC' AND MD002 = '0001'").AsInteger(), 2);
    EXPECT_EQ(Value("SELECT FLAG FROM ADMMD WHERE MD001 = 'NEWDOC' AND MD002 = '0002'").AsInteger(), 1);
    EXPECT_EQ(Text(Value("SELECT MODIFIER FROM ADMMD WHERE MD001 = 'NEWDOC' AND MD002 = '0001'")), "DS");
}

TEST(FlagMarks, AMarkReadsTheSameStoredAsAnIntegerAFractionOrText) {
    EXPECT_EQ(TdmRadical::FlagMark(Variant(-3)), -3);
    EXPECT_EQ(TdmRadical::FlagMark(Variant(-2.7)), -2);
    EXPECT_EQ(TdmRadical::FlagMark(Variant(12.0)), 12);
    EXPECT_EQ(TdmRadical::FlagMark(Variant(" -4 ")), -4);
    EXPECT_EQ(TdmRadical::FlagMark(Variant("-4.9")), -4);
    EXPECT_EQ(TdmRadical::FlagMark(Variant::Null()), 0);
    EXPECT_EQ(TdmRadical::FlagMark(Variant()), 0);
    EXPECT_EQ(TdmRadical::FlagMark(Variant("x")), 0);
}

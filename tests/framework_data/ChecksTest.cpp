// Codes that must exist or must not exist, checked through the work center's validator against the
// company database, with the coded messages the user sees.
#include "RadicalFixture.h"

class ChecksTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        docs = CreateComponent<TClientDataSet>(dm);
        docs->FieldDefs().Add("MC001", ftString, 10);
        docs->FieldDefs().Add("MC004", ftString, 3);
        docs->FieldDefs().Add("MC004C", ftString, 24);
        docs->CreateDataSet();
        docs->FieldByName("MC001")->SetDisplayLabel("文档编号");
        docs->FieldByName("MC004")->SetDisplayLabel("系统编号");
        docs->FieldByName("MC004C")->SetReadOnly(true);
        docs->Append();
    }
    TField* F(const std::string& name) { return docs->FieldByName(name); }

    TClientDataSet* docs = nullptr;
};

TEST_F(ChecksTest, AMissingCodeIsRefusedAndAKnownOneFillsItsName) {
    F("MC004")->OnValidate = [this](TField* f) { dm->CheckAndFill(f, "ADMMA", "E", Variant(), "MC004C"); };
    F("MC004")->SetAsString("ADM");
    EXPECT_EQ(F("MC004C")->AsString(), "系统管理");
    EXPECT_TRUE(shown.empty());

    EXPECT_THROW(F("MC004")->SetAsString("XYZ"), EAbort);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("系统编号 不存在!"), std::string::npos);
    EXPECT_EQ(F("MC004")->AsString(), "ADM");
    EXPECT_EQ(F("MC004C")->AsString(), "系统管理");

    F("MC004")->SetAsString("");
    EXPECT_TRUE(F("MC004C")->IsNull());
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(ChecksTest, AWarningContinuesOnlyWhenTheUserAnswersOk) {
    Variant values;
    F("MC004")->SetAsString("XYZ");
    answers = {mrOk};
    EXPECT_FALSE(dm->CheckExists(F("MC004"), "ADMMA", "W", values));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("系统编号 不存在, 是否继续?"), std::string::npos);

    answers = {mrCancel};
    EXPECT_THROW(dm->CheckExists(F("MC004"), "ADMMA", "W", values), EAbort);
    EXPECT_EQ(shown.size(), 2u);

    // Any other severity answers quietly.
    EXPECT_FALSE(dm->CheckExists(F("MC004"), "ADMMA", "S", values));
    EXPECT_EQ(shown.size(), 2u);
    F("MC004")->SetAsString("CMS");
    EXPECT_TRUE(dm->CheckExists(F("MC004"), "ADMMA", "E", values, "CMS"));
    ASSERT_TRUE(values.IsArray());
    EXPECT_EQ(VarToStr(values[values.Low()]), "基本信息管理");
}

TEST_F(ChecksTest, ACodeThatExistsAlreadyCannotBeAddedAgain) {
    F("MC001")->OnValidate = [this](TField* f) { dm->CheckNotExists(f, "ADMMC", "E", "MC001"); };
    EXPECT_THROW(F("MC001")->SetAsString("ADMMA"), EAbort);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("文档编号 已经存在!"), std::string::npos);
    EXPECT_TRUE(F("MC001")->IsNull());

    F("MC001")->SetAsString("NEWDOC");
    EXPECT_EQ(F("MC001")->AsString(), "NEWDOC");

    F("MC001")->OnValidate = nullptr;
    F("MC001")->SetAsString("ADMMB");
    answers = {mrOk};
    EXPECT_FALSE(dm->CheckNotExists(F("MC001"), "ADMMC", "W"));
    EXPECT_NE(shown.back().find("文档编号 已经存在, 是否继续?"), std::string::npos);
    docs->Post();
    // Outside editing nothing is checked.
    EXPECT_TRUE(dm->CheckNotExists(F("MC001"), "ADMMC", "E"));
    EXPECT_EQ(shown.size(), 2u);
}

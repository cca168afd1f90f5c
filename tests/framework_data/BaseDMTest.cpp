// The base data module over the real application server: select parsing, currency digits and money
// display, typed numbers and their range check, data rights answers and grid view files.
#include <map>

#include "framework/data/BaseDM.h"
#include "framework/data/SelectParsing.h"
#include "tests/framework_data/RadicalFixture.h"
#include "toolkit/data/NumericFields.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// Passes every call on and counts them by member and by the first argument of GETCOUNTER.
class TCountingDispatch : public IDispatchObject {
public:
    explicit TCountingDispatch(DispatchPtr inner) : inner_(std::move(inner)) {}
    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override {
        if (!args.empty()) ++counts[VarToStr(args[0].Deref())];
        return inner_->Invoke(member, kind, args);
    }
    std::map<std::string, int> counts;

private:
    DispatchPtr inner_;
};

// Answers GetBaseLimitedRecs with a scripted [count, keys].
class TRightsServer : public TDispatchObject {
public:
    TRightsServer() {
        DefineMethod("GetBaseLimitedRecs", [this](VarArgs&) { return answer; });
    }
    Variant answer;
};

class BaseDMTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        base = CreateComponent<TdmBase>(nullptr);
        base->SetBrokers(brokers);
        body = CreateComponent<TClientDataSet>(base);
        body->SetName("cdsBody1");
        body->FieldDefs().Add("MD001", ftString, 10);
        body->FieldDefs().Add("MD002", ftString, 4);
        body->FieldDefs().Add("CUR", ftString, 4);
        body->FieldDefs().Add("AMT", ftFloat);
        body->FieldDefs().Add("QTY", ftFloat);
        body->FieldDefs().Add("QTY2", ftFloat);
        body->CreateDataSet();
    }
    void TearDown() override {
        FreeAndNil(base);
        RadicalFixture::TearDown();
    }
    void AddRow(const std::string& key, double amount) {
        body->Append();
        body->FieldByName("MD001")->SetAsString("DOC");
        body->FieldByName("MD002")->SetAsString(key);
        body->FieldByName("CUR")->SetAsString("JPY");
        body->FieldByName("AMT")->SetAsFloat(amount);
        body->Post();
    }

    TdmBase* base = nullptr;
    TClientDataSet* body = nullptr;
};

}  // namespace

TEST(SelectParsingTest, ColumnsAndJoinsOfTheProgramStatements) {
    EXPECT_EQ(HeaderExtraColumnsOf("SELECT A.* FROM A"), "");
    EXPECT_EQ(HeaderExtraColumnsOf("select A.*, B.NAME as BNAME from A left join B on A.K=B.K"), "B.NAME BNAME");
    EXPECT_EQ(HeaderExtraColumnsOf("SELECT A.* FROM A WHERE A.X IN (1,2)"), "");
    // A first item holding a sub-query with its own FROM (and a comma inside brackets) is one item.
    EXPECT_EQ(HeaderExtraColumnsOf("SELECT (SELECT MAX(MD002) FROM ADMMD) MX, ADMMC.MC002 AS NM FROM ADMMC"), "ADMMC.MC002 NM");
    EXPECT_EQ(HeaderExtraColumnsOf("SELECT COALESCE(A.X, 0) X, B.Y FROM A, B"), "B.Y");

    TBodySelectParts plain = ParseBodySelectText("SELECT ADMMD.*, MD004 FROM ADMMD WHERE MD001='X'");
    EXPECT_EQ(plain.ExtraColumns, "MD004");
    EXPECT_EQ(plain.JoinClause, "");

    TBodySelectParts nested = ParseBodySelectText(
        "select D.*, (select max(X) from T where T.K=D.K) as MX, B.NAME from D left join B on B.K=D.K where D.A=1");
    EXPECT_EQ(nested.ExtraColumns, "(SELECT MAX(X) FROM T WHERE T.K=D.K) MX, B.NAME");
    EXPECT_EQ(nested.JoinClause, " left join B on B.K=D.K ");

    EXPECT_EQ(WholeWordPos("QTY", "cdsBody1:QTY2,AMT"), 0u);
    EXPECT_EQ(WholeWordPos("QTY", "cdsBody1:QTY2,QTY"), 15u);
    EXPECT_EQ(WholeWordPos("QTY", "QTY"), 1u);
}

TEST_F(BaseDMTest, CurrencyDigitsAreAskedOncePerCodeAndShowMoney) {
    auto counting = std::make_shared<TCountingDispatch>(brokers->CounterService.AsDispatch());
    brokers->CounterService = Variant(DispatchPtr(counting));

    EXPECT_EQ(base->CurrencyDigits("JPY", cdtMoney), 0);
    EXPECT_EQ(base->CurrencyDigits("JPY", cdtPrice), 2);
    EXPECT_EQ(base->CurrencyDigits("USD", cdtUnitCost), 4);
    EXPECT_EQ(base->CurrencyDigits("USD", cdtMoney), 2);
    EXPECT_EQ(base->CurrencyDigits("XXX", cdtPrice), 0);
    EXPECT_EQ(base->CurrencyDigits("XXX", cdtMoney), 0);
    EXPECT_EQ(base->CurrencyDigits("", cdtMoney), -1);
    EXPECT_EQ(counting->counts["SimpleSql"], 3);
    EXPECT_EQ(base->CurrencySettings.size(), 3u);

    // Money fields follow the row's currency; quantities follow sys068 (3 by default) unrounded.
    base->RegisterCurrencyFields("CUR", cdtMoney, "cdsBody1:AMT");
    base->RegisterQuantityFields("cdsBody1:QTY");
    base->ApplyCurrencyFormats(body, nullptr, "");
    AddRow("0001", 1234.5);
    EXPECT_EQ(body->FieldByName("AMT")->DisplayText(), "1,235");
    body->Edit();
    body->FieldByName("CUR")->SetAsString("USD");
    body->Post();
    EXPECT_EQ(body->FieldByName("AMT")->DisplayText(), "1,234.50");
    base->MoneyFieldThousand = false;
    EXPECT_EQ(body->FieldByName("AMT")->DisplayText(), "1234.50");
    EXPECT_EQ(base->FieldDecimals("QTY"), 3);
    EXPECT_EQ(base->FieldDecimals("QTY2"), -1);
    EXPECT_EQ(counting->counts["SimpleSql"], 3);
}

TEST_F(BaseDMTest, OneDecimalFromADigitGroupTheQuantitySettingOrACurrencyShowsOnePlace) {
    Db().Query("INSERT INTO CMSMF (MF001, MF002, MF003, MF004, MF005, MF006) VALUES ('ONE', '一位', 1, 1, 1, 1)");
    brokers->SetSysValue("sys068", "1");
    base->SetDigitFieldGroup(1, "cdsBody1:QTY2");
    base->RegisterQuantityFields("cdsBody1:QTY");
    base->RegisterCurrencyFields("CUR", cdtMoney, "cdsBody1:AMT");
    base->ApplyCurrencyFormats(body, nullptr, "");
    AddRow("0001", 1234);
    body->Edit();
    body->FieldByName("CUR")->SetAsString("ONE");
    body->FieldByName("QTY")->SetAsFloat(12);
    body->FieldByName("QTY2")->SetAsFloat(7);
    body->Post();
    EXPECT_EQ(body->FieldByName("QTY2")->DisplayText(), "7.0") << "digit group 1";
    EXPECT_EQ(body->FieldByName("QTY")->DisplayText(), "12.0") << "sys068 = 1";
    EXPECT_EQ(body->FieldByName("AMT")->DisplayText(), "1,234.0") << "a currency with one money decimal";
    body->Edit();
    body->FieldByName("AMT")->SetAsFloat(1234.56);
    body->Post();
    EXPECT_EQ(body->FieldByName("AMT")->DisplayText(), "1,234.6");
}

TEST_F(BaseDMTest, TypedNumbersAreRoundedAndRangeChecked) {
    base->SetDigitFieldGroup(2, "cdsBody1:AMT,QTY2");
    EXPECT_EQ(base->GetDigitFieldGroup(2), "cdsBody1:AMT,QTY2");
    EXPECT_EQ(base->GetDigitFieldGroupDecimals(2), 2);
    EXPECT_EQ(base->GetDigitFieldGroupDecimals(5), -1);
    base->NumericPrecisions.Add("AMT=6.2");
    base->NumericPrecisions.Add("QTY2=4.2");
    AddRow("0001", 0);
    body->Edit();
    body->FieldByName("AMT")->SetText("1,234.5");
    EXPECT_DOUBLE_EQ(body->FieldByName("AMT")->AsFloat(), 1234.5);
    EXPECT_TRUE(shown.empty());
    body->FieldByName("AMT")->SetText("12.345");
    EXPECT_DOUBLE_EQ(body->FieldByName("AMT")->AsFloat(), 12.35);

    body->FieldByName("QTY2")->SetText("1234.5");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("99.99"), std::string::npos) << shown[0];
    EXPECT_DOUBLE_EQ(body->FieldByName("QTY2")->AsFloat(), 0);
    body->FieldByName("QTY2")->SetText("-100");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].find("-99.99"), std::string::npos) << shown[1];
    body->FieldByName("QTY2")->SetText("abc");
    EXPECT_DOUBLE_EQ(body->FieldByName("QTY2")->AsFloat(), 0);

    // A field without decimals of its own is bounded by its integer digits only.
    base->NumericPrecisions.Add("QTY=4.2");
    body->FieldByName("QTY")->OnSetText = [this](TField* f, const std::string& t) { base->NumberFieldSetText(f, t); };
    body->FieldByName("QTY")->SetText("99");
    EXPECT_DOUBLE_EQ(body->FieldByName("QTY")->AsFloat(), 99);
    ASSERT_EQ(shown.size(), 2u);
    body->FieldByName("QTY")->SetText("99.5");
    ASSERT_EQ(shown.size(), 3u) << "99.5 lies above the largest value 99";
    EXPECT_NE(shown[2].find("99"), std::string::npos) << shown[2];
    EXPECT_EQ(shown[2].find("99.9"), std::string::npos) << shown[2];
    EXPECT_DOUBLE_EQ(body->FieldByName("QTY")->AsFloat(), 0);
    body->Post();
}

TEST_F(BaseDMTest, NumericPrecisionsAndNumberSettingsComeFromTheCompanyDatabase) {
    base->LoadNumericPrecision("CMSMF");
    EXPECT_EQ(base->NumericPrecisions.Values("MF003"), "1.0");
    base->NumericPrecisions.SetValue("MF004", "9.9");
    base->LoadNumericPrecision("CMSMF");
    EXPECT_EQ(base->NumericPrecisions.Values("MF004"), "9.9");

    OleCall(brokers->CounterService, "GETCOUNTER",
            {Variant("SetUserDefine"),
             VarArrayOf({"DEMO", "DS", "********************", ".",
                         "<NumberFieldsSetting Enabled=\"True\"><QuantityFieldAutoZero>false</QuantityFieldAutoZero>"
                         "<MoneyFieldThousand>TRUE</MoneyFieldThousand><MoneyFieldAutoZero>no</MoneyFieldAutoZero>"
                         "</NumberFieldsSetting>"}),
             VarArrayOf({VarArrayOf({"DEMO", "DEMO"})})});
    base->LoadNumberSettings();
    EXPECT_FALSE(base->QuantityFieldAutoZero);
    EXPECT_TRUE(base->QuantityFieldThousand);
    EXPECT_FALSE(base->MoneyFieldAutoZero);
    EXPECT_TRUE(base->MoneyFieldThousand);
}

TEST_F(BaseDMTest, DataRightsAnswersGiveAllOrTheFirstFourDeniedKeys) {
    auto server = std::make_shared<TRightsServer>();
    base->AppServer = Variant(DispatchPtr(server));
    brokers->ProgramInfo.SetValue("D11_KEY", "ADMMD.MD001,ADMMD.MD002");
    brokers->ProgramInfo.SetValue("D11_TABLE", "ADMMD");
    std::string denied;
    EXPECT_TRUE(base->CheckDataRights(body, "D11", denied));  // no rows: nothing to check
    for (int i = 1; i <= 8; ++i) AddRow("000" + std::to_string(i), i);
    body->SetRecNo(3);

    server->answer = VarArrayOf({0, Variant()});
    EXPECT_FALSE(base->CheckDataRights(body, "D11", denied));
    EXPECT_EQ(denied, "ALL");

    server->answer = VarArrayOf({2, VarArrayOf({"DOC-0002", "DOC-0005"})});
    EXPECT_FALSE(base->CheckDataRights(body, "D11_", denied));
    EXPECT_EQ(denied, "DOC       -0001;DOC       -0003;DOC       -0004;DOC       -0006;...");
    EXPECT_EQ(body->RecNo(), 3);

    server->answer = VarArrayOf({8, Variant()});
    EXPECT_TRUE(base->CheckDataRights(body, "D11", denied));
    EXPECT_EQ(denied, "");
}

TEST_F(BaseDMTest, GridViewsAreSavedPerUserAndFallBackToTheSharedFile) {
    TField* amount = body->FieldByName("AMT");
    amount->SetIndex(0);
    amount->SetDisplayWidth(17);
    amount->SetDisplayFormat("#,##0.000");
    base->SaveGridView(body, "ADMI02C.ugs", 1);
    const std::string own = client_ + "c_Data/DS/ADMI02C.ugs";
    ASSERT_TRUE(FileExists(own));

    // Back to the dataset's own layout, then load the saved one with a damaged line for MD001.
    amount->SetIndex(3);
    amount->SetDisplayWidth(5);
    amount->SetDisplayFormat("");
    TIniFile(own).WriteString("cdsBody1_1", "MD001", "garbage");
    body->FieldByName("MD001")->SetDisplayWidth(9);
    base->LoadGridView(body, "ADMI02C.ugs", 1);
    EXPECT_EQ(amount->Index(), 0);
    EXPECT_EQ(amount->DisplayWidth(), 17);
    EXPECT_EQ(amount->DisplayFormat(), "#,##0.000");
    EXPECT_EQ(body->FieldByName("MD001")->DisplayWidth(), 9);

    // Another user has no file of his own: the shared one applies.
    WriteFile(client_ + "c_Data/ADMI02C.ugs", "[cdsBody1_1]\nQTY=0;21\n");
    brokers->UserId = "CLERK";
    base->LoadGridView(body, "ADMI02C.ugs", 1);
    EXPECT_EQ(body->FieldByName("QTY")->Index(), 0);
    EXPECT_EQ(body->FieldByName("QTY")->DisplayWidth(), 21);
}

// The published field handlers as a program attaches them by name, on a dataset of the module.
#include <initializer_list>

#include "framework/data/FieldText.h"
#include "RadicalFixture.h"
#include "toolkit/rtl/DateTime.h"

class FieldHandlerTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        rows = CreateComponent<TClientDataSet>(dm);
        rows->SetName("cdsRows");
        TFieldDefs& defs = rows->FieldDefs();
        for (auto [name, size] :
             {std::pair{"TM", 4}, {"DT", 8}, {"STAMP", 17}, {"MD", 4}, {"YM", 6}, {"YR", 4}, {"DY", 2}, {"MO", 2}, {"NAME", 5}})
            defs.Add(name, ftString, size);
        defs.Add("DV", ftDate);
        defs.Add("SECS", ftInteger);
        defs.Add("QTY", ftInteger);
        defs.Add("PCT", ftFloat);
        defs.Add("AMT", ftFloat);
        rows->CreateDataSet();
        rows->Append();
        dm->DateSeparator = "/";
    }

    TField* F(const std::string& name) { return rows->FieldByName(name); }
    TField* Attach(const std::string& name, std::initializer_list<const char*> handlers) {
        for (const char* handler : handlers) dm->AttachFieldHandler(F(name), handler);
        return F(name);
    }
    // Types the text; true when the entry was abandoned (the last message then tells why).
    static bool Refused(TField* field, const std::string& text) {
        try {
            field->SetText(text);
            return false;
        } catch (const EAbort&) {
            return true;
        }
    }
    bool LastMessageSays(const std::string& text) const { return !shown.empty() && shown.back().find(text) != std::string::npos; }

    TClientDataSet* rows = nullptr;
};

TEST_F(FieldHandlerTest, TimesAndDurationsAreEnteredAsDigitsAndChecked) {
    TField* time = Attach("TM", {"TimeFieldEditMask", "TimeFieldGetText", "TimeFieldSetText", "TimeFieldValidate"});
    EXPECT_EQ(time->EditMask(), "99:99;1; ");
    time->SetText("8:5");
    EXPECT_EQ(time->AsString(), "0805");
    EXPECT_EQ(time->Text(), "08:05");
    EXPECT_TRUE(Refused(time, "24:00"));
    EXPECT_TRUE(LastMessageSays("时间输入错误"));
    EXPECT_EQ(time->AsString(), "0805");
    time->SetText("  :  ");
    EXPECT_EQ(time->AsString(), "");
    EXPECT_EQ(time->Text(), "");

    TField* seconds = Attach("SECS", {"SecondFieldEditMask", "SecondFldGetText", "SecondFldSetText"});
    EXPECT_EQ(seconds->EditMask(), "9999:99:99;1; ");
    EXPECT_EQ(seconds->Text(), "");
    seconds->SetText("1:2:5");
    EXPECT_EQ(seconds->AsInteger(), 3725);
    EXPECT_EQ(seconds->Text(), "0001:02:05");
    seconds->SetText("0");
    EXPECT_EQ(seconds->Text(), "0000:00:00");
    EXPECT_TRUE(Refused(seconds, "1:75:00"));
    EXPECT_EQ(seconds->AsInteger(), 0);

    EXPECT_TRUE(ValidTimeText(""));
    EXPECT_TRUE(ValidTimeText("12345:59:59"));
    EXPECT_FALSE(ValidTimeText("0001:60:00"));
    EXPECT_FALSE(ValidTimeText("0001:00:60"));
    EXPECT_FALSE(ValidTimeText("12:30"));
    EXPECT_FALSE(ValidTimeText("a:b:c"));
}

TEST_F(FieldHandlerTest, DaysAndMonthsAreTwoDigitsInRange) {
    TField* day = Attach("DY", {"DayFieldEditMask", "DayFieldSetText", "DayFieldValidate"});
    TField* month = Attach("MO", {"MonthFieldEditMask", "MonthFieldSetText", "MonthFieldValidate"});
    EXPECT_EQ(day->EditMask(), "99;1; ");
    day->SetText(" 5 ");
    EXPECT_EQ(day->AsString(), "05");
    EXPECT_TRUE(Refused(day, "32"));
    EXPECT_TRUE(LastMessageSays("日期输入错误"));
    month->SetText("12");
    EXPECT_EQ(month->AsString(), "12");
    EXPECT_TRUE(Refused(month, "13"));
    EXPECT_TRUE(LastMessageSays("月份输入错误"));
    month->SetText("  ");
    EXPECT_EQ(month->AsString(), "");
}

TEST_F(FieldHandlerTest, DatesAreShownAndEnteredInEveryDateOrder) {
    TField* date = Attach("DT", {"DateFieldGetText", "DateFieldSetText", "DateFieldValidate"});
    const std::map<int, std::pair<std::string, std::string>> orders = {{1, {"1999/12/31", "9999/99/99;1; "}},
                                                                       {2, {"12/31/1999", "99/99/9999;1; "}},
                                                                       {3, {"31/12/1999", "99/99/9999;1; "}},
                                                                       {4, {"88/12/31", "99/99/99;1; "}},
                                                                       {5, {"088/12/31", "999/99/99;1; "}}};
    for (const auto& [order, expected] : orders) {
        dm->SetDateSettings(order, "/");
        date->SetAsString("19991231");
        EXPECT_EQ(date->Text(), expected.first) << "order " << order;
        EXPECT_EQ(dm->DateFieldEditMask(), expected.second) << "order " << order;
        date->SetAsString("");
        date->SetText(expected.first);
        EXPECT_EQ(date->AsString(), "19991231") << "order " << order;
    }
    dm->SetDateSettings(1, "-");
    EXPECT_TRUE(Refused(date, "2026-02-30"));
    EXPECT_TRUE(LastMessageSays("日期输入错误"));
    EXPECT_EQ(date->AsString(), "19991231");
    date->SetText("    -  -  ");
    EXPECT_EQ(date->AsString(), "");

    TField* typed = Attach("DV", {"DateFieldGetText", "DateFieldSetText"});
    typed->SetText("2026-03-07");
    EXPECT_EQ(typed->AsDateTime(), EncodeDate(2026, 3, 7));
    EXPECT_EQ(typed->Text(), "2026-03-07");
    typed->SetText("");
    EXPECT_TRUE(typed->IsNull());

    TField* stamp = Attach("STAMP", {"DateTimeFieldGetText"});
    stamp->SetAsString("20260307102030456");
    EXPECT_EQ(stamp->Text(), "2026-03-07 10:20:30:456");
    stamp->SetAsString("20260307");
    EXPECT_EQ(stamp->Text(), "2026-03-07");
}

TEST_F(FieldHandlerTest, MonthDaysYearMonthsAndYearsFollowTheDateOrder) {
    TField* md = Attach("MD", {"MDFieldGetText", "MDFieldSetText", "MDFieldValidate"});
    md->SetText("3/7");
    EXPECT_EQ(md->AsString(), "0307");
    EXPECT_EQ(md->Text(), "03/07");
    dm->SetDateSettings(3, "/");
    EXPECT_EQ(md->Text(), "07/03");
    md->SetText("29/2");
    EXPECT_EQ(md->AsString(), "0229");
    EXPECT_TRUE(Refused(md, "30/2"));
    EXPECT_TRUE(Refused(md, "1/13"));
    EXPECT_TRUE(LastMessageSays("月份输入错误"));

    TField* ym = Attach("YM", {"YMFieldGetText", "YMFieldSetText", "YMFieldValidate"});
    ym->SetAsString("195001");
    const std::map<int, std::string> shownYM = {{0, ""}, {1, "1950/01"}, {2, "01/1950"}, {4, "39/01"}, {5, "039/01"}};
    for (const auto& [order, text] : shownYM) {
        dm->SetDateSettings(order, "/");
        EXPECT_EQ(ym->Text(), text) << "order " << order;
    }
    dm->SetDateSettings(4, "/");
    EXPECT_EQ(dm->YMFieldEditMask(), "99/99;1; ");
    ym->SetText("115/3");
    EXPECT_EQ(ym->AsString(), "202603");
    dm->SetDateSettings(5, "/");
    EXPECT_EQ(dm->YMFieldEditMask(), "999/99;1; ");
    ym->SetText(" 039 / 01 ");
    EXPECT_EQ(ym->AsString(), "195001");
    ym->SetText("/");
    EXPECT_EQ(ym->AsString(), "");
    dm->SetDateSettings(1, "/");
    EXPECT_TRUE(Refused(ym, "1700/01"));
    EXPECT_TRUE(LastMessageSays("年份必须在1753到9999之间"));
    EXPECT_TRUE(Refused(ym, "2026/13"));
    EXPECT_TRUE(LastMessageSays("月份输入错误"));

    TField* year = Attach("YR", {"YearFieldEditMask", "YearFieldGetText", "YearFieldSetText"});
    year->SetAsString("1950");
    const std::map<int, std::string> shownYear = {{1, "1950"}, {3, "1950"}, {4, "39"}, {5, "039"}};
    for (const auto& [order, text] : shownYear) {
        dm->SetDateSettings(order, "/");
        EXPECT_EQ(year->Text(), text) << "order " << order;
    }
    dm->SetDateSettings(4, "/");
    EXPECT_EQ(dm->YearFieldEditMask(), "99;1; ");
    year->SetText("115");
    EXPECT_EQ(year->AsString(), "2026");
    year->SetText("  ");
    EXPECT_EQ(year->AsString(), "");
    EXPECT_EQ(year->Text(), "");
}

TEST_F(FieldHandlerTest, PercentsAndNumberFormats) {
    TField* percent = Attach("PCT", {"PercentFieldEditMask", "PercentFieldGetText", "PercentFieldSetText"});
    EXPECT_EQ(percent->EditMask(), "###.##%;1; ");
    EXPECT_EQ(percent->Text(), "");
    percent->SetText(" 12. 5 %");
    EXPECT_DOUBLE_EQ(percent->AsFloat(), 0.125);
    EXPECT_EQ(percent->Text(), "12.50%");
    percent->SetText("abc");
    EXPECT_DOUBLE_EQ(percent->AsFloat(), 0);

    EXPECT_EQ(dm->NumberFieldDisplayFormat(2), "#,##0.00");
    EXPECT_EQ(dm->NumberFieldDisplayFormat(0), "#,##0.#######");
    EXPECT_EQ(dm->NumberFieldDisplayFormat(20), "#,##0.00000000000");
    TField* amount = F("AMT");
    amount->SetDisplayFormat(dm->NumberFieldDisplayFormat(2));
    amount->SetAsFloat(1234.5);
    EXPECT_EQ(amount->DisplayText(), "1,234.50");
    dm->AttachFieldHandler(amount, "NumberFieldEditFormat");
    EXPECT_EQ(amount->EditFormat(), "##0.#######");

    EXPECT_THROW(dm->AttachFieldHandler(amount, "NoSuchHandler"), EInvalidOperation);
    EXPECT_THROW(dm->AttachFieldHandler(amount, "CostFieldSetText"), EInvalidOperation);
}

TEST_F(FieldHandlerTest, SetFieldTextWritesReadOnlyFieldsAndNeverSplitsACharacter) {
    TField* name = F("NAME");
    name->SetReadOnly(true);
    dm->SetFieldText(name, "文档信息", false);
    EXPECT_EQ(name->AsString(), "文档");
    EXPECT_TRUE(name->ReadOnly());
    dm->SetFieldText(name, "ab文档", false);
    EXPECT_EQ(name->AsString(), "ab文");
    dm->SetFieldText(F("QTY"), "42", true);
    EXPECT_EQ(F("QTY")->AsInteger(), 42);
    dm->SetFieldText(nullptr, "x", true);

    // Null columns filled without running their validation.
    int validations = 0;
    F("QTY")->Clear();
    F("QTY")->OnValidate = [&](TField*) { ++validations; };
    dm->FillNulls(rows);
    EXPECT_EQ(validations, 0);
    EXPECT_TRUE(F("QTY")->OnValidate != nullptr);
    EXPECT_EQ(F("QTY")->AsInteger(), 0);
    EXPECT_FALSE(F("AMT")->IsNull());
    EXPECT_FALSE(F("MD")->IsNull());
    EXPECT_EQ(F("MD")->AsString(), "");
    EXPECT_TRUE(F("DV")->IsNull());
}

TEST_F(FieldHandlerTest, SystemColumnsAreLabelledShownAndLocalized) {
    auto* stamped = CreateComponent<TClientDataSet>(dm);
    for (const char* name : {"MC001", "COMPANY", "CREATOR", "USR_GROUP", "CREATE_DATE", "MODIFIER", "MODI_DATE"})
        stamped->FieldDefs().Add(name, ftString, 17);
    stamped->FieldDefs().Add("FLAG", ftInteger);
    stamped->CreateDataSet();
    stamped->AppendRecord({"D1", "DEMO", "DS", "ADMIN", "20260307102030456", Variant(), Variant(), 1});

    dm->LabelSystemColumns(stamped);
    EXPECT_EQ(stamped->FieldByName("CREATOR")->DisplayLabel(), "录入者");
    EXPECT_EQ(stamped->FieldByName("FLAG")->DisplayLabel(), "标识");
    EXPECT_EQ(stamped->FieldByName("MC001")->DisplayLabel(), "MC001");
    EXPECT_EQ(stamped->FieldByName("CREATE_DATE")->Text(), "2026/03/07 10:20:30:456");

    dm->ShowSystemColumns(stamped, false);
    EXPECT_FALSE(stamped->FieldByName("MODI_DATE")->Visible());
    EXPECT_FALSE(stamped->FieldByName("MODI_DATE")->ReadOnly());
    dm->ShowSystemColumns(stamped, true);
    EXPECT_TRUE(stamped->FieldByName("COMPANY")->Visible());
    EXPECT_TRUE(stamped->FieldByName("COMPANY")->ReadOnly());
    EXPECT_FALSE(stamped->FieldByName("MC001")->ReadOnly());

    // Stamps go into read-only columns too.
    stamped->Edit();
    dm->Today = "20260308";
    dm->StampSystemColumns(stamped);
    EXPECT_EQ(stamped->FieldByName("MODIFIER")->AsString(), "DS");
    EXPECT_EQ(stamped->FieldByName("FLAG")->AsInteger(), -2);
    stamped->Post();

    Attach("TM", {"TimeFieldSetText"});
    dm->LocalizeFields();
    EXPECT_TRUE(F("NAME")->OnGetText != nullptr);
    EXPECT_TRUE(F("NAME")->OnSetText != nullptr);
    EXPECT_TRUE(F("TM")->OnGetText != nullptr);
    F("TM")->SetText("9:30");
    EXPECT_EQ(F("TM")->AsString(), "0930");
    EXPECT_TRUE(F("QTY")->OnGetText == nullptr);
    EXPECT_TRUE(stamped->FieldByName("CREATE_DATE")->OnGetText != nullptr);
}

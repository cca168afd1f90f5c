#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "toolkit/os/CodePage.h"

TEST(StringField, SizeCountsGbkBytesWithoutHalfCharacters) {
    TClientDataSet ds;
    ds.FieldDefs().Add("NAME", ftString, 5);
    ds.CreateDataSet();
    ds.Append();
    TField* name = ds.FieldByName("NAME");
    name->SetAsString("中文字");  // six GBK bytes: the third character does not fit
    EXPECT_EQ(name->AsString(), "中文");
    name->SetAsString("a中文字");  // a + two characters = five bytes
    EXPECT_EQ(name->AsString(), "a中文");
    name->SetAsString("ab中文字");  // the fourth and fifth byte would split 文
    EXPECT_EQ(name->AsString(), "ab中");
    EXPECT_EQ(CodePageByteLength(name->AsString(), 936), 4u);
    name->SetAsString("abcdefg");
    EXPECT_EQ(name->AsString(), "abcde");
    EXPECT_EQ(name->DataSize(), 6);  // line numbers are padded to DataSize - 1 characters
    name->SetAsString("");
    EXPECT_FALSE(name->IsNull());  // an empty text is a value, not null
    name->Clear();
    EXPECT_TRUE(name->IsNull());
}

TEST(Field, WritingRulesAndMessages) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "one"}});
    TField* name = ds.FieldByName("NAME");
    try {
        name->SetAsString("x");
        FAIL() << "writing in browse state must fail";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Dataset not in edit or insert mode");
    }
    name->SetReadOnly(true);
    name->SetDisplayLabel("名称");
    ds.Edit();
    try {
        name->SetAsString("x");
        FAIL() << "writing a read-only field must fail";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field '名称' cannot be modified");
    }
    EXPECT_EQ(name->AsString(), "one");
    ds.Cancel();
    EXPECT_THROW(ds.FieldByName("NOPE"), EDatabaseError);
}

TEST(Field, ValidateAbortLeavesTheOldValue) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "one"}});
    ds.MergeChangeLog();
    TField* name = ds.FieldByName("NAME");
    std::vector<std::string> seen;
    int changes = 0;
    name->OnValidate = [&](TField* f) {
        seen.push_back(f->AsString());  // the new value is visible while validating
        if (f->AsString() == "bad") Abort();
    };
    name->OnChange = [&](TField*) { ++changes; };
    ds.Edit();
    EXPECT_THROW(name->SetAsString("bad"), EAbort);
    EXPECT_EQ(name->AsString(), "one");
    EXPECT_EQ(changes, 0);
    name->SetAsString("good");
    EXPECT_EQ(name->AsString(), "good");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"bad", "good"}));

    // A set-text handler that assigns and then aborts leaves the value as it was.
    name->OnValidate = nullptr;
    name->OnSetText = [](TField* f, const std::string& text) {
        f->SetAsString(text);
        if (text == "half") Abort();
    };
    EXPECT_THROW(name->SetText("half"), EAbort);
    EXPECT_EQ(name->AsString(), "good");
    name->SetText("whole");
    EXPECT_EQ(name->AsString(), "whole");
    ds.Post();
    EXPECT_EQ(name->OldValue().AsString(), "one");  // as fetched, until the log is merged
}

TEST(Field, TextHandlersAndNumberFormats) {
    TClientDataSet ds;
    ds.FieldDefs().Add("AMT", ftFloat);
    ds.FieldDefs().Add("QTY", ftInteger);
    ds.FieldDefs().Add("OK", ftBoolean);
    ds.FieldDefs().Add("HHMM", ftString, 4);
    ds.FieldDefs().Add("DAY", ftDate);
    ds.CreateDataSet();
    TField* amt = ds.FieldByName("AMT");
    TField* qty = ds.FieldByName("QTY");
    auto* ok = static_cast<TBooleanField*>(ds.FieldByName("OK"));
    TField* hhmm = ds.FieldByName("HHMM");
    amt->SetDisplayFormat("#,##0.00");
    amt->SetEditFormat("##0.#######");
    ds.Append();
    amt->SetText("1,234.5");  // typed with a thousands separator
    EXPECT_DOUBLE_EQ(amt->AsFloat(), 1234.5);
    EXPECT_EQ(amt->DisplayText(), "1,234.50");
    EXPECT_EQ(amt->Text(), "1234.5");
    EXPECT_THROW(amt->SetText("12x"), EConvertError);
    EXPECT_DOUBLE_EQ(amt->AsFloat(), 1234.5);
    amt->SetText("  ");
    EXPECT_TRUE(amt->IsNull());
    qty->SetText("1,000");
    EXPECT_EQ(qty->AsInteger(), 1000);
    EXPECT_THROW(qty->SetAsString("1.5"), EConvertError);
    EXPECT_EQ(qty->Alignment(), taRightJustify);
    ok->SetDisplayValues("是;否");
    ok->SetAsString("否");
    EXPECT_FALSE(ok->AsBoolean());
    EXPECT_EQ(ok->DisplayText(), "否");
    EXPECT_THROW(ok->SetAsString("maybe"), EConvertError);
    // Time stored as four digits, shown with a colon (a get-text / set-text pair).
    hhmm->OnGetText = [](TField* f, std::string& text, bool) {
        std::string v = f->AsString();
        text = v.empty() ? "" : v.substr(0, 2) + ":" + v.substr(2);
    };
    hhmm->OnSetText = [](TField* f, const std::string& text) {
        f->SetAsString(text == "  :  " ? "" : text.substr(0, 2) + text.substr(3, 2));
    };
    hhmm->SetText("08:05");
    EXPECT_EQ(hhmm->AsString(), "0805");
    EXPECT_EQ(hhmm->DisplayText(), "08:05");
    ds.FieldByName("DAY")->SetAsString("2024/02/29");
    EXPECT_EQ(ds.FieldByName("DAY")->AsDateTime(), 45351);
    EXPECT_THROW(ds.FieldByName("DAY")->SetAsString("2023/02/29"), EConvertError);
    ds.FieldByName("DAY")->SetDisplayFormat("yyyy-mm-dd");
    EXPECT_EQ(ds.FieldByName("DAY")->DisplayText(), "2024-02-29");
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);
}
